#include "core/file_io.h"
#include "core/squadron.h"
#include "tests/core/squadron_builder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using veq::Bytes;
using veq::Entries;

Entries parsed(const Bytes& image)
{
    auto items = veq::parseSquadronFile(image);
    EXPECT_TRUE(items.ok()) << items.reason();
    return items.ok() ? *items : Entries{};
}

std::string refusal(const Bytes& image)
{
    auto items = veq::parseSquadronFile(image);
    EXPECT_FALSE(items.ok()) << "accepted an image of " << image.size() << " bytes";
    return items.ok() ? std::string() : items.reason();
}

Bytes cut(const Bytes& image, std::size_t length) { return Bytes(image.begin(), image.begin() + length); }

// The two-record file: A = 2 and B = 1, then A = 0 and B = 2.
SquadronBuilder twoRecords(unsigned seed = 1)
{
    SquadronBuilder file(seed);
    file.record(0x94, 2, {0x25});
    file.record(0x07, 0, {0x31, 0x0A});
    return file;
}

TEST(SquadronReader, TwoRecordExampleFindsTheSecondRecordAtByte124)
{
    SquadronBuilder file;
    EXPECT_EQ(file.record(0x94, 2, {0x25}), 0u);
    EXPECT_EQ(file.record(0x07, 0, {0x31, 0x0A}), 124u);
    EXPECT_EQ(file.image().size(), 124u + 64u + 56u);
    EXPECT_EQ(parsed(file.image()), (Entries{"2500000094", "3100000007", "0A00000007"}));
}

TEST(SquadronReader, EmptyFileGivesNoItems) { EXPECT_TRUE(parsed({}).empty()); }

TEST(SquadronReader, ItemsKeepFileOrderAcrossManyRecords)
{
    std::mt19937 random(42);
    SquadronBuilder file(7);
    for (int r = 0; r < 300; ++r) {
        std::vector<std::uint8_t> planes(random() % 6);
        for (auto& plane : planes)
            plane = static_cast<std::uint8_t>(random());
        file.record(static_cast<std::uint8_t>(random()), static_cast<std::int16_t>(random() % 5), planes);
    }
    EXPECT_EQ(parsed(file.image()), file.expected());
}

class NoPlanes : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(NoPlanes, RecordAddsNothingAndTheNextFollowsAt64Plus16A)
{
    const std::int16_t blocks = GetParam();
    SquadronBuilder file;
    file.record(0x11, blocks, {});
    EXPECT_EQ(file.record(0x22, 1, {0x33}), 64u + 16u * static_cast<std::size_t>(blocks));
    EXPECT_EQ(parsed(file.image()), (Entries{"3300000022"}));
}

INSTANTIATE_TEST_SUITE_P(Blocks, NoPlanes, ::testing::Values(0, 1, 2, 2047));

TEST(SquadronReader, LargestCountsAreRead)
{
    SquadronBuilder file;
    std::vector<std::uint8_t> planes(32767);
    for (std::size_t k = 0; k < planes.size(); ++k)
        planes[k] = static_cast<std::uint8_t>(k * 7);
    file.record(0xFE, 2047, planes);
    file.record(0x01, 0, {0xFF});
    const Entries items = parsed(file.image());
    ASSERT_EQ(items.size(), 32768u);
    EXPECT_EQ(items, file.expected());
}

TEST(SquadronReader, EqualItemsAreKept)
{
    SquadronBuilder file;
    file.record(0x94, 0, {0x25, 0x25});
    file.record(0x10, 1, {0x25});
    file.record(0x94, 3, {0x25});
    EXPECT_EQ(parsed(file.image()), (Entries{"2500000094", "2500000094", "2500000010", "2500000094"}));
}

