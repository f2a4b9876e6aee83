#pragma once

#include "core/expected.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// What the core needs of the operating system beyond the standard library.
// One header, one source per system family (platform_posix.cpp,
// platform_windows.cpp), so no system call leaks into the rest of the core.
// Errors come back as the system reports them, for the caller to put in words.
namespace veq::platform {

// The names of the files in `folder` that a search for ordinary and read-only
// files finds: no folders, devices or links to nothing, and on Windows no
// hidden or system files. In the order the file system gives them, as UTF-8.
// Refuses a folder that cannot be listed, saying why.
[[nodiscard]] Expected<std::vector<std::string>> listFiles(const std::filesystem::path& folder);

// Which file a file is and how it stands: its device (volume on Windows) and
// number there, its size and the time of its last change in the system's
// units. A file replaced or changed since has another state.
struct FileState {
    std::uint64_t device = 0;
    std::uint64_t number = 0;
    std::uint64_t size = 0;
    std::uint64_t modified = 0;
    bool operator==(const FileState&) const = default;
};

// An open file of the system, closed when it goes.
class File final {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file for reading without waiting for a pipe's writer or a device.
    [[nodiscard]] std::error_code openForReading(const std::filesystem::path& path);
    // Creates a new file that only the user may read or write; fails if the name is taken.
    [[nodiscard]] std::error_code createPrivate(const std::filesystem::path& path);
    enum class Standard { Input, Output };
    // Uses the process's standard input or output, which stays open when this goes.
    void borrow(Standard stream);
    // What the open file is: a regular file, a pipe, a device...
    [[nodiscard]] std::filesystem::file_type type() const;
    [[nodiscard]] FileState state(std::error_code& ec) const;
    // Reads up to `into.size()` bytes; 0 at the end of the file.
    [[nodiscard]] std::size_t read(std::span<std::uint8_t> into, std::error_code& ec);
    [[nodiscard]] std::error_code write(std::span<const std::uint8_t> bytes);
    // Gives the file made by createPrivate the mode, access control list and
    // extended attributes of `model`, and its owner and group where the user
    // may set them; a new file's mode when `model` does not exist. What the
    // file system or the user's rights cannot keep is named in `lost` ("owner",
    // "permissions"...) and is no error; a permission is never wider than before.
    [[nodiscard]] std::error_code takeAccessOf(const std::filesystem::path& model, std::vector<std::string>& lost);
    // Returns once the file's bytes are on the disk.
    [[nodiscard]] std::error_code sync();
    [[nodiscard]] std::error_code close();

private:
    // A descriptor on POSIX, a HANDLE on Windows: both systems use -1 for none.
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
    bool m_borrowed = false;
    std::filesystem::path m_path;
};

// This program's lock on a folder, held until it goes: two runs that change
// files of one folder take turns. It hinders nothing else, not even a rename.
class FolderLock final {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&&) = delete;

    // Holds the folder's lock once no other run holds it, waiting at most
    // `patience`: std::errc::timed_out when another run held it all along.
    [[nodiscard]] std::error_code lock(const std::filesystem::path& folder, std::chrono::milliseconds patience);

private:
    std::intptr_t m_handle = -1;
};

// The file `path` leads to once every link on the way is followed: `path`
// itself when it is no link, the named file when a link leads nowhere.
[[nodiscard]] std::filesystem::path finalTarget(const std::filesystem::path& path, std::error_code& ec);
// How many names (hard links) an existing file has.
[[nodiscard]] std::uintmax_t nameCount(const std::filesystem::path& path, std::error_code& ec);
[[nodiscard]] FileState stateOf(const std::filesystem::path& path, std::error_code& ec);
// Why the user may not change an existing file (a read-only file system,
// permission denied), or nothing when they may.
[[nodiscard]] std::error_code writeAccess(const std::filesystem::path& path);
// Renames `from` over `to` in one step, durable once it returns.
[[nodiscard]] std::error_code replace(const std::filesystem::path& from, const std::filesystem::path& to);

// Whether the system's file names ignore case (Windows), and whether a folder
// tree should show hidden folders: outside Windows, where Wine keeps the
// simulation in one (~/.wine).
[[nodiscard]] bool fileNamesIgnoreCase();
[[nodiscard]] bool showsHiddenFolders();

// The folder a Windows path of the simulation (its data folder) names on this
// system: on Windows the path itself; elsewhere the same folder inside the
// Wine prefix ($WINEPREFIX, else ~/.wine, components matched without regard
// to case) when it exists, else the home folder.
[[nodiscard]] std::filesystem::path simulationFolder(std::string_view windowsPath);

// The most memory the process has held at once, in bytes (0 where unknown).
[[nodiscard]] std::uint64_t peakMemoryBytes();

// The program's arguments after its name, as UTF-8. On Windows they come
// from the wide command line, since `argv` there is in the local code page,
// split as the C runtime splits it; and as cmd hands `*` and `?` on as typed,
// an argument with them and no quotes becomes the paths it matches, level by
// level (`C:\mods\*\filelist.dat`), in the order of their names regardless of
// case; one that matches nothing stays as typed, as in Windows' own tools.
[[nodiscard]] std::vector<std::string> commandLineArguments(int argc, char** argv);

// While it lives, the text written to std::cout and std::cerr reads right in a
// console window: on Windows a console takes it as wide characters, since it
// would read UTF-8 bytes in its own code page. Output to a file or a pipe stays
// UTF-8 bytes, as everywhere else, which is all it is outside Windows.
class ConsoleText final {
public:
    ConsoleText();
    ~ConsoleText();
    ConsoleText(const ConsoleText&) = delete;
    ConsoleText& operator=(const ConsoleText&) = delete;

private:
    struct Streams;
    std::unique_ptr<Streams> m_streams;
};

} // namespace veq::platform
