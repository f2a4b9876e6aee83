#include "core/data_file.h"
#include "core/entry_list.h"

#include <random>

#include <gtest/gtest.h>

namespace {

using veq::Bytes;
using veq::ConvBuf;
using veq::DataFileHeaders;
using veq::Entries;
using veq::RecordKind;

DataFileHeaders patternedHeaders(std::uint8_t seed)
{
    DataFileHeaders headers;
    for (std::size_t i = 0; i < headers.header1.size(); ++i)
        headers.header1[i] = static_cast<std::uint8_t>(seed + i * 3);
    for (std::size_t i = 0; i < headers.header2.size(); ++i)
        headers.header2[i] = static_cast<std::uint8_t>(seed * 5 + i);
    return headers;
}

// A file image made by hand: headers, a count and raw records.
Bytes image(std::int16_t count, const Bytes& records, const DataFileHeaders& headers = {})
{
    Bytes bytes(headers.header1.begin(), headers.header1.end());
    bytes.push_back(static_cast<std::uint8_t>(count & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((count >> 8) & 0xFF));
    bytes.insert(bytes.end(), headers.header2.begin(), headers.header2.end());
    bytes.insert(bytes.end(), records.begin(), records.end());
    return bytes;
}

Bytes records(const Bytes& image) { return Bytes(image.begin() + 100, image.end()); }

Entries written(RecordKind kind, const Entries& list)
{
    ConvBuf buf{};
    auto file = veq::buildDataFile(kind, {}, list, buf);
    EXPECT_TRUE(file.ok()) << (file.ok() ? "" : file.reason());
    auto back = veq::parseDataFile(*file, kind, buf);
    EXPECT_TRUE(back.ok());
    return back->entries;
}

TEST(PartPrefix, FortyFiveRowsEndingIn03FF)
{
    const auto& table = veq::partPrefixTable();
    EXPECT_EQ(table.size(), 45u);
    EXPECT_EQ(table[0], "0300");
    EXPECT_EQ(table[10], "030A");
    EXPECT_EQ(table[43], "032B");
    EXPECT_EQ(table[44], "03FF");
}

TEST(FileListWriter, GroupsByPrefixWithHighThirdPairsFirst)
{
    EXPECT_EQ(written(RecordKind::FileList, {"03000112", "03000A01", "03001005", "03010714"}),
              (Entries{"03001005", "03000112", "03000A01", "03010714"}));
    // 10 belongs to the first pass, 0F to the second.
    EXPECT_EQ(written(RecordKind::FileList, {"03000F00", "03001000"}), (Entries{"03001000", "03000F00"}));
    // Table order, not list order: 03FF comes after 032B.
    EXPECT_EQ(written(RecordKind::FileList, {"03FF0000", "032B0000", "03000000"}),
              (Entries{"03000000", "032B0000", "03FF0000"}));
}

TEST(FileListWriter, PrefixesOutsideTheTableFollowItAndAreNeverLost)
{
    const Entries list{"01000000", "032C0000", "0400100A", "04000000", "03FF0001", "0300AA00"};
    EXPECT_EQ(written(RecordKind::FileList, list),
              (Entries{"0300AA00", "03FF0001", "01000000", "032C0000", "0400100A", "04000000"}));
}

struct RoundTrip {
    RecordKind kind;
    Entries list; // sorted, as the list shows it
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, HeadersAndRecordsSurviveByteForByte)
{
    const auto& [kind, list] = GetParam();
    const DataFileHeaders headers = patternedHeaders(17);
    ConvBuf buf{};
    auto first = veq::buildDataFile(kind, headers, list, buf);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first->size(), 100 + list.size() * veq::recordSize(kind));

    auto read = veq::parseDataFile(*first, kind, buf);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->headers, headers);
    EXPECT_EQ(read->recordCount, static_cast<std::int16_t>(list.size()));

