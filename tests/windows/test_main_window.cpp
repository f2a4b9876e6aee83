#include "core/platform.h"
#include "tests/windows/main_window_fixture.h"
#include "ui/data_directory.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <future>
#include <thread>
#include <utility>

using veq::Entries;
using veq::ListId;

namespace {

class EachFile : public MainWindow, public ::testing::WithParamInterface<ListId> {};

TEST_P(EachFile, RefusalsSaySoAndChangeNothing)
{
    const ListId id = GetParam();
    const Controls& c = controls(id);
    // The window's own refusals and one of the core's, shown whole. An empty
    // list: only the plane-squadron writer asks for the file first.
    kit::click(window.get(), c.write);
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("Please load %1 before doing this")
                                       .arg(QString::fromLatin1(std::string(veq::dataKind(id).fileName))));
    EXPECT_EQ(dialogs.asked.size(), id == ListId::PlaneSq ? 1u : 0u);

    read(id, kit::randomEntries(id, 5, 3));
    const Entries before = shown(id);
    const kit::fs::path damaged = folder / (std::string(60, 'x') + ".damaged.dat"); // wider than the window
    kit::writeFile(damaged, veq::Bytes(50, 1));
    const struct {
        const char* button;
        kit::fs::path answer;
        QString says;
    } refusals[] = {{c.read, {}, QStringLiteral("File not Selected")},
                    {c.write, {}, QStringLiteral("File not saved: No Output file selected")},
                    {c.read, damaged, QStringLiteral("damaged.dat")}};
    for (const auto& [button, path, says] : refusals) {
        answer(path);
        kit::click(window.get(), button);
        EXPECT_TRUE(kit::shownMessage().contains(says)) << kit::shownMessage().toStdString();
        const auto* label = kit::find<QLabel>(kit::topLevel("FormMessage"), "lMessage"); // wrapped, not cut off
        EXPECT_TRUE(label->minimumSizeHint().width() <= label->width() &&
                    label->heightForWidth(label->width()) <= label->height());
        EXPECT_EQ(label->text().contains(QChar(0x200B)), !path.empty()); // breaks only in a long run of letters
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(shown(id), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EachFile, ::testing::ValuesIn(veq::kAllLists));

// The rule of known files is the core's; the window says what the core says of
// a file read and written: bytes after its records, a hard link broken (on the
// second Write, the one that saves).
TEST_F(MainWindow, AReadAndAWriteSayWhatTheCoreSaysOfTheFile)
{
    const kit::fs::path file = folder / "filelist.dat"; // an except.dat by another name
    kit::writeFile(file, kit::dataImage(ListId::Except, {"03011804 ======> 03010814"}));
    kit::fs::create_hard_link(file, folder / "other.dat");
    answer(file);
    kit::click(window.get(), "bRdFilelist");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("4 bytes lie after"))) << kit::shownMessage().toStdString();
    for (int write = 0; write < 2; ++write) {
        answer(file);
        kit::click(window.get(), "bWrFilelist");
    }
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("hard link"))) << kit::shownMessage().toStdString();
}

TEST_F(MainWindow, AWriteThatWaitsForAnotherProgramSaysWhyAndSavesOnceItsTurnComes)
{
    window->AddListItems({"03010714"}, ListId::FileList);
    // Another program's turn at the folder, held by a thread of its own (a turn is a thread's on Windows).
    std::promise<void> held, done;
    std::thread other([&] {
        veq::platform::FolderLock turn;
        EXPECT_FALSE(turn.lock(folder.path(), std::chrono::seconds(5)));
        held.set_value();
        done.get_future().wait();
    });
    held.get_future().wait();
    QString said;
    bool released = false, fits = false;
    auto release = [&] {
        if (!std::exchange(released, true))
            done.set_value();
    };
    QTimer::singleShot(300, window.get(), [&] {
        if (QWidget* wait = kit::topLevel("fPleaseWait"); wait && wait->isVisible()) {
            said = kit::text(wait, "labWhy");
            const auto* why = kit::find<QLabel>(wait, "labWhy"); // wrapped, the folder's path whole
            fits = why->minimumSizeHint().width() <= why->width();
        }
        release();
    });
    answer(folder / "filelist.dat");
    kit::click(window.get(), "bWrFilelist");
    release(); // a Write that did not wait has not let the other go
    other.join();
    EXPECT_TRUE(said.contains(QStringLiteral("Another program is saving")) && fits) << said.toStdString();
    EXPECT_EQ(kit::readFile(folder / "filelist.dat").size(), 104u);
    EXPECT_FALSE(kit::topLevel("fPleaseWait")->isVisible());
    EXPECT_EQ(kit::shownMessage(), QString());
}

