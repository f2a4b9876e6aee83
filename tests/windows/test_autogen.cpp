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

    // A refusal keeps the list; "Open Pilot File -->" does nothing at all.
    dialogs.answer({});
    kit::click(autoGen, "bOpenSq");
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("File not Selected"));
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

} // namespace
