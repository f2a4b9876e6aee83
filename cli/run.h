#pragma once

#include "core/codec.h"
#include "core/expected.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

// veq as one call: the arguments and the program's streams in, the exit status
// out. main hands it the process's streams; the tests run commands in-process
// with streams of their own.
namespace veq::cli {

// The exit status: done; refused, nothing changed; a usage error; saved, but
// the entries added could not be printed.
enum Status : int { kDone = 0, kRefused = 1, kUsage = 2, kSavedUnreported = 3 };

struct Streams {
    std::ostream& out; // standard output, as text
    std::ostream& err; // standard error
    // Standard input as bytes, at most `maxBytes` of them (a data file or a text for build).
    std::function<Expected<Bytes>(std::size_t maxBytes)> readInput;
    // Standard output as bytes, for the data file build writes to "-".
    std::function<Expected<void>(std::span<const std::uint8_t> bytes)> writeOutput;
};

// Runs the command the arguments (after the program's name, as UTF-8) name.
[[nodiscard]] int run(const std::vector<std::string>& arguments, const Streams& streams);

} // namespace veq::cli
