#include "core/entry_list.h"
#include "core/history.h"
#include "tests/kit/files.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

using veq::Entries;

namespace {

// The main lists' rule as plainly as it can be said: scan back from the end
// for an equal item, stopping at the first smaller one; insert where it stopped.
Entries addOneByOne(Entries list, const Entries& items, bool duplicates)
{
    for (const auto& item : items) {
        std::size_t at = list.size();
        bool found = false;
        for (; at > 0; --at) {
            if (list[at - 1] == item && !duplicates) {
                found = true;
                break;
            }
            if (item >= list[at - 1])
                break;
        }
        if (!found)
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), item);
    }
    return list;
}

// Entries with repeats, many sharing their first eight characters, in no order, mixed case among them.
Entries shuffledWithRepeats(unsigned seed)
{
    Entries items = kit::randomEntries(veq::ListId::PlaneSq, 300, seed, false);
    items.insert(items.end(), items.begin(), items.begin() + 40);
    items.push_back("0301071a");
    items.push_back("0301071A");
    std::shuffle(items.begin(), items.end(), std::mt19937(seed));
    return items;
}

class EntryListRule : public ::testing::TestWithParam<bool> {};

TEST_P(EntryListRule, AddingAndBulkAddingGiveTheListOfAddingOneByOne)
{
    const bool duplicates = GetParam();
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const Entries items = shuffledWithRepeats(seed);
        const Entries expected = addOneByOne({}, items, duplicates);

        veq::EntryList single(duplicates);
        for (const auto& item : items) {
            const auto place = single.placeFor(item);
            const auto added = single.add(item);
            ASSERT_EQ(added, place);
            EXPECT_TRUE(!added || single.at(*added) == item) << item;
        }
        EXPECT_EQ(single.items(), expected);

        // In chunks, some sorted and some not, onto a list that holds some already.
        veq::EntryList bulk(duplicates);
        bulk.assign(Entries(items.begin(), items.begin() + 50));
        for (std::size_t from = 50; from < items.size(); from += 70) {
            Entries chunk(items.begin() + static_cast<std::ptrdiff_t>(from),
                          items.begin() + static_cast<std::ptrdiff_t>(std::min(from + 70, items.size())));
            if (from % 140 == 50)
                std::sort(chunk.begin(), chunk.end());
            bulk.addMany(chunk);
        }
        EXPECT_EQ(bulk.items(), expected);
    }
}

// Each bulk change, taken back and done again by flipping what it returned,
// which holds no more than the entries that went and a mark a row.
TEST_P(EntryListRule, EveryBulkChangeFlipsBackAndForthKeepingOnlyWhatChanged)
{
    const Entries start = shuffledWithRepeats(3);
    Entries mixed = shuffledWithRepeats(4);
    mixed.insert(mixed.end(), start.begin(), start.begin() + 100);
    const std::function<veq::EntryChange(veq::EntryList&)> changes[] = {
        [&](veq::EntryList& list) { return list.addMany(mixed); },
        [&](veq::EntryList& list) {
            return list.addMany({start[5], start[9]});
        },
        [&](veq::EntryList& list) { return list.assign(mixed); },
        [&](veq::EntryList& list) { return list.assign(start); },
        [](veq::EntryList& list) {
            return list.removeAt({0, 5, 6, list.size() - 1});
        }};
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        veq::EntryList list(GetParam());
        list.assign(start);
        const Entries before = list.items();
        veq::EntryChange change = changes[i](list);
        const Entries after = list.items();
        Entries gone;
        std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
        EXPECT_EQ(change.takenOut(), gone.size());
        EXPECT_EQ(change.broughtIn(), after.size() + gone.size() - before.size());
        EXPECT_LE(change.bytes(), sizeof change + gone.size() * 24 + after.size() / 8 + 32);
        for (int round = 0; round < 4; ++round) {
            list.flip(change);
            EXPECT_EQ(list.items(), round % 2 ? after : before);
        }
    }
}

struct SizedStep {
    char name;
    std::size_t size;
    [[nodiscard]] std::size_t bytes() const { return size; }
};

TEST(History, ForgetsTheOldestStepsOverItsBudgetButNeverTheLastOneDone)
{
    veq::History<SizedStep> history(100);
    auto ends = [&history] {
        return std::string{history.toUndo() ? history.toUndo()->name : '-',
                           history.toRedo() ? history.toRedo()->name : '-'};
    };
    for (char name : {'a', 'b', 'c', 'd'})
        history.push({name, 30});
    EXPECT_EQ(history.size(), 3u);                         // a went
    history.undo([](SizedStep& step) { step.size = 60; }); // d holds more now: b goes
    EXPECT_EQ(ends(), "cd");
    EXPECT_EQ(history.bytes(), 90u);
    history.push({'e', 500}); // d is forgotten, c goes for e's size, e stays
    EXPECT_EQ(ends(), "e-");
    EXPECT_EQ(history.size(), 1u);
    history.undo([](SizedStep&) {});
    history.undo([](SizedStep&) { FAIL(); });
    EXPECT_EQ(ends(), "-e");
    history.redo([](SizedStep&) {});
    EXPECT_EQ(ends(), "e-");
}

INSTANTIATE_TEST_SUITE_P(Duplicates, EntryListRule, ::testing::Bool());

} // namespace
