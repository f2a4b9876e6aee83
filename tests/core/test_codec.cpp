#include "core/codec.h"

#include <cstdio>

#include <gtest/gtest.h>

using veq::ConversionBuffer;

TEST(Codec, ByteToStrGivesTwoUpperCaseDigitsForEveryByte)
{
    for (int value = 0; value < 256; ++value) {
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02X", value);
        std::string out = "unchanged";
        veq::ByteToStr(static_cast<std::uint8_t>(value), out);
        EXPECT_EQ(out, expected);
    }
}

TEST(Codec, ByteToHexStrLeavesItsOutputAloneFromSixteenOn)
{
    std::string out = "x";
    veq::ByteToHexStr(16, out);
    veq::ByteToHexStr(255, out);
    EXPECT_EQ(out, "x");
    veq::ByteToHexStr(10, out);
    EXPECT_EQ(out, "A");
}

TEST(Codec, PartIdPassesThroughTheBufferAndItsFileGroupInTheirOwnOrders)
{
    ConversionBuffer buf{};
    veq::StrToBytes("0301071a", buf);
    EXPECT_EQ(buf, (ConversionBuffer{0x1A, 0x01, 0x07, 0x03}));
    std::uint8_t group[4]{};
    veq::bufToGroup(buf, group);
    EXPECT_EQ((std::vector<std::uint8_t>(group, group + 4)), (std::vector<std::uint8_t>{0x1A, 0x07, 0x01, 0x03}));
    ConversionBuffer back{};
    veq::groupToBuf(group, back);
    EXPECT_EQ(back, buf);
    EXPECT_EQ(veq::partIdText(back), "0301071A");
}

TEST(Codec, PlaneSquadronEntryUsesOnlyItsOuterPairsAndTwoSlots)
{
    ConversionBuffer buf{0x99, 0x99, 0x07, 0x08};
    veq::PlaneSqStrToBytes("25FFFFFF94", buf);
    EXPECT_EQ(buf, (ConversionBuffer{0x94, 0x25, 0x07, 0x08}));
    EXPECT_EQ(veq::planeSqText(0x25, 0x94), "2500000094");
}

TEST(Codec, HexTextIsNonEmptyAndOnlyHexDigitsOfEitherCase)
{
    const std::pair<const char*, bool> cases[] = {{"0123456789abcdefABCDEF", true}, {"", false}, {"0G", false},
                                                  {"0 1", false},                    {"-1", false}, {"f", true}};
    for (const auto& [text, hex] : cases)
        EXPECT_EQ(veq::isHexText(text), hex) << text;
}
