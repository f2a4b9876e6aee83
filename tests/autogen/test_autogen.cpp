#include "autogen/autogen_window.h"
#include "core/data_file.h"
#include "editor/veq_window.h"
#include "tests/core/squadron_builder.h"
#include "tests/support/gui_support.h"
#include "ui/data_directory.h"
#include "ui/entry_list_view.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using veq::Bytes;
using veq::Entries;

Entries sorted(Entries items)
{
    std::sort(items.begin(), items.end());
    return items;
}

class AutoGenWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<fAutoGen>(messenger, dialogs);
        window->show();
    }

    QString file(const Bytes& bytes, const char* name = "squadron.dat")
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        return path;
    }

    void open(const QString& path)
    {
        dialogs.answer(path);
        click(window.get(), "bOpenSq");
    }

    // Opens a file of a few records with a duplicate, and returns its items in file order.
    Entries openExample()
    {
        SquadronBuilder squadrons(5);
        squadrons.record(0x94, 2, {0x25, 0x03});
        squadrons.record(0x07, 0, {0x31, 0x25});
        squadrons.record(0x94, 1, {0x25});
        open(file(squadrons.image(), "example.dat"));
        return squadrons.expected();
    }

    Entries shown() const { return shownItems(window.get(), "SqList"); }
    EntryListView* list() const { return control<EntryListView>(window.get(), "SqList"); }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    RecordingMessenger messenger;
    std::unique_ptr<fAutoGen> window;
};

TEST_F(AutoGenWindow, ControlsHaveTheirCaptionsGeometryAndTabOrder)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("AutoGen"));
    EXPECT_EQ(window->objectName(), QStringLiteral("fAutoGen"));

    struct Expect {
        const char* name;
        const char* caption;
        int left, top, width, height;
    };
    const Expect buttons[] = {
        {"bOpenSq", "Open Squad File -->", 240, 120, 2055, 615},
        {"bFinish", "Finish", 120, 4920, 2055, 495},
        {"Command1", "Open Pilot File -->", 240, 960, 2055, 615},
        {"Command2", "<--- Remove", 360, 2400, 1815, 615},
        {"Command3", "Cancel", 3960, 4920, 2055, 495},
    };
    const double pixelsPerTwip = window->logicalDpiX() / 1440.0;
    auto px = [&](int twips) { return static_cast<int>(std::lround(twips * pixelsPerTwip)); };
    for (const Expect& b : buttons) {
        auto* button = control<QPushButton>(window.get(), b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(b.caption)) << b.name;
        EXPECT_EQ(button->geometry(), QRect(px(b.left), px(b.top), px(b.width), px(b.height))) << b.name;
    }
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(list()->geometry(), QRect(px(3120), px(120), px(2295), px(3900)));
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(QFontInfo(list()->font()).fixedPitch());
    EXPECT_DOUBLE_EQ(list()->font().pointSizeF(), 9.75);
    EXPECT_EQ(window->size(), QSize(px(6330), px(5625)));

    auto* line = control<QFrame>(window.get(), "Line1");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    EXPECT_EQ(line->x(), 0);
    EXPECT_EQ(line->width(), px(6240));
    EXPECT_LE(std::abs(line->geometry().center().y() - px(4560)), 1);
    EXPECT_LT(line->geometry().bottom(), control<QPushButton>(window.get(), "bFinish")->y());

    expectTabOrder(window.get(), {"SqList", "bOpenSq", "bFinish", "Command1", "Command2", "Command3"});
}

TEST_F(AutoGenWindow, OpenAsksForSquadronFileInTheDataDirectoryAndListsItsItemsSorted)
{
    const Entries items = openExample();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].request.suggestedName, QStringLiteral("squadron.dat"));
    EXPECT_EQ(dialogs.asked[0].request.initialDirectory, simulationDataDirectory());
    EXPECT_EQ(shown(), sorted(items));
    EXPECT_EQ(shown(), (Entries{"0300000094", "2500000007", "2500000094", "2500000094", "3100000007"}));
    EXPECT_TRUE(messenger.told.isEmpty());
}

TEST_F(AutoGenWindow, NoFileChosenSaysSoAndKeepsTheList)
{
    const Entries before = sorted(openExample());
    open(QString());
    EXPECT_EQ(messenger.told, QStringList{QStringLiteral("File not Selected")});
    EXPECT_EQ(shown(), before);
}