TEST(SquadronReader, SkippedBytesHaveNoInfluence)
{
    const Entries first = parsed(twoRecords(1).image());
    for (unsigned seed : {2u, 3u, 99u, 12345u}) {
        SquadronBuilder file = twoRecords(seed);
        ASSERT_NE(file.image(), twoRecords(1).image()) << "the junk did not change";
        EXPECT_EQ(parsed(file.image()), first) << "seed " << seed;
    }

    // The bytes the reader reads, by offset in the two-record file; flipping
    // every other byte in turn changes nothing.
    const SquadronBuilder base = twoRecords();
    const std::vector<std::size_t> read{40,       56,       57,       92,       93,       96,      124 + 40,
                                        124 + 56, 124 + 57, 124 + 60, 124 + 61, 124 + 64, 124 + 92};
    for (std::size_t at = 0; at < base.image().size(); ++at) {
        if (std::find(read.begin(), read.end(), at) != read.end())
            continue;
        Bytes changed = base.image();
        changed[at] ^= 0xFF;
        EXPECT_EQ(parsed(changed), base.expected()) << "byte " << at;
    }
}

// Where the reader says a cut file ends, for each kind of field.
struct Cut {
    std::size_t length;
    const char* says;
};

class CutShort : public ::testing::TestWithParam<Cut> {};

TEST_P(CutShort, IsRefusedSayingWhere)
{
    const Cut c = GetParam();
    EXPECT_EQ(refusal(cut(twoRecords().image(), c.length)), c.says);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CutShort,
    ::testing::Values(
        Cut{1, "Squadron record 1 (from byte offset 0) is cut short in its fixed part (byte offsets 0-59): "
               "the file ends after 1 byte"},
        Cut{41, "Squadron record 1 (from byte offset 0) is cut short in its fixed part (byte offsets 0-59): "
                "the file ends after 41 bytes"},
        Cut{59, "Squadron record 1 (from byte offset 0) is cut short in its fixed part (byte offsets 0-59): "
                "the file ends after 59 bytes"},
        Cut{60, "Squadron record 1 (from byte offset 0) is cut short in its 16-byte blocks (byte offsets 60-91): "
                "the file ends after 60 bytes"},
        Cut{91, "Squadron record 1 (from byte offset 0) is cut short in its 16-byte blocks (byte offsets 60-91): "
                "the file ends after 91 bytes"},
        Cut{92, "Squadron record 1 (from byte offset 0) is cut short in its plane count field (byte offsets 92-95): "
                "the file ends after 92 bytes"},
        Cut{95, "Squadron record 1 (from byte offset 0) is cut short in its plane count field (byte offsets 92-95): "
                "the file ends after 95 bytes"},
        Cut{96, "Squadron record 1 (from byte offset 0) is cut short in its plane entry 1 of 1 (byte offsets 96-123): "
                "the file ends after 96 bytes"},
        Cut{123, "Squadron record 1 (from byte offset 0) is cut short in its plane entry 1 of 1 (byte offsets 96-123): "
                 "the file ends after 123 bytes"},
        Cut{125, "Squadron record 2 (from byte offset 124) is cut short in its fixed part (byte offsets 124-183): "
                 "the file ends after 125 bytes"},
        Cut{184,
            "Squadron record 2 (from byte offset 124) is cut short in its plane count field (byte offsets 184-187): "
            "the file ends after 184 bytes"},
        Cut{187,
            "Squadron record 2 (from byte offset 124) is cut short in its plane count field (byte offsets 184-187): "
            "the file ends after 187 bytes"},
        Cut{188,
            "Squadron record 2 (from byte offset 124) is cut short in its plane entry 1 of 2 (byte offsets 188-215): "
            "the file ends after 188 bytes"},
        Cut{216,
            "Squadron record 2 (from byte offset 124) is cut short in its plane entry 2 of 2 (byte offsets 216-243): "
            "the file ends after 216 bytes"},
        Cut{243,
            "Squadron record 2 (from byte offset 124) is cut short in its plane entry 2 of 2 (byte offsets 216-243): "
            "the file ends after 243 bytes"}));

TEST(SquadronReader, EveryCutInsideARecordIsRefusedAndNamesThatRecord)
{
    const Bytes image = twoRecords().image();
    for (std::size_t length = 1; length < image.size(); ++length) {
        if (length == 124) {
            EXPECT_EQ(parsed(cut(image, length)), (Entries{"2500000094"}));
            continue;
        }
        const std::string why = refusal(cut(image, length));
        const char* record =
            length < 124 ? "Squadron record 1 (from byte offset 0)" : "Squadron record 2 (from byte offset 124)";
        EXPECT_EQ(why.rfind(record, 0), 0u) << why;
        EXPECT_NE(why.find("the file ends after " + std::to_string(length) + " byte"), std::string::npos) << why;
    }
}

