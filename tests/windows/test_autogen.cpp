#include "tests/windows/main_window_fixture.h"
#include "ui/data_directory.h"

using veq::Entries;
using veq::ListId;

namespace {

TEST_F(MainWindow, AutoGenListsEveryPlaneEntryAndFinishAddsEachOnce)
{
    kit::SquadronBuilder squadrons;
    squadrons.record(0x94, 2, {0x25, 0x26, 0x25});
    squadrons.record(0x95, 0, {});
    squadrons.record(0x94, 1, {0x25, 0x01});
    kit::writeFile(folder / "squadron.dat", squadrons.image());
    kit::SquadronBuilder damaged;
    damaged.record(0x01, 0, {0x02}, 3);
    kit::writeFile(folder / "damaged.dat", damaged.image());
    window->AddListItems({"2500000094"}, ListId::PlaneSq);

    kit::click(window.get(), "bAuoGen");
    QWidget* autoGen = kit::topLevel("fAutoGen");
    ASSERT_TRUE(autoGen->isVisible() && !window->isVisible());
    dialogs.answer(QString::fromStdString((folder / "squadron.dat").string()));
    kit::click(autoGen, "bOpenSq");
    EXPECT_EQ(dialogs.asked.back().suggestedName, QStringLiteral("squadron.dat"));
    EXPECT_EQ(dialogs.asked.back().initialDirectory, simulationDataDirectory());
    const std::vector<std::string> listed{"0100000094", "2500000094", "2500000094", "2500000094", "2600000094"};
    EXPECT_EQ(kit::items(autoGen, "SqList"), listed);

    // Refusals keep the list; "Open Pilot File -->" does nothing at all.
    dialogs.answer({});
    kit::click(autoGen, "bOpenSq");
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("File not Selected"));
    dialogs.answer(QString::fromStdString((folder / "damaged.dat").string()));
    kit::click(autoGen, "bOpenSq");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("record 1"))) << kit::shownMessage().toStdString();
    const auto asked = dialogs.asked.size();
    kit::click(autoGen, "Command1");
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_EQ(kit::items(autoGen, "SqList"), listed);

    // The removed item does not reach the main list; the rest do, once each.
    kit::selectRows(kit::find<QListView>(autoGen, "SqList"), {4});
    kit::click(autoGen, "Command2");
    kit::click(autoGen, "bFinish");
    EXPECT_TRUE(window->isVisible() && !autoGen->isVisible());
    EXPECT_EQ(shown(ListId::PlaneSq), (Entries{"0100000094", "2500000094"}));
    EXPECT_EQ(kit::text(window.get(), "labCountPlaneSq"), QStringLiteral("2"));

    // The list outlives "Cancel" and "Finish".
    kit::click(window.get(), "bAuoGen");
    kit::click(autoGen, "Command3");
    kit::click(window.get(), "bAuoGen");
    EXPECT_EQ(kit::items(autoGen, "SqList").size(), 4u);
}

TEST_F(MainWindow, ToolWindowsLeaveByCancelEscapeOrTheirFrameAndHandNothingOver)
{
    window->AddListItems({"03010714"}, ListId::FileList);
    window->AddListItems({"03010714 ======> 03010715"}, ListId::Except);
    const struct {
        const char *launcher, *name, *cancel;
    } tools[] = {{"bAddPlaneSq", "fFileListAdd", "bFileListEntryCancel"},
                 {"bCopyPlaneSq", "fCopy", "bCopyCancel"},
                 {"bAuoGen", "fAutoGen", "Command3"},
                 {"bMissing", "Missing", "breportCancel"},
                 {"bExtra", "fExtra", "bCancel"}};
    for (const auto& [launcher, name, cancel] : tools) {
        for (int way = 0; way < 3; ++way) {
            kit::click(window.get(), launcher);
            QWidget* tool = kit::topLevel(name);
            ASSERT_TRUE(tool->isVisible() && !window->isVisible()) << name;
            QTest::keyClick(tool, Qt::Key_A);
            ASSERT_TRUE(tool->isVisible()) << name;
            if (way == 0)
                kit::click(tool, cancel);
            else if (way == 1)
                QTest::keyClick(tool, Qt::Key_Escape);
            else
                tool->close();
            EXPECT_TRUE(window->isVisible() && !tool->isVisible()) << name << " way " << way;
        }
    }
    EXPECT_TRUE(shown(ListId::PlaneSq).empty());
}

} // namespace
