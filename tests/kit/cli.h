#pragma once

#include "cli/run.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

// The test kit's veq: its commands run in-process through its one entry
// point, with streams of the test's own.
namespace kit {

struct Outcome {
    int status;
    std::string out, err;
    veq::Bytes written; // what went to standard output as bytes
};

// veq with `args`, standard input holding `input`.
inline Outcome veq(const std::vector<std::string>& args, const std::string& input = {})
{
    std::ostringstream out, err;
    Outcome outcome{};
    std::size_t read = 0;
    const veq::cli::Streams streams{out, err,
                                    [&](std::size_t most) -> veq::Expected<veq::Bytes> {
                                        const std::size_t from = read;
                                        read = std::min(input.size(), read + most);
                                        return veq::Bytes(input.begin() + static_cast<std::ptrdiff_t>(from),
                                                          input.begin() + static_cast<std::ptrdiff_t>(read));
                                    },
                                    [&](std::span<const std::uint8_t> bytes) -> veq::Expected<void> {
                                        outcome.written.insert(outcome.written.end(), bytes.begin(), bytes.end());
                                        return {};
                                    }};
    outcome.status = veq::cli::run(args, streams);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

} // namespace kit