TEST_F(AutoGenWindow, OpenReplacesTheListInOneChange)
{
    openExample();
    SquadronBuilder other(9);
    other.record(0x01, 3, {0x02, 0x02});
    const QString path = file(other.image(), "other.dat");

    QSignalSpy resets(list()->model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(list()->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removals(list()->model(), &QAbstractItemModel::rowsRemoved);
    open(path);
    EXPECT_EQ(shown(), (Entries{"0200000001", "0200000001"}));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(removals.count(), 0);

    // A file without records is a successful open of nothing.
    open(file({}, "empty.dat"));
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(messenger.told.isEmpty());
}

TEST_F(AutoGenWindow, BulkOpenGivesTheListThatAddPlaneSqGivesOneByOne)
{
    SquadronBuilder squadrons(11);
    std::vector<std::pair<std::uint8_t, std::uint8_t>> entries;
    std::mt19937 random(3);
    for (int r = 0; r < 200; ++r) {
        const auto squad = static_cast<std::uint8_t>(random() % 16);
        std::vector<std::uint8_t> planes(random() % 5);
        for (auto& plane : planes) {
            plane = static_cast<std::uint8_t>(random() % 16);
            entries.emplace_back(plane, squad);
        }
        squadrons.record(squad, static_cast<std::int16_t>(random() % 3), planes);
    }
    open(file(squadrons.image()));

    fAutoGen single(messenger, dialogs);
    for (const auto& [plane, squad] : entries)
        single.AddPlaneSq(plane, squad);
    EXPECT_EQ(shownItems(&single, "SqList"), shown());
    EXPECT_EQ(shown().size(), entries.size());
}

TEST_F(AutoGenWindow, AddPlaneSqKeepsEqualItems)
{
    window->AddPlaneSq(0x25, 0x94);
    window->AddPlaneSq(0x01, 0x02);
    window->AddPlaneSq(0x25, 0x94);
    EXPECT_EQ(shown(), (Entries{"0100000002", "2500000094", "2500000094"}));
}

// Damaged files of every kind; each open must leave the list as it was.
struct Damage {
    const char* name;
    std::size_t keep; // bytes of the two-record file kept, 0 for all
    std::int16_t countA;
    std::int16_t countB;
    const char* says;
};

class RefusedOpen : public AutoGenWindow, public ::testing::WithParamInterface<Damage> {};

TEST_P(RefusedOpen, ShowsWhereTheFileIsDamagedAndKeepsTheList)
{
    const Damage d = GetParam();
    const Entries before = sorted(openExample());

    SquadronBuilder damaged(2);
    damaged.record(0x94, 2, {0x25});
    damaged.raw(0x07, d.countA, d.countB, {0x31, 0x0A});
    Bytes bytes = damaged.image();
    if (d.keep)
        bytes.resize(d.keep);
    const QString path = file(bytes, "damaged.dat");

    QSignalSpy resets(list()->model(), &QAbstractItemModel::modelReset);
    open(path);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(messenger.told.size(), 1);
    EXPECT_TRUE(messenger.told[0].contains(QString::fromLatin1(d.says))) << messenger.told[0].toStdString();
    EXPECT_TRUE(messenger.told[0].contains(QStringLiteral("damaged.dat"))) << messenger.told[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RefusedOpen,
    ::testing::Values(
        Damage{"fixed_part", 150, 0, 2, "Squadron record 2 (from byte offset 124) is cut short in its fixed part"},
        Damage{"blocks", 80, 0, 2, "Squadron record 1 (from byte offset 0) is cut short in its 16-byte blocks"},
        Damage{"count_b", 186, 0, 2, "Squadron record 2 (from byte offset 124) is cut short in its plane count field"},
        Damage{"plane_entry", 230, 0, 2,
               "Squadron record 2 (from byte offset 124) is cut short in its plane entry 2 of 2"},
        Damage{"count_a_too_large", 0, 2048, 2, "count of 16-byte blocks of 2048 at byte offset 180"},
        Damage{"count_a_negative", 0, -1, 2, "count of 16-byte blocks of -1 at byte offset 180"},
        Damage{"count_b_negative", 0, 0, -1, "negative plane count (-1) at byte offset 184"}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(AutoGenWindow, UnreadableFileIsRefusedAndKeepsTheList)
{
    const Entries before = sorted(openExample());
    open(folder.filePath(QStringLiteral("absent.dat")));
    EXPECT_EQ(shown(), before);
    ASSERT_EQ(messenger.told.size(), 1);
    EXPECT_TRUE(messenger.told[0].contains(QStringLiteral("absent.dat")));
}

TEST_F(AutoGenWindow, RemoveTakesTheSelectedItemOnly)
{
    openExample();
    selectRows(list(), {2});
    click(window.get(), "Command2");
    EXPECT_EQ(shown(), (Entries{"0300000094", "2500000007", "2500000094", "3100000007"}));

    // Nothing selected: nothing removed.
    list()->clearSelection();
    click(window.get(), "Command2");
    EXPECT_EQ(shown().size(), 4u);

    // The Delete key removes like the button.
    selectRows(list(), {0});
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(shown(), (Entries{"2500000007", "2500000094", "3100000007"}));
    EXPECT_TRUE(messenger.told.isEmpty());
}

TEST_F(AutoGenWindow, FinishHandsEveryItemToThePlaneSquadronListAndKeepsThem)
{
    const Entries items = sorted(openExample());
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);

    click(window.get(), "bFinish");
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<Entries>(), items);
    EXPECT_EQ(finished[0][1].toInt(), 3);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());

    // Reopened, the list is still there and a second "Finish" hands the same items.
    window->show();
    EXPECT_EQ(shown(), items);
    click(window.get(), "bFinish");
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished[1][0].value<Entries>(), items);
    EXPECT_EQ(finished[1][1].toInt(), 3);
    EXPECT_EQ(shown(), items);
}

TEST_F(AutoGenWindow, RemovedItemsDoNotReachFinish)
{
    openExample();
    selectRows(list(), {0});
    click(window.get(), "Command2");
    selectRows(list(), {3});
    click(window.get(), "Command2");

    QSignalSpy finished(window.get(), &ToolWindow::finished);
    click(window.get(), "bFinish");
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<Entries>(), (Entries{"2500000007", "2500000094", "2500000094"}));
}

