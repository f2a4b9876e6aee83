#include "dialogs/add_dialog.h"
#include "dialogs/form_message.h"
#include "editor/veq_window.h"
#include "tests/dialogs/dialog_support.h"
#include "tests/support/gui_support.h"
#include "ui/entry_list_view.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <cmath>
#include <memory>
#include <numeric>

namespace {

using veq::Entries;

QString captionOf(const QWidget* widget)
{
    if (auto* button = qobject_cast<const QPushButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    return QStringLiteral("(no caption)");
}

class AddDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<fFileListAdd>(messenger);
        window->show();
    }

    QLineEdit* text() const { return control<QLineEdit>(window.get(), "tAddFilelistText"); }
    EntryListView* list() const { return control<EntryListView>(window.get(), "lNewFileList"); }
    Entries shown() const { return shownItems(window.get(), "lNewFileList"); }

    void add(const QString& typed)
    {
        text()->setText(typed);
        click(window.get(), "bAddFileListEntry");
    }

    RecordingMessenger messenger;
    std::unique_ptr<fFileListAdd> window;
};

TEST_F(AddDialog, ControlsHaveTheirCaptionsGeometryAndTabOrder)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Add Aircraft Parts"));
    EXPECT_EQ(window->objectName(), QStringLiteral("fFileListAdd"));

    struct Expect {
        const char* name;
        const char* caption;
        int left, top, width, height;
    };
    const Expect controls[] = {
        {"labFileId", "Operating on the filelist file", 240, 120, 4095, 375},
        {"labExample", "Enter Part: ie 03010714", 240, 720, 5295, 375},
        {"tAddFilelistText", "", 240, 1320, 3615, 375},
        {"bAddFileListEntry", "Add -->", 3960, 1320, 1815, 375},
        {"lNewFileList", nullptr, 6000, 1080, 2895, 4740},
        {"bRemove", "<-- Remove", 3960, 3000, 1815, 375},
        {"bFileListEntryFinish", "Finish", 240, 6360, 1935, 495},
        {"bFileListEntryCancel", "Cancel", 6960, 6360, 1935, 495},
    };
    const double pixelsPerTwip = window->logicalDpiX() / 1440.0;
    auto px = [&](int twips) { return static_cast<int>(std::lround(twips * pixelsPerTwip)); };
    for (const Expect& c : controls) {
        auto* widget = control<QWidget>(window.get(), c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height))) << c.name;
        if (c.caption) {
            EXPECT_EQ(captionOf(widget), QString::fromLatin1(c.caption)) << c.name;
        }
    }
    EXPECT_EQ(window->size(), QSize(px(9405), px(7065)));
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(QFontInfo(list()->font()).fixedPitch());
    EXPECT_DOUBLE_EQ(list()->font().pointSizeF(), 9.75);

    expectTabOrder(window.get(), {"tAddFilelistText", "bAddFileListEntry", "lNewFileList", "bRemove",
                                  "bFileListEntryFinish", "bFileListEntryCancel"});
}

struct WhoCase {
    int id;
    const char* fileId;
    const char* example;
};

class AddDialogWho : public AddDialog, public ::testing::WithParamInterface<WhoCase> {};

TEST_P(AddDialogWho, SetsTheLabelsAndEmptiesTheList)
{
    window->Who(veq::FileListId);
    add(QStringLiteral("03010714"));
    ASSERT_EQ(shown().size(), 1u);

    window->Who(GetParam().id);
    EXPECT_EQ(labelText(window.get(), "labFileId"), QString::fromLatin1(GetParam().fileId));
    EXPECT_EQ(labelText(window.get(), "labExample"), QString::fromLatin1(GetParam().example));
    EXPECT_TRUE(shown().empty());
    // The typed text stays for the next entry.
    EXPECT_EQ(text()->text(), QStringLiteral("03010714"));
}

INSTANTIATE_TEST_SUITE_P(LabelTable, AddDialogWho,
                         ::testing::Values(WhoCase{1, "Operating on Filelist file", "Enter Part: ie 03010714"},
                                           WhoCase{2, "Operating on Except file", "Enter Part: ie 03011804-03010814"},
                                           WhoCase{3, "Operating on PlaneSQ file", "Enter Part: ie 2500000094"},
                                           // Other ids keep the labels of the list before.
                                           WhoCase{0, "Operating on Filelist file", "Enter Part: ie 03010714"},
                                           WhoCase{4, "Operating on Filelist file", "Enter Part: ie 03010714"}));

