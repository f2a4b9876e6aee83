#include "core/copy_reader.h"
#include "tests/windows/main_window_fixture.h"

#include <QProcess>

#include <array>

using veq::Entries;
using veq::ListId;
using Args = std::vector<std::string>;

namespace {

// Text as the tests write it: on Windows veq ends its lines with CR LF, as text there does.
std::string lines(std::string text)
{
#ifdef _WIN32
    std::erase(text, '\r');
#endif
    return text;
}

struct Outcome {
    int status;
    std::string out, err;
};
// Standard input gets `input`; standard output goes to `output` when one is named.
Outcome veq(const Args& args, const std::string& input = {}, const QString& output = {})
{
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    QProcess process;
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    process.start(QStringLiteral(VEQ_CLI), list);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            lines(process.readAllStandardOutput().toStdString()), process.readAllStandardError().toStdString()};
}
// "@path" answers a file dialog, "name=text" fills a box, "name" clicks: in the window shown.
void drive(kit::ScriptedFileDialogs& dialogs, const Args& steps)
{
    for (const std::string& step : steps) {
        const std::size_t equals = step.find('=');
        QWidget* control = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* found = window->findChild<QWidget*>(QString::fromStdString(step.substr(0, equals))))
                control = window->isVisible() ? found : control;
        if (step[0] == '@')
            dialogs.answer(QString::fromStdString(step.substr(1)));
        else if (equals == std::string::npos)
            kit::click(control->window(), step.c_str());
        else
            control->metaObject()->userProperty().write(control, QString::fromStdString(step.substr(equals + 1)));
    }
}

TEST_F(MainWindow, CommandsWriteTheBytesTheirWindowWritesAndDumpThenBuildGivesThemBack)
{
    const std::string here = folder.path().string(), squadron = here + "/squadron.dat";
    // The window's steps and veq's arguments ("F": the file) make the same bytes, which survive dump and build.
    const auto expectSame = [&](ListId id, const Args& steps, Args args) {
        SCOPED_TRACE(steps[0]);
        // A new output each time: veq's build has changed the last one since the window wrote it.
        const std::string file = here + "/" + std::string(veq::dataKind(id).fileName);
        const std::string out = here + "/out" + steps[0] + std::string(veq::dataKind(id).fileName);
        read(id, kit::randomEntries(id, 200, 7, false));
        drive(dialogs, steps);
        drive(dialogs, {"@" + out, controls(id).write});
        std::replace(args.begin(), args.end(), std::string("F"), file);
        EXPECT_EQ(veq(args).status, 0);
        const std::string text = veq({"dump", "--headers", out}).out;
        kit::writeFile(here + "/text", veq::Bytes(text.begin(), text.end()));
        EXPECT_EQ(veq({"build", here + "/text", out}).status, 0);
        EXPECT_EQ(kit::readFile(file), kit::readFile(out));
    };
    for (ListId id : veq::kAllLists) {
        const Entries others = kit::randomEntries(id, 60, 8);
        const std::string other = here + "/other.dat", plane(veq::planeIdOf(id, others[0]));
        const std::string typed = std::array{"0301071a", "03011804-0301081a", "2a0000009b"}[veq::slotOf(id)];
        kit::writeFile(other, kit::dataImage(id, others));
        expectSame(id, {controls(id).add, "tAddFilelistText=" + typed, "bAddFileListEntry", "bFileListEntryFinish"},
                   {"add", "F", typed});
        expectSame(id, {controls(id).copy, "tCopyPlaneId=" + plane, "@" + other, "bCopyAdd", "bCopyFinish"},
                   {"copy", "F", "--from", other, "--plane", plane});
    }
    kit::writeFile(folder / "030a0b0c.BMP", {1});
    kit::SquadronBuilder squadrons;
    squadrons.record(0x94, 1, {0x25, 0x01, 0x25});
    kit::writeFile(squadron, squadrons.image());
    expectSame(ListId::FileList, {"bExtra", "DirExtra=" + here, "bCheck", "Command1"},
               {"extra", "--filelist", "F", here, "--add"});
    expectSame(ListId::PlaneSq, {"bAuoGen", "@" + squadron, "bOpenSq", "bFinish"},
               {"autogen", squadron, "--into", "F"});
}

