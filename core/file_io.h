#pragma once

#include "core/codec.h"
#include "core/expected.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace veq {

// A path as the user should read it in a message, with the system's separators.
[[nodiscard]] std::string displayPath(const std::filesystem::path& path);
// A path given as UTF-8 text (a command-line argument), on every system.
[[nodiscard]] std::filesystem::path utf8Path(std::string_view text);
// "1 byte", "2 bytes": a count with its noun in the right number.
[[nodiscard]] std::string counted(std::size_t count, std::string_view noun);
// "a filelist.dat", "an except.dat".
[[nodiscard]] std::string withArticle(std::string_view word);

// Reads at most `maxBytes` bytes from the start of a file.
[[nodiscard]] Expected<Bytes> readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// The steps of a safe save, in order. Tests pass SaveHooks that fail one of them.
enum class SaveStep { CreateTemporary, Write, Close, Replace };

class SaveHooks {
public:
    virtual ~SaveHooks() = default;
    // Called before each step; an error makes that step fail with it.
    [[nodiscard]] virtual std::error_code before(SaveStep step);
};

// Replaces `target` with `bytes`: they go to a temporary file in the target's
// folder that is renamed over the target only once complete. On failure the
// old file is untouched, no temporary file is left, and the result says why.
Expected<void> replaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                           SaveHooks* hooks = nullptr);

} // namespace veq