TEST_F(MainWindow, DeleteTakesAThousandSelectedEntriesAtMostAndTheDeleteKeyToo)
{
    window->AddListItems(kit::randomEntries(ListId::FileList, 1500, 4), ListId::FileList);
    expectRemoveLimit(window.get(), "lFileList", "bDelFileList", 1000);
    EXPECT_EQ(kit::text(window.get(), "labCountFileList"), QStringLiteral("500"));
    Entries expected = shown(ListId::FileList);
    auto* list = kit::find<QListView>(window.get(), "lFileList");
    kit::selectRows(list, {0, 2});
    QTest::keyClick(list, Qt::Key_Delete);
    expected.erase(expected.begin() + 2);
    expected.erase(expected.begin());
    EXPECT_EQ(shown(ListId::FileList), expected);
}

TEST_F(MainWindow, ExitClosesEveryWindow)
{
    // Each window made as the program makes it: the tools by their launchers,
    // "Working" by a read, "Message" by a refusal.
    window->AddListItems({"03010714"}, ListId::FileList);
    window->AddListItems({"03010714 ======> 03010715"}, ListId::Except);
    for (const char* launcher : {"bAddFileList", "bCopyFileList", "bAuoGen", "bMissing", "bExtra"}) {
        kit::click(window.get(), launcher);
        window->show();
    }
    read(ListId::FileList, {});
    kit::click(window.get(), "bWrFilelist");
    // Exit ends the application's loop with a status of success.
    QTimer::singleShot(0, window.get(), [this] { kit::click(window.get(), "bExit"); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
}

TEST(DataFolder, IsTheSimulationsFolderInTheWinePrefixWhateverItsCaseOrElseHome)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows uses the simulation's folder as it is";
#endif
    kit::TempFolder prefix;
    qputenv("WINEPREFIX", prefix.path().string().c_str());
    const kit::fs::path folder = prefix / "drive_c/SIERRA/RedBaron3D/Data/Simpatch";
    kit::fs::create_directories(folder.parent_path());
    EXPECT_EQ(simulationDataDirectory(), QDir::homePath());
    // A file of that name is no folder; spelt as the program spells it, it is found by name.
    const kit::fs::path file = folder.parent_path() / "simpatch";
    kit::writeFile(file, {1});
    EXPECT_EQ(simulationDataDirectory(), QDir::homePath());
    kit::fs::remove(file);
    kit::fs::create_directory(folder);
    EXPECT_EQ(simulationDataDirectory(), QDir::cleanPath(QString::fromStdString(folder.string())));
    qunsetenv("WINEPREFIX");
}

// Qt's own dialogs, answered from inside their loop as a user would: the
// suggested name in the initial folder, and the keyboard back to the window
// that asked, though another window of the program is active once they close.
TEST(RealFileDialogs, OfferTheSuggestedNameInTheInitialFolderAndGiveTheKeyboardBack)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "except.dat", {1});
    const QString where = QDir::cleanPath(QString::fromStdString(folder.path().string()));
    QWidget asker, other;
    auto* button = new QPushButton(QStringLiteral("Open"), &asker);
    for (QWidget* window : {&other, &asker}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    button->setFocus();
    QtFileDialogs dialogs;
    for (bool save : {false, true}) {
        QTimer::singleShot(0, [&other] {
            other.activateWindow();
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(top); dialog && dialog->isVisible()) {
                    static_cast<QDialog*>(dialog)->accept();
                    if (dialog->isVisible()) // nothing to accept: the test fails, it does not wait
                        dialog->reject();
                }
        });
        // An existing file to open, a new one to save (no question of overwriting it).
        const QString name = save ? QStringLiteral("filelist.dat") : QStringLiteral("except.dat");
        const FileRequest request{name, where};
        EXPECT_EQ(save ? dialogs.saveFileName(button, request) : dialogs.openFileName(button, request),
                  where + u'/' + name);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&asker));
        EXPECT_EQ(QApplication::focusWidget(), button);
    }
}

} // namespace
