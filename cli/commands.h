#pragma once

#include "cli/arguments.h"

#include <string_view>

// The commands of veq, each on the core alone. Results go to standard output,
// refusals to standard error, each as one line after "veq: ".
namespace veq::cli {

int dump(const Args& args, const Streams& io);
int build(const Args& args, const Streams& io);
int check(const Args& args, const Streams& io);
int add(const Args& args, const Streams& io);
int copy(const Args& args, const Streams& io);
int missing(const Args& args, const Streams& io);
int extra(const Args& args, const Streams& io);
int autogen(const Args& args, const Streams& io);

// A usage error: what is wrong, then the command's usage.
int misuse(const Command& command, const Streams& io, std::string_view what);

} // namespace veq::cli
