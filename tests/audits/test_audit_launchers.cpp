#include "audits/directory_chooser.h"
#include "editor/veq_window.h"
#include "tests/audits/audit_support.h"

#include <QApplication>

#include <memory>

namespace {

using veq::Entries;

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

class Launchers : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<VEQ>(dialogs);
        window->show();
    }

    // Opens a tool window through its launcher and points its chooser at the test folder.
    QWidget* open(const char* launcher, const char* tool, const char* chooser)
    {
        click(window.get(), launcher);
        QWidget* w = topLevel(tool);
        EXPECT_NE(w, nullptr) << tool;
        if (w)
            control<DirectoryChooser>(w, chooser)->setCurrentPath(folder.path());
        return w;
    }

    BitmapFolder folder;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<VEQ> window;
};

TEST_F(Launchers, MissingReportsOnTheListsAsTheyStandAndExitReturns)
{
    window->AddListItem("03010714", 1);
    window->AddListItem("03011804 ======> 03010814", 2);
    QWidget* missing = open("bMissing", "Missing", "dirMissing");
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->isVisible());
    EXPECT_FALSE(window->isVisible());
    click(missing, "bReport");
    EXPECT_EQ(shownItems(missing, "lMissing"), (Entries{"03010714.bmp", "03010814.bmp"}));

    click(missing, "breportCancel");
    EXPECT_FALSE(missing->isVisible());
    EXPECT_TRUE(window->isVisible());

    // An unsaved addition takes part in the next report; the old one is shown until then.
    window->AddListItem("03011804", 1);
    click(window.get(), "bMissing");
    EXPECT_EQ(topLevel("Missing"), missing);
    EXPECT_EQ(shownItems(missing, "lMissing"), (Entries{"03010714.bmp", "03010814.bmp"}));
    click(missing, "bReport");
    EXPECT_EQ(shownItems(missing, "lFileListMissing"), (Entries{"03010714.bmp", "03011804.bmp"}));
    EXPECT_EQ(shownItems(missing, "lMissing"), (Entries{"03010714.bmp", "03010814.bmp"}));
}

TEST_F(Launchers, ExtraFinishAddsToTheFileListWithoutDuplicates)
{
    window->AddListItem("03000100", 1);
    folder.add("03000100.bmp");
    folder.add("03000200.bmp");
    folder.add("03000200.BMP");
    QWidget* extra = open("bExtra", "fExtra", "DirExtra");
    ASSERT_NE(extra, nullptr);
    EXPECT_FALSE(window->isVisible());
    click(extra, "bCheck");
    EXPECT_EQ(shownItems(extra, "lExtra"), (Entries{"03000200", "03000200"}));

    // An item the file list gained meanwhile is added nothing for.
    window->AddListItem("03000200", 1);
    click(extra, "Command1");
    EXPECT_FALSE(extra->isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->entries(1), (Entries{"03000100", "03000200"}));
    EXPECT_EQ(labelText(window.get(), "labCountFileList"), QStringLiteral("2"));
}

TEST_F(Launchers, ExtraComparesWithTheFileListOfItsOpeningAndCancelAddsNothing)
{
    folder.add("03000100.bmp");
    folder.add("03000300.bmp");
    QWidget* extra = open("bExtra", "fExtra", "DirExtra");
    ASSERT_NE(extra, nullptr);
    click(extra, "bCheck");
    EXPECT_EQ(shownItems(extra, "lExtra"), (Entries{"03000100", "03000300"}));
    click(extra, "bCancel");
    EXPECT_TRUE(window->entries(1).empty());
    EXPECT_TRUE(window->isVisible());

    window->AddListItem("03000300", 1);
    click(window.get(), "bExtra");
    click(extra, "bCheck");
    EXPECT_EQ(shownItems(extra, "lExtra"), (Entries{"03000100"}));
    click(extra, "Command1");
    EXPECT_EQ(window->entries(1), (Entries{"03000100", "03000300"}));
}

} // namespace
