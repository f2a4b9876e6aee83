#include "core/codec.h"

#include <gtest/gtest.h>

namespace {

using veq::ConvBuf;

struct ByteCase {
    std::uint8_t value;
    const char* text;
};

class ByteToStrTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(ByteToStrTest, GivesTwoUpperCaseDigits)
{
    std::string out = "junk";
    veq::ByteToStr(GetParam().value, out);
    EXPECT_EQ(out, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, ByteToStrTest,
                         ::testing::Values(ByteCase{0, "00"}, ByteCase{10, "0A"}, ByteCase{15, "0F"},
                                           ByteCase{16, "10"}, ByteCase{24, "18"}, ByteCase{40, "28"},
                                           ByteCase{56, "38"}, ByteCase{171, "AB"}, ByteCase{255, "FF"}));

TEST(ByteToHexStr, DigitsAndLettersThenNothingFromSixteenOn)
{
    std::string out;
    veq::ByteToHexStr(9, out);
    EXPECT_EQ(out, "9");
    veq::ByteToHexStr(12, out);
    EXPECT_EQ(out, "C");
    for (int value : {16, 17, 200, 255}) {
        out = "keep";
        veq::ByteToHexStr(static_cast<std::uint8_t>(value), out);
        EXPECT_EQ(out, "keep") << value;
    }
}

TEST(StrToBytes, FillsTheSlotsOutOfSignificanceOrder)
{
    ConvBuf buf{9, 9, 9, 9};
    veq::StrToBytes("03010714", buf);
    EXPECT_EQ(buf, (ConvBuf{0x14, 0x01, 0x07, 0x03}));
}

TEST(StrToBytes, ReadsEitherCaseAndTheReaderGivesCapitals)
{
    ConvBuf lower{};
    ConvBuf upper{};
    veq::StrToBytes("0301071a", lower);
    veq::StrToBytes("0301071A", upper);
    EXPECT_EQ(lower, upper);
    EXPECT_EQ(veq::partIdText(lower), "0301071A");
}

TEST(PlaneSqStrToBytes, UsesOnlyTheOuterPairsAndLeavesTheUpperSlots)
{
    ConvBuf buf{1, 2, 0x77, 0x88};
    veq::PlaneSqStrToBytes("25FFFFFF94", buf);
    EXPECT_EQ(buf, (ConvBuf{0x94, 0x25, 0x77, 0x88}));
    ConvBuf plain{1, 2, 0x77, 0x88};
    veq::PlaneSqStrToBytes("2500000094", plain);
    EXPECT_EQ(plain, buf);
}

TEST(FourByteGroup, FileOrderIsLittleEndianAndRoundTrips)
{
    ConvBuf buf{};
    veq::StrToBytes("03010714", buf);
    std::uint8_t group[4]{};
    veq::bufToGroup(buf, group);
    EXPECT_EQ(std::vector<std::uint8_t>(group, group + 4), (std::vector<std::uint8_t>{0x14, 0x07, 0x01, 0x03}));

    // Every byte pattern survives text and back.
    for (int seed = 0; seed < 256; ++seed) {
        const std::uint8_t bytes[4]{static_cast<std::uint8_t>(seed), static_cast<std::uint8_t>(255 - seed),
                                    static_cast<std::uint8_t>(seed * 7), static_cast<std::uint8_t>(seed ^ 0x5A)};
        ConvBuf in{};
        veq::groupToBuf(bytes, in);
        ConvBuf back{};
        veq::StrToBytes(veq::partIdText(in), back);
        std::uint8_t again[4]{};
        veq::bufToGroup(back, again);
        EXPECT_EQ(std::vector<std::uint8_t>(again, again + 4), std::vector<std::uint8_t>(bytes, bytes + 4));
    }
}

TEST(EntryTexts, ThreeForms)
{
    EXPECT_EQ(veq::exceptPairText("03011804", "03010814"), "03011804 ======> 03010814");
    EXPECT_EQ(veq::exceptPairText("03011804", "03010814").size(), veq::kExceptLength);
    EXPECT_EQ(veq::planeSqText(0x25, 0x94), "2500000094");
}

TEST(HexChecks, AcceptOnlyHexadecimalDigits)
{
    EXPECT_TRUE(veq::isHexPair("aF"));
    EXPECT_FALSE(veq::isHexPair("G1"));
    EXPECT_FALSE(veq::isHexPair("1"));
    EXPECT_TRUE(veq::isHexText("0123456789abcdefABCDEF"));
    EXPECT_FALSE(veq::isHexText("0301071 "));
}

} // namespace