struct BadCount {
    std::int16_t countA;
    std::int16_t countB;
    const char* says;
};

class BadCounts : public ::testing::TestWithParam<BadCount> {};

TEST_P(BadCounts, AreRefusedEvenAfterGoodRecords)
{
    const BadCount c = GetParam();
    SquadronBuilder file;
    file.record(0x94, 2, {0x25});
    file.raw(0x07, c.countA, c.countB, {0x31, 0x0A});
    file.record(0x08, 0, {0x01});
    EXPECT_EQ(refusal(file.image()), c.says);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BadCounts,
    ::testing::Values(
        BadCount{2048, 2,
                 "Squadron record 2 (from byte offset 124) has a count of 16-byte blocks of 2048 at byte "
                 "offset 180; a squadron file holds 0 to 2047"},
        BadCount{-1, 2,
                 "Squadron record 2 (from byte offset 124) has a count of 16-byte blocks of -1 at byte "
                 "offset 180; a squadron file holds 0 to 2047"},
        BadCount{-32768, 2,
                 "Squadron record 2 (from byte offset 124) has a count of 16-byte blocks of -32768 at "
                 "byte offset 180; a squadron file holds 0 to 2047"},
        BadCount{32767, 2,
                 "Squadron record 2 (from byte offset 124) has a count of 16-byte blocks of 32767 at byte "
                 "offset 180; a squadron file holds 0 to 2047"},
        BadCount{0, -1, "Squadron record 2 (from byte offset 124) has a negative plane count (-1) at byte offset 184"},
        BadCount{1, -32768,
                 "Squadron record 2 (from byte offset 124) has a negative plane count (-32768) at byte offset 200"}));

// Files on disk, for the reading around the decoding.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("veq-squadron-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    [[nodiscard]] fs::path file(const Bytes& bytes, const char* name = "squadron.dat") const
    {
        std::ofstream out(m_path / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return m_path / name;
    }
    [[nodiscard]] const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

TEST(SquadronFile, ReadsTheItemsOfAFile)
{
    TempFolder folder;
    const SquadronBuilder file = twoRecords();
    auto items = veq::loadSquadronFile(folder.file(file.image()));
    ASSERT_TRUE(items.ok()) << items.reason();
    EXPECT_EQ(*items, file.expected());
}

TEST(SquadronFile, DamagedFileIsRefusedNamingThePathAndTheDamage)
{
    TempFolder folder;
    const fs::path path = folder.file(cut(twoRecords().image(), 200));
    auto items = veq::loadSquadronFile(path);
    ASSERT_FALSE(items.ok());
    EXPECT_EQ(items.reason(), "Could not read " + veq::displayPath(path) +
                                  ": the file is damaged. Squadron record 2 (from byte offset 124) is cut short in its "
                                  "plane entry 1 of 2 (byte offsets 188-215): the file ends after 200 bytes. "
                                  "Nothing from it was used.");
}

TEST(SquadronFile, MissingFileAndFolderAreRefused)
{
    TempFolder folder;
    for (const fs::path& path : {folder.path() / "absent.dat", folder.path()}) {
        auto items = veq::loadSquadronFile(path);
        ASSERT_FALSE(items.ok()) << veq::displayPath(path);
        EXPECT_NE(items.reason().find(veq::displayPath(path)), std::string::npos) << items.reason();
    }
}

TEST(SquadronFile, FilesLargerThanTheCapAreRefusedAndOneAtTheCapIsRead)
{
    TempFolder folder;
    // Zero bytes make 64-byte records with no blocks and no planes.
    const fs::path path = folder.file({});
    fs::resize_file(path, veq::kMaxSquadronFileBytes);
    auto atCap = veq::loadSquadronFile(path);
    ASSERT_TRUE(atCap.ok()) << atCap.reason();
    EXPECT_TRUE(atCap->empty());

    fs::resize_file(path, veq::kMaxSquadronFileBytes + 1);
    auto tooLarge = veq::loadSquadronFile(path);
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_EQ(tooLarge.reason(), "Could not read " + veq::displayPath(path) +
                                     ": it is larger than 64 MiB, too large to be a squadron file. Nothing from it "
                                     "was used.");
}

} // namespace