TEST_F(AddDialog, OtherIdKeepsTheLabelsButAcceptsNoEntry)
{
    window->Who(veq::PlaneSqListId);
    window->Who(7);
    EXPECT_EQ(labelText(window.get(), "labFileId"), QStringLiteral("Operating on PlaneSQ file"));
    for (const char* typed : {"03010714", "03011804-03010814", "2500000094"})
        add(QString::fromLatin1(typed));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(messenger.told.size(), 3);
}

// What "Add -->" makes of a typed text on each list: the entry added, or none.
struct AddCase {
    int id;
    const char* typed;
    const char* added; // nullptr: refused with "Invalid input length"
    const char* boxAfter;
};

class AddDialogRules : public AddDialog, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddDialogRules, AddsByLengthAfterUpperCasing)
{
    const AddCase& c = GetParam();
    window->Who(c.id);
    add(QString::fromUtf8(c.typed));
    EXPECT_EQ(text()->text(), QString::fromUtf8(c.boxAfter));
    if (c.added) {
        EXPECT_EQ(shown(), Entries{c.added});
        EXPECT_TRUE(messenger.told.isEmpty());
    } else {
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(messenger.told, QStringList{QStringLiteral("Invalid input length")});
    }
}

INSTANTIATE_TEST_SUITE_P(
    PerList, AddDialogRules,
    ::testing::Values(AddCase{1, "03010714", "03010714", "03010714"}, AddCase{1, "0301071a", "0301071A", "0301071A"},
                      // Only the length is checked, not the digits.
                      AddCase{1, "zz-01 07", "ZZ-01 07", "ZZ-01 07"}, AddCase{1, "030107149", nullptr, "030107149"},
                      AddCase{1, "0301071", nullptr, "0301071"}, AddCase{1, "", nullptr, ""},
                      AddCase{1, "2500000094", nullptr, "2500000094"},
                      AddCase{2, "03011804-03010814", "03011804 ======> 03010814", "03011804-03010814"},
                      AddCase{2, "03011804x03010814", "03011804 ======> 03010814", "03011804X03010814"},
                      AddCase{2, "0301180a 0301081b", "0301180A ======> 0301081B", "0301180A 0301081B"},
                      // The pair as the list shows it is too long to be typed back.
                      AddCase{2, "03011804 ======> 03010814", nullptr, "03011804 ======> 03010814"},
                      AddCase{2, "0301180403010814", nullptr, "0301180403010814"},
                      AddCase{2, "03010714", nullptr, "03010714"}, AddCase{3, "2500000094", "2500000094", "2500000094"},
                      AddCase{3, "2a000000f4", "2A000000F4", "2A000000F4"},
                      AddCase{3, "250000009", nullptr, "250000009"}, AddCase{3, "03010714", nullptr, "03010714"},
                      // Characters, not bytes, are counted.
                      AddCase{1, "0301071\xC3\xA4", "0301071\xC3\x84", "0301071\xC3\x84"}));

TEST_F(AddDialog, EnterInTheTextBoxPressesAdd)
{
    window->Who(veq::FileListId);
    text()->setText(QStringLiteral("0301071b"));
    QTest::keyClick(text(), Qt::Key_Return);
    EXPECT_EQ(shown(), Entries{"0301071B"});
    QTest::keyClick(text(), Qt::Key_Enter);
    EXPECT_EQ(shown(), (Entries{"0301071B", "0301071B"}));
}

TEST_F(AddDialog, KeepsEqualEntriesInSortedOrder)
{
    window->Who(veq::FileListId);
    for (const char* typed : {"03020000", "03010000", "03020000", "0301FFFF", "03010000"})
        add(QString::fromLatin1(typed));
    EXPECT_EQ(shown(), (Entries{"03010000", "03010000", "0301FFFF", "03020000", "03020000"}));
}

TEST_F(AddDialog, RemovesUpToAHundredSelectedEntries)
{
    window->Who(veq::FileListId);
    add(QStringLiteral("03010714"));
    for (int i = 0; i < 101; ++i)
        click(window.get(), "bAddFileListEntry");
    add(QStringLiteral("0302AAAA"));
    ASSERT_EQ(shown().size(), 103u);

    std::vector<int> first101(101);
    std::iota(first101.begin(), first101.end(), 0);
    selectRows(list(), first101);
    click(window.get(), "bRemove");
    EXPECT_EQ(messenger.told, QStringList{QStringLiteral("Too Many Items Selected")});
    EXPECT_EQ(shown().size(), 103u);
    EXPECT_EQ(list()->selectedCount(), 101);

    // Rows 0 to 101 hold the equal entries, row 102 the other one. 100 rows,
    // not adjacent at the end: 1 to 99 and 102.
    std::vector<int> rows(99);
    std::iota(rows.begin(), rows.end(), 1);
    rows.push_back(102);
    selectRows(list(), rows);
    click(window.get(), "bRemove");
    EXPECT_EQ(messenger.told.size(), 1);
    EXPECT_EQ(shown(), (Entries{"03010714", "03010714", "03010714"}));

    // The Delete key of the list removes as the button does.
    selectRows(list(), {1});
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(shown(), (Entries{"03010714", "03010714"}));
}

