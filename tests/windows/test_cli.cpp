#include "core/copy_reader.h"
#include "tests/windows/main_window_fixture.h"

#include <QMimeData>
#include <QProcess>

#include <array>

using veq::Entries;
using veq::ListId;
using Args = std::vector<std::string>;

namespace {

// Its standard output goes to `output` when one is named.
std::pair<int, std::string> veq(const Args& args, const QString& output = {})
{
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    QProcess process;
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    process.start(QStringLiteral(VEQ_CLI), list);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString()};
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
        const std::string file = here + "/" + veq::dataFileName(id), out = here + "/out_" + veq::dataFileName(id);
        read(id, kit::randomEntries(id, 200, 7, false));
        drive(dialogs, steps);
        drive(dialogs, {"@" + out, controls(id).write});
        std::replace(args.begin(), args.end(), std::string("F"), file);
        EXPECT_EQ(veq(args).first, 0);
        const std::string text = veq({"dump", "--headers", out}).second;
        kit::writeFile(here + "/text", veq::Bytes(text.begin(), text.end()));
        EXPECT_EQ(veq({"build", here + "/text", out}).first, 0);
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
    const auto expect = [&](int status, const Args& args, const std::string& out) {
        EXPECT_EQ(veq(args), std::make_pair(status, out)) << testing::PrintToString(args);
        EXPECT_EQ(kit::readFile(file), start) << testing::PrintToString(args);
    };
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
         {Args{}, Args{"frobnicate", file}, Args{"dump", here}, Args{"copy", file, "--from", bad}})
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
    EXPECT_EQ(veq({"dump", file.toStdString()}).second, expected);
    // Saved, but the entry added could not be printed: neither done nor refused.
    EXPECT_EQ(veq({"add", file.toStdString(), "0301BB01"}, QStringLiteral("/dev/full")).first, 3);
    EXPECT_EQ(veq({"add", file.toStdString(), "0301BB01"}), std::make_pair(0, std::string()));
}

TEST_F(MainWindow, OpensTheFilesItIsGivenAndFilesDroppedOnAList)
{
    const QString notes = QString::fromStdString((folder / "notes.txt").string());
    kit::writeFile(folder / "notes.txt", kit::dataImage(ListId::Except, {"03011804 ======> 03010814"}));
    kit::writeFile(folder / "Mod_PlaneSq.DAT", kit::dataImage(ListId::PlaneSq, {"2500000094"}));
    window->openFiles({notes, QString::fromStdString((folder / "Mod_PlaneSq.DAT").string())});
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("notes.txt")) && shown(ListId::Except).empty());
    EXPECT_EQ(shown(ListId::PlaneSq), Entries{"2500000094"});
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(notes)});
    QWidget* list = kit::find<QListView>(window.get(), "lExcept")->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    QApplication::sendEvent(list, &drop);
    kit::settle();
    EXPECT_TRUE(enter.isAccepted() && list->acceptDrops());
    EXPECT_EQ(shown(ListId::Except), Entries{"03011804 ======> 03010814"});
}

} // namespace
