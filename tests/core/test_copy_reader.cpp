#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/file_io.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using veq::Bytes;
using veq::Entries;
using veq::ListId;

// A file image made by hand: patterned headers, a count and raw records.
Bytes image(std::int16_t count, const Bytes& records)
{
    Bytes bytes(veq::kFrameSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    bytes[20] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[21] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
    bytes.insert(bytes.end(), records.begin(), records.end());
    return bytes;
}

// Records of each kind, the texts the main reader makes of them, and which of
// them belong to plane 25. Matches are deliberately not in sorted order.
struct KindCase {
    const char* name;
    ListId id;
    Bytes records;
    Entries texts;
    Entries of25;
};

std::vector<KindCase> kindCases()
{
    return {
        {"FileList",
         veq::FileListId,
         {0xCD, 0xAB, 0x25, 0x01,  // 0125ABCD: plane 25 in the second pair
          0x00, 0x00, 0x01, 0x25,  // 25010000: 25 only in the first pair
          0x14, 0x07, 0x25, 0x03,  // 03250714
          0x25, 0x25, 0x02, 0x03}, // 03022525: 25 only in the last pairs
         {"0125ABCD", "25010000", "03250714", "03022525"},
         {"0125ABCD", "03250714"}},
        {"Except",
         veq::ExceptListId,
         {0x04, 0x18, 0x25, 0x03, 0x14, 0x08, 0x01, 0x03,  // left id is plane 25
          0x04, 0x18, 0x01, 0x03, 0x14, 0x08, 0x25, 0x03,  // only the right id is
          0x00, 0x00, 0x25, 0x02, 0x00, 0x00, 0x25, 0x03}, // both are
         {"03251804 ======> 03010814", "03011804 ======> 03250814", "02250000 ======> 03250000"},
         {"03251804 ======> 03010814", "02250000 ======> 03250000"}},
        {"PlaneSq",
         veq::PlaneSqListId,
         {0x31, 0x00, 0x00, 0x00, 0x25, // ends with 25
          0x25, 0x11, 0x22, 0x33, 0x94, // bytes 1-3 do not enter the text
          0x25, 0x00, 0x00, 0x00, 0x07},
         {"3100000025", "2500000094", "2500000007"},
         {"2500000094", "2500000007"}},
    };
}

class CopyReaderKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(CopyReaderKinds, CollectsThePlaneIdInItsOwnCharactersInFileOrder)
{
    const KindCase& c = GetParam();
    const auto count = static_cast<std::int16_t>(c.texts.size());
    auto copied = veq::copyEntries(image(count, c.records), c.id, "25");
    ASSERT_TRUE(copied.ok()) << copied.reason();
    EXPECT_EQ(*copied, c.of25);
}

TEST_P(CopyReaderKinds, TextsAreThoseOfTheMainReader)
{
    const KindCase& c = GetParam();
    const Bytes bytes = image(static_cast<std::int16_t>(c.texts.size()), c.records);
    veq::ConvBuf buf{};
    auto main = veq::parseDataFile(bytes, veq::recordKindOf(c.id), buf);
    ASSERT_TRUE(main.ok());
    ASSERT_EQ(main->entries, c.texts);

    // Every text is collected under its own plane id.
    for (const veq::Entry& text : c.texts) {
        auto copied = veq::copyEntries(bytes, c.id, veq::planeIdOf(c.id, text));
        ASSERT_TRUE(copied.ok());
        EXPECT_NE(std::find(copied->begin(), copied->end(), text), copied->end()) << text;
    }
}

TEST_P(CopyReaderKinds, CountOfZeroOrBelowCollectsNothing)
{
    const KindCase& c = GetParam();
    for (std::int16_t count : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{-32768}}) {
        auto copied = veq::copyEntries(image(count, c.records), c.id, "25");
        ASSERT_TRUE(copied.ok()) << count << ": " << copied.reason();
        EXPECT_TRUE(copied->empty()) << count;
    }
}

TEST_P(CopyReaderKinds, FewerRecordsThanCountedOrNoFrameIsRefused)
{
    const KindCase& c = GetParam();
    const auto count = static_cast<std::int16_t>(c.texts.size());
    Bytes cut = image(count, c.records);
    cut.pop_back();
    auto refused = veq::copyEntries(cut, c.id, "25");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.reason().find("claims " + std::to_string(count) + " records"), std::string::npos)
        << refused.reason();

    const Bytes short99(99, 0);
    auto tooShort = veq::copyEntries(short99, c.id, "25");
    ASSERT_FALSE(tooShort.ok());
    EXPECT_NE(tooShort.reason().find("99 bytes"), std::string::npos) << tooShort.reason();
}

TEST_P(CopyReaderKinds, RecordsBeyondTheCountAreNotRead)
{
    const KindCase& c = GetParam();
    // Only the first record is counted; the second, of another plane, stays unread.
    ASSERT_NE(veq::planeIdOf(c.id, c.texts[0]), veq::planeIdOf(c.id, c.texts[1]));
    auto copied = veq::copyEntries(image(1, c.records), c.id, veq::planeIdOf(c.id, c.texts[1]));
    ASSERT_TRUE(copied.ok());
    EXPECT_TRUE(copied->empty());
}

