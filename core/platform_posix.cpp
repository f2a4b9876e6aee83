#include "core/platform.h"

#include "core/file_io.h"
#include "core/sentences.h"

#include <acl/libacl.h>
#include <attr/libattr.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

namespace veq::platform {

namespace {

namespace fs = std::filesystem;

// Linux's own limit on the links one path may pass through.
constexpr int kMaxLinks = 40;

// The file-creation mask, read once before main while the program has one
// thread: reading it means setting it, which must not race another thread.
const mode_t kCreationMask = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

std::error_code lastError() { return {errno, std::generic_category()}; }

fs::file_type typeOf(mode_t mode)
{
    if (S_ISREG(mode))
        return fs::file_type::regular;
    if (S_ISDIR(mode))
        return fs::file_type::directory;
    if (S_ISFIFO(mode))
        return fs::file_type::fifo;
    if (S_ISCHR(mode))
        return fs::file_type::character;
    if (S_ISBLK(mode))
        return fs::file_type::block;
    if (S_ISSOCK(mode))
        return fs::file_type::socket;
    return fs::file_type::unknown;
}

FileState stateFrom(const struct stat& status)
{
    const auto nanoseconds = static_cast<std::uint64_t>(status.st_mtim.tv_sec) * 1000000000U +
                             static_cast<std::uint64_t>(status.st_mtim.tv_nsec);
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size), nanoseconds};
}

// The errors of a file system that keeps no mode, owner or attribute (FAT,
// exFAT, some network shares): the file is saved all the same.
bool cannotKeep(int error) { return error == ENOSYS || error == EPERM || error == EOPNOTSUPP || error == ENOTSUP; }

std::string reasonOf(int error)
{
    switch (error) {
    case ENOENT:
        return "the folder does not exist";
    case ENOTDIR:
        return "it is not a folder";
    default:
        return std::strerror(error);
    }
}

} // namespace

Expected<std::vector<std::string>> listFiles(const std::filesystem::path& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return Refusal{sentences::couldNotList(folder, reasonOf(errno))};
    // The directory entry tells a regular file from anything else; only names
    // the file system cannot type (and links) cost a status call.
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status{};
            regular = ::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        if (regular)
            names.emplace_back(entry->d_name);
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0)
        return Refusal{sentences::couldNotList(folder, reasonOf(readError))};
    return names;
}

File::~File() { static_cast<void>(close()); }

std::error_code File::openForReading(const fs::path& path)
{
    // Non-blocking, so a pipe without a writer or a device cannot stop the open;
    // for a regular file the flag changes nothing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd == -1)
        return lastError();
    m_handle = fd;
    return {};
}

std::error_code File::createPrivate(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd == -1)
        return lastError();
    m_handle = fd;
    m_path = path;
    return {};
}

void File::borrow(Standard stream)
{
    m_handle = stream == Standard::Input ? STDIN_FILENO : STDOUT_FILENO;
    m_borrowed = true;
}

fs::file_type File::type() const
{
    struct stat status{};
    if (::fstat(static_cast<int>(m_handle), &status) != 0)
        return fs::file_type::unknown;
    return typeOf(status.st_mode);
}

FileState File::state(std::error_code& ec) const
{
    struct stat status{};
    ec = ::fstat(static_cast<int>(m_handle), &status) == 0 ? std::error_code{} : lastError();
    return ec ? FileState{} : stateFrom(status);
}

std::size_t File::read(std::span<std::uint8_t> into, std::error_code& ec)
{
    ec.clear();
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(m_handle), into.data(), into.size());
        if (got != -1)
            return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            ec = lastError();
            return 0;
        }
    }
}

std::error_code File::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(static_cast<int>(m_handle), bytes.data(), bytes.size());
        if (put == -1) {
            if (errno != EINTR)
                return lastError();
            continue;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return {};
}

