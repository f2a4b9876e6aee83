#include "core/kinds.h"

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

TEST(Codec, DigitPairsReadInEitherCaseAndWhatIsNoPairOfHexDigitsAsZero)
{
    const std::pair<const char*, veq::ConversionBuffer> cases[] = {
        {"0301071a", {0x1A, 1, 7, 3}}, {"0301071A", {0x1A, 1, 7, 3}}, {"zz01071a", {0x1A, 1, 7, 0}}, {"7", {}}};
    for (const auto& [text, bytes] : cases) {
        veq::ConversionBuffer buf{9, 9, 9, 9};
        veq::StrToBytes(text, buf);
        EXPECT_EQ(buf, bytes) << text;
    }
}
