// veq's commands run in-process through its one entry point, with streams of
// the test's own; only what needs a real process (two runs at once, a full
// standard output, main's exit status) starts one.
#include "cli/run.h"
#include "core/data_file.h"
#include "core/entry_parser.h"
#include "core/file_io.h"
#include "core/sentences.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>
#include <tuple>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using veq::Bytes;
using veq::Entries;
using veq::ListId;
using Args = std::vector<std::string>;
using namespace std::chrono_literals;

namespace {

namespace fs = std::filesystem;

bool mentions(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }
std::size_t timesIn(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

struct Outcome {
    int status;
    std::string out, err;
    Bytes written; // what went to standard output as bytes
};

// veq with `args`, standard input holding `input`; standard output goes to
// `out` when given (a stream that fails, say).
Outcome veq(const Args& args, const std::string& input = {}, std::ostream* out = nullptr)
{
    std::ostringstream text, err;
    Outcome outcome{};
    std::size_t read = 0;
    const veq::cli::Streams streams{out ? *out : text, err,
                                    [&](std::size_t most) -> veq::Expected<Bytes> {
                                        const std::size_t from = read;
                                        read = std::min(input.size(), read + most);
                                        return Bytes(input.begin() + static_cast<std::ptrdiff_t>(from),
                                                     input.begin() + static_cast<std::ptrdiff_t>(read));
                                    },
                                    [&](std::span<const std::uint8_t> bytes) -> veq::Expected<void> {
                                        outcome.written.insert(outcome.written.end(), bytes.begin(), bytes.end());
                                        return {};
                                    }};
    outcome.status = veq::cli::run(args, streams);
    outcome.out = text.str();
    outcome.err = err.str();
    return outcome;
}

std::string afterRecordsOf(const fs::path& path, ListId kind)
{
    veq::ConversionBuffer buf{};
    return veq::loadDataFile(path, kind, buf)->afterRecords();
}

std::string path(const kit::TempFolder& folder, const std::string& name) { return (folder / name).string(); }

TEST(Veq, PrintsItsResultsAndRefusalsAndUsageErrorsChangeNothing)
{
    kit::TempFolder folder;
    const std::string here = folder.path().string(), file = path(folder, "filelist.dat"),
                      bad = path(folder, "bad_except.dat");
    const Bytes start = kit::dataImage(ListId::FileList, {"03010714", "03000001", "03010714"});
    kit::writeFile(file, start);
    kit::writeFile(folder / "except.dat", kit::dataImage(ListId::Except, {"03000002 ======> 03010815"}));
    kit::writeFile(bad, {'h', 'e', 'a', 'd', 'e', 'r', '1', ' ', '0'}); // too short for any file, a bad header line
    kit::writeFile(folder / "03010714.BMP", {1});
    kit::writeFile(folder / "squadron.dat", {}); // no squadrons
    const auto expect = [&](int status, const Args& args, const std::string& out, const std::string& input = {}) {
        const Outcome run = veq(args, input);
        EXPECT_EQ(std::make_pair(run.status, run.out), std::make_pair(status, out)) << testing::PrintToString(args);
        EXPECT_EQ(kit::readFile(file), start) << testing::PrintToString(args);
        EXPECT_EQ(run.err.empty(), status == 0) << run.err;
        return run;
    };
    expect(0, {"dump", file}, "03000001\n03010714\n");
    expect(0, {"dump", "--raw", file}, "03010714\n03000001\n03010714\n");
    expect(
        0, {"missing", "--filelist", file, "--except", path(folder, "except.dat"), here},
        "Missing FileList\n  03000001.bmp\nMissing Except\n  03010815.bmp\nMissing\n  03000001.bmp\n  03010815.bmp\n");
    expect(0, {"extra", "--filelist", file, here}, "Extra\n");
    expect(0, {"add", file, "03010714"}, "");
    expect(0, {"add", path(folder, "except.dat"), "03000002-03010815", "03000003-03010815"},
           "03000003 ======> 03010815\n");
    expect(1, {"check", bad, file}, file + ": ok, 2 entries\n");
    // "-": standard input for dump's and check's FILE and build's TEXT, standard output for build's OUT.
    const std::string image(start.begin(), start.end()), text = "03010714\n03000001\n";
    const std::string out = path(folder, "out_filelist.dat");
    expect(0, {"dump", "--kind", "filelist", "-"}, "03000001\n03010714\n", image);
    expect(0, {"check", "--kind", "filelist", "-"}, "-: ok, 2 entries\n", image);
    expect(0, {"build", "-", out}, "", text);
    EXPECT_EQ(expect(0, {"build", "--kind", "filelist", "-", "-"}, "", text).written, kit::readFile(out));
    // A save that gives one name of a file a new file says so; the other name keeps the old bytes.
    const std::string linked = path(folder, "linked_filelist.dat");
    fs::create_hard_link(file, linked);
    const Outcome notice = veq({"add", linked, "03010715"});
    EXPECT_EQ(std::make_pair(notice.status, notice.out), std::make_pair(0, std::string("03010715\n")));
    EXPECT_TRUE(mentions(notice.err, "linked_filelist.dat") && mentions(notice.err, "hard link")) << notice.err;
    for (const Args& refused : {Args{"copy", file, "--from", bad, "--plane", "01"},
                                Args{"autogen", bad, "--into", file}, Args{"build", bad, file},
                                // A file whose name says another kind than the command uses.
                                Args{"autogen", path(folder, "squadron.dat"), "--into", file},
                                Args{"extra", "--filelist", path(folder, "except.dat"), here, "--add"},
                                Args{"copy", file, "--from", path(folder, "except.dat"), "--plane", "00"},
                                Args{"missing", "--filelist", path(folder, "except.dat"), "--except", file, here}})
        expect(1, refused, "");
    for (const Args& misused : {Args{}, Args{"frobnicate", file}, Args{"dump", here}, Args{"copy", file, "--from", bad},
                                Args{"dump", "-"}, Args{"build", file, "-"},
                                Args{"add", "--wait", "-1", file, "03010715"}, Args{"add", "--wait", "1.5", file, "0"},
                                Args{"add", "--wait", "86401", file, "03010715"}, Args{"dump", "--wait", "1", file}})
        expect(2, misused, "");
}

// A file whose length holds more than its count's records is reported by
// check and left byte for byte by every command that changes a file.
TEST(Veq, AFileWithBytesAfterItsRecordsIsReportedByCheckAndLeftAloneByEveryChange)
{
    kit::TempFolder folder;
    const std::string here = folder.path().string();
    kit::writeFile(folder / "03AB0001.bmp", {1});
    kit::SquadronBuilder squadrons;
    squadrons.record(0x94, 1, {0x25});
    kit::writeFile(folder / "squadron.dat", squadrons.image());
    kit::writeFile(folder / "other_filelist.dat", kit::dataImage(ListId::FileList, {"03250001"}));
    kit::writeFile(folder / "other_planesq.dat", kit::dataImage(ListId::PlaneSq, {"2500000095"}));
    const Bytes pairs = kit::dataImage(ListId::Except, kit::randomEntries(ListId::Except, 24, 1));
    const std::tuple<std::string, Bytes, ListId> files[] = {
        {"x_filelist.dat", pairs, ListId::FileList},
        {"n_filelist.dat", kit::dataImage(ListId::FileList, {"03010714"}, -5), ListId::FileList},
        {"q_planesq.dat", pairs, ListId::PlaneSq}};
    for (const auto& [name, image, kind] : files) {
        const std::string file = path(folder, name);
        kit::writeFile(file, image);
        const std::string after = afterRecordsOf(file, kind);
        const bool parts = kind == ListId::FileList;
        const std::string other = path(folder, parts ? "other_filelist.dat" : "other_planesq.dat");
        for (const Args& args :
             {Args{"check", other, file}, Args{"add", file, std::string(veq::dataKind(kind).example)},
              Args{"copy", file, "--from", other, "--plane", "25"},
              parts ? Args{"extra", "--filelist", file, here, "--add"}
                    : Args{"autogen", path(folder, "squadron.dat"), "--into", file}}) {
            const Outcome run = veq(args);
            SCOPED_TRACE(name + " " + args[0] + ": " + run.err);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.out, args[0] == "check" ? other + ": ok, 1 entry\n" : "");
            EXPECT_TRUE(mentions(run.err, after) && !after.empty());
            EXPECT_EQ(kit::readFile(file), image);
        }
    }
}

// An entry is what it writes: text that is no entry is refused where it
// enters, with the parser's reason, and nothing is written.
TEST(Veq, AddAndBuildRefuseTextThatIsNoEntryWithTheParsersReasonWritingNothing)
{
    kit::TempFolder folder;
    const std::string planes = path(folder, "q_planesq.dat"), parts = path(folder, "filelist.dat");
    const Bytes start = kit::dataImage(ListId::PlaneSq, {"2500000094"});
    kit::writeFile(planes, start);
    kit::writeFile(parts, kit::dataImage(ListId::FileList, {"03010714"}));
    const struct {
        ListId kind;
        std::string text;
    } typed[] = {{ListId::PlaneSq, "25FFFFFF94"},
                 {ListId::PlaneSq, "25zzzzzz94"},
                 {ListId::PlaneSq, "250000009"},
                 {ListId::FileList, "0301071\xC3\xA9"},
                 {ListId::FileList, "030107141"}};
    for (const auto& [kind, text] : typed) {
        SCOPED_TRACE(text);
        const std::string file = kind == ListId::PlaneSq ? planes : parts;
        const Bytes before = kit::readFile(file);
        // Among good entries, first or last: the whole command is refused.
        for (const Args& args : {Args{"add", file, text, std::string(veq::dataKind(kind).example)},
                                 Args{"add", file, std::string(veq::dataKind(kind).example), text}}) {
            const Outcome run = veq(args);
            EXPECT_EQ(run.status, 1);
            EXPECT_TRUE(mentions(run.err, veq::parseEntry(kind, text, veq::EntryForm::Typed).reason())) << run.err;
            EXPECT_TRUE(mentions(run.err, veq::sentences::quoteText(text))) << run.err;
            EXPECT_EQ(kit::readFile(file), before);
        }
    }
    // The text form takes the same entries as lines; one line that is none refuses it whole.
    const std::string text = "2500000094\n\n25FFFFFF94\n";
    const std::string built = path(folder, "built_planesq.dat");
    for (const Args& args : {Args{"build", "-", built}, Args{"build", "--kind", "planesq", "-", "-"}}) {
        const Outcome run = veq(args, text);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(mentions(run.err, "line 3") && mentions(run.err, "\"25FFFFFF94\"")) << run.err;
        EXPECT_TRUE(run.written.empty());
    }
    EXPECT_FALSE(fs::exists(built));
}

// A plane id is one digit pair: anything else is a usage error, not a copy
// that finds nothing. Either case names the aircraft, as entries hold capitals.
TEST(Veq, CopyTakesAPlaneIdOfTwoHexDigitsInEitherCaseAndCallsAnythingElseAUsageError)
{
    kit::TempFolder folder;
    const std::string into = path(folder, "c_filelist.dat"), from = path(folder, "other_filelist.dat");
    kit::writeFile(into, kit::dataImage(ListId::FileList, {}));
    kit::writeFile(from, kit::dataImage(ListId::FileList, {"032A0001", "03250001", "032A0002"}));
    for (const std::string plane : {"zz", "2", "250", "", " 2", "2\xC3\xA9", "0x"}) {
        const Outcome run = veq({"copy", into, "--from", from, "--plane", plane});
        EXPECT_EQ(run.status, 2) << plane;
        EXPECT_TRUE(mentions(run.err, veq::sentences::notAPlaneId(plane))) << run.err;
    }
    EXPECT_EQ(kit::readFile(into), kit::dataImage(ListId::FileList, {}));
    EXPECT_EQ(veq({"copy", into, "--from", from, "--plane", "2a"}).out, "032A0001\n032A0002\n");
    EXPECT_EQ(veq({"copy", into, "--from", from, "--plane", "25"}).out, "03250001\n");
}

// Every text of the user's that a message quotes is quoted one way: control
// bytes as \xHH, a long one cut short with its length.
TEST(Veq, QuotesTheUsersTextsTheOneWayEveryMessageDoes)
{
    kit::TempFolder folder;
    const std::string file = path(folder, "filelist.dat");
    kit::writeFile(file, kit::dataImage(ListId::FileList, {}));
    const std::string control = "ab\x1B[31mc\x01", longText(300, '7');
    const struct {
        Args args;
        std::string quoted;
    } runs[] = {
        {{control}, control},
        {{"add", file, control + "de"}, control + "de"},
        {{"add", file, "\x01\x02\x03\x04\x05\x06\x07\x08"}, "\x01\x02\x03\x04\x05\x06\x07\x08"},
        {{"add", file, longText}, longText},
        {{"dump", "--kind", control, file}, control},
        {{"dump", "--" + control, file}, "--" + control},
        {{"copy", file, "--from", file, "--plane", control}, control},
    };
    for (const auto& [args, quoted] : runs) {
        const Outcome run = veq(args);
        SCOPED_TRACE(run.err);
        EXPECT_NE(run.status, 0);
        EXPECT_TRUE(mentions(run.err, veq::sentences::quoteText(quoted)));
        EXPECT_TRUE(std::none_of(run.err.begin(), run.err.end(),
                                 [](char c) { return c != '\n' && static_cast<unsigned char>(c) < 0x20; }));
        EXPECT_FALSE(mentions(run.err, std::string(41, '7')));
    }
}

// While another program holds the folder's turn, a change waits, says so once,
// and gives up after --wait seconds, changing nothing.
TEST(Veq, EveryChangeWaitsForItsTurnAtABusyFolderAsLongAsWaitSaysAndSaysSoOnce)
{
    kit::TempFolder folder;
    const std::string parts = path(folder, "filelist.dat"), planes = path(folder, "planesq.dat");
    kit::writeFile(parts, kit::dataImage(ListId::FileList, {"03010714"}));
    kit::writeFile(planes, kit::dataImage(ListId::PlaneSq, {"2500000094"}));
    kit::writeFile(folder / "other_filelist.dat", kit::dataImage(ListId::FileList, {"03250001"}));
    kit::writeFile(folder / "03AB0001.bmp", {1});
    kit::writeFile(folder / "list.txt", {'0', '3', '0', '1', '0', '7', '1', '5', '\n'});
    kit::SquadronBuilder squadrons;
    squadrons.record(0x94, 1, {0x26});
    kit::writeFile(folder / "squadron.dat", squadrons.image());
    const Bytes partsBefore = kit::readFile(parts), planesBefore = kit::readFile(planes);

    std::atomic<bool> holding = false;
    std::jthread other([&] {
        const auto held = veq::FolderTurn::take(folder / "except.dat");
        holding = true;
        std::this_thread::sleep_for(4s);
    });
    while (!holding)
        std::this_thread::yield();
    const std::string busy = veq::sentences::folderBusy(veq::turnFolder(parts), 0s);
    const std::string waiting = veq::sentences::waitingForFolder(veq::turnFolder(parts));
    // Each gives up at once: taking the default ten seconds, it would find the folder free.
    for (const Args& change :
         {Args{"add", "--wait", "0", parts, "03010715"},
          Args{"copy", parts, "--from", path(folder, "other_filelist.dat"), "--plane", "25", "--wait", "0"},
          Args{"extra", "--filelist", parts, folder.path().string(), "--add", "--wait", "0"},
          Args{"autogen", path(folder, "squadron.dat"), "--into", planes, "--wait", "0"},
          Args{"build", "--wait", "0", path(folder, "list.txt"), parts}}) {
        const Outcome run = veq(change);
        EXPECT_EQ(std::make_pair(run.status, run.out), std::make_pair(1, std::string())) << change[0];
        EXPECT_TRUE(mentions(run.err, busy)) << run.err;
    }
    EXPECT_EQ(kit::readFile(parts), partsBefore);
    EXPECT_EQ(kit::readFile(planes), planesBefore);
    const Outcome waited = veq({"add", parts, "03010716"});
    EXPECT_EQ(std::make_pair(waited.status, waited.out), std::make_pair(0, std::string("03010716\n")));
    EXPECT_EQ(timesIn(waited.err, waiting), 1u) << waited.err;
}

// The help's examples are in the form this system's shell takes them.
TEST(Veq, HelpGivesItsExamplesAsThisSystemsShellTakesThem)
{
    const std::string help = veq({"--help"}).out;
    const std::string examples = help.substr(help.find("Examples:"));
#ifdef _WIN32
    EXPECT_FALSE(mentions(examples, "$ ") || mentions(examples, "sed ") || mentions(examples, "printf"));
    EXPECT_TRUE(mentions(examples, "findstr") && mentions(examples, "%f")) << examples;
#else
    std::istringstream lines(examples);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(!line.starts_with("  ") || line.starts_with("  $ ")) << line;
#endif
}

#ifndef _WIN32
// A shell script run with $VEQ naming the program; its exit status.
int shell(const std::string& script)
{
    // A sanitizer's report must not pass for a refusal (status 1).
    const int status =
        std::system(("export ASAN_OPTIONS=exitcode=99 UBSAN_OPTIONS=exitcode=99 VEQ='" VEQ_CLI "'; " + script).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VeqProcess, TwoRunsAddingToOneFileAtOnceLoseNothing)
{
    kit::TempFolder folder;
    const std::string file = path(folder, "filelist.dat");
    kit::writeFile(file, kit::dataImage(ListId::FileList, {}));
    std::string expected;
    for (unsigned k = 0; k < 25; ++k) {
        const std::string first = "0301" + kit::hex2(k) + "00", second = "0301" + kit::hex2(k) + "01";
        const std::string add = "\"$VEQ\" add '" + file + "' ";
        EXPECT_EQ(shell(add + first + " >/dev/null & " + add + second + " >/dev/null; b=$?; wait $!; exit $(($? | b))"),
                  0);
        expected += first + '\n' + second + '\n';
    }
    EXPECT_EQ(veq({"dump", file}).out, expected);
}

TEST(VeqProcess, MainEndsWithTheCommandsStatusOrARefusalWhenStandardOutputFails)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, {"03010714"}));
    const std::string file = "'" + path(folder, "filelist.dat") + "'",
                      gone = "'" + path(folder, "gone_filelist.dat") + "'";
    const std::pair<std::string, int> runs[] = {
        {"", 2},
        {"dump " + file + " >/dev/null", 0},
        {"check " + gone + " >/dev/null", 1},
        {"dump " + file + " >/dev/full", 1},
        {"add " + file + " 0301BB01 >/dev/full", 3},
        {"add " + file + " 0301BB01 >/dev/full", 0}, // nothing new: nothing to print
    };
    for (const auto& [arguments, status] : runs)
        EXPECT_EQ(shell("\"$VEQ\" " + arguments + " 2>/dev/null"), status) << arguments;
}
#endif

} // namespace