TEST_F(AddDialog, FinishHandsEveryEntryToItsListAndLeaves)
{
    window->Who(veq::ExceptListId);
    add(QStringLiteral("03011804-03010814"));
    add(QStringLiteral("03011804-03010814"));
    add(QStringLiteral("03000000-03000001"));
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);

    click(window.get(), "bFileListEntryFinish");
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<Entries>(),
              (Entries{"03000000 ======> 03000001", "03011804 ======> 03010814", "03011804 ======> 03010814"}));
    EXPECT_EQ(finished[0][1].toInt(), veq::ExceptListId);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    // The list and the box outlive "Finish" until the next Who.
    EXPECT_EQ(shown().size(), 3u);
    EXPECT_EQ(text()->text(), QStringLiteral("03000000-03000001"));
}

TEST_F(AddDialog, CancelHandsNothingAndLeaves)
{
    window->Who(veq::FileListId);
    add(QStringLiteral("03010714"));
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);

    click(window.get(), "bFileListEntryCancel");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shown(), Entries{"03010714"});
}

// The road from the main window: "Add", entries, "Finish" or "Cancel", back.
class AddFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<VEQ>(dialogs);
        main->show();
    }

    static QWidget* dialog() { return topLevelWindow("fFileListAdd"); }

    void type(QWidget* window, const char* typed)
    {
        control<QLineEdit>(window, "tAddFilelistText")->setText(QString::fromLatin1(typed));
        click(window, "bAddFileListEntry");
    }

    ScriptedFileDialogs dialogs;
    std::unique_ptr<VEQ> main;
};

TEST_F(AddFromMainWindow, LaunchersTellWhoThenShowThenHideTheMainWindow)
{
    click(main.get(), "bAddFileList");
    QWidget* window = dialog();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(main->isVisible());
    type(window, "03010714");
    click(window, "bFileListEntryCancel");
    ASSERT_TRUE(main->isVisible());

    struct Launch {
        const char* button;
        const char* caption;
    };
    for (const Launch& launch :
         {Launch{"bAddExcept", "Operating on Except file"}, Launch{"bAddPlaneSq", "Operating on PlaneSQ file"},
          Launch{"bAddFileList", "Operating on Filelist file"}}) {
        QString labelAtShow;
        std::size_t itemsAtShow = 1;
        bool mainVisibleAtShow = false;
        ShowWatcher watcher(window, [&] {
            labelAtShow = labelText(window, "labFileId");
            itemsAtShow = shownItems(window, "lNewFileList").size();
            mainVisibleAtShow = main->isVisible();
        });
        click(main.get(), launch.button);
        EXPECT_EQ(watcher.shows, 1) << launch.button;
        EXPECT_EQ(labelAtShow, QString::fromLatin1(launch.caption)) << launch.button;
        EXPECT_EQ(itemsAtShow, 0u) << launch.button;
        EXPECT_TRUE(mainVisibleAtShow) << launch.button;
        EXPECT_FALSE(main->isVisible()) << launch.button;
        EXPECT_EQ(control<QLineEdit>(window, "tAddFilelistText")->text(), QStringLiteral("03010714"));
        type(window, "03010714");
        click(window, "bFileListEntryCancel");
    }
}

TEST_F(AddFromMainWindow, FinishAddsEachEntryOnceAndCancelAddsNothing)
{
    click(main.get(), "bAddFileList");
    QWidget* window = dialog();
    ASSERT_NE(window, nullptr);
    type(window, "0301071a");
    type(window, "0301071a");
    type(window, "03000001");
    click(window, "bFileListEntryFinish");
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shownItems(main.get(), "lFileList"), (Entries{"03000001", "0301071A"}));
    EXPECT_EQ(labelText(main.get(), "labCountFileList"), QStringLiteral("2"));

    click(main.get(), "bAddFileList");
    type(window, "03FFFFFF");
    click(window, "bFileListEntryCancel");
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(shownItems(main.get(), "lFileList"), (Entries{"03000001", "0301071A"}));
    EXPECT_EQ(labelText(main.get(), "labCountFileList"), QStringLiteral("2"));

    // A refused entry goes to the program's message window.
    click(main.get(), "bAddExcept");
    type(window, "0301");
    EXPECT_EQ(main->messageWindow().text(), QStringLiteral("Invalid input length"));
    click(window, "bFileListEntryFinish");
    EXPECT_TRUE(shownItems(main.get(), "lExcept").empty());
}

} // namespace
