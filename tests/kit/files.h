#pragma once

#include "core/kinds.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>

// The test kit's files: folders, data-file images and squadron files made by
// the tests themselves, byte by byte, without the program's own writers.
namespace kit {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const fs::path& path() const { return m_path; }
    [[nodiscard]] fs::path operator/(const std::string& name) const { return m_path / name; }
    // The names in the folder, sorted.
    [[nodiscard]] std::vector<std::string> names() const;

private:
    fs::path m_path;
};

void writeFile(const fs::path& path, const veq::Bytes& bytes);
[[nodiscard]] veq::Bytes readFile(const fs::path& path);

// A data file of `kind` whose records hold `records` in that order (entry
// texts of the kind), with a count as given (default: the number of records)
// and header bytes that differ at every position.
[[nodiscard]] veq::Bytes dataImage(veq::ListId kind, const veq::Entries& records,
                                   std::optional<int> count = std::nullopt);

// `count` random entry texts of a kind, upper-case hex, repeats possible when
// `distinct` is false. Part ids start with "03" and cover the prefix table's
// edges (0300, 032B, 03FF) and prefixes outside it.
[[nodiscard]] veq::Entries randomEntries(veq::ListId kind, std::size_t count, unsigned seed, bool distinct = true);

// Squadron file images record by record. Every byte the reader must skip is
// random, so a reader that looks at the wrong place gives another list.
class SquadronBuilder {
public:
    explicit SquadronBuilder(unsigned seed = 1) : m_random(seed) {}
    // A record with `countA` blocks (none when negative) and one plane entry
    // per plane, whose count field says `countB` (default: the planes given).
    // Returns the byte offset of the record.
    std::size_t record(std::uint8_t squad, std::int16_t countA, const std::vector<std::uint8_t>& planes,
                       std::optional<int> countB = std::nullopt);
    [[nodiscard]] const veq::Bytes& image() const { return m_image; }
    // The texts of every plane entry written, in file order.
    [[nodiscard]] const veq::Entries& expected() const { return m_expected; }

private:
    std::mt19937 m_random;
    veq::Bytes m_image;
    veq::Entries m_expected;
};

// Two upper-case hexadecimal digits, made without the program's codec.
[[nodiscard]] std::string hex2(unsigned value);

// Whether `text` holds `part`; the reason a result was refused, empty when it was not.
[[nodiscard]] inline bool mentions(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}
template <typename Result> [[nodiscard]] std::string refusal(const Result& result)
{
    return result ? std::string() : result.reason();
}

} // namespace kit
