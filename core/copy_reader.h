#pragma once

#include "core/codec.h"
#include "core/expected.h"
#include "core/kinds.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace veq {

// The characters of a record's entry text that name its aircraft: the second
// digit pair of a part id (the left id of an exception pair), or the first
// pair of a plane-squadron entry.
[[nodiscard]] std::string_view planeIdOf(ListId id, std::string_view entry);

// The entries whose plane id equals `planeId` character for character, in
// their order. Nothing is trimmed or case-folded, so a blank or spaced id
// matches nothing.
[[nodiscard]] Entries entriesOfPlane(ListId id, const Entries& entries, std::string_view planeId);

// The entries of one aircraft in a data file image of list `id`'s kind, in
// file order. The texts are those the main window's reader builds from the
// same image; a short or cut-off image is refused like there.
[[nodiscard]] Expected<Entries> copyEntries(std::span<const std::uint8_t> image, ListId id, std::string_view planeId);

// The same for a file on disk; a refusal names the file and says what is wrong.
[[nodiscard]] Expected<Entries> loadCopyEntries(const std::filesystem::path& path, ListId id, std::string_view planeId);

} // namespace veq
