// Every reader against one catalogue of damaged files: each is refused with a
// reason (or, where a count of 0 or less says so, read as nothing), never a crash.
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/squadron.h"

#include <functional>
#include <random>

#include <gtest/gtest.h>

namespace {

using veq::Bytes;

Bytes frame(std::int16_t count, std::size_t recordBytes)
{
    Bytes bytes(veq::kFrameSize + recordBytes, 0x11);
    bytes[20] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[21] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
    return bytes;
}

Bytes randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

struct Reader {
    const char* name;
    std::size_t recordSize;
    // Returns the number of entries read, or -1 when refused (with a non-empty reason).
    std::function<long(const Bytes&)> read;
};

long counted(const veq::Expected<veq::Entries>& result)
{
    if (!result.ok()) {
        EXPECT_FALSE(result.reason().empty());
        return -1;
    }
    return static_cast<long>(result->size());
}

std::vector<Reader> dataReaders()
{
    std::vector<Reader> readers;
    for (auto [name, kind, id] : {std::tuple{"filelist", veq::RecordKind::FileList, veq::FileListId},
                                  std::tuple{"except", veq::RecordKind::Except, veq::ExceptListId},
                                  std::tuple{"planesq", veq::RecordKind::PlaneSq, veq::PlaneSqListId}}) {
        readers.push_back({name, veq::recordSize(kind), [kind](const Bytes& b) {
                               veq::ConvBuf buf{};
                               auto file = veq::parseDataFile(b, kind, buf);
                               if (!file.ok()) {
                                   EXPECT_FALSE(file.reason().empty());
                                   return -1L;
                               }
                               return static_cast<long>(file->entries.size());
                           }});
        readers.push_back({id == veq::FileListId     ? "copy filelist"
                           : id == veq::ExceptListId ? "copy except"
                                                     : "copy planesq",
                           veq::recordSize(kind),
                           [id](const Bytes& b) { return counted(veq::copyEntries(b, id, "11")); }});
    }
    return readers;
}

TEST(DamagedInputs, EveryDataFileReaderRefusesTheCatalogue)
{
    for (const Reader& reader : dataReaders()) {
        SCOPED_TRACE(reader.name);
        const std::size_t r = reader.recordSize;
        EXPECT_EQ(reader.read({}), -1) << "empty";
        EXPECT_EQ(reader.read(Bytes(99, 0)), -1) << "99 bytes";
        EXPECT_EQ(reader.read(frame(1, 0)), -1) << "header only, count 1";
        EXPECT_EQ(reader.read(frame(3, 2 * r)), -1) << "count one record too high";
        EXPECT_EQ(reader.read(frame(3, 3 * r - 1)), -1) << "last record one byte short";
        EXPECT_EQ(reader.read(frame(32767, 10 * r)), -1) << "count 32767, few records";
        EXPECT_EQ(reader.read(frame(-5, 3 * r)), 0) << "negative count reads nothing";
        EXPECT_GE(reader.read(frame(3, 3 * r)), 0) << "intact";
        for (unsigned seed = 0; seed < 200; ++seed)
            reader.read(randomBytes(seed * 7 % 400, seed)); // any answer but a crash
    }
}

Bytes squadronRecord(int blocks, int planes)
{
    Bytes record(64 + 16 * static_cast<std::size_t>(blocks) + 28 * static_cast<std::size_t>(planes), 0);
    record[40] = 0x94;
    record[56] = static_cast<std::uint8_t>(blocks);
    record[60 + 16 * blocks] = static_cast<std::uint8_t>(planes);
    return record;
}

TEST(DamagedInputs, SquadronReaderRefusesARecordCutInEveryField)
{
    const Bytes whole = squadronRecord(2, 3);
    ASSERT_EQ(counted(veq::parseSquadronFile(whole)), 3);
    // Cut inside the skipped head, the squad byte, count A, the blocks, count B and each plane entry.
    for (std::size_t cut : std::vector<std::size_t>{1, 40, 41, 57, 60, 75, 92, 95, 96, 97, 124, 151, whole.size() - 1})
        EXPECT_EQ(counted(veq::parseSquadronFile(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)))), -1)
            << "cut at " << cut;
    EXPECT_EQ(counted(veq::parseSquadronFile({})), 0) << "an empty file has no records";

    Bytes tooManyBlocks = squadronRecord(0, 0);
    tooManyBlocks[56] = 0x00;
    tooManyBlocks[57] = 0x08; // 2048
    EXPECT_EQ(counted(veq::parseSquadronFile(tooManyBlocks)), -1);
    Bytes negativePlanes = squadronRecord(0, 0);
    negativePlanes[60] = 0xFF;
    negativePlanes[61] = 0xFF;
    EXPECT_EQ(counted(veq::parseSquadronFile(negativePlanes)), -1);
    for (unsigned seed = 0; seed < 200; ++seed)
        (void)veq::parseSquadronFile(randomBytes(seed * 13 % 2000, seed));
}

TEST(LargeInputs, FilesAtTheSixteenBitLimitReadAndWriteBack)
{
    for (auto kind : {veq::RecordKind::FileList, veq::RecordKind::Except, veq::RecordKind::PlaneSq}) {
        const std::size_t size = veq::recordSize(kind);
        Bytes image = frame(32767, 32767 * size);
        std::mt19937 random(5);
        for (std::size_t i = veq::kFrameSize; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(random());
        if (kind == veq::RecordKind::PlaneSq) // bytes 2-4 are written as zero
            for (std::size_t k = 0; k < 32767; ++k)
                image[veq::kFrameSize + k * 5 + 1] = image[veq::kFrameSize + k * 5 + 2] =
                    image[veq::kFrameSize + k * 5 + 3] = 0;
        veq::ConvBuf buf{};
        auto file = veq::parseDataFile(image, kind, buf);
        ASSERT_TRUE(file.ok());
        ASSERT_EQ(file->entries.size(), 32767u);
        auto written = veq::buildDataFile(kind, file->headers, file->entries, buf);
        ASSERT_TRUE(written.ok());
        if (kind != veq::RecordKind::FileList) { // the file-list writer regroups its records
            EXPECT_EQ(*written, image);
        }
        EXPECT_EQ(written->size(), image.size());
    }
}

} // namespace
