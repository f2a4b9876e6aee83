#pragma once

#include "core/codec.h"
#include "core/expected.h"
#include "core/platform.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace veq {

// A path as the user should read it in a message, with the system's separators.
[[nodiscard]] std::string displayPath(const std::filesystem::path& path);
// A path given as UTF-8 text (a command-line argument), on every system.
[[nodiscard]] std::filesystem::path utf8Path(std::string_view text);
// A file as read: the file its path led to, and its state then.
struct FileStamp {
    std::filesystem::path file;
    platform::FileState state;
};
// A file as this program last read or saved it: its state then, and what a
// save over it would not keep (bytes after its records, say), which the first
// save over it refuses to drop unsaid.
struct KnownFile {
    platform::FileState state;
    std::string caution;
    bool operator==(const KnownFile&) const = default;
};
// The files this program knows, by the file each path led to, so that a save
// notices a change made by another program since.
using KnownFiles = std::map<std::filesystem::path, KnownFile>;

// Reads at most `maxBytes` bytes from the start of a regular file. Anything
// else (a folder, a pipe, a device, a socket) is refused before it can block.
// `stamp`, when given, receives the file's stamp.
[[nodiscard]] Expected<Bytes> readFileBytes(const std::filesystem::path& path, std::size_t maxBytes,
                                            FileStamp* stamp = nullptr);
// The same for standard input, which may be a pipe or a terminal and is read
// byte for byte on every system.
[[nodiscard]] Expected<Bytes> readStandardInput(std::size_t maxBytes);
// Writes bytes to standard output as they are (no line ends turned into "\r\n").
[[nodiscard]] Expected<void> writeStandardOutput(std::span<const std::uint8_t> bytes);
// Reads a whole regular file, refusing one larger than `maxBytes` by its size,
// before reading it; `what` names such a file ("a squadron file").
[[nodiscard]] Expected<Bytes> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes,
                                            std::string_view what);

// How long a change waits for its turn at a folder, and what it does meanwhile.
struct TurnWait {
    std::chrono::milliseconds limit{10000};
    // Called every few tens of milliseconds while another program holds the
    // turn (so a window can say so and repaint); the first call starts the wait.
    std::function<void()> waiting;
};

// The folder whose turn a change of `file` takes, as messages name it: the
// folder of the file it leads to through any links, in full.
[[nodiscard]] std::filesystem::path turnFolder(const std::filesystem::path& file);

// This program's turn at changing files in the folder of `file` (through any
// links), held while it lives: a change that reads a file and saves it again
// holds it from the read to the save, so that a second run waits and reads what
// the first saved. Where the folder cannot be locked, the change goes on
// without, guarded only by replaceFile's check of the files it knows.
class FolderTurn final {
public:
    // Refused when another program held the turn for all of `wait.limit`.
    [[nodiscard]] static Expected<FolderTurn> take(const std::filesystem::path& file, const TurnWait& wait = {});

private:
    FolderTurn() = default;
    platform::FolderLock m_lock;
};

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
// given the replaced file's access (platform::File::takeAccessOf), synced to
// the disk and renamed over that file. A read-only or non-regular target is
// refused. On failure the old file is untouched, no temporary file is left,
// and the result says why. The report names what of the old file's access
// could not be kept, and tells of other names (hard links), which keep the
// old contents.
// When the file is among those `known`, a save that would lose something
// unsaid is refused once, and `known` takes the file as it is now, so that a
// second save replaces it knowingly: a file changed on disk since it was
// known, or one with a caution. A known file deleted or renamed since is
// saved anew, and the report says so. After a save, `known` holds the saved file.
Expected<SaveReport> replaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                 KnownFiles* known = nullptr, SaveHooks* hooks = nullptr);

} // namespace veq
