#include "core/entry_parser.h"

#include "core/sentences.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace veq {

namespace {

bool isUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

char upperOf(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The characters of a UTF-8 text, each as its bytes.
std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> found;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        found.push_back(text.substr(i, end - i));
        i = end;
    }
    return found;
}

// Why `chars` (upper case) do not spell `form`, or nothing when they do. The
// digits are looked at a pair at a time, the fixed characters one by one; a
// pair is quoted as `given`, the same characters before upper case, so that
// the user finds it in what they typed or the list holds.
std::optional<std::string> whyNotInForm(const std::vector<std::string_view>& chars,
                                        const std::vector<std::string_view>& given, std::string_view form,
                                        std::string_view fixedRule)
{
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == 'H') {
            const bool hex = chars[i].size() == 1 && isUpperHexDigit(chars[i][0]) && chars[i + 1].size() == 1 &&
                             isUpperHexDigit(chars[i + 1][0]);
            if (!hex)
                return sentences::notHexPair(std::string(given[i]) + std::string(given[i + 1]));
            ++i;
        } else if (form[i] != '?' && chars[i] != form.substr(i, 1)) {
            return std::string(fixedRule);
        }
    }
    return std::nullopt;
}

// The shown form with its digits taken, in order, from the typed characters.
Entry shownEntry(const std::vector<std::string_view>& chars, std::string_view typedForm, std::string_view shownForm)
{
    Entry entry(shownForm);
    std::size_t from = 0;
    for (char& c : entry) {
        if (c != 'H')
            continue;
        while (typedForm[from] != 'H')
            ++from;
        c = chars[from++][0];
    }
    return entry;
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

Expected<Entry> parseEntry(ListId kind, std::string_view text, EntryForm form)
{
    const DataKind& facts = dataKind(kind);
    // An entry is ASCII, so a text of one byte a character is read as it
    // stands (a paste of thousands of lines, say); any other is split into
    // characters first, to be measured and quoted as the user sees it.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    std::vector<std::string_view> split;
    std::string upper;
    if (!ascii) {
        upper = toUpperAscii(text);
        split = characters(upper);
    }
    const std::size_t length = ascii ? text.size() : split.size();
    // A line may also be in the form its list shows; typing takes the typed form alone.
    std::string_view typedForm = facts.typedForm;
    if (form == EntryForm::Line && length == facts.entryLength())
        typedForm = facts.shownForm;
    if (length != typedForm.size())
        return Refusal{std::string(sentences::kInvalidInputLength)};
    if (ascii) {
        Entry entry(facts.shownForm);
        std::size_t to = 0;
        for (std::size_t i = 0; i < typedForm.size(); ++i) {
            const char c = upperOf(text[i]);
            if (typedForm[i] == 'H') {
                const char next = upperOf(text[i + 1]);
                if (!isUpperHexDigit(c) || !isUpperHexDigit(next))
                    return Refusal{sentences::notAnEntry(kind, text, sentences::notHexPair(text.substr(i, 2)))};
                while (entry[to] != 'H')
                    ++to;
                entry[to++] = c;
                entry[to++] = next;
                ++i;
            } else if (typedForm[i] != '?' && c != typedForm[i]) {
                return Refusal{sentences::notAnEntry(kind, text, facts.fixedRule)};
            }
        }
        return entry;
    }
    // Upper case changes ASCII letters alone, so the characters stand at the same places.
    if (const auto why = whyNotInForm(split, characters(text), typedForm, facts.fixedRule))
        return Refusal{sentences::notAnEntry(kind, text, *why)};
    return shownEntry(split, typedForm, facts.shownForm);
}

std::optional<std::string_view> TextLines::next()
{
    if (m_rest.empty())
        return std::nullopt;
    const std::size_t end = m_rest.find('\n');
    std::string_view line = m_rest.substr(0, end);
    m_rest = end == std::string_view::npos ? std::string_view{} : m_rest.substr(end + 1);
    ++m_number;
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

Expected<Entries> parseEntryLines(ListId kind, std::string_view text)
{
    Entries entries;
    TextLines lines(text);
    while (const auto next = lines.next()) {
        const std::string_view line = trimmed(*next);
        if (line.empty())
            continue;
        auto entry = parseEntry(kind, line, EntryForm::Line);
        if (!entry)
            return Refusal{sentences::badLine(lines.number(), line, entry.reason())};
        entries.push_back(std::move(*entry));
    }
    return entries;
}

Expected<void> checkEntry(ListId kind, std::string_view entry)
{
    const DataKind& facts = dataKind(kind);
    const std::string_view form = facts.shownForm;
    bool stored = entry.size() == form.size();
    for (std::size_t i = 0; stored && i < form.size(); ++i)
        stored = form[i] == 'H' ? isUpperHexDigit(entry[i]) : entry[i] == form[i];
    if (stored)
        return {};
    if (characters(entry).size() != form.size())
        return Refusal{
            sentences::notAnEntry(kind, entry, sentences::wrongLength(characters(entry).size(), form.size()))};
    auto parsed = parseEntry(kind, entry, EntryForm::Line);
    return Refusal{parsed ? sentences::notAnEntry(kind, entry, "it is not in capitals") : parsed.reason()};
}

} // namespace veq
