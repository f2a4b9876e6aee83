#include "core/codec.h"

#include <charconv>
#include <optional>

namespace veq {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The two digits ByteToStr gives, written in place: the file readers format
// every record this way.
void putByte(char* out, std::uint8_t val)
{
    out[0] = kHexDigits[val >> 4];
    out[1] = kHexDigits[val & 0x0F];
}

} // namespace

std::size_t entryLength(ListId id)
{
    constexpr std::array<std::size_t, kAllLists.size()> lengths{kPartIdLength, kExceptLength, kPlaneSqLength};
    return lengths[slotOf(id)];
}

void ByteToHexStr(std::uint8_t val, std::string& out)
{
    if (val <= 9)
        out = std::string(1, static_cast<char>('0' + val));
    else if (val <= 15)
        out = std::string(1, static_cast<char>('A' + (val - 10)));
}

void ByteToStr(std::uint8_t val, std::string& out)
{
    const auto high = static_cast<std::uint8_t>(val / 16);
    const auto low = static_cast<std::uint8_t>(val - 16 * high);
    std::string hi;
    std::string lo;
    ByteToHexStr(high, hi);
    ByteToHexStr(low, lo);
    out = hi + lo;
}

std::string ByteToStr(std::uint8_t val)
{
    std::string out;
    ByteToStr(val, out);
    return out;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool isHexText(std::string_view text)
{
    for (char c : text)
        if (!isHexDigit(c))
            return false;
    return !text.empty();
}

std::uint8_t parsePair(std::string_view pair)
{
    std::uint8_t value = 0;
    if (pair.size() == 2 && isHexText(pair))
        std::from_chars(pair.data(), pair.data() + 2, value, 16);
    return value;
}

namespace {

// The first two characters of the last `tailLength` characters of `text`.
std::string_view pairFromEnd(std::string_view text, std::size_t tailLength)
{
    return tailOf(text, tailLength).substr(0, 2);
}

} // namespace

void StrToBytes(std::string_view inp, ConversionBuffer& buf)
{
    buf[3] = parsePair(inp.substr(0, 2));
    buf[1] = parsePair(pairFromEnd(inp, 6));
    buf[2] = parsePair(pairFromEnd(inp, 4));
    buf[0] = parsePair(pairFromEnd(inp, 2));
}

void PlaneSqStrToBytes(std::string_view inp, ConversionBuffer& buf)
{
    buf[1] = parsePair(inp.substr(0, 2));
    buf[0] = parsePair(pairFromEnd(inp, 2));
}

void groupToBuf(const std::uint8_t* group, ConversionBuffer& buf)
{
    buf[0] = group[0];
    buf[2] = group[1];
    buf[1] = group[2];
    buf[3] = group[3];
}

void bufToGroup(const ConversionBuffer& buf, std::uint8_t* group)
{
    group[0] = buf[0];
    group[1] = buf[2];
    group[2] = buf[1];
    group[3] = buf[3];
}

std::string partIdText(const ConversionBuffer& buf)
{
    std::string text(kPartIdLength, '0');
    putByte(&text[0], buf[3]);
    putByte(&text[2], buf[1]);
    putByte(&text[4], buf[2]);
    putByte(&text[6], buf[0]);
    return text;
}

std::string exceptPairText(std::string_view left, std::string_view right)
{
    std::string text;
    text.reserve(kExceptLength);
    text.append(left).append(kExceptSeparator).append(right);
    return text;
}

std::string planeSqText(std::uint8_t plane, std::uint8_t squad)
{
    std::string text(kPlaneSqLength, '0');
    putByte(&text[0], plane);
    putByte(&text[kPlaneSqLength - 2], squad);
    return text;
}

std::string toUpperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

namespace {

// "03011804-03010814": two part ids and one character of any kind between them.
constexpr std::size_t kTypedExceptLength = 2 * kPartIdLength + 1;

// The byte offsets at which the characters of a UTF-8 text start.
std::vector<std::size_t> characterStarts(std::string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    return starts;
}

} // namespace

Expected<Entry> typedEntry(ListId id, std::string_view typed)
{
    const std::string text = toUpperAscii(typed);
    const std::vector<std::size_t> starts = characterStarts(text);
    const std::size_t wanted = id == ListId::Except ? kTypedExceptLength : entryLength(id);
    if (starts.size() != wanted)
        return Refusal{"Invalid input length"};
    if (id != ListId::Except)
        return text;
    const std::string_view view(text);
    return exceptPairText(view.substr(0, starts[kPartIdLength]), view.substr(starts[wanted - kPartIdLength]));
}

namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// "03011804 ======> 03010814", as an exception list shows its entries (and
// Copy gives them): two ids of eight characters around the separator.
std::optional<Entry> shownExceptPair(std::string_view text)
{
    const std::size_t separator = text.find(kExceptSeparator);
    if (separator == std::string_view::npos)
        return std::nullopt;
    const std::string_view left = text.substr(0, separator);
    const std::string_view right = text.substr(separator + kExceptSeparator.size());
    if (characterStarts(left).size() != kPartIdLength || characterStarts(right).size() != kPartIdLength)
        return std::nullopt;
    return exceptPairText(toUpperAscii(left), toUpperAscii(right));
}

// A line as a message quotes it: a line far too long for an entry is cut short.
std::string quotedLine(std::string_view line)
{
    constexpr std::size_t kShown = 40;
    const std::vector<std::size_t> starts = characterStarts(line);
    if (starts.size() <= kShown)
        return '"' + std::string(line) + '"';
    return '"' + std::string(line.substr(0, starts[kShown])) + "...\"";
}

} // namespace

Expected<Entries> pastedEntries(ListId id, std::string_view text)
{
    Entries entries;
    std::size_t number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = trimmed(text.substr(start, end - start));
        ++number;
        start = end + 1;
        if (line.empty())
            continue;
        std::optional<Entry> shown = id == ListId::Except ? shownExceptPair(line) : std::nullopt;
        Expected<Entry> entry = shown ? Expected<Entry>(std::move(*shown)) : typedEntry(id, line);
        if (!entry)
            return Refusal{"Nothing was pasted: line " + std::to_string(number) + ", " + quotedLine(line) + ": " +
                           entry.reason()};
        entries.push_back(std::move(*entry));
    }
    return entries;
}

} // namespace veq