TEST_F(AutoGenWindow, FinishOnAnEmptyListStillLeaves)
{
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    click(window.get(), "bFinish");
    ASSERT_EQ(finished.count(), 1);
    EXPECT_TRUE(finished[0][0].value<Entries>().empty());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(AutoGenWindow, CancelLeavesWithoutHandingOverAndTheListSurvivesReopening)
{
    const Entries items = sorted(openExample());
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);

    click(window.get(), "Command3");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());

    window->show();
    EXPECT_EQ(shown(), items);
}

TEST_F(AutoGenWindow, OpenPilotFileChangesNothing)
{
    const Entries items = sorted(openExample());
    const std::size_t asked = dialogs.asked.size();
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    selectRows(list(), {1});

    click(window.get(), "Command1");
    EXPECT_EQ(shown(), items);
    EXPECT_EQ(list()->selectedPositions(), (std::vector<std::size_t>{1}));
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_TRUE(messenger.told.isEmpty());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(window->isVisible());
}

// The whole road from the main window: "AutoGen", open, "Finish", back.
class AutoGenFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        main = std::make_unique<VEQ>(dialogs);
        main->show();
    }

    QString file(const Bytes& bytes, const char* name)
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        return path;
    }

    static QWidget* autoGen()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("fAutoGen"))
                return widget;
        return nullptr;
    }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<VEQ> main;
};

TEST_F(AutoGenFromMainWindow, FinishAddsEachItemOnceToThePlaneSquadronList)
{
    // The plane-squadron list already holds one entry that the squadron file also gives.
    veq::ConvBuf buf{};
    auto planesq = veq::buildDataFile(veq::RecordKind::PlaneSq, {}, {"2500000094", "0100000001"}, buf);
    ASSERT_TRUE(planesq.ok());
    dialogs.answer(file(*planesq, "planesq.dat"));
    click(main.get(), "bRdPlaneSq");
    ASSERT_EQ(labelText(main.get(), "labCountPlaneSq"), QStringLiteral("2"));

    SquadronBuilder squadrons(4);
    squadrons.record(0x94, 2, {0x25, 0x03, 0x25});
    squadrons.record(0x07, 0, {0x31});
    dialogs.answer(file(squadrons.image(), "squadron.dat"));

    click(main.get(), "bAuoGen");
    QWidget* window = autoGen();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(main->isVisible());
    click(window, "bOpenSq");
    click(window, "bFinish");

    const Entries expected{"0100000001", "0300000094", "2500000094", "3100000007"};
    EXPECT_EQ(shownItems(main.get(), "lPlaneSq"), expected);
    EXPECT_EQ(labelText(main.get(), "labCountPlaneSq"), QStringLiteral("4"));
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(window->isVisible());

    // A second "Finish" adds nothing new, but brings back what was deleted meanwhile.
    click(main.get(), "bAuoGen");
    click(window, "bFinish");
    EXPECT_EQ(shownItems(main.get(), "lPlaneSq"), expected);
    selectRows(control<QListView>(main.get(), "lPlaneSq"), {1, 3});
    click(main.get(), "bDelPlaneSq");
    ASSERT_EQ(labelText(main.get(), "labCountPlaneSq"), QStringLiteral("2"));
    click(main.get(), "bAuoGen");
    EXPECT_EQ(shownItems(window, "SqList"), (Entries{"0300000094", "2500000094", "2500000094", "3100000007"}));
    click(window, "bFinish");
    EXPECT_EQ(shownItems(main.get(), "lPlaneSq"), expected);
    EXPECT_EQ(labelText(main.get(), "labCountPlaneSq"), QStringLiteral("4"));
}

} // namespace
