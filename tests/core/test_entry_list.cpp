#include "core/entry_list.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

namespace {

using veq::Entries;
using veq::EntryList;

// The rule as the main window states it: scan from the end, stop at an equal
// item (skip) or at the first item that sorts before the new one.
Entries addLiterally(Entries list, const std::string& item, bool allowDuplicates)
{
    std::size_t i = list.size();
    bool found = false;
    while (i > 0) {
        const std::string& e = list[i - 1];
        if (!allowDuplicates && e == item) {
            found = true;
            break;
        }
        if (item > e || (allowDuplicates && item == e))
            break;
        --i;
    }
    if (!found)
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), item);
    return list;
}

TEST(EntryList, AddSkipsExactDuplicatesOnly)
{
    EntryList list;
    EXPECT_TRUE(list.add("03010714"));
    EXPECT_FALSE(list.add("03010714"));
    EXPECT_TRUE(list.add("0301071a"));
    EXPECT_TRUE(list.add("0301071A"));
    EXPECT_TRUE(list.add("03010700"));
    EXPECT_EQ(list.items(), (Entries{"03010700", "03010714", "0301071A", "0301071a"}));
}

TEST(EntryList, OrderIsByCharacterCodeNotLocale)
{
    EntryList list;
    for (const char* item : {"b", "B", "a", "_", "A", "0"})
        list.add(item);
    EXPECT_EQ(list.items(), (Entries{"0", "A", "B", "_", "a", "b"}));
}

TEST(EntryList, DuplicatesAllowedKeepsEveryCopy)
{
    EntryList list(true);
    list.add("25");
    list.add("25");
    list.add("10");
    EXPECT_EQ(list.items(), (Entries{"10", "25", "25"}));
}

enum class Order { Ascending, Descending, Random };

class BulkAdd : public ::testing::TestWithParam<std::tuple<Order, bool>> {};

TEST_P(BulkAdd, EqualsAddingOneByOne)
{
    const auto [order, allowDuplicates] = GetParam();
    std::mt19937 random(42);
    Entries start;
    Entries incoming;
    for (int i = 0; i < 400; ++i)
        start.push_back(veq::ByteToStr(static_cast<std::uint8_t>(random() % 64)) + "0000");
    for (int i = 0; i < 600; ++i)
        incoming.push_back(veq::ByteToStr(static_cast<std::uint8_t>(random() % 96)) + "0000");
    if (order == Order::Ascending)
        std::sort(incoming.begin(), incoming.end());
    if (order == Order::Descending)
        std::sort(incoming.rbegin(), incoming.rend());

    Entries expected;
    for (const auto& item : start)
        expected = addLiterally(expected, item, allowDuplicates);
    for (const auto& item : incoming)
        expected = addLiterally(expected, item, allowDuplicates);

    EntryList bulk(allowDuplicates);
    bulk.assign(start);
    bulk.addMany(incoming);
    EXPECT_EQ(bulk.items(), expected);

    EntryList single(allowDuplicates);
    for (const auto& item : start)
        single.add(item);
    for (const auto& item : incoming)
        single.add(item);
    EXPECT_EQ(single.items(), expected);
}

INSTANTIATE_TEST_SUITE_P(Orders, BulkAdd,
                         ::testing::Combine(::testing::Values(Order::Ascending, Order::Descending, Order::Random),
                                            ::testing::Bool()));

TEST(EntryList, RemoveAtTakesExactlyThePositionsGiven)
{
    EntryList list(true);
    list.assign({"a", "b", "c", "d", "e", "f"});
    list.removeAt({5, 0, 2, 2});
    EXPECT_EQ(list.items(), (Entries{"b", "d", "e"}));
    list.removeAt({});
    EXPECT_EQ(list.size(), 3u);
    list.removeAt({0, 1, 2});
    EXPECT_TRUE(list.empty());
}

} // namespace
