#include "core/platform.h"
#include "core/squadron.h"
#include "tests/kit/files.h"

#include <random>

#include <gtest/gtest.h>

using veq::Entries;

namespace {

TEST(SquadronReader, ListsEveryPlaneEntryOfEveryRecordInFileOrder)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        kit::SquadronBuilder file(seed);
        const int records = static_cast<int>(random() % 6);
        for (int r = 0; r < records; ++r) {
            std::vector<std::uint8_t> planes(random() % 5);
            for (auto& plane : planes)
                plane = static_cast<std::uint8_t>(random() % 4 == 0 ? 0x25 : random());
            // Up to the largest count of 16-byte blocks: each record follows the last at its length.
            const auto blocks = static_cast<std::int16_t>(random() % 5 == 0 ? 2047 : random() % 4);
            file.record(static_cast<std::uint8_t>(random()), blocks, planes);
        }
        auto items = veq::parseSquadronFile(file.image());
        ASSERT_TRUE(items) << items.reason();
        EXPECT_EQ(*items, file.expected());
    }
}

TEST(SquadronReader, EveryCutInsideARecordIsRefusedNamingThatRecordAndItsPart)
{
    kit::SquadronBuilder file;
    file.record(1, 1, {1, 2});
    const std::size_t second = file.record(2, 2, {3});
    const veq::Bytes& whole = file.image();
    for (std::size_t size = 1; size < whole.size(); ++size) {
        if (size == second)
            continue;
        auto items = veq::parseSquadronFile(std::span(whole.data(), size));
        ASSERT_FALSE(items) << "cut at " << size;
        const bool first = size < second;
        const std::size_t at = first ? size : size - second, blocks = first ? 16 : 32;
        const char* part = at < 60            ? "fixed part"
                           : at < 60 + blocks ? "blocks"
                           : at < 64 + blocks ? "plane count"
                                              : "entry";
        for (const std::string says : {first ? "record 1 " : "record 2 ", part})
            EXPECT_NE(items.reason().find(says), std::string::npos) << items.reason();
    }
}

TEST(SquadronReader, CountsOutsideTheFormatAreRefusedWhereTheyStand)
{
    const struct {
        std::int16_t countA;
        int countB;
        const char* says;
    } cases[] = {{-1, 0, "16-byte blocks of -1"}, {2048, 0, "16-byte blocks of 2048"}, {0, -3, "negative plane count"}};
    for (const auto& [countA, countB, says] : cases) {
        kit::SquadronBuilder file;
        file.record(1, 0, {5});
        file.record(2, countA, {}, countB);
        auto items = veq::parseSquadronFile(file.image());
        ASSERT_FALSE(items);
        EXPECT_NE(items.reason().find(says), std::string::npos) << items.reason();
        EXPECT_NE(items.reason().find("record 2 (from byte offset 92)"), std::string::npos) << items.reason();
    }
}

TEST(SquadronFile, IsReadUpToItsSizeLimitAndRefusedPastItNamingTheLimit)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "squadron.dat", {});
    std::filesystem::resize_file(folder / "squadron.dat", veq::kMaxSquadronFileBytes);
    EXPECT_TRUE(veq::loadSquadronFile(folder / "squadron.dat"));
    // Read whole into memory, it raised the process's peak at least so high.
    EXPECT_GE(veq::platform::peakMemoryBytes(), veq::kMaxSquadronFileBytes);
    std::filesystem::resize_file(folder / "squadron.dat", veq::kMaxSquadronFileBytes + 1);
    const auto refused = veq::loadSquadronFile(folder / "squadron.dat");
    EXPECT_TRUE(!refused && refused.reason().find("larger than 64 MiB") != std::string::npos);
}

} // namespace
