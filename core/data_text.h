#pragma once

#include "core/data_file.h"
#include "core/expected.h"

#include <string>
#include <string_view>

namespace veq {

// The text form of a data file: the line "header1 " and the 40 hex digits of
// header 1, the line "header2 " and the 156 hex digits of header 2, then one
// entry text per line. It is what `veq dump --headers` prints and `veq build`
// reads, so a file can be read, diffed and edited as text.

// The two header lines, each ended by a newline.
[[nodiscard]] std::string headerLines(const DataFileHeaders& headers);

// The headers and entries of a text, in its order. Header lines may be left
// out (their bytes are then zero); blank lines are skipped, a "\r" before a
// line's end is dropped and entries are taken in upper case. A header line
// that is not exactly its length in hex digits is refused with its line number.
[[nodiscard]] Expected<DataFile> parseDataText(std::string_view text);

} // namespace veq
