#include "core/codec.h"

#include <gtest/gtest.h>

TEST(Codec, ByteToHexStrLeavesItsOutputAloneFromSixteenOn)
{
    std::string out = "x";
    veq::ByteToHexStr(16, out);
    veq::ByteToHexStr(255, out);
    EXPECT_EQ(out, "x");
    veq::ByteToHexStr(10, out);
    EXPECT_EQ(out, "A");
}

TEST(Codec, HexTextIsNonEmptyAndOnlyHexDigitsOfEitherCase)
{
    const std::pair<const char*, bool> cases[] = {{"0123456789abcdefABCDEF", true}, {"", false}, {"0G", false},
                                                  {"0 1", false}, {"/:@`", false}};
    for (const auto& [text, hex] : cases)
        EXPECT_EQ(veq::isHexText(text), hex) << text;
}

TEST(Codec, DigitPairsReadInEitherCase)
{
    veq::ConversionBuffer lower{}, upper{};
    veq::StrToBytes("0301071a", lower);
    veq::StrToBytes("0301071A", upper);
    EXPECT_EQ(lower, upper);
    EXPECT_EQ(lower[0], 0x1A);
}
