// veq's commands run in-process through its one entry point, with streams of
// the test's own; only what needs a real process (two runs at once, a full
// standard output, main's exit status) starts one.
#include "core/data_file.h"
#include "core/entry_parser.h"
#include "core/file_io.h"
#include "core/platform.h"
#include "core/sentences.h"
#include "tests/kit/cli.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using veq::Bytes;
using veq::Entries;
using veq::ListId;
using Args = std::vector<std::string>;
using kit::Outcome;
using namespace std::chrono_literals;

namespace {

using kit::mentions;
using kit::veq;

namespace fs = std::filesystem;

std::string path(const kit::TempFolder& folder, const std::string& name) { return (folder / name).string(); }

// Every refusal and usage error leaves the files byte for byte; an addition
// of nothing new does not even save the file again.
TEST(Veq, PrintsItsResultsAndRefusalsAndUsageErrorsChangeNothing)
{
    kit::TempFolder folder;
    const std::string here = folder.path().string(), file = path(folder, "filelist.dat"),
                      bad = path(folder, "bad_except.dat"), except = path(folder, "except.dat"),
                      pairs = path(folder, "x_filelist.dat"); // an except.dat under a file list's name
    const Bytes start = kit::dataImage(ListId::FileList, {"03010714", "03000001", "03010714"});
    kit::writeFile(file, start);
    kit::writeFile(except, kit::dataImage(ListId::Except, {"03000002 ======> 03010815"}));
    kit::writeFile(bad, {'h', 'e', 'a', 'd', 'e', 'r', '1', ' ', '0'}); // too short for any file, a bad header line
    kit::writeFile(pairs, kit::dataImage(ListId::Except, kit::randomEntries(ListId::Except, 24, 1)));
    kit::writeFile(folder / "03010714.BMP", {1});
    kit::writeFile(folder / "squadron.dat", {}); // no squadrons
    kit::writeFile(folder / "other_filelist.dat", kit::dataImage(ListId::FileList, {"032A0001", "03250001"}));
    const auto stamps = [&] {
        std::error_code ec;
        return std::make_pair(veq::platform::stateOf(file, ec), veq::platform::stateOf(pairs, ec));
    };
    const auto stamped = stamps();
    // The user's texts in a message are quoted, their control bytes escaped.
    const std::string control = "ab\x1B[31mc\x01";
    const auto expect = [&](int status, const Args& args, const std::string& out, const std::string& input = {}) {
        const Outcome run = veq(args, input);
        EXPECT_EQ(std::make_pair(run.status, run.out), std::make_pair(status, out)) << testing::PrintToString(args);
        EXPECT_EQ(stamps(), stamped) << testing::PrintToString(args);
        EXPECT_EQ(run.err.empty(), status == 0) << run.err;
        EXPECT_TRUE(std::none_of(run.err.begin(), run.err.end(), [](char c) {
            return c != '\n' && static_cast<unsigned char>(c) < 0x20;
        })) << run.err;
        return run;
    };
    expect(0, {"dump", file}, "03000001\n03010714\n");
    expect(0, {"dump", "--raw", file}, "03010714\n03000001\n03010714\n");
    expect(
        0, {"missing", "--filelist", file, "--except", except, here},
        "Missing FileList\n  03000001.bmp\nMissing Except\n  03010815.bmp\nMissing\n  03000001.bmp\n  03010815.bmp\n");
    expect(0, {"extra", "--filelist", file, here}, "Extra\n");
    expect(0, {"add", file, "03010714"}, "");
    expect(1, {"check", bad, file}, file + ": ok, 2 entries\n");
    // A file with bytes after its counted records: check and a change give the reader's account of them.
    veq::ConversionBuffer buf{};
    const std::string after = veq::loadDataFile(pairs, ListId::FileList, buf)->afterRecords();
    for (const Args& args : {Args{"check", pairs}, Args{"add", pairs, "03010714"}})
        EXPECT_TRUE(!after.empty() && mentions(expect(1, args, "").err, after)) << args[0];
    // "-": standard input for dump's and check's FILE and build's TEXT, standard output for build's OUT.
    const std::string image(start.begin(), start.end()), text = "03010714\n03000001\n";
    const std::string out = path(folder, "out_filelist.dat");
    expect(0, {"dump", "--kind", "filelist", "-"}, "03000001\n03010714\n", image);
    expect(0, {"check", "--kind", "filelist", "-"}, "-: ok, 2 entries\n", image);
    expect(0, {"build", "-", out}, "", text);
    EXPECT_EQ(expect(0, {"build", "--kind", "filelist", "-", "-"}, "", text).written, kit::readFile(out));
    expect(0, {"add", except, "03000002-03010815", "03000003-03010815"}, "03000003 ======> 03010815\n");
    // Text that is no entry is refused where it enters with the parser's reason, the good entries beside it too.
    const std::string wrong = "0301071\xC3\xA9", lines = "03010715\n\n" + wrong + "\n";
    EXPECT_TRUE(mentions(expect(1, {"add", file, "03010715", wrong}, "").err,
                         veq::parseEntry(ListId::FileList, wrong, veq::EntryForm::Typed).reason()));
    for (const Args& build : {Args{"build", "-", file}, Args{"build", "--kind", "filelist", "-", "-"}}) {
        const Outcome run = expect(1, build, "", lines);
        EXPECT_TRUE(mentions(run.err, "line 3") && run.written.empty()) << run.err;
    }
    for (const Args& refused :
         {Args{"copy", file, "--from", bad, "--plane", "01"}, Args{"autogen", bad, "--into", file},
          Args{"build", bad, file}, Args{"add", file, "03010715", control}, Args{"add", bad, "03010715"},
          // A file whose name says another kind than the command uses.
          Args{"autogen", path(folder, "squadron.dat"), "--into", file},
          Args{"extra", "--filelist", except, here, "--add"}, Args{"copy", file, "--from", except, "--plane", "00"},
          Args{"missing", "--filelist", except, "--except", file, here}})
        expect(1, refused, "");
    // A plane id is one digit pair: anything else is a usage error, not a copy
    // that finds nothing. Either case names the aircraft, as entries hold capitals.
    const std::string others = path(folder, "other_filelist.dat");
    for (const std::string plane : {"zz", "2", "250"})
        EXPECT_TRUE(mentions(expect(2, {"copy", file, "--from", others, "--plane", plane}, "").err,
                             veq::sentences::notAPlaneId(plane)));
    for (const Args& misused : {Args{}, Args{"frobnicate", file}, Args{control}, Args{"dump", here},
                                Args{"copy", file, "--from", bad}, Args{"dump", "-"}, Args{"build", file, "-"},
                                Args{"dump", "--kind", control, file}, Args{"dump", "--" + control, file},
                                Args{"add", "--wait", "-1", file, "03010715"}, Args{"add", "--wait", "1.5", file, "0"},
                                Args{"add", "--wait", "86401", file, "03010715"}, Args{"dump", "--wait", "1", file}})
        expect(2, misused, "");
    EXPECT_EQ(veq({"copy", file, "--from", others, "--plane", "2a"}).out, "032A0001\n");
    EXPECT_EQ(kit::readFile(file), kit::dataImage(ListId::FileList, {"03000001", "03010714", "032A0001"}));
    // What a save says beside its success goes to standard error: here, that the file's other name keeps the old bytes.
    fs::create_hard_link(file, path(folder, "linked_filelist.dat"));
    const Outcome notice = veq({"add", path(folder, "linked_filelist.dat"), "03010715"});
    EXPECT_EQ(std::make_pair(notice.status, notice.out), std::make_pair(0, std::string("03010715\n")));
    EXPECT_TRUE(mentions(notice.err, "hard link")) << notice.err;
}

// While another program holds the folder's turn, a change waits, says so once,
// and gives up after --wait seconds, changing nothing. Every change but build's
// is an addition (addToDataFile); build saves a document.
TEST(Veq, EveryChangeWaitsForItsTurnAtABusyFolderAsLongAsWaitSaysAndSaysSoOnce)
{
    kit::TempFolder folder;
    const std::string parts = path(folder, "filelist.dat");
    kit::writeFile(parts, kit::dataImage(ListId::FileList, {"03010714"}));
    kit::writeFile(folder / "list.txt", {'0', '3', '0', '1', '0', '7', '1', '5', '\n'});
    const Bytes before = kit::readFile(parts);

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
    for (const Args& change : {Args{"add", "--wait", "0", parts, "03010715"},
                               Args{"build", "--wait", "0", path(folder, "list.txt"), parts}}) {
        const Outcome run = veq(change);
        EXPECT_EQ(std::make_pair(run.status, run.out), std::make_pair(1, std::string())) << change[0];
        EXPECT_TRUE(mentions(run.err, busy)) << run.err;
    }
    EXPECT_EQ(kit::readFile(parts), before);
    const Outcome waited = veq({"add", parts, "03010716"});
    EXPECT_EQ(std::make_pair(waited.status, waited.out), std::make_pair(0, std::string("03010716\n")));
    EXPECT_TRUE(mentions(waited.err, waiting) && waited.err.find(waiting) == waited.err.rfind(waiting)) << waited.err;
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
