#pragma once

#include "core/codec.h"
#include "core/kinds.h"
#include "core/expected.h"
#include "core/file_io.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace veq {

// The kind whose file name the path's name ends with, in any case: so
// "FileList.DAT", "other_filelist.dat" and the temporary copies git hands its
// diff filters ("XXXXXX_filelist.dat") all say "filelist".
[[nodiscard]] std::optional<ListId> kindFromFileName(const std::filesystem::path& path);

// The frame: header 1, a signed 16-bit count, header 2, then the records.
inline constexpr std::size_t kHeader1Size = 20;
inline constexpr std::size_t kHeader2Size = 78;
inline constexpr std::size_t kFrameSize = 100;
inline constexpr int kMaxRecords = 32767;

struct DataFileHeaders {
    std::array<std::uint8_t, kHeader1Size> header1{};
    std::array<std::uint8_t, kHeader2Size> header2{};
    bool operator==(const DataFileHeaders&) const = default;
};

struct DataFile {
    DataFileHeaders headers;
    Entries entries; // one text per record, in file order
    // What lies after the counted records, which no list keeps, and the kind
    // whose records the file's length fits then, if one does (a file of
    // another kind under this kind's name).
    std::uint64_t bytesAfterRecords = 0;
    std::optional<ListId> looksLike;
    FileStamp stamp; // the file as read (loadDataFile alone)

    // "its count says 24 records, but 96 bytes lie after them (...)", or
    // empty when the file ends with its records.
    [[nodiscard]] std::string afterRecords() const;
};

// The largest file of a kind: the frame and 32767 records.
[[nodiscard]] std::size_t largestDataFile(ListId kind);

// The prefix table by which the file-list writer groups its records.
inline constexpr std::size_t kPartPrefixRows = 45;
[[nodiscard]] const std::array<std::string, kPartPrefixRows>& partPrefixTable();

// Decodes a whole file image of `length` bytes (more than the image holds
// when only its start was read). Refuses an image shorter than its frame or
// than the records its count claims; a count of 0 or less means no records.
// `buf` ends holding the last record converted.
[[nodiscard]] Expected<DataFile> parseDataFile(std::span<const std::uint8_t> image, ListId kind, ConversionBuffer& buf,
                                               std::optional<std::uint64_t> length = std::nullopt);

// Encodes headers and entries (in list order) into a file image. Refuses more
// than 32767 entries and any entry that is not stored as it stands (checkEntry).
[[nodiscard]] Expected<Bytes> buildDataFile(ListId kind, const DataFileHeaders& headers, const Entries& entries,
                                            ConversionBuffer& buf);

// The order in which the file-list writer emits entries given in list order:
// by prefix in table order (then any other prefixes in ascending order), within
// a prefix first the entries whose third digit pair is 10 or more, then the rest.
[[nodiscard]] Entries fileListRecordOrder(const Entries& entries);

// Reads and decodes a data file; a refusal names the path.
[[nodiscard]] Expected<DataFile> loadDataFile(const std::filesystem::path& path, ListId kind, ConversionBuffer& buf);

} // namespace veq
