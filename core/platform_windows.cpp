#include "core/platform.h"

#include "core/file_io.h"
#include "core/sentences.h"

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <string_view>
#include <system_error>
#include <utility>

namespace veq::platform {

namespace {

namespace fs = std::filesystem;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// The system's error in the standard's terms where one matches, so that the
// core tells a missing file, a taken name or a full disk alike on every system.
std::error_code lastError()
{
    const DWORD error = ::GetLastError();
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::make_error_code(std::errc::file_exists);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_FILENAME_EXCED_RANGE:
        return std::make_error_code(std::errc::filename_too_long);
    case ERROR_CANT_RESOLVE_FILENAME:
        return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    default:
        return {static_cast<int>(error), std::system_category()};
    }
}

std::error_code succeeded(BOOL done) { return done ? std::error_code{} : lastError(); }

// A handle to a file or folder itself, for its information only.
HANDLE openForInformation(const fs::path& path)
{
    return ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// "\\?\C:\x" as "C:\x", "\\?\UNC\host\x" as "\\host\x": the runtime's file status
// does not take the long form.
fs::path withoutLongPrefix(const std::wstring& path)
{
    constexpr std::wstring_view longForm = L"\\\\?\\";
    constexpr std::wstring_view longUnc = L"\\\\?\\UNC\\";
    if (path.starts_with(longUnc))
        return L"\\\\" + path.substr(longUnc.size());
    if (path.starts_with(longForm))
        return path.substr(longForm.size());
    return path;
}

FileState stateFrom(const BY_HANDLE_FILE_INFORMATION& information)
{
    auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return {information.dwVolumeSerialNumber, join(information.nFileIndexHigh, information.nFileIndexLow),
            join(information.nFileSizeHigh, information.nFileSizeLow),
            join(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime)};
}

FileState stateOfHandle(HANDLE file, std::error_code& ec)
{
    BY_HANDLE_FILE_INFORMATION information{};
    ec = succeeded(::GetFileInformationByHandle(file, &information));
    return ec ? FileState{} : stateFrom(information);
}

std::string utf8(const wchar_t* text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::string reasonOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "the folder does not exist";
    case ERROR_DIRECTORY:
        return "it is not a folder";
    default:
        return std::system_category().message(static_cast<int>(error));
    }
}

} // namespace

Expected<std::vector<std::string>> listFiles(const std::filesystem::path& folder)
{
    // A file search skips hidden and system files unless asked for them, so
    // the same attributes are left out here.
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_DEVICE;
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_DIRECTORY;
        return Refusal{sentences::couldNotList(folder, reasonOf(error))};
    }
    const std::wstring pattern = (folder / L"*").wstring();
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // An empty folder has no match at all, not even "." at a drive's root.
        if (error == ERROR_FILE_NOT_FOUND)
            return std::vector<std::string>{};
        return Refusal{sentences::couldNotList(folder, reasonOf(error))};
    }
    std::vector<std::string> names;
    do {
        if ((found.dwFileAttributes & kSkipped) == 0)
            names.push_back(utf8(found.cFileName));
    } while (::FindNextFileW(search, &found));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    if (error != ERROR_NO_MORE_FILES)
        return Refusal{sentences::couldNotList(folder, reasonOf(error))};
    return names;
}

File::~File() { static_cast<void>(close()); }

std::error_code File::openForReading(const fs::path& path)
{
    // Opening a pipe or a device does not wait here; what was opened is checked before any read.
    HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::error_code File::createPrivate(const fs::path& path)
{
    // Shared with no one while it is written; it takes its folder's inherited permissions.
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return {};
}

void File::borrow(Standard stream)
{
    m_handle = reinterpret_cast<std::intptr_t>(
        ::GetStdHandle(stream == Standard::Input ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE));
    m_borrowed = true;
}

fs::file_type File::type() const
{
    switch (::GetFileType(handleOf(m_handle))) {
    case FILE_TYPE_DISK:
        return fs::file_type::regular;
    case FILE_TYPE_CHAR:
        return fs::file_type::character;
    case FILE_TYPE_PIPE:
        return fs::file_type::fifo;
    default:
        return fs::file_type::unknown;
    }
}

FileState File::state(std::error_code& ec) const { return stateOfHandle(handleOf(m_handle), ec); }

std::size_t File::read(std::span<std::uint8_t> into, std::error_code& ec)
{
    ec.clear();
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1U << 30));
    DWORD got = 0;
    if (!::ReadFile(handleOf(m_handle), into.data(), want, &got, nullptr)) {
        // A pipe whose writer has gone is at its end, as on POSIX.
        if (::GetLastError() != ERROR_BROKEN_PIPE)
            ec = lastError();
        return 0;
    }
    return got;
}

