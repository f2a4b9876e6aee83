#pragma once

#include "core/expected.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
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
    // Reads up to `into.size()` bytes; 0 at the end of the file.
    [[nodiscard]] std::size_t read(std::span<std::uint8_t> into, std::error_code& ec);
    [[nodiscard]] std::error_code write(std::span<const std::uint8_t> bytes);
    // Gives the open file the mode of `model`, and its owner and group where
    // the user may set them; a new file's mode when `model` does not exist.
    [[nodiscard]] std::error_code takeAccessOf(const std::filesystem::path& model);
    // Returns once the file's bytes are on the disk.
    [[nodiscard]] std::error_code sync();
    [[nodiscard]] std::error_code close();

private:
    // A descriptor on POSIX, a HANDLE on Windows: both systems use -1 for none.
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
    bool m_borrowed = false;
};

// The file `path` leads to once every link on the way is followed: `path`
// itself when it is no link, the named file when a link leads nowhere.
[[nodiscard]] std::filesystem::path finalTarget(const std::filesystem::path& path, std::error_code& ec);
// How many names (hard links) an existing file has.
[[nodiscard]] std::uintmax_t nameCount(const std::filesystem::path& path, std::error_code& ec);
// Whether the user may change an existing file.
[[nodiscard]] bool mayWrite(const std::filesystem::path& path);
// Renames `from` over `to` in one step, durable once it returns.
[[nodiscard]] std::error_code replace(const std::filesystem::path& from, const std::filesystem::path& to);

// The program's arguments after its name, as UTF-8: on Windows from the wide
// command line, since `argv` there is in the local code page.
[[nodiscard]] std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace veq::platform
