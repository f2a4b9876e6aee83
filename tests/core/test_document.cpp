#include "core/document.h"
#include "core/sentences.h"
#include "core/workspace.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using veq::Bytes;
using veq::Entries;
using veq::ListId;

namespace {

using kit::mentions;
using kit::refusal;

namespace fs = std::filesystem;

// The window's Write over a file read here: what it would lose unsaid (bytes
// after the records, another program's change) refuses once, and the second
// Write is the answer; a file deleted since is saved anew; a refusal a second
// Write cannot answer (a read-only file) does not ask for one.
TEST(Workspace, AWriteThatWouldLoseSomethingUnsaidRefusesOnceAndTheNextWriteIsTheAnswer)
{
    kit::TempFolder folder;
    const Entries parts = kit::randomEntries(ListId::FileList, 24, 3);
    const std::string again(veq::sentences::kWriteAgain);
    const struct {
        const char* what;
        Bytes image;
        std::function<void(const fs::path&)> meanwhile;
        std::string says; // the first Write's refusal holds it; empty: saved at once
        bool secondSaves;
    } cases[] = {
        {"bytes after",
         kit::dataImage(ListId::Except, kit::randomEntries(ListId::Except, 24, 4)),
         {},
         "96 bytes",
         true},
        {"changed", kit::dataImage(ListId::FileList, parts),
         [](const fs::path& file) { kit::writeFile(file, kit::dataImage(ListId::FileList, {"03FF0001"})); },
         veq::sentences::changedOnDisk(), true},
        {"deleted", kit::dataImage(ListId::FileList, parts), [](const fs::path& file) { fs::remove(file); }, "", true},
#ifndef _WIN32
        {"read-only", kit::dataImage(ListId::FileList, parts),
         [](const fs::path& file) { fs::permissions(file, fs::perms::owner_read); }, "read-only", false},
#endif
    };
    for (const auto& [what, image, meanwhile, says, secondSaves] : cases) {
        SCOPED_TRACE(what);
        const fs::path file = folder / (std::string(what) + "_filelist.dat");
        kit::writeFile(file, image);
        veq::Workspace workspace;
        const auto read = workspace.read(ListId::FileList, file);
        ASSERT_TRUE(read) << refusal(read);
        EXPECT_EQ(read->empty(), std::string(what) != "bytes after") << *read;
        if (meanwhile)
            meanwhile(file);
        const Bytes onDisk = fs::exists(file) ? kit::readFile(file) : Bytes{};
        const auto first = workspace.write(ListId::FileList, file);
        if (says.empty()) { // a file deleted since is saved at once, and said to be new
            EXPECT_EQ(first ? first->notice : refusal(first), veq::sentences::madeAnew(file));
        } else {
            EXPECT_TRUE(mentions(refusal(first), says)) << refusal(first);
            EXPECT_EQ(refusal(first).ends_with(again), secondSaves) << refusal(first);
            EXPECT_EQ(kit::readFile(file), onDisk);
            const auto second = workspace.write(ListId::FileList, file);
            EXPECT_EQ(second.ok(), secondSaves) << refusal(second);
        }
        EXPECT_TRUE(!secondSaves || kit::readFile(file).size() ==
                                        100u + 4 * std::as_const(workspace).document(ListId::FileList).list().size());
    }
}

// One history for the three lists: Undo takes back the last change made,
// whichever list it changed, and Redo does it again.
TEST(Workspace, OneHistoryTakesChangesBackAcrossTheListsInTheirOrderUnderTheirNames)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, {"03010714", "03000001"}));
    veq::Workspace workspace;
    using Lists = std::array<Entries, 3>;
    const auto lists = [&] {
        Lists held;
        for (ListId id : veq::kAllLists)
            held[veq::slotOf(id)] = std::as_const(workspace).document(id).list().items();
        return held;
    };
    std::vector<Lists> states{lists()};
    const std::vector<std::pair<ListId, std::string>> steps{
        {ListId::FileList, veq::sentences::readStep(folder / "filelist.dat", ListId::FileList)},
        {ListId::Except, veq::sentences::addStep("Add", 2, ListId::Except)},
        {ListId::PlaneSq, veq::sentences::addStep("Paste", 2, ListId::PlaneSq)},
        {ListId::FileList, veq::sentences::deleteStep(1, ListId::FileList)},
    };
    ASSERT_TRUE(workspace.read(ListId::FileList, folder / "filelist.dat"));
    states.push_back(lists());
    workspace.add(ListId::Except, {"03011804 ======> 03010814", "03011804 ======> 03010815"}, "Add");
    states.push_back(lists());
    ASSERT_TRUE(workspace.paste(ListId::PlaneSq, "2600000094\n2500000094\n2600000094"));
    states.push_back(lists());
    workspace.remove(ListId::FileList, {0});
    states.push_back(lists());
    EXPECT_EQ(lists()[0], Entries{"03010714"});

    for (std::size_t step = steps.size(); step-- > 0;) {
        EXPECT_EQ(workspace.undoName(), steps[step].second);
        const auto undone = workspace.undo();
        ASSERT_TRUE(undone);
        EXPECT_EQ(undone->list, steps[step].first);
        EXPECT_EQ(lists(), states[step]);
        EXPECT_EQ(workspace.redoName(), steps[step].second);
    }
    EXPECT_FALSE(workspace.undo());
    // A list whose only change was taken back shows no count again.
    EXPECT_FALSE(std::as_const(workspace).document(ListId::Except).touched());
    for (std::size_t step = 0; step < steps.size(); ++step) {
        ASSERT_TRUE(workspace.redo());
        EXPECT_EQ(lists(), states[step + 1]);
    }
    EXPECT_FALSE(workspace.redo());
    // A change after an undo goes another way: what was taken back is forgotten.
    ASSERT_TRUE(workspace.undo());
    workspace.add(ListId::FileList, {"03FF0001"}, "Copy");
    EXPECT_EQ(workspace.undoName(), veq::sentences::addStep("Copy", 1, ListId::FileList));
    EXPECT_EQ(workspace.redoName(), "");
}

