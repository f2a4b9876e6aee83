#include "core/codec.h"

#include <charconv>

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
    text.reserve(left.size() + kExceptSeparator.size() + right.size());
    text.append(left).append(kExceptSeparator).append(right);
    return text;
}

std::string planeSqText(std::uint8_t plane, std::uint8_t squad)
{
    std::string text = "PP000000SS";
    putByte(&text[0], plane);
    putByte(&text[text.size() - 2], squad);
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

} // namespace veq