std::error_code File::takeAccessOf(const fs::path& model, std::vector<std::string>& lost)
{
    const int fd = static_cast<int>(m_handle);
    struct stat old{};
    if (::stat(model.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return lastError();
        return ::fchmod(fd, 0666 & ~kCreationMask) == 0 || cannotKeep(errno) ? std::error_code{} : lastError();
    }
    // Owner and group where the user may set them, else the group alone; a user
    // who may set neither saves a file of their own, as other editors do.
    [[maybe_unused]] const bool owned =
        ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    // After the owner, since a change of owner clears the set-id bits. As
    // `cp --preserve` does: the mode with the access control list, where the
    // new file cannot take the list its mask narrows the group, never widens it.
    if (::perm_copy_file(model.c_str(), m_path.c_str(), nullptr) != 0 && !cannotKeep(errno))
        return lastError();
    const bool attributesKept = ::attr_copy_file(model.c_str(), m_path.c_str(), nullptr, nullptr) == 0;

    // libacl sets the permission bits alone; the set-id and sticky bits follow.
    struct stat now{};
    if ((old.st_mode & 07000) != 0 && ::fstat(fd, &now) == 0)
        static_cast<void>(::fchmod(fd, (now.st_mode & 0777) | (old.st_mode & 07000)));
    if (::fstat(fd, &now) != 0)
        return lastError();
    const std::pair<bool, const char*> kept[] = {
        {now.st_uid == old.st_uid, "owner"},
        {now.st_gid == old.st_gid, "group"},
        {(now.st_mode & 07777) == (old.st_mode & 07777), "permissions"},
        {::acl_extended_file(model.c_str()) != 1 || ::acl_extended_fd(fd) == 1, "access control list"},
        {attributesKept, "extended attributes"}};
    for (const auto& [same, what] : kept)
        if (!same)
            lost.emplace_back(what);
    return {};
}

std::error_code File::sync() { return ::fsync(static_cast<int>(m_handle)) == 0 ? std::error_code{} : lastError(); }

std::error_code File::close()
{
    if (m_handle == kNone)
        return {};
    const int fd = static_cast<int>(std::exchange(m_handle, kNone));
    if (std::exchange(m_borrowed, false))
        return {};
    // The descriptor is gone even when close reports an error, so it is never retried.
    return ::close(fd) == 0 ? std::error_code{} : lastError();
}

fs::path finalTarget(const fs::path& path, std::error_code& ec)
{
    fs::path file = path;
    for (int passed = 0; passed <= kMaxLinks; ++passed) {
        const fs::file_status status = fs::symlink_status(file, ec);
        if (ec && status.type() != fs::file_type::not_found)
            return {};
        ec.clear();
        if (!fs::is_symlink(status))
            return file;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec)
            return {};
        file = file.parent_path() / next;
    }
    ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return {};
}

std::uintmax_t nameCount(const fs::path& path, std::error_code& ec) { return fs::hard_link_count(path, ec); }

FileState stateOf(const fs::path& path, std::error_code& ec)
{
    struct stat status{};
    ec = ::stat(path.c_str(), &status) == 0 ? std::error_code{} : lastError();
    return ec ? FileState{} : stateFrom(status);
}

std::error_code writeAccess(const fs::path& path)
{
    return ::access(path.c_str(), W_OK) == 0 ? std::error_code{} : lastError();
}

FolderLock::~FolderLock()
{
    if (m_handle != -1)
        ::close(static_cast<int>(m_handle)); // closing releases the lock
}

FolderLock::FolderLock(FolderLock&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

std::error_code FolderLock::lock(const fs::path& folder, std::chrono::milliseconds patience)
{
    // A lock on the folder itself leaves no lock file behind and does not
    // stand in the way of the rename that replaces a file in it.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == -1)
        return lastError();
    // flock cannot wait for a while only: it is asked again until the patience is spent.
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error != EINTR && error != EWOULDBLOCK) {
            ::close(fd);
            return {error, std::generic_category()};
        }
        if (error == EWOULDBLOCK && std::chrono::steady_clock::now() >= giveUp) {
            ::close(fd);
            return std::make_error_code(std::errc::timed_out);
        }
        if (error == EWOULDBLOCK)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_handle = fd;
    return {};
}

std::error_code replace(const fs::path& from, const fs::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastError();
    // The rename is on the disk once its folder is. Best effort: the new file is
    // in place already, and some file systems cannot sync a folder.
    const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
    if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd != -1) {
        ::fsync(fd);
        ::close(fd);
    }
    return {};
}

bool fileNamesIgnoreCase() { return false; }

bool showsHiddenFolders() { return true; }

namespace {

// The child of `folder` named `name` without regard to case, as Wine's drives find it.
fs::path childIgnoringCase(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    if (fs::is_directory(folder / name, ec))
        return folder / name;
    const std::string wanted = toUpperAscii(name);
    for (fs::directory_iterator child(folder, ec), end; !ec && child != end; child.increment(ec))
        if (child->is_directory(ec) && toUpperAscii(child->path().filename().string()) == wanted)
            return child->path();
    return {};
}

fs::path homeFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) : fs::current_path();
}

} // namespace

fs::path simulationFolder(std::string_view windowsPath)
{
    const char* prefixVariable = std::getenv("WINEPREFIX");
    fs::path folder = prefixVariable && *prefixVariable ? fs::path(prefixVariable) : homeFolder() / ".wine";
    // "C:\Sierra\..." lies under the prefix's drive_c.
    if (windowsPath.size() < 2 || windowsPath[1] != ':')
        return homeFolder();
    std::string drive = "drive_";
    drive += static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
    folder /= drive;
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\\/"), rest.size());
        if (end > 0) {
            folder = childIgnoringCase(folder, std::string(rest.substr(0, end)));
            if (folder.empty())
                return homeFolder();
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return folder.lexically_normal();
}

std::uint64_t peakMemoryBytes()
{
    // The kernel keeps the high-water mark of the resident set, in kB.
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    unsigned long long kib = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %llu kB", &kib) == 1)
            break;
    std::fclose(status);
    return kib * 1024;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

// Outside Windows a terminal takes UTF-8 bytes as they are.
struct ConsoleText::Streams {};
ConsoleText::ConsoleText() = default;
ConsoleText::~ConsoleText() = default;

} // namespace veq::platform
