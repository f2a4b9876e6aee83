#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/data_text.h"
#include "tests/kit/files.h"

#include <algorithm>
#include <optional>
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
        const std::string named =
            std::string(kind == ListId::Except ? "an " : "a ") + std::string(veq::dataKind(kind).fileName);
        EXPECT_TRUE(image.size() < veq::kFrameSize || file.reason().find(named) != std::string::npos) << file.reason();
    }
}

// The writer's room, and its last guard: an entry it could not write as it stands.
TEST_P(EachKind, WriterTakes32767EntriesAndNoMoreAndNothingThatIsNoEntry)
{
    const ListId kind = GetParam();
    veq::ConversionBuffer buf{};
    Entries full = kit::randomEntries(kind, 32767, 4);
    std::sort(full.begin(), full.end());
    auto largest = veq::buildDataFile(kind, {}, full, buf);
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->size(), veq::largestDataFile(kind));
    full.push_back(full.back());
    EXPECT_FALSE(veq::buildDataFile(kind, {}, full, buf));
    const std::string spoilt = full[0].substr(0, 2) + "zz" + full[0].substr(4);
    EXPECT_TRUE(kit::mentions(kit::refusal(veq::buildDataFile(kind, {}, {full[1], spoilt}, buf)), spoilt));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EachKind, ::testing::ValuesIn(veq::kAllLists));

// A file whose length is more than its frame and the records its count says:
// read as the count says, with what lies after the records and the kind whose
// records the length fits, if one does.
TEST(DataFile, BytesAfterTheCountedRecordsAreMeasuredAndTheKindTheyFitNamed)
{
    const Entries parts = kit::randomEntries(ListId::FileList, 24, 1);
    const Entries pairs = kit::randomEntries(ListId::Except, 24, 2);
    const Entries planes = kit::randomEntries(ListId::PlaneSq, 24, 3);
    Bytes threeMore = kit::dataImage(ListId::FileList, parts);
    threeMore.insert(threeMore.end(), {1, 2, 3});
    const struct {
        Bytes image;
        ListId readAs;
        std::size_t entries;
        std::uint64_t after;
        std::optional<ListId> looksLike;
    } cases[] = {
        {kit::dataImage(ListId::FileList, parts), ListId::FileList, 24, 0, std::nullopt},
        {kit::dataImage(ListId::Except, pairs), ListId::FileList, 24, 96, ListId::Except},
        {kit::dataImage(ListId::PlaneSq, planes), ListId::FileList, 24, 24, ListId::PlaneSq},
        {kit::dataImage(ListId::Except, pairs), ListId::PlaneSq, 24, 72, ListId::Except},
        // A count of zero or less reads no records; 0x8000 is a negative count.
        {kit::dataImage(ListId::FileList, {parts[0]}, -5), ListId::FileList, 0, 4, std::nullopt},
        {kit::dataImage(ListId::FileList, {}, 0), ListId::FileList, 0, 0, std::nullopt},
        {kit::dataImage(ListId::PlaneSq, planes, 0x8000), ListId::PlaneSq, 0, 120, std::nullopt},
        {kit::dataImage(ListId::Except, pairs, 2), ListId::Except, 2, 176, std::nullopt},
        {threeMore, ListId::FileList, 24, 3, std::nullopt},
    };
    for (const auto& [image, readAs, entries, after, looksLike] : cases) {
        SCOPED_TRACE(testing::Message() << image.size() << " bytes as " << veq::dataKind(readAs).fileName);
        veq::ConversionBuffer buf{};
        const auto file = veq::parseDataFile(image, readAs, buf);
        ASSERT_TRUE(file) << file.reason();
        EXPECT_EQ(file->entries.size(), entries);
        EXPECT_EQ(file->bytesAfterRecords, after);
        EXPECT_EQ(file->looksLike, looksLike);
        // Said in a clause that gives the bytes and the kind, or nothing at all.
        const std::string said = file->afterRecords();
        EXPECT_EQ(said.empty(), after == 0) << said;
        EXPECT_TRUE(after == 0 || said.find(std::to_string(after) + " byte") != std::string::npos) << said;
        EXPECT_EQ(said.find(".dat") != std::string::npos, looksLike.has_value()) << said;
        if (looksLike) {
            EXPECT_NE(said.find(veq::dataKind(*looksLike).fileName), std::string::npos) << said;
        }
    }
}

// The reader takes no more than the largest file of its kind, but the bytes
// after the records are measured on the disk.
TEST(DataFile, ALoadedFileMeasuresWhatLiesAfterTheBytesItReads)
{
    kit::TempFolder folder;
    const Entries pairs = kit::randomEntries(ListId::Except, 32767, 6);
    kit::writeFile(folder / "x_filelist.dat", kit::dataImage(ListId::Except, pairs, 32767));
    veq::ConversionBuffer buf{};
    const auto file = veq::loadDataFile(folder / "x_filelist.dat", ListId::FileList, buf);
    ASSERT_TRUE(file) << file.reason();
    EXPECT_EQ(file->bytesAfterRecords, 32767u * 4);
    EXPECT_EQ(file->looksLike, ListId::Except);
}

TEST(DataText, TakesEntriesAsLinesAreTakenAndNamesARefusedLineByItsNumberBlankLinesCounted)
{
    const struct {
        ListId kind;
        std::string text;
        Entries entries;
        std::string refusal; // its start; empty: taken
    } cases[] = {
        {ListId::FileList,
         "header1 " + std::string(40, 'a') + "\r\n0301071a\r\n\n03010714",
         {"0301071A", "03010714"},
         ""},
        {ListId::Except,
         "03011804-03010814\n03011804 ======> 0301081F\n",
         {"03011804 ======> 03010814", "03011804 ======> 0301081F"},
         ""},
        {ListId::FileList, "0301071a\r\n\nheader2 00\n", {}, "line 3 "},
        {ListId::PlaneSq, "2500000094\n\n25FFFFFF94\n", {}, "line 3, "},
    };
    for (const auto& [kind, text, entries, refusal] : cases) {
        const auto parsed = veq::parseDataText(kind, text);
        ASSERT_EQ(parsed.ok(), refusal.empty()) << text;
        if (parsed) {
            EXPECT_EQ(parsed->entries, entries);
        } else {
            EXPECT_TRUE(parsed.reason().starts_with(refusal)) << parsed.reason();
        }
    }
    EXPECT_EQ(veq::parseDataText(ListId::FileList, "header1 " + std::string(40, 'a'))->headers.header1[19], 0xAA);
}

} // namespace