TEST(Cli, PrintsItsResultsAndRefusalsAndUsageErrorsChangeNothing)
{
    kit::TempFolder folder;
    const std::string here = folder.path().string(), file = here + "/filelist.dat", bad = here + "/bad_except.dat";
    const veq::Bytes start = kit::dataImage(ListId::FileList, {"03010714", "03000001", "03010714"});
    kit::writeFile(file, start);
    kit::writeFile(here + "/except.dat", kit::dataImage(ListId::Except, {"03000002 ======> 03010815"}));
    kit::writeFile(bad, {'h', 'e', 'a', 'd', 'e', 'r', '1', ' ', '0'}); // too short for any file, a bad header line
    kit::writeFile(here + "/03010714.BMP", {1});
    kit::writeFile(here + "/squadron.dat", {}); // no squadrons
    const auto expect = [&](int status, const Args& args, const std::string& out, const std::string& input = {}) {
        const Outcome run = veq(args, input);
        EXPECT_EQ(std::make_pair(run.status, run.out), std::make_pair(status, lines(out))) << testing::PrintToString(args);
        EXPECT_EQ(kit::readFile(file), start) << testing::PrintToString(args);
        return run.err;
    };
    expect(0, {"dump", file}, "03000001\n03010714\n");
    expect(0, {"dump", "--raw", file}, "03010714\n03000001\n03010714\n");
    expect(
        0, {"missing", "--filelist", file, "--except", here + "/except.dat", here},
        "Missing FileList\n  03000001.bmp\nMissing Except\n  03010815.bmp\nMissing\n  03000001.bmp\n  03010815.bmp\n");
    expect(0, {"extra", "--filelist", file, here}, "Extra\n");
    expect(0, {"add", file, "03010714"}, "");
    expect(0, {"add", here + "/except.dat", "03000002-03010815", "03000003-03010815"}, "03000003 ======> 03010815\n");
    expect(1, {"check", bad, file}, file + ": ok, 2 entries\n");
    // "-": standard input for dump's and check's FILE and build's TEXT, standard output for build's OUT.
    const std::string image(start.begin(), start.end()), text = "03010714\n03000001\n", out = here + "/out_filelist.dat";
    expect(0, {"dump", "--kind", "filelist", "-"}, "03000001\n03010714\n", image);
    expect(0, {"check", "--kind", "filelist", "-"}, "-: ok, 2 entries\n", image);
    expect(0, {"build", "-", out}, "", text);
    const veq::Bytes built = kit::readFile(out);
    expect(0, {"build", "--kind", "filelist", "-", "-"}, std::string(built.begin(), built.end()), text);
    // A save that gives one name of a file a new file says so; the other name keeps the old bytes.
    const std::string linked = here + "/linked_filelist.dat";
    std::filesystem::create_hard_link(file, linked);
    const std::string notice = expect(0, {"add", linked, "03010715"}, "03010715\n");
    EXPECT_TRUE(notice.find("linked_filelist.dat") != std::string::npos && notice.find("hard link") != std::string::npos)
        << notice;
    for (const Args& refused : {Args{"add", file, "03010715", "030107141"}, Args{"add", file, "03010715", "GGGGGGGG"},
                                Args{"copy", file, "--from", bad, "--plane", "01"},
                                Args{"autogen", bad, "--into", file}, Args{"build", bad, file},
                                // A file whose name says another kind than the command uses.
                                Args{"autogen", here + "/squadron.dat", "--into", file},
                                Args{"extra", "--filelist", here + "/except.dat", here, "--add"},
                                Args{"copy", file, "--from", here + "/except.dat", "--plane", "00"},
                                Args{"missing", "--filelist", here + "/except.dat", "--except", file, here}})
        expect(1, refused, "");
    for (const Args& misused :
         {Args{}, Args{"frobnicate", file}, Args{"dump", here}, Args{"copy", file, "--from", bad}, Args{"dump", "-"},
          Args{"build", file, "-"}})
        expect(2, misused, "");
}

TEST(Cli, RunsAddingToOneFileAtOnceLoseNothingAndASavedChangeIsNoRefusal)
{
    kit::TempFolder folder;
    const QString file = QString::fromStdString((folder / "filelist.dat").string());
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, {}));
    std::string expected;
    for (unsigned k = 0; k < 25; ++k) {
        std::array<QProcess, 2> runs;
        for (unsigned run = 0; run < runs.size(); ++run) {
            const std::string entry = "0301" + kit::hex2(k) + kit::hex2(run);
            runs[run].start(QStringLiteral(VEQ_CLI), {QStringLiteral("add"), file, QString::fromStdString(entry)});
            expected += entry + '\n';
        }
        for (QProcess& run : runs)
            EXPECT_TRUE(run.waitForFinished(60000) && run.exitCode() == 0);
    }
    EXPECT_EQ(veq({"dump", file.toStdString()}).out, expected);
    // Saved, but the entry added could not be printed: neither done nor refused.
    EXPECT_EQ(veq({"add", file.toStdString(), "0301BB01"}, {}, QStringLiteral("/dev/full")).status, 3);
    EXPECT_EQ(veq({"add", file.toStdString(), "0301BB01"}).out, "");
}

TEST_F(MainWindow, OpensTheFilesItIsGivenByTheirNames)
{
    const QString notes = QString::fromStdString((folder / "notes.txt").string());
    kit::writeFile(folder / "notes.txt", kit::dataImage(ListId::Except, {"03011804 ======> 03010814"}));
    kit::writeFile(folder / "Mod_PlaneSq.DAT", kit::dataImage(ListId::PlaneSq, {"2500000094"}));
    window->openFiles({notes, QString::fromStdString((folder / "Mod_PlaneSq.DAT").string())});
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("notes.txt")) && shown(ListId::Except).empty());
    EXPECT_EQ(shown(ListId::PlaneSq), Entries{"2500000094"});
}

} // namespace