    veq::EntryList shown;
    shown.assign(read->entries);
    EXPECT_EQ(shown.items(), list);
    auto second = veq::buildDataFile(kind, read->headers, shown.items(), buf);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(*second, *first);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RoundTripTest,
                         ::testing::Values(RoundTrip{RecordKind::FileList,
                                                     {"03000112", "03000A01", "03001005", "03010714", "03FFFFFF"}},
                                           RoundTrip{RecordKind::Except,
                                                     {"03010714 ======> 03000000", "03011804 ======> 03010814",
                                                      "03011804 ======> 03010815"}},
                                           RoundTrip{RecordKind::PlaneSq, {"0100000001", "2500000094", "FF000000FF"}},
                                           RoundTrip{RecordKind::FileList, {}}));

TEST(Records, LayoutsOnDisk)
{
    ConvBuf buf{};
    auto except =
        veq::parseDataFile(image(1, {0x04, 0x18, 0x01, 0x03, 0x14, 0x08, 0x01, 0x03}), RecordKind::Except, buf);
    ASSERT_TRUE(except.ok());
    EXPECT_EQ(except->entries, (Entries{"03011804 ======> 03010814"}));

    auto plane =
        veq::parseDataFile(image(2, {0x25, 0xAA, 0xBB, 0xCC, 0x94, 0x25, 0, 0, 0, 0x94}), RecordKind::PlaneSq, buf);
    ASSERT_TRUE(plane.ok());
    EXPECT_EQ(plane->entries, (Entries{"2500000094", "2500000094"}));
    auto back = veq::buildDataFile(RecordKind::PlaneSq, {}, {"2500000094"}, buf);
    EXPECT_EQ(records(*back), (Bytes{0x25, 0, 0, 0, 0x94}));

    auto list = veq::parseDataFile(image(1, {0x14, 0x07, 0x01, 0x03}), RecordKind::FileList, buf);
    EXPECT_EQ(list->entries, (Entries{"03010714"}));
    EXPECT_EQ(buf, (ConvBuf{0x14, 0x01, 0x07, 0x03})) << "the buffer holds the last record read";
}

TEST(Reader, CountOfZeroOrLessReadsNoRecordsButKeepsHeaders)
{
    ConvBuf buf{};
    const DataFileHeaders headers = patternedHeaders(3);
    for (std::int16_t count : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{-32768}}) {
        auto file = veq::parseDataFile(image(count, {1, 2, 3, 4}, headers), RecordKind::FileList, buf);
        ASSERT_TRUE(file.ok()) << count;
        EXPECT_TRUE(file->entries.empty());
        EXPECT_EQ(file->headers, headers);
        EXPECT_EQ(file->recordCount, count);
    }
}

TEST(Reader, BytesAfterTheCountedRecordsAreIgnored)
{
    ConvBuf buf{};
    auto file = veq::parseDataFile(image(1, {0x14, 0x07, 0x01, 0x03, 0xFF, 0xFF}), RecordKind::FileList, buf);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file->entries, (Entries{"03010714"}));
}

struct Damaged {
    const char* name;
    RecordKind kind;
    Bytes bytes;
    const char* says;
};

