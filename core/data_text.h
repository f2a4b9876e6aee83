#pragma once

#include "core/data_file.h"
#include "core/kinds.h"
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

// The headers and entries of a text of a `kind`, in its order. Header lines
// may be left out (their bytes are then zero); every other line that is not
// blank is an entry, taken as a pasted line is (parseEntry's Line form). A
// header line that is not exactly its length in hex digits, or a line that
// gives no entry, is refused with its line number.
[[nodiscard]] Expected<DataFile> parseDataText(ListId kind, std::string_view text);

} // namespace veq
