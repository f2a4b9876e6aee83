#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veq {

using Entry = std::string;
using Entries = std::vector<Entry>;
using Bytes = std::vector<std::uint8_t>;

// The four-byte conversion buffer. Its slots are not in significance order:
// for a part id P1 P2 P3 P4, slot 0 = P4, 1 = P2, 2 = P3, 3 = P1.
using ConvBuf = std::array<std::uint8_t, 4>;

inline constexpr std::string_view kExceptSeparator = " ======> ";
inline constexpr std::size_t kPartIdLength = 8;
inline constexpr std::size_t kExceptLength = 25;
inline constexpr std::size_t kPlaneSqLength = 10;

// The main lists, by the numbers the windows pass around.
enum ListId : int { FileListId = 1, ExceptListId = 2, PlaneSqListId = 3 };
[[nodiscard]] bool isListId(int id);

void ByteToHexStr(std::uint8_t val, std::string& out);
void ByteToStr(std::uint8_t val, std::string& out);
[[nodiscard]] std::string ByteToStr(std::uint8_t val);
// Both parse digit pairs as hexadecimal in either case; callers check a text
// with isHexPair() first, a pair that is not hexadecimal converts to 0.
void StrToBytes(std::string_view inp, ConvBuf& buf);
void PlaneSqStrToBytes(std::string_view inp, ConvBuf& buf);

[[nodiscard]] bool isHexDigit(char c);
[[nodiscard]] bool isHexPair(std::string_view pair);
[[nodiscard]] bool isHexText(std::string_view text);

// Moving a four-byte group between file order and the buffer.
void groupToBuf(const std::uint8_t* group, ConvBuf& buf);
void bufToGroup(const ConvBuf& buf, std::uint8_t* group);
// The 8-digit text of the part id held in the buffer.
[[nodiscard]] std::string partIdText(const ConvBuf& buf);

[[nodiscard]] std::string exceptPairText(std::string_view left, std::string_view right);
[[nodiscard]] std::string planeSqText(std::uint8_t plane, std::uint8_t squad);

[[nodiscard]] std::string toUpperAscii(std::string_view text);

} // namespace veq
