#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/data_text.h"
#include "tests/kit/files.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

using veq::Bytes;
using veq::Entries;
using veq::ListId;

namespace {

// The file-list writer's order walked as plainly as it can be: each row of the
// prefix table, then each other prefix in ascending order, and for each two
// passes over the list.
Entries fileListOrderByTableWalk(const Entries& list)
{
    std::vector<std::string> prefixes;
    for (unsigned row = 0; row <= 0x2B; ++row)
        prefixes.push_back("03" + kit::hex2(row));
    prefixes.push_back("03FF");
    std::set<std::string> others;
    for (const auto& entry : list)
        if (std::find(prefixes.begin(), prefixes.end(), entry.substr(0, 4)) == prefixes.end())
            others.insert(entry.substr(0, 4));
    prefixes.insert(prefixes.end(), others.begin(), others.end());

    Entries order;
    for (const auto& row : prefixes)
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& entry : list)
                if (entry.substr(0, 4) == row && (std::stoi(entry.substr(4, 2), nullptr, 16) >= 0x10) == (pass == 0))
                    order.push_back(entry);
    return order;
}

class EachKind : public ::testing::TestWithParam<ListId> {};

TEST_P(EachKind, ReadsEveryRecordAndWritesTheSortedListBackByteForByte)
{
    const ListId kind = GetParam();
    Entries records = kit::randomEntries(kind, 2000, 11, false);
    const Bytes image = kit::dataImage(kind, records);
    veq::ConversionBuffer buf{};
    auto file = veq::parseDataFile(image, kind, buf);
    ASSERT_TRUE(file) << file.reason();
    EXPECT_EQ(file->entries, records);

    const std::set<std::string> sorted(records.begin(), records.end());
    const Entries list(sorted.begin(), sorted.end());
    auto written = veq::buildDataFile(kind, file->headers, list, buf);
    ASSERT_TRUE(written) << written.reason();
    // The headers read come back too: the kit's image has the same ones.
    Bytes expected = kit::dataImage(kind, kind == ListId::FileList ? fileListOrderByTableWalk(list) : list);
    if (kind == ListId::PlaneSq)
        for (std::size_t at = 101; at < expected.size(); at += 5)
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(at), 3, 0);
    EXPECT_EQ(*written, expected);
}

TEST_P(EachKind, CountOfZeroOrLessReadsNoRecordsAndBytesAfterTheCountAreIgnored)
{
    const ListId kind = GetParam();
    const Entries records = kit::randomEntries(kind, 5, 3);
    veq::ConversionBuffer buf{};
    for (int count : {0, -1, 0x8000})
        EXPECT_TRUE(veq::parseDataFile(kit::dataImage(kind, records, count), kind, buf)->entries.empty());
    EXPECT_EQ(veq::parseDataFile(kit::dataImage(kind, records, 2), kind, buf)->entries, Entries(records.begin(), records.begin() + 2));
}

TEST_P(EachKind, DamagedImagesAreRefusedByEveryReaderWithWhatIsWrong)
{
    const ListId kind = GetParam();
    const Bytes whole = kit::dataImage(kind, kit::randomEntries(kind, 3, 5));
    const struct {
        Bytes image;
        const char* says;
    } damaged[] = {
        {{}, "0 bytes long"},
        {Bytes(whole.begin(), whole.begin() + 1), "1 byte long"},
        {Bytes(whole.begin(), whole.begin() + 99), "99 bytes long"},
        {Bytes(whole.begin(), whole.end() - 1), "claims 3 records but the file holds only 2"},
        {kit::dataImage(kind, {}, 1), "claims 1 record but the file holds only 0"},
        {kit::dataImage(kind, {}, 32767), "claims 32767 records"},
    };
    for (const auto& [image, says] : damaged) {
        veq::ConversionBuffer buf{};
        auto file = veq::parseDataFile(image, kind, buf);
        ASSERT_FALSE(file);
        EXPECT_NE(file.reason().find(says), std::string::npos) << file.reason();
        EXPECT_FALSE(veq::copyEntries(image, kind, "01"));
        const std::string named = std::string(kind == ListId::Except ? "an " : "a ") + veq::dataFileName(kind);
        EXPECT_TRUE(image.size() < veq::kFrameSize || file.reason().find(named) != std::string::npos) << file.reason();
    }
}

TEST_P(EachKind, WriterRefusesUnwritableEntriesAndMoreThan32767)
{
    const ListId kind = GetParam();
    const std::string good = kit::randomEntries(kind, 1, 9).front();
    // A wrong digit first in the first id or pair, or first in the last; a plane-squadron entry's middle is free.
    std::string badFirst = good, badLast = good, middle = good;
    badFirst.front() = 'G';
    badLast[good.size() - 2] = 'x';
    const std::pair<std::string, bool> cases[] = {
        {good, true},      {good + "0", false}, {good.substr(1), false},
        {badFirst, false}, {badLast, false},    {"", false},
        {middle.replace(2, 6, "zzzzzz"), kind == ListId::PlaneSq}};
    for (const auto& [entry, writable] : cases)
        EXPECT_EQ(veq::checkWritable(kind, entry).ok(), writable) << entry;

    veq::ConversionBuffer buf{};
    auto refused = veq::buildDataFile(kind, {}, {good, badFirst}, buf);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.reason().find(badFirst), std::string::npos);

    Entries full = kit::randomEntries(kind, 32767, 4);
    std::sort(full.begin(), full.end());
    auto largest = veq::buildDataFile(kind, {}, full, buf);
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->size(), veq::largestDataFile(kind));
    full.push_back(full.back());
    EXPECT_FALSE(veq::buildDataFile(kind, {}, full, buf));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EachKind, ::testing::ValuesIn(veq::kAllLists));

TEST(DataText, EntriesAreUpperCasedAndARefusedHeaderIsNamedByItsLineBlankLinesCounted)
{
    const auto refused = veq::parseDataText("0301071a\r\n\nheader2 00\n");
    EXPECT_TRUE(!refused && refused.reason().starts_with("line 3 ")) << refused.reason();
    EXPECT_EQ(veq::parseDataText("az09\n")->entries, Entries{"AZ09"});
}

} // namespace
