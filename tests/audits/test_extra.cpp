#include "audits/directory_chooser.h"
#include "audits/extra_window.h"
#include "tests/audits/audit_support.h"
#include "ui/layout.h"

#include <QFontInfo>
#include <QPushButton>
#include <QSignalSpy>

#include <cstdio>
#include <memory>

namespace {

using veq::Entries;

class ExtraWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<fExtra>(messenger);
        window->setFileList({"03000001", "03000005", "0300000A"});
        control<DirectoryChooser>(window.get(), "DirExtra")->setCurrentPath(folder.path());
        window->show();
    }

    Entries extra() const { return shownItems(window.get(), "lExtra"); }
    QString count() const { return labelText(window.get(), "labExtra"); }
    QListView* list() const { return control<QListView>(window.get(), "lExtra"); }
    void check() { click(window.get(), "bCheck"); }

    // `n` bitmaps 03100000.bmp upward, none of them in the file list.
    void addMany(int n)
    {
        for (int i = 0; i < n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "03%06X.bmp", 0x100000 + i);
            folder.add(name);
        }
    }

    std::vector<int> firstRows(int n) const
    {
        std::vector<int> rows(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            rows[static_cast<std::size_t>(i)] = i;
        return rows;
    }

    BitmapFolder folder;
    RecordingMessenger messenger;
    std::unique_ptr<fExtra> window;
};

TEST_F(ExtraWindow, ControlsHaveTheirCaptionsAndPlaces)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("fExtra"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Extra"));
    const struct {
        const char* name;
        const char* caption;
        int left, top, width, height;
    } controls[] = {{"DirExtra", nullptr, 120, 120, 2655, 4590},      {"bCheck", "Check--->", 3120, 1200, 1215, 495},
                    {"bRemove", "<---Remove", 3120, 2760, 1215, 495}, {"lExtra", nullptr, 4680, 120, 2415, 6780},
                    {"labExtra", "", 5280, 7200, 1095, 375},          {"Command1", "Finish", 120, 7920, 1695, 615},
                    {"bCancel", "Cancel", 5400, 7920, 1695, 615}};
    for (const auto& c : controls) {
        auto* widget = control<QWidget>(window.get(), c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), window.get()) << c.name;
        EXPECT_EQ(widget->geometry(), QRect(twips(c.left), twips(c.top), twips(c.width), twips(c.height))) << c.name;
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), QString::fromLatin1(c.caption));
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), QString::fromLatin1(c.caption));
        }
    }
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_DOUBLE_EQ(list()->font().pointSizeF(), 8.25);
    EXPECT_TRUE(QFontInfo(list()->font()).fixedPitch());
}

TEST_F(ExtraWindow, OnlyBitmapAlreadyNamedGivesAnEmptyListAndZero)
{
    folder.add("03000005.bmp");
    check();
    EXPECT_TRUE(extra().empty());
    EXPECT_EQ(count(), QStringLiteral("0"));
}

TEST_F(ExtraWindow, ListsUnnamedBitmapsByTheirUpperCaseKeys)
{
    folder.add("03000001.bmp"); // first of the file list
    folder.add("0300000a.BMP"); // last of the file list, spelt in lower case
    folder.add("030a0b0c.bmp");
    folder.add("03010714.bmp");
    folder.add("03010714.BMP"); // a second file where case counts: listed twice
    folder.add("031.bmp");
    folder.add("03123.Bmp");
    folder.add("04010714.bmp");
    folder.add("03010714.bmp.bak");
    check();
    EXPECT_EQ(extra(), (Entries{"03010714", "03010714", "030A0B0C", "031.BMP", "03123.BM"}));
    EXPECT_EQ(count(), QStringLiteral("5"));
}

TEST_F(ExtraWindow, ReadOnlyFilesCountHiddenFilesAndFoldersDoNot)
{
    folder.addReadOnly("03000100.bmp");
    folder.add(".03000200.bmp");
    folder.addFolder("03000300.bmp");
    check();
    EXPECT_EQ(extra(), (Entries{"03000100"}));
}

TEST_F(ExtraWindow, CheckReplacesTheListAndUsesTheLatestFileList)
{
    folder.add("03000100.bmp");
    folder.add("03000200.bmp");
    check();
    check();
    EXPECT_EQ(extra(), (Entries{"03000100", "03000200"}));
    window->setFileList({"03000200"});
    check();
    EXPECT_EQ(extra(), (Entries{"03000100"}));
    EXPECT_EQ(count(), QStringLiteral("1"));
}

TEST_F(ExtraWindow, MoreBitmapsThanTheOldNameTableHeld)
{
    addMany(3100);
    check();
    EXPECT_EQ(count(), QStringLiteral("3100"));
    EXPECT_EQ(extra().front(), "03100000");
    EXPECT_EQ(extra().back(), "03100C1B");
}

TEST_F(ExtraWindow, RemoveTakesUpTo1000AndAlwaysShowsTheCount)
{
    addMany(1002);
    check();
    auto* labExtra = control<QLabel>(window.get(), "labExtra");

    selectRows(list(), firstRows(1001));
    labExtra->clear();
    click(window.get(), "bRemove");
    EXPECT_EQ(messenger.told, QStringList{QStringLiteral("Too Many Items Selected")});
    EXPECT_EQ(extra().size(), 1002u);
    EXPECT_EQ(count(), QStringLiteral("1002"));

    selectRows(list(), firstRows(1000));
    click(window.get(), "bRemove");
    EXPECT_EQ(messenger.told.size(), 1);
    EXPECT_EQ(extra(), (Entries{"031003E8", "031003E9"}));
    EXPECT_EQ(count(), QStringLiteral("2"));
}

TEST_F(ExtraWindow, DeleteKeyRemovesTheSelectedEntries)
{
    folder.add("03000100.bmp");
    folder.add("03000200.bmp");
    folder.add("03000300.bmp");
    check();
    selectRows(list(), {0, 2});
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(extra(), (Entries{"03000200"}));
    EXPECT_EQ(count(), QStringLiteral("1"));
}

TEST_F(ExtraWindow, FinishHandsEveryItemToTheFileList)
{
    folder.add("03000200.bmp");
    folder.add("03000100.bmp");
    folder.add("03000100.BMP");
    check();
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    click(window.get(), "Command1");
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).value<Entries>(), (Entries{"03000100", "03000100", "03000200"}));
    EXPECT_EQ(finished.at(0).at(1).toInt(), 1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ExtraWindow, CancelOnlyLeaves)
{
    folder.add("03000200.bmp");
    check();
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    click(window.get(), "bCancel");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(extra(), (Entries{"03000200"}));
}

} // namespace
