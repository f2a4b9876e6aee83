#pragma once

#include "core/codec.h"

#include <string>
#include <string_view>
#include <vector>

namespace veq {

// The bitmap of an entry: its last eight characters (the whole part id, or the
// right id of an exception) followed by ".bmp".
[[nodiscard]] std::string bitmapName(std::string_view entry);

// The three lists of the missing-bitmaps report, each sorted and free of
// equal items.
struct MissingBitmaps {
    Entries fileListMissing; // file-list bitmaps absent from the folder
    Entries exceptMissing;   // exception right-id bitmaps absent from the folder
    Entries missing;         // absent right ids, and absent file-list bitmaps no left id covers
};

// The lists are sorted, as the main lists hold them. `folderNames` are the
// names of the folder's files; they match a bitmap name
// without regard to case, as the simulation's file system compares them. An
// absent file-list bitmap is needed only when no exception names its id on
// the left: the exception stands in for it.
[[nodiscard]] MissingBitmaps missingBitmaps(const Entries& fileList, const Entries& exceptList,
                                            const std::vector<std::string>& folderNames);

// The part ids of the folder's bitmaps that the file list does not name yet:
// of the names that fit "03*.bmp" without regard to case, those that are
// eight hexadecimal digits and ".bmp", as Missing looks a bitmap up (so
// "03010714_old.bmp" offers nothing), each id in upper case. The file list is
// sorted. The result is sorted; equal keys are kept, so two spellings of one
// name give two.
[[nodiscard]] Entries extraBitmaps(const std::vector<std::string>& folderNames, const Entries& fileList);

} // namespace veq
