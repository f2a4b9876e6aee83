#include "tests/windows/main_window_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

// The window has `role` and its title for a name; no control is a bare client ("filler") or an unnamed
// frame; every button, list, text box and shown blank (count) label has a name which, with its description,
// matches `says`, or without it names the list its design name holds ("bRdFilelist").
void expectNamed(const char* windowName, QAccessible::Role role, const char* says)
{
    QWidget* window = kit::topLevel(windowName);
    const QAccessibleInterface* shownWindow = QAccessible::queryAccessibleInterface(window);
    EXPECT_TRUE(shownWindow->role() == role && shownWindow->text(QAccessible::Name) == window->windowTitle());
    const QRegularExpression list(QStringLiteral("filelist|except|planesq"), QRegularExpression::CaseInsensitiveOption);
    for (QWidget* control : window->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^(?!qt_).")))) {
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(control);
        const QString name = shown->text(QAccessible::Name), told = name + u' ' + shown->text(QAccessible::Description);
        EXPECT_TRUE(shown->role() != QAccessible::Client && shown->role() != QAccessible::Border) << shown->role();
        const auto* label = qobject_cast<QLabel*>(control);
        const QString pattern = says ? QString::fromLatin1(says) : list.match(control->objectName()).captured();
        const bool spoken = qobject_cast<QAbstractButton*>(control) || qobject_cast<QAbstractItemView*>(control) ||
                            qobject_cast<QLineEdit*>(control) ||
                            (label && label->text().isEmpty() && label->isVisibleTo(window));
        EXPECT_TRUE(!spoken || (!name.isEmpty() && told.contains(QRegularExpression(pattern, list.patternOptions())) &&
                                (!label || name.contains(u"count"))))
            << control->objectName().toStdString() << ": " << told.toStdString();
    }
}

TEST_F(MainWindow, EveryWindowIsNamedForScreenReadersAndStartsOnItsFirstControl)
{
    // Each window, its button, first control and what its controls say (add and copy: the list they serve).
    // clang-format off
    const std::tuple<const char*, const char*, const char*, const char*> windows[] = {
        {nullptr, "VEQ", nullptr, nullptr}, {"bAddExcept", "fFileListAdd", "tAddFilelistText", "Except"},
        {"bCopyPlaneSq", "fCopy", "tCopyPlaneId", "PlaneSQ"}, {"bAuoGen", "fAutoGen", "SqList", "PlaneSQ|Pilot"},
        {"bExtra", "fExtra", "DirExtraTree", "FileList|extra|folder"},
        {"bMissing", "Missing", "dirMissingTree", "FileList|Except|Missing|folder|main window"}};
    // clang-format on
    window->AddListItems({"03010714"}, veq::ListId::FileList);
    window->AddListItems({"03010716 ======> 03010717"}, veq::ListId::Except);
    for (const auto& [button, name, first, says] : windows) {
        // A tool window starts there at every opening, wherever the last one ended.
        for (int opening = 0; button && opening < 2; ++opening) {
            kit::click(window.get(), button);
            QWidget* shown = kit::topLevel(name);
            EXPECT_EQ(shown->focusWidget(), kit::find(shown, first)) << name << " opening " << opening;
            shown->findChildren<QAbstractButton*>().last()->setFocus();
            shown->close(); // as by its frame: the main window comes back
            EXPECT_TRUE(window->isVisible() && !shown->isVisible()) << name;
        }
        expectNamed(name, QAccessible::Window, says);
    }
    // Qt's tree offers its hidden header as its first child: it bears the column's name.
    auto* tree = QAccessible::queryAccessibleInterface(kit::findNamed(kit::topLevel("fExtra"), "DirExtraTree"));
    EXPECT_EQ(tree->child(0)->text(QAccessible::Name), QStringLiteral("Folder"));

    // A refusal leaves the keyboard on OK, which carries the text.
    kit::click(window.get(), "bRdFilelist");
    EXPECT_EQ(kit::topLevel("FormMessage")->focusWidget(), kit::find(kit::topLevel("FormMessage"), "bOK"));
    expectNamed("FormMessage", QAccessible::Dialog, "File not Selected");
    // Before it first shows, a main window holds where the keyboard starts.
    const auto fresh = std::make_unique<VEQ>(dialogs);
    EXPECT_EQ(fresh->focusWidget(), kit::find(fresh.get(), "lFileList"));
}

// Qt passes accessibility events on only while a bridge is listening, and the offscreen
// platform has none: test_accessibility_atspi runs this on the AT-SPI bus (tests/atspi).
TEST_F(MainWindow, AMessageIsAnnouncedAsAnAlert)
{
    if (QGuiApplication::platformName() == u"offscreen")
        GTEST_SKIP() << "no accessibility bridge offscreen";
    ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }));
    static std::vector<QObject*> alerted;
    const auto before = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        if (event->type() == QAccessible::Alert)
            alerted.push_back(event->object());
    });
    kit::click(window.get(), "bRdFilelist");
    QAccessible::installUpdateHandler(before);
    EXPECT_EQ(alerted, std::vector<QObject*>{kit::topLevel("FormMessage")});
}

// Whether "Please Wait" had been painted, each time its window hid.
struct PaintWatch final : QObject {
    std::vector<bool> paintedAtHide;
    bool painted = false;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        painted = painted || (object->objectName() == u"Label1" && event->type() == QEvent::Paint);
        if (object->objectName() == u"fPleaseWait" && event->type() == QEvent::Hide)
            paintedAtHide.push_back(std::exchange(painted, false));
        return false;
    }
};

TEST_F(MainWindow, PleaseWaitIsPaintedBeforeTheRead)
{
    // Nothing runs between showing the window and the read, so a paint before it hid came before the read.
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    read(veq::ListId::FileList, {"03010714"});
    qApp->removeEventFilter(&watch);
    EXPECT_EQ(watch.paintedAtHide, std::vector<bool>{true});
    expectNamed("fPleaseWait", QAccessible::Dialog, "");
}

} // namespace