std::error_code File::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD put = 0;
        if (!::WriteFile(handleOf(m_handle), bytes.data(), want, &put, nullptr))
            return lastError();
        bytes = bytes.subspan(put);
    }
    return {};
}

// A new file takes its folder's inherited permissions, as the file it replaces
// did; Windows keeps no mode to copy, and a read-only file is never replaced.
std::error_code File::takeAccessOf(const fs::path&, std::vector<std::string>&) { return {}; }

std::error_code File::sync() { return succeeded(::FlushFileBuffers(handleOf(m_handle))); }

std::error_code File::close()
{
    if (m_handle == kNone)
        return {};
    HANDLE file = handleOf(m_handle);
    m_handle = kNone;
    if (std::exchange(m_borrowed, false))
        return {};
    return succeeded(::CloseHandle(file));
}

fs::path finalTarget(const fs::path& path, std::error_code& ec)
{
    ec.clear();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    HANDLE file = openForInformation(path);
    if (file == INVALID_HANDLE_VALUE) {
        ec = lastError();
        return {};
    }
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), 0);
    if (length >= name.size()) {
        name.resize(length);
        length = ::GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), 0);
    }
    if (length == 0 || length >= name.size())
        ec = lastError();
    ::CloseHandle(file);
    if (ec)
        return {};
    name.resize(length);
    return withoutLongPrefix(name);
}

std::uintmax_t nameCount(const fs::path& path, std::error_code& ec)
{
    ec.clear();
    HANDLE file = openForInformation(path);
    if (file == INVALID_HANDLE_VALUE) {
        ec = lastError();
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    ec = succeeded(::GetFileInformationByHandle(file, &information));
    ::CloseHandle(file);
    return ec ? 0 : information.nNumberOfLinks;
}

FileState stateOf(const fs::path& path, std::error_code& ec)
{
    HANDLE file = openForInformation(path);
    if (file == INVALID_HANDLE_VALUE) {
        ec = lastError();
        return {};
    }
    const FileState state = stateOfHandle(file, ec);
    ::CloseHandle(file);
    return state;
}

std::error_code writeAccess(const fs::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return lastError();
    return (attributes & FILE_ATTRIBUTE_READONLY) ? std::make_error_code(std::errc::permission_denied)
                                                  : std::error_code{};
}

FolderLock::~FolderLock()
{
    if (m_handle == -1)
        return;
    ::ReleaseMutex(handleOf(m_handle));
    ::CloseHandle(handleOf(m_handle));
}

FolderLock::FolderLock(FolderLock&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

std::error_code FolderLock::lock(const fs::path& folder, std::chrono::milliseconds patience)
{
    // A lock on a file would stop the rename that replaces it, and a folder
    // cannot be locked: a mutex named after the folder's volume and number is
    // found by every run on this machine, by whatever path it names the folder.
    std::error_code ec;
    const FileState where = stateOf(folder, ec);
    if (ec)
        return ec;
    const std::wstring name =
        L"Global\\veq-folder-" + std::to_wstring(where.device) + L"-" + std::to_wstring(where.number);
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex)
        return lastError();
    // An abandoned mutex (a run that ended without letting go) is held all the same.
    const DWORD waited = ::WaitForSingleObject(mutex, static_cast<DWORD>(patience.count()));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        ec = waited == WAIT_TIMEOUT ? std::make_error_code(std::errc::timed_out) : lastError();
        ::CloseHandle(mutex);
        return ec;
    }
    m_handle = reinterpret_cast<std::intptr_t>(mutex);
    return {};
}

std::error_code replace(const fs::path& from, const fs::path& to)
{
    return succeeded(::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

bool fileNamesIgnoreCase() { return true; }

bool showsHiddenFolders() { return false; }

fs::path simulationFolder(std::string_view windowsPath) { return utf8Path(windowsPath); }

std::uint64_t peakMemoryBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return counters.PeakWorkingSetSize;
    return 0;
}

std::vector<std::string> commandLineArguments(int, char**)
{
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(utf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

} // namespace veq::platform
