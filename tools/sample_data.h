#pragma once

#include "core/expected.h"

#include <filesystem>
#include <vector>

namespace veq {

// Every data file the sample folder holds starts with these bytes, so the
// generator can tell its own files from a user's and never overwrites those.
inline constexpr char kSampleMark[] = "VEQ sample";

// Writes a folder of synthetic data, enough to try every window:
//   filelist.dat, except.dat, planesq.dat   the three lists (planes 01 to 0C)
//   other_filelist.dat, other_except.dat,
//   other_planesq.dat                       files to copy planes 25 and 26 from
//   squadron.dat                            squadron records for AutoGen
//   bitmaps/                                part bitmaps (small drawings), some of
//                                           the listed ones missing, some unlisted
//                                           ones extra
// The same folder results on every run and every platform. Creates `folder`
// when needed; refuses, before writing anything, when one of the data files
// is there already and was not written by this generator. Returns the files
// written.
[[nodiscard]] Expected<std::vector<std::filesystem::path>> writeSampleData(const std::filesystem::path& folder);

} // namespace veq
