#include "core/copy_reader.h"
#include "tests/kit/cli.h"
#include "tests/windows/main_window_fixture.h"
#include "ui/data_directory.h"

#include <array>

using veq::Entries;
using veq::ListId;
using Args = std::vector<std::string>;

namespace {

using kit::veq;

TEST_F(MainWindow, CommandsWriteTheBytesTheirWindowWrites)
{
    const std::string here = folder.path().string(), squadron = here + "/squadron.dat";
    // The window's steps and veq's arguments ("F": the file) make the same bytes (that dump and build give
    // them back is the round trip's test, cli_round_trip).
    const auto expectSame = [&](ListId id, const Args& steps, Args args) {
        SCOPED_TRACE(steps[0]);
        const std::string name(veq::dataKind(id).fileName);
        const std::string file = here + "/" + name;
        const std::string out = here + "/out" + steps[0] + name;
        read(id, kit::randomEntries(id, 200, 7, false));
        // Read asks for the kind's file in the simulation's folder; the count is the list's.
        EXPECT_EQ(dialogs.asked.back().suggestedName, QString::fromStdString(name));
        EXPECT_EQ(dialogs.asked.back().initialDirectory, simulationDataDirectory());
        EXPECT_EQ(kit::text(window.get(), controls(id).count), QString::number(shown(id).size()));
        kit::drive(dialogs, steps);
        kit::drive(dialogs, {"@" + out, controls(id).write});
        std::replace(args.begin(), args.end(), std::string("F"), file);
        EXPECT_EQ(veq(args).status, 0);
        EXPECT_EQ(kit::readFile(file), kit::readFile(out));
    };
    for (ListId id : veq::kAllLists) {
        const Entries others = kit::randomEntries(id, 60, 8);
        const std::string other = here + "/other.dat", plane(veq::planeIdOf(id, others[0]));
        const std::string typed = std::array{"0301071a", "03011804-0301081a", "2a0000009b"}[veq::slotOf(id)];
        kit::writeFile(other, kit::dataImage(id, others));
        expectSame(id, {controls(id).add, "tAddFilelistText=" + typed, "bAddFileListEntry", "bFileListEntryFinish"},
                   {"add", "F", typed});
        expectSame(id, {controls(id).copy, "tCopyPlaneId=" + plane, "@" + other, "bCopyAdd", "bCopyFinish"},
                   {"copy", "F", "--from", other, "--plane", plane});
    }
    kit::writeFile(folder / "030a0b0c.BMP", {1});
    kit::SquadronBuilder squadrons;
    squadrons.record(0x94, 1, {0x25, 0x01, 0x25});
    kit::writeFile(squadron, squadrons.image());
    expectSame(ListId::FileList, {"bExtra", "DirExtra=" + here, "bCheck", "Command1"},
               {"extra", "--filelist", "F", here, "--add"});
    expectSame(ListId::PlaneSq, {"bAuoGen", "@" + squadron, "bOpenSq", "bFinish"},
               {"autogen", squadron, "--into", "F"});
}

TEST_F(MainWindow, OpensTheFilesItIsGivenByTheirNames)
{
    const QString notes = QString::fromStdString((folder / "notes.txt").string());
    kit::writeFile(folder / "notes.txt", kit::dataImage(ListId::Except, {"03011804 ======> 03010814"}));
    kit::writeFile(folder / "Mod_PlaneSq.DAT", kit::dataImage(ListId::PlaneSq, {"2500000094"}));
    window->openFiles({notes, QString::fromStdString((folder / "Mod_PlaneSq.DAT").string())});
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("notes.txt")) && shown(ListId::Except).empty());
    EXPECT_EQ(shown(ListId::PlaneSq), Entries{"2500000094"});
}

} // namespace