class DamagedFile : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedFile, IsRefusedWithAReason)
{
    ConvBuf buf{};
    auto file = veq::parseDataFile(GetParam().bytes, GetParam().kind, buf);
    ASSERT_FALSE(file.ok());
    EXPECT_NE(file.reason().find(GetParam().says), std::string::npos) << file.reason();
}

Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, DamagedFile,
    ::testing::Values(
        Damaged{"empty", RecordKind::FileList, {}, "0 bytes"},
        Damaged{"99 bytes", RecordKind::Except, Bytes(99, 0), "99 bytes"},
        Damaged{"header only, count 1", RecordKind::FileList, image(1, {}), "claims 1 records"},
        Damaged{"one record too many", RecordKind::Except, image(2, Bytes(15, 0)), "holds only 1"},
        Damaged{"count 32767, few records", RecordKind::PlaneSq, image(32767, Bytes(50, 0)), "holds only 10"},
        Damaged{"last record cut", RecordKind::PlaneSq, cut(image(3, Bytes(15, 0)), 114), "holds only 2"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(Writer, RefusesWhatCannotBeWrittenNamingTheEntry)
{
    ConvBuf buf{};
    struct Case {
        RecordKind kind;
        Entries list;
        const char* names;
    };
    for (const Case& c : {Case{RecordKind::FileList, {"03010714", "0301071G"}, "0301071G"},
                          Case{RecordKind::FileList, {"031.BMP"}, "031.BMP"},
                          Case{RecordKind::Except, {"0301180X ======> 03010814"}, "0301180X"},
                          Case{RecordKind::Except, {"03011804 ======> 0301081Z"}, "0301081Z"},
                          Case{RecordKind::PlaneSq, {"2G00000094"}, "2G00000094"},
                          Case{RecordKind::PlaneSq, {"25000000"}, "25000000"}}) {
        auto file = veq::buildDataFile(c.kind, {}, c.list, buf);
        ASSERT_FALSE(file.ok()) << c.names;
        EXPECT_NE(file.reason().find(c.names), std::string::npos) << file.reason();
    }
    // Characters the writer does not convert are not checked.
    EXPECT_TRUE(veq::buildDataFile(RecordKind::PlaneSq, {}, {"25xxxxxx94"}, buf).ok());
    EXPECT_TRUE(veq::buildDataFile(RecordKind::Except, {}, {"03011804-+-+-+-+-03010814"}, buf).ok());
}

TEST(Writer, SixteenBitCountLimit)
{
    ConvBuf buf{};
    Entries list;
    for (int i = 0; i < 32768; ++i)
        list.push_back(veq::planeSqText(static_cast<std::uint8_t>(i / 256), static_cast<std::uint8_t>(i % 256)));
    auto tooMany = veq::buildDataFile(RecordKind::PlaneSq, {}, list, buf);
    ASSERT_FALSE(tooMany.ok());
    EXPECT_NE(tooMany.reason().find("32767"), std::string::npos);

    list.pop_back();
    auto atLimit = veq::buildDataFile(RecordKind::PlaneSq, {}, list, buf);
    ASSERT_TRUE(atLimit.ok());
    EXPECT_EQ(atLimit->size(), 100u + 32767u * 5u);
    auto back = veq::parseDataFile(*atLimit, RecordKind::PlaneSq, buf);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->recordCount, 32767);
    EXPECT_EQ(back->entries, list);
}

TEST(FileListWriter, RecordOrderMatchesTheTwoPassTableWalk)
{
    // The table walk as the writer describes it, item by item, against the bucketed version.
    std::mt19937 random(7);
    Entries list;
    for (int i = 0; i < 3000; ++i) {
        const std::uint8_t second = random() % 3 == 0 ? 0xFF : static_cast<std::uint8_t>(random() % 0x30);
        list.push_back("03" + veq::ByteToStr(second) + veq::ByteToStr(static_cast<std::uint8_t>(random())) +
                       veq::ByteToStr(static_cast<std::uint8_t>(random())));
    }
    veq::EntryList sorted;
    sorted.assign(list);

    Entries expected;
    ConvBuf buf{};
    for (const std::string& prefix : veq::partPrefixTable())
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& s : sorted.items()) {
                veq::StrToBytes(s, buf);
                if (s.substr(0, 4) == prefix && (pass == 0 ? buf[2] >= 0x10 : buf[2] < 0x10))
                    expected.push_back(s);
            }
    Entries outside;
    for (const auto& s : sorted.items())
        if (std::find(veq::partPrefixTable().begin(), veq::partPrefixTable().end(), s.substr(0, 4)) ==
            veq::partPrefixTable().end())
            outside.push_back(s);
    for (const auto& prefix : std::vector<std::string>{"032C", "032D", "032E", "032F"})
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& s : outside) {
                veq::StrToBytes(s, buf);
                if (s.substr(0, 4) == prefix && (pass == 0 ? buf[2] >= 0x10 : buf[2] < 0x10))
                    expected.push_back(s);
            }
    EXPECT_EQ(veq::fileListRecordOrder(sorted.items()), expected);
}

} // namespace