INSTANTIATE_TEST_SUITE_P(AllKinds, CopyReaderKinds, ::testing::ValuesIn(kindCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The typed id is compared character for character with the entry's pair.
struct TypedIdCase {
    const char* typed;
    bool matches;
};

class CopyReaderTypedId : public ::testing::TestWithParam<TypedIdCase> {};

TEST_P(CopyReaderTypedId, OnlyTheExactPairMatches)
{
    const Bytes records{0x00, 0x00, 0x2A, 0x03}; // 032A0000
    auto copied = veq::copyEntries(image(1, records), veq::FileListId, GetParam().typed);
    ASSERT_TRUE(copied.ok());
    EXPECT_EQ(*copied, GetParam().matches ? Entries{"032A0000"} : Entries{}) << '"' << GetParam().typed << '"';
}

INSTANTIATE_TEST_SUITE_P(CaseAndBlanks, CopyReaderTypedId,
                         ::testing::Values(TypedIdCase{"2A", true}, TypedIdCase{"2a", false}, TypedIdCase{" 2A", false},
                                           TypedIdCase{"2A ", false}, TypedIdCase{"", false}, TypedIdCase{"  ", false},
                                           TypedIdCase{"2", false}, TypedIdCase{"2A0", false},
                                           TypedIdCase{"032A", false}, TypedIdCase{"03", false}));

TEST(CopyReaderPlaneId, TooShortTextsHaveNone)
{
    EXPECT_EQ(veq::planeIdOf(veq::FileListId, "031"), "");
    EXPECT_EQ(veq::planeIdOf(veq::FileListId, "0325"), "25");
    EXPECT_EQ(veq::planeIdOf(veq::PlaneSqListId, "2"), "");
    EXPECT_EQ(veq::entriesOfPlane(veq::FileListId, {"03", "0325", "032"}, ""), Entries{});
    EXPECT_EQ(veq::entriesOfPlane(veq::FileListId, {"03", "0325", "032"}, "25"), Entries{"0325"});
}

TEST(CopyReaderPlaneId, EveryRecordOfARandomFileIsCollectedUnderItsPlaneOnce)
{
    std::mt19937 random(7);
    for (const ListId id : {veq::FileListId, veq::ExceptListId, veq::PlaneSqListId}) {
        const std::size_t size = veq::recordSize(veq::recordKindOf(id));
        const int count = 300;
        Bytes records(static_cast<std::size_t>(count) * size);
        for (auto& byte : records)
            byte = static_cast<std::uint8_t>(random() % 8); // few values, so planes repeat
        const Bytes bytes = image(static_cast<std::int16_t>(count), records);

        Entries all;
        for (int plane = 0; plane < 256; ++plane) {
            auto copied = veq::copyEntries(bytes, id, veq::ByteToStr(static_cast<std::uint8_t>(plane)));
            ASSERT_TRUE(copied.ok());
            all.insert(all.end(), copied->begin(), copied->end());
        }
        veq::ConvBuf buf{};
        Entries main = veq::parseDataFile(bytes, veq::recordKindOf(id), buf)->entries;
        std::sort(all.begin(), all.end());
        std::sort(main.begin(), main.end());
        EXPECT_EQ(all, main) << "list " << id;
    }
}

class CopyReaderFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("veq-copy-reader-" + std::to_string(std::random_device{}()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    fs::path write(const char* name, const Bytes& bytes) const
    {
        const fs::path path = folder / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    fs::path folder;
};

TEST_F(CopyReaderFiles, ReadsAFileTheMainWriterWrote)
{
    veq::ConvBuf buf{};
    const Entries entries{"03251804 ======> 03010814", "03011804 ======> 03250814", "AB25CDEF ======> 00000000"};
    auto bytes = veq::buildDataFile(veq::RecordKind::Except, {}, entries, buf);
    ASSERT_TRUE(bytes.ok());
    const fs::path path = write("except.dat", *bytes);

    auto copied = veq::loadCopyEntries(path, veq::ExceptListId, "25");
    ASSERT_TRUE(copied.ok()) << copied.reason();
    EXPECT_EQ(*copied, (Entries{"03251804 ======> 03010814", "AB25CDEF ======> 00000000"}));
    // Reading it again gives the same entries again.
    EXPECT_EQ(*veq::loadCopyEntries(path, veq::ExceptListId, "25"), *copied);
}

TEST_F(CopyReaderFiles, RefusalsNameTheFileAndSayWhatIsWrong)
{
    const fs::path missing = folder / "nowhere.dat";
    auto notThere = veq::loadCopyEntries(missing, veq::FileListId, "25");
    ASSERT_FALSE(notThere.ok());
    EXPECT_NE(notThere.reason().find(veq::displayPath(missing)), std::string::npos) << notThere.reason();
    EXPECT_NE(notThere.reason().find("does not exist"), std::string::npos) << notThere.reason();

    const fs::path cut = write("cut.dat", image(3, Bytes(2 * 5, 0x25)));
    auto cutShort = veq::loadCopyEntries(cut, veq::PlaneSqListId, "25");
    ASSERT_FALSE(cutShort.ok());
    EXPECT_NE(cutShort.reason().find(veq::displayPath(cut)), std::string::npos) << cutShort.reason();
    EXPECT_NE(cutShort.reason().find("claims 3 records but the file holds only 2"), std::string::npos)
        << cutShort.reason();

    const fs::path tiny = write("tiny.dat", Bytes(10, 0));
    auto tooShort = veq::loadCopyEntries(tiny, veq::ExceptListId, "25");
    ASSERT_FALSE(tooShort.ok());
    EXPECT_NE(tooShort.reason().find(veq::displayPath(tiny)), std::string::npos) << tooShort.reason();
    EXPECT_NE(tooShort.reason().find("10 bytes"), std::string::npos) << tooShort.reason();
}

} // namespace
