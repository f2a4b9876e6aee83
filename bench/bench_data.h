#pragma once

#include "core/kinds.h"

#include <QString>

#include <filesystem>
#include <utility>

// The benchmark's data at the formats' limits, made from the test kit's pieces.
enum class RecordOrder { Ascending, Descending, Random };

inline constexpr int kLimit = 32767;

// `count` distinct entries of a list, ascending as the list holds them.
[[nodiscard]] veq::Entries sortedEntries(veq::ListId id, std::size_t count, unsigned seed);
[[nodiscard]] veq::Entries inOrder(veq::Entries sorted, RecordOrder order, unsigned seed);
// Two lists of `count` distinct entries each, ascending, with no entry in common.
[[nodiscard]] std::pair<veq::Entries, veq::Entries> disjointEntries(veq::ListId id, std::size_t count, unsigned seed);
// A squadron file whose records hold `planeEntries` plane entries in all.
[[nodiscard]] veq::Bytes squadronImage(int planeEntries, unsigned seed);
// A path as the windows' file dialogs answer it.
[[nodiscard]] QString qPath(const std::filesystem::path& path);
// One empty bitmap file per part id, named "<id>.bmp", in a new `folder`.
void makeBitmaps(const std::filesystem::path& folder, const veq::Entries& ids);
