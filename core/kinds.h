#pragma once

#include "core/codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace veq {

// The three main lists, and with them the three kinds of data file.
enum class ListId { FileList = 1, Except = 2, PlaneSq = 3 };
inline constexpr std::array<ListId, 3> kAllLists{ListId::FileList, ListId::Except, ListId::PlaneSq};
// 0, 1 or 2: where a list's state stands in a three-slot array.
[[nodiscard]] constexpr std::size_t slotOf(ListId id) { return static_cast<std::size_t>(id) - 1; }

// A record's bytes to its entry text and back, through the conversion buffer.
// `record` points to zero-filled bytes when encoding: what a kind leaves alone stays 0.
using RecordDecoder = Entry(const std::uint8_t* record, ConversionBuffer& buf);
using RecordEncoder = void(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record);

namespace records {
Entry decodePartId(const std::uint8_t* record, ConversionBuffer& buf);
void encodePartId(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record);
Entry decodeExcept(const std::uint8_t* record, ConversionBuffer& buf);
void encodeExcept(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record);
Entry decodePlaneSq(const std::uint8_t* record, ConversionBuffer& buf);
void encodePlaneSq(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record);
} // namespace records

// Everything that tells one kind of data file from the others. The program
// learns every per-kind fact here: sizes, lengths, names and forms.
//
// Forms spell an entry character by character: 'H' is a hexadecimal digit
// (they come in pairs, one byte each), '?' any one character, anything else
// stands for itself. The digits of a typed entry fill those of its shown form
// in order; the rest of the shown form is fixed.
struct DataKind {
    ListId id;
    std::string_view fileName; // "filelist.dat": suggested by the dialogs; a file's name ends with it
    std::string_view caption;  // "FileList": its frame, by which every window names the list
    std::string_view fileWord; // "Filelist", as in "Operating on Filelist file"
    std::size_t recordSize;    // bytes of one record
    std::string_view shownForm; // an entry as its list shows it and its file stores it
    std::string_view typedForm; // an entry as the Add window takes it
    std::string_view example;   // a typed entry, for the Add window's example line
    std::string_view fixedRule; // why the characters outside the digits are what they are
    std::size_t planeIdAt;      // the digit pair that names the entry's aircraft
    // References, so that a row without its codec does not compile.
    RecordDecoder& decode;
    RecordEncoder& encode;

    // Characters of an entry as shown, and as typed.
    [[nodiscard]] constexpr std::size_t entryLength() const { return shownForm.size(); }
    [[nodiscard]] constexpr std::size_t typedLength() const { return typedForm.size(); }
};

inline constexpr std::array<DataKind, kAllLists.size()> kDataKinds{{
    {ListId::FileList, "filelist.dat", "FileList", "Filelist", 4, "HHHHHHHH", "HHHHHHHH", "03010714", "", 2,
     records::decodePartId, records::encodePartId},
    {ListId::Except, "except.dat", "Except", "Except", 8, "HHHHHHHH ======> HHHHHHHH", "HHHHHHHH?HHHHHHHH",
     "03011804-03010814", "the two part ids of an exception pair stand either side of \" ======> \"", 2,
     records::decodeExcept, records::encodeExcept},
    {ListId::PlaneSq, "planesq.dat", "PlaneSQ", "PlaneSQ", 5, "HH000000HH", "HH000000HH", "2500000094",
     "the middle of a plane-squadron entry is always 000000", 0, records::decodePlaneSq, records::encodePlaneSq},
}};

namespace detail {
constexpr std::size_t digitsOf(std::string_view form)
{
    std::size_t digits = 0;
    for (char c : form)
        digits += c == 'H' ? 1 : 0;
    return digits;
}
// A new kind must bring its whole row: the id in its slot, a record size, both
// forms with the same digits in whole pairs (and its codec, which as a
// reference cannot be left out). A codec is not checked here: GCC cannot
// compare a function's address in a constant expression under UBSan's null check.
constexpr bool everyKindHasItsRow()
{
    for (std::size_t i = 0; i < kDataKinds.size(); ++i) {
        const DataKind& kind = kDataKinds[i];
        if (kind.id != kAllLists[i] || slotOf(kind.id) != i || kind.recordSize == 0 || kind.fileName.empty() ||
            kind.caption.empty() || kind.shownForm.empty() || digitsOf(kind.shownForm) % 2 != 0 ||
            digitsOf(kind.shownForm) != digitsOf(kind.typedForm) || kind.planeIdAt + 2 > kind.entryLength())
            return false;
    }
    return true;
}
} // namespace detail
static_assert(detail::everyKindHasItsRow(), "every kind of data file needs its whole row in kDataKinds");

[[nodiscard]] constexpr const DataKind& dataKind(ListId id) { return kDataKinds[slotOf(id)]; }

} // namespace veq
