#pragma once

#include "cli/run.h"

#include <chrono>
#include <cstddef>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veq::cli {

struct Command;

// A command's arguments as the parser found them, option values checked.
struct Args {
    const Command* command = nullptr;
    std::vector<std::string> operands;
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    // How long a change waits for its turn at a folder (--wait).
    std::chrono::milliseconds wait{std::chrono::seconds(10)};

    [[nodiscard]] bool has(std::string_view flag) const { return flags.contains(flag); }
    [[nodiscard]] const std::string* value(std::string_view option) const
    {
        const auto found = values.find(option);
        return found == values.end() ? nullptr : &found->second;
    }
};

struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    std::size_t minOperands;
    std::size_t maxOperands;
    std::string_view flags;    // options without a value, space-separated
    std::string_view valued;   // options followed by a value
    std::string_view required; // valued options that must be given
    int (*run)(const Args&, const Streams&);

    [[nodiscard]] bool takes(std::string_view option) const;
};

// The longest --wait, a day: enough for any save, and far from overflowing a clock.
inline constexpr std::size_t kMostSecondsToWait = 86400;

// The command of that name, or null.
[[nodiscard]] const Command* findCommand(std::string_view name);
// The arguments after the command's name; a refusal is a usage error.
[[nodiscard]] Expected<Args> parse(const Command& command, std::span<const std::string> arguments);
// The help of veq --help, laid out for help2man, and a command's own.
void help(std::ostream& out);
void commandHelp(std::ostream& out, const Command& command);

} // namespace veq::cli
