#include "tests/windows/main_window_fixture.h"
#include "ui/window_place.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <ostream>

using veq::ListId;

namespace {

TEST(WindowPlace, CentresOverAWindowAndKeepsTheFrameWhollyOnTheScreen)
{
    const QRect screen(0, 0, 1280, 1024);
    const QRect secondScreen(1280, -200, 1024, 768);
    const struct {
        QSize size;
        QRect over, screen;
        QPoint expected;
    } cases[] = {
        {{400, 300}, {100, 100, 800, 600}, screen, {300, 250}},  // centred
        {{401, 301}, {100, 100, 800, 600}, screen, {299, 249}},  // odd sizes: the half pixel to the top-left
        {{400, 300}, {1100, 900, 800, 600}, screen, {880, 724}}, // over the bottom-right edge
        {{400, 300}, {-700, -500, 800, 600}, screen, {0, 0}},    // over the top-left edge
        {{1400, 1100}, {100, 100, 800, 600}, screen, {0, 0}},    // larger than the screen
        {{1400, 300}, {100, 100, 800, 600}, screen, {0, 250}},   // wider only
        {{400, 300}, {1300, -300, 300, 200}, secondScreen, {1280, -200}},
        {{400, 300}, {1900, 300, 800, 600}, secondScreen, {1904, 268}},
    };
    for (const auto& [size, over, on, expected] : cases) {
        const QPoint at = centredWithin(size, over, on);
        EXPECT_EQ(at, expected) << over.x() << ',' << over.y();
        EXPECT_EQ(keptWithin(size, at, on), at);
    }
    EXPECT_EQ(keptWithin({400, 300}, {-50, 900}, screen), QPoint(0, 724));
}

QPoint centreOf(const QWidget* window) { return window->frameGeometry().center(); }

// The frame lies on the screen, wholly.
void expectOnScreen(const QWidget* window)
{
    EXPECT_TRUE(availableAround(window->frameGeometry()).contains(window->frameGeometry()))
        << window->objectName().toStdString();
}

void waitActive(QWidget* window)
{
    EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
}

// A step that hides the main window, started by a button with the keyboard on it.
struct Step {
    const char* name;
    const char* button;
    std::function<void()> end; // what ends the step once the button was pressed
};
void PrintTo(const Step& step, std::ostream* os) { *os << step.name; }

void leaveTool(const char* window, const char* button) { kit::click(kit::topLevel(window), button); }

class Steps : public MainWindow, public ::testing::WithParamInterface<Step> {};

TEST_P(Steps, GiveTheKeyboardBackToTheControlThatStartedThemWithTheWindowWhereItWas)
{
    const Step& step = GetParam();
    window->AddListItems({"03010714"}, ListId::FileList);
    window->AddListItems({"03010714 ======> 03010715"}, ListId::Except);
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, {"03010716"}));
    answer(folder / "filelist.dat");
    dialogs.activateAsker = true;
    window->move(60, 40);
    const QPoint place = window->pos();
    auto* button = kit::find(window.get(), step.button);
    button->setFocus();
    waitActive(window.get());

    QTest::keyClick(button, Qt::Key_Space);
    kit::settle();
    step.end();
    kit::settle();
    ASSERT_TRUE(window->isVisible());
    waitActive(window.get());
    const QWidget* focused = QApplication::focusWidget();
    EXPECT_EQ(focused, button) << (focused ? focused->objectName().toStdString() : "nothing");
    EXPECT_EQ(window->pos(), place);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Steps,
    ::testing::Values(Step{"Read", "bRdFilelist", [] {}},
                      Step{"AddCancel", "bAddExcept", [] { leaveTool("fFileListAdd", "bFileListEntryCancel"); }},
                      Step{"AddFinish", "bAddPlaneSq", [] { leaveTool("fFileListAdd", "bFileListEntryFinish"); }},
                      Step{"CopyEscape", "bCopyFileList",
                           [] { QTest::keyClick(kit::topLevel("fCopy"), Qt::Key_Escape); }},
                      Step{"AutoGen", "bAuoGen", [] { leaveTool("fAutoGen", "Command3"); }},
                      Step{"Missing", "bMissing", [] { leaveTool("Missing", "breportCancel"); }},
                      Step{"Extra", "bExtra", [] { leaveTool("fExtra", "bCancel"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, ToolWindowsOpenOverTheMainWindowOrWhereTheUserLeftThem)
{
    window->move(40, 30);
    kit::click(window.get(), "bAddFileList");
    QWidget* add = kit::topLevel("fFileListAdd");
    EXPECT_EQ(centreOf(add), centreOf(window.get()));
    expectOnScreen(add);
    // Moved by the user, it opens there again while the main window stays put.
    add->move(add->pos() + QPoint(-30, 20));
    const QPoint left = add->pos();
    kit::click(add, "bFileListEntryCancel");
    kit::click(window.get(), "bAddExcept");
    EXPECT_EQ(add->pos(), left);
    kit::click(add, "bFileListEntryCancel");

    // Once the main window moved, over it again, and on the screen however
    // far off it the main window stands.
    const QRect screen = availableAround(window->frameGeometry());
    for (const QPoint& to : {QPoint(10, 5), screen.bottomRight() - QPoint(100, 80), QPoint(-300, -200)}) {
        window->move(to);
        kit::click(window.get(), "bCopyExcept");
        QWidget* copy = kit::topLevel("fCopy");
        if (screen.contains(window->frameGeometry())) {
            EXPECT_EQ(centreOf(copy), centreOf(window.get()));
        }
        expectOnScreen(copy);
        QTest::keyClick(copy, Qt::Key_Escape);
    }
}

TEST_F(MainWindow, AMessageOpensOverTheWindowItSpeaksForAndEscapeClosesIt)
{
    window->move(30, 20);
    // From the main window: Write with nothing to write.
    kit::click(window.get(), "bWrExcept");
    QWidget* message = kit::topLevel("FormMessage");
    ASSERT_TRUE(message->isVisible());
    EXPECT_EQ(centreOf(message), centreOf(window.get()));
    QTest::keyClick(message, Qt::Key_Escape);
    EXPECT_FALSE(message->isVisible());

    // From a tool window moved aside: an entry of the wrong length.
    kit::click(window.get(), "bAddFileList");
    QWidget* add = kit::topLevel("fFileListAdd");
    add->move(add->pos() + QPoint(90, 60));
    waitActive(add);
    kit::find<QLineEdit>(add, "tAddFilelistText")->setText(QStringLiteral("123"));
    kit::click(add, "bAddFileListEntry");
    ASSERT_TRUE(message->isVisible());
    EXPECT_EQ(centreOf(message), centreOf(add));
    expectOnScreen(message);
    QTest::keyClick(kit::find(message, "bOK"), Qt::Key_Escape);
    EXPECT_FALSE(message->isVisible());
    EXPECT_TRUE(add->isVisible());
}

TEST(FileDialogs, GiveTheKeyboardBackToTheWindowThatAsked)
{
    QWidget asker;
    new QPushButton(QStringLiteral("First"), &asker);
    auto* second = new QPushButton(QStringLiteral("Second"), &asker);
    second->move(0, 40);
    QWidget other;
    for (QWidget* window : {&other, &asker}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    second->setFocus();
    // While the dialog is open another window of the program becomes active,
    // as the window system may leave it once the dialog closes.
    QTimer::singleShot(0, [&other] {
        other.activateWindow();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(top); dialog && dialog->isVisible())
                dialog->reject();
    });
    EXPECT_EQ(QtFileDialogs().openFileName(second, {}), QString());
    waitActive(&asker);
    EXPECT_EQ(QApplication::focusWidget(), second);
}

} // namespace
