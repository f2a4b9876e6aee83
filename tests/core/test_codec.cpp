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

TEST(Codec, APasteTakesEachLineAsTypedOrNothingAndNamesTheFirstBadLine)
{
    using veq::ListId;
    const struct {
        ListId id;
        const char* text;
        veq::Entries entries;
        const char* refusal; // empty: taken
    } cases[] = {
        {ListId::FileList, "  0301071a\r\n\n\t03010714 \r\n", {"0301071A", "03010714"}, ""},
        {ListId::Except,
         "03011804-03010814\n03011804 ======> 0301081f",
         {"03011804 ======> 03010814", "03011804 ======> 0301081F"},
         ""},
        {ListId::FileList, "03010714\n\n0301071\n030107", {}, "line 3, \"0301071\": Invalid input length"},
        {ListId::Except, "03011804 ==> 03010814", {}, "line 1,"},
        {ListId::PlaneSq,
         "7777777777777777777777777777777777777777777",
         {},
         "\"7777777777777777777777777777777777777777...\""},
    };
    for (const auto& [id, text, entries, refusal] : cases) {
        const auto pasted = veq::pastedEntries(id, text);
        ASSERT_EQ(pasted.ok(), *refusal == '\0') << text;
        if (pasted)
            EXPECT_EQ(*pasted, entries);
        else
            EXPECT_NE(pasted.reason().find(refusal), std::string::npos) << pasted.reason();
    }
}
