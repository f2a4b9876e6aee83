#include "core/data_file.h"
#include "core/entry_parser.h"
#include "core/sentences.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using veq::EntryForm;
using veq::ListId;

namespace {

using kit::mentions;

bool hasControlByte(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

constexpr auto Typed = EntryForm::Typed;
constexpr auto Line = EntryForm::Line;
const std::string kLength(veq::sentences::kInvalidInputLength);

// A text and what parseEntry makes of it: the entry, or a refusal that is
// "Invalid input length" exactly for a wrong length (`says` empty) and else
// quotes the text and says what is wrong (every part of `says`).
struct Case {
    ListId kind;
    EntryForm form;
    std::string text;
    std::string entry;
    std::vector<std::string> says;
};

TEST(EntryParser, TakesEachKindInItsFormsAndRefusesAnythingElseSayingWhy)
{
    const Case cases[] = {
        {ListId::FileList, Typed, "0301071a", "0301071A", {}},
        {ListId::FileList, Typed, "0301071", "", {}},
        {ListId::FileList, Typed, "", "", {}},
        {ListId::FileList, Typed, "ZZZZZZZZ", "", {"\"ZZZZZZZZ\"", "FileList", "\"ZZ\"", "hexadecimal"}},
        // Eight characters in nine bytes: a length that fits, a pair that is no digits.
        {ListId::FileList, Typed, "0301071\xC3\xA9", "", {"\"1\xC3\xA9\"", "hexadecimal"}},
        {ListId::FileList, Line, "\x01\x02\x03\x04\x05\x06\x07\x08", "", {"\\x01\\x02", "hexadecimal"}},
        {ListId::FileList, Typed, "0x010714", "", {"\"0x010714\"", "\"0x\""}},
        {ListId::Except, Typed, "03011804-0301081a", "03011804 ======> 0301081A", {}},
        // Typed, any one character stands between the ids.
        {ListId::Except, Typed, "03011804\u00E903010814", "03011804 ======> 03010814", {}},
        {ListId::Except, Typed, "03011804 ======> 03010814", "", {}},
        {ListId::Except, Typed, "0301180403010814Z", "", {"\"4Z\""}},
        {ListId::Except, Line, "03011804 ======> 03010814", "03011804 ======> 03010814", {}},
        {ListId::Except, Line, "03011804-03010814", "03011804 ======> 03010814", {}},
        {ListId::Except, Line, "03011804 ==> 03010814", "", {}},
        {ListId::Except, Line, "03011804 =====>> 03010814", "", {"\"03011804 =====>> 03010814\"", " ======> "}},
        {ListId::PlaneSq, Typed, "2a0000009b", "2A0000009B", {}},
        {ListId::PlaneSq, Typed, "25FFFFFF94", "", {"\"25FFFFFF94\"", "PlaneSQ", "000000"}},
        {ListId::PlaneSq, Line, "25zzzzzz94", "", {"\"25zzzzzz94\"", "000000"}},
        {ListId::PlaneSq, Typed, "zz00000094", "", {"\"zz\""}},
    };
    for (const auto& [kind, form, text, entry, says] : cases) {
        SCOPED_TRACE(text);
        const auto parsed = veq::parseEntry(kind, text, form);
        ASSERT_EQ(parsed.ok(), !entry.empty()) << (parsed ? *parsed : parsed.reason());
        if (parsed) {
            EXPECT_EQ(*parsed, entry);
            continue;
        }
        if (says.empty()) {
            EXPECT_EQ(parsed.reason(), kLength);
        }
        for (const std::string& part : says)
            EXPECT_TRUE(mentions(parsed.reason(), part)) << parsed.reason();
        EXPECT_FALSE(hasControlByte(parsed.reason())) << parsed.reason();
    }
}

// An entry is what it writes: the writer's guard passes exactly the texts the
// parser gives back as they stand, and each such text written to a file and
// read again is itself. The texts are entries of each kind with a character or
// two changed, added or taken away.
TEST(EntryParser, TheWritersGuardPassesExactlyWhatTheParserGivesAndThatReadsBackAsItself)
{
    const std::vector<std::string> pool = {"0", "9", "A", "F", "a", "f",    "G",
                                           "z", " ", "-", "=", ">", "\x01", "\xC3\xA9"};
    std::mt19937 random(5);
    for (ListId kind : veq::kAllLists) {
        std::size_t stored = 0;
        for (const std::string& start : kit::randomEntries(kind, 3000, 2)) {
            std::string text = start;
            for (unsigned change = random() % 3; change-- > 0;) {
                const std::size_t at = random() % text.size();
                const std::string& put = pool[random() % pool.size()];
                switch (random() % 6) {
                case 0:
                    text.insert(at, put);
                    break;
                case 1:
                    text.erase(at, 1);
                    break;
                default:
                    text.replace(at, 1, put);
                }
            }
            const auto parsed = veq::parseEntry(kind, text, EntryForm::Line);
            const bool asItStands = parsed && *parsed == text;
            ASSERT_EQ(veq::checkEntry(kind, text).ok(), asItStands) << text;
            if (!parsed)
                continue;
            veq::ConversionBuffer buf{};
            const auto image = veq::buildDataFile(kind, {}, {*parsed}, buf);
            ASSERT_TRUE(image) << image.reason();
            EXPECT_EQ(veq::parseDataFile(*image, kind, buf)->entries, veq::Entries{*parsed}) << text;
            stored += asItStands;
        }
        // The changes leave a good part of the texts entries, and spoil the rest.
        EXPECT_GT(stored, 300u);
        EXPECT_LT(stored, 2700u);
    }
    for (const auto& [kind, text] : {std::pair{ListId::FileList, "0301071a"},
                                     {ListId::Except, "03011804-03010814"},
                                     {ListId::PlaneSq, "25FFFFFF94"},
                                     {ListId::FileList, ""}})
        EXPECT_FALSE(veq::checkEntry(kind, text)) << text;
}

} // namespace