TEST(Workspace, APasteWithALineThatIsNoEntryOrPastTheLimitAddsNothingAndSaysWhy)
{
    kit::TempFolder folder;
    const Entries all = kit::randomEntries(ListId::FileList, 32770, 9);
    const Entries held(all.begin(), all.begin() + 32762);
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, held));
    veq::Workspace workspace;

    // The line is quoted short, its control bytes escaped.
    const auto bad = workspace.paste(ListId::FileList, "03010714\n\nZZ\x01" + std::string(1'000'000, 'Z') + "\n");
    EXPECT_TRUE(mentions(refusal(bad), "line 3, \"ZZ\\x01Z") && refusal(bad).size() < 200) << refusal(bad);
    EXPECT_TRUE(std::as_const(workspace).document(ListId::FileList).list().empty());
    EXPECT_EQ(workspace.undoName(), "");

    ASSERT_TRUE(workspace.read(ListId::FileList, folder / "filelist.dat"));
    const std::string readStep = workspace.undoName();
    // Five fit; what the list holds already needs no room.
    std::string text = "  " + held[0] + "\t\r\n" + held[1] + "\n" + held[2] + "\n";
    for (std::size_t k = 32762; k < 32770; ++k)
        text += all[k] + "\n";
    const auto tooMany = workspace.paste(ListId::FileList, text);
    EXPECT_TRUE(mentions(refusal(tooMany), "5 more fit")) << refusal(tooMany);
    EXPECT_EQ(std::as_const(workspace).document(ListId::FileList).list().size(), held.size());
    EXPECT_EQ(workspace.undoName(), readStep);

    text.resize(text.size() - 3 * 9);
    const auto fits = workspace.paste(ListId::FileList, text);
    ASSERT_TRUE(fits) << refusal(fits);
    EXPECT_EQ(fits->size(), 8u);
    EXPECT_EQ(std::as_const(workspace).document(ListId::FileList).list().size(), 32767u);
}

} // namespace
