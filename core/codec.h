#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veq {

using Entry = std::string;
using Entries = std::vector<Entry>;
using Bytes = std::vector<std::uint8_t>;

// The four bytes through which a part id or a plane-squadron entry passes
// between text and file. Its slots are not in significance order: for a part
// id P1 P2 P3 P4, slot 0 = P4, 1 = P2, 2 = P3, 3 = P1.
using ConversionBuffer = std::array<std::uint8_t, 4>;

inline constexpr std::string_view kExceptSeparator = " ======> ";
inline constexpr std::size_t kPartIdLength = 8;

void ByteToHexStr(std::uint8_t val, std::string& out);
void ByteToStr(std::uint8_t val, std::string& out);
[[nodiscard]] std::string ByteToStr(std::uint8_t val);
// Both parse digit pairs as hexadecimal in either case; a pair that is not
// hexadecimal converts to 0, so writers check their entries first (checkEntry).
void StrToBytes(std::string_view inp, ConversionBuffer& buf);
void PlaneSqStrToBytes(std::string_view inp, ConversionBuffer& buf);
// The byte of one hexadecimal digit pair in either case; 0 for any other text.
[[nodiscard]] std::uint8_t parsePair(std::string_view pair);

// The last `count` characters of `text`, or all of a shorter one.
[[nodiscard]] inline std::string_view tailOf(std::string_view text, std::size_t count)
{
    return text.substr(text.size() - std::min(text.size(), count));
}

[[nodiscard]] bool isHexDigit(char c);
[[nodiscard]] bool isHexText(std::string_view text);

// Moving a four-byte group between file order and the buffer.
void groupToBuf(const std::uint8_t* group, ConversionBuffer& buf);
void bufToGroup(const ConversionBuffer& buf, std::uint8_t* group);
// The 8-digit text of the part id held in the buffer.
[[nodiscard]] std::string partIdText(const ConversionBuffer& buf);

[[nodiscard]] std::string exceptPairText(std::string_view left, std::string_view right);
[[nodiscard]] std::string planeSqText(std::uint8_t plane, std::uint8_t squad);

[[nodiscard]] std::string toUpperAscii(std::string_view text);

} // namespace veq
