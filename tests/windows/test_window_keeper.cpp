#include "tests/windows/main_window_fixture.h"
#include "ui/window_place.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>

namespace {

QPoint centreOf(const QWidget* window) { return window->frameGeometry().center(); }

TEST_F(MainWindow, TheKeyboardComesBackToTheControlThatHidTheWindowAndWindowsOpenOverTheOneTheyServe)
{
    window->AddListItems({"03010714"}, veq::ListId::FileList);
    window->AddListItems({"03010714 ======> 03010715"}, veq::ListId::Except);
    kit::writeFile(folder / "filelist.dat", kit::dataImage(veq::ListId::FileList, {"03010716"}));
    dialogs.activateAsker = true; // the Read's file dialog closing makes the window active as it hides
    window->move(60, 40);
    // Each step's button and the tool window it opens, left by Escape.
    const std::pair<const char*, const char*> steps[] = {{"bRdFilelist", nullptr},   {"bAddPlaneSq", "fFileListAdd"},
                                                         {"bCopyFileList", "fCopy"}, {"bAuoGen", "fAutoGen"},
                                                         {"bMissing", "Missing"},    {"bExtra", "fExtra"}};
    answer(folder / "filelist.dat");
    for (const auto& [start, tool] : steps) {
        auto* button = kit::find(window.get(), start);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        if (tool)
            QTest::keyClick(kit::topLevel(tool), Qt::Key_Escape);
        kit::settle();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get())) << start;
        EXPECT_EQ(QApplication::focusWidget(), button) << start;
        EXPECT_EQ(window->pos(), QPoint(60, 40)) << start;
    }

    // Tools open over the main window or where the user left them, messages over the window they speak for.
    kit::click(window.get(), "bWrPlaneSq"); // a message: nothing to write
    QWidget* message = kit::topLevel("FormMessage");
    EXPECT_EQ(centreOf(message), centreOf(window.get()));
    QTest::keyClick(message, Qt::Key_Escape);

    kit::click(window.get(), "bAddFileList");
    QWidget* add = kit::topLevel("fFileListAdd");
    EXPECT_EQ(centreOf(add), centreOf(window.get()));
    add->move(add->pos() + QPoint(-30, 20));                                       // as the user drags it
    kit::find<QLineEdit>(add, "tAddFilelistText")->setText(QStringLiteral("123")); // of the wrong length
    kit::click(add, "bAddFileListEntry");
    EXPECT_EQ(centreOf(message), centreOf(add));
    QTest::keyClick(kit::find(message, "bOK"), Qt::Key_Escape);
    EXPECT_TRUE(!message->isVisible() && add->isVisible());
    const QPoint left = add->pos();
    kit::click(add, "bFileListEntryCancel");
    kit::click(window.get(), "bAddExcept");
    EXPECT_EQ(add->pos(), left);
    kit::click(add, "bFileListEntryCancel");

    // Once the main window moved, over it again, wholly on the screen however far off it stands.
    for (const QPoint& to : {QPoint(-300, -200), QPoint(200, 150)}) {
        window->move(to);
        kit::click(window.get(), "bAddExcept");
        EXPECT_TRUE(availableAround(add->frameGeometry()).contains(add->frameGeometry()));
        EXPECT_TRUE(window->frameGeometry().contains(centreOf(add)));
        QTest::keyClick(add, Qt::Key_Escape);
    }
}

TEST_F(MainWindow, TheManualAndTheGuideNameEveryCommandOfAListsMenuAndItsKey)
{
    auto* list = kit::find<QListView>(window.get(), "lFileList");
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, {5, 5}, list->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list->viewport(), &menuEvent);
    const auto* menu = window->findChild<QMenu*>(QStringLiteral("listMenu"));
    ASSERT_TRUE(menu && menu->isVisible());
    for (const char* path : {VEQ_MANUAL_PAGE, VEQ_GUIDE}) {
        QFile file(QString::fromUtf8(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        // As a user reads them: the manual page without its font changes.
        const QString text =
            QString::fromUtf8(file.readAll()).remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP]|\\(?=-))")));
        for (const QAction* action : menu->actions()) {
            // Nothing is done yet, so Undo and Redo are named alone; the key is the platform's first.
            QString key = action->shortcut().toString(QKeySequence::PortableText);
            key.replace(QStringLiteral("Del"), QStringLiteral("Delete"));
            EXPECT_TRUE(action->isSeparator() || (text.contains(action->text()) && text.contains(key)))
                << path << " does not give " << action->text().toStdString() << ", " << key.toStdString();
        }
    }
}

} // namespace
