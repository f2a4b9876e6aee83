#pragma once

#include "core/codec.h"
#include "core/expected.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace veq {

// The layout of one record of the simulation's squadron.dat. Records follow
// each other with no file header; their length depends on their two counts.
inline constexpr std::size_t kSquadOffset = 40;
inline constexpr std::size_t kBlockCountOffset = 56;
inline constexpr std::size_t kSquadFixedSize = 60;
inline constexpr std::size_t kSquadBlockSize = 16;
inline constexpr std::size_t kPlaneCountSize = 4;
inline constexpr std::size_t kPlaneEntrySize = 28;
// The simulation skips the blocks with a 16-bit signed byte count, so no
// real file can hold more of them.
inline constexpr int kMaxSquadBlocks = 2047;
// Far above any real squadron file, low enough that a wrong pick cannot
// exhaust memory.
inline constexpr std::size_t kMaxSquadronFileBytes = std::size_t{64} * 1024 * 1024;

// The squad-list items of a squadron file image: one plane-squadron text per
// plane entry, in file order, equal items kept. A damaged image (a record cut
// short, a block count outside 0..2047, a negative plane count) is refused as
// a whole with the record number and byte offset of the damage.
[[nodiscard]] Expected<Entries> parseSquadronFile(std::span<const std::uint8_t> image);

// Reads and decodes a squadron file; a refusal names the path.
[[nodiscard]] Expected<Entries> loadSquadronFile(const std::filesystem::path& path);

} // namespace veq
