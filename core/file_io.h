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

// Reads at most `maxBytes` bytes from the start of a regular file. Anything
// else (a folder, a pipe, a device, a socket) is refused before it can block.
[[nodiscard]] Expected<Bytes> readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);
// The same for standard input, which may be a pipe or a terminal and is read
// byte for byte on every system.
[[nodiscard]] Expected<Bytes> readStandardInput(std::size_t maxBytes);
// Writes bytes to standard output as they are (no line ends turned into "\r\n").
[[nodiscard]] Expected<void> writeStandardOutput(std::span<const std::uint8_t> bytes);

// The steps of a safe save, in order. Tests pass SaveHooks that fail one of them.
enum class SaveStep { CreateTemporary, Write, Sync, Close, Replace };

class SaveHooks {
public:
    virtual ~SaveHooks() = default;
    // Called before each step; an error makes that step fail with it.
    [[nodiscard]] virtual std::error_code before(SaveStep step);
};

// What the user should know of a save that succeeded.
struct SaveReport {
    // Empty, or a note for the message window.
    std::string notice;
};

// Replaces `target` with `bytes`, as a safe save does: they go to a new
// temporary file ".veq-XXXXXX.tmp", readable by the user alone until complete,
// in the folder of the file `target` names (through any links), which is then
// given the replaced file's mode, owner and group, synced to the disk and
// renamed over that file. A read-only or non-regular target is refused. On
// failure the old file is untouched, no temporary file is left, and the result
// says why. A file with other names (hard links) gets a new file under this
// name alone, and the report says so.
Expected<SaveReport> replaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                 SaveHooks* hooks = nullptr);

} // namespace veq
