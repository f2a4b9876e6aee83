#pragma once

#include "core/codec.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace veq {

// The bitmap of an entry: its last eight characters (the whole part id, or the
// right id of an exception) followed by ".bmp".
[[nodiscard]] std::string bitmapName(std::string_view entry);

// File names as the simulation's file system compares them: without regard to
// case. Every name the audits look for is ASCII, so ASCII folding is enough.
[[nodiscard]] std::string foldName(std::string_view name);
using FoldedNames = std::unordered_set<std::string>;
[[nodiscard]] FoldedNames foldNames(const Entries& names);

// The three lists of the missing-bitmaps report, each sorted and free of
// equal items.
struct MissingBitmaps {
    Entries fileListMissing; // file-list bitmaps absent from the folder
    Entries exceptMissing;   // exception right-id bitmaps absent from the folder
    Entries missing;         // absent right ids, and absent file-list bitmaps no left id covers
};

// `present` holds the folder's file names, folded. An absent file-list bitmap
// is needed only when no exception names its id on the left: the exception
// stands in for it.
[[nodiscard]] MissingBitmaps missingBitmaps(const Entries& fileList, const Entries& exceptList,
                                            const FoldedNames& present);

// Whether a file name fits the pattern "03*.bmp", without regard to case.
[[nodiscard]] bool isExtraCandidate(std::string_view name);

// The ids of the part bitmaps that the file list does not name yet. `names`
// are the folder's names that fit "03*.bmp"; each gives its first eight
// characters in upper case (fewer for a short name, extension included). The
// result is sorted and keeps equal keys (two spellings of one name give two).
[[nodiscard]] Entries extraBitmaps(const Entries& names, const Entries& fileList);

} // namespace veq
