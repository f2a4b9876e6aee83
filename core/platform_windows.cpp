#include "core/platform.h"

#include "core/file_io.h"
#include "core/sentences.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <streambuf>
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

namespace {

struct Argument {
    std::wstring text;
    bool quoted = false;
};

// Splits a command line as the C runtime does for `argv`: the program's name
// runs to the next blank or, opened by a quote, to the next quote; then blanks
// part the arguments, quotes group, 2n backslashes before a quote give n and
// the quote opens or closes, 2n+1 give n and a quote, and "" within quotes is
// a quote. Other backslashes are what they are: paths keep theirs.
std::vector<Argument> splitArguments(std::wstring_view line)
{
    const bool quotedName = !line.empty() && line[0] == L'"';
    std::size_t at = quotedName ? line.find(L'"', 1) : line.find_first_of(L" \t");
    at = at == std::wstring_view::npos ? line.size() : at + (quotedName ? 1 : 0);

    std::vector<Argument> arguments;
    auto blank = [&] { return line[at] == L' ' || line[at] == L'\t'; };
    while (true) {
        while (at < line.size() && blank())
            ++at;
        if (at == line.size())
            return arguments;
        Argument argument;
        bool inQuotes = false;
        while (at < line.size() && (inQuotes || !blank())) {
            std::size_t backslashes = 0;
            while (at < line.size() && line[at] == L'\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == L'"') {
                argument.text.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument.text += L'"';
                } else if (inQuotes && at + 1 < line.size() && line[at + 1] == L'"') {
                    argument.text += L'"';
                    ++at;
                } else {
                    inQuotes = !inQuotes;
                    argument.quoted = true;
                }
                ++at;
            } else if (backslashes > 0) {
                argument.text.append(backslashes, L'\\');
            } else if (at < line.size()) {
                argument.text += line[at++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The names in `folder` (ending in a separator, or empty for the current
// folder) that `pattern` matches as the system matches a file search, without
// "." and "..", folders only when `foldersOnly`, sorted regardless of case.
std::vector<std::wstring> matchingNames(const std::wstring& folder, const std::wstring& pattern, bool foldersOnly)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileExW((folder + pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring_view name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != L"." && name != L".." && (isFolder || !foldersOnly))
            names.emplace_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                      TRUE) == CSTR_LESS_THAN;
    });
    return names;
}

// Adds to `paths` every existing path that `pattern` names, from `from` on:
// the component with the first wildcard is matched in the folder before it,
// and each match goes on with the rest of the pattern.
void expand(const std::wstring& pattern, std::size_t from, std::vector<std::wstring>& paths)
{
    const std::size_t wildcard = pattern.find_first_of(L"*?", from);
    if (wildcard == std::wstring::npos) {
        if (::GetFileAttributesW(pattern.c_str()) != INVALID_FILE_ATTRIBUTES)
            paths.push_back(pattern);
        return;
    }
    std::size_t start = wildcard;
    while (start > from && !isSeparator(pattern[start - 1]) && !(start == 2 && pattern[1] == L':'))
        --start;
    std::size_t end = wildcard;
    while (end < pattern.size() && !isSeparator(pattern[end]))
        ++end;
    const std::wstring folder = pattern.substr(0, start);
    const std::wstring rest = pattern.substr(end);
    for (const std::wstring& name : matchingNames(folder, pattern.substr(start, end - start), !rest.empty())) {
        if (rest.empty())
            paths.push_back(folder + name);
        else
            expand(folder + name + rest, start + name.size(), paths);
    }
}

// The arguments after the program's name, as UTF-8, those with wildcards and
// no quotes expanded.
std::vector<std::string> splitCommandLine(std::wstring_view commandLine)
{
    std::vector<std::string> arguments;
    for (const Argument& argument : splitArguments(commandLine)) {
        // "\\?\" and "\\.\" begin a path of the system's own; their "?" is no wildcard.
        const bool systemPath = argument.text.starts_with(L"\\\\?\\") || argument.text.starts_with(L"\\\\.\\");
        const std::size_t from = systemPath ? 4 : 0;
        std::vector<std::wstring> paths;
        if (!argument.quoted && argument.text.find_first_of(L"*?", from) != std::wstring::npos)
            expand(argument.text, from, paths);
        if (paths.empty())
            paths.push_back(argument.text);
        for (const std::wstring& path : paths)
            arguments.push_back(utf8(path.c_str()));
    }
    return arguments;
}

} // namespace

std::vector<std::string> commandLineArguments(int, char**) { return splitCommandLine(::GetCommandLineW()); }

namespace {

// A console's stream: UTF-8 in, wide characters out through WriteConsoleW. A
// character whose bytes are split across two writes waits for its last bytes.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : m_console(console)
    {
        setp(m_bytes.data(), m_bytes.data() + m_bytes.size());
    }
    ConsoleBuffer(const ConsoleBuffer&) = delete;
    ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;
    ~ConsoleBuffer() override { static_cast<void>(writeOut(true)); }

protected:
    int_type overflow(int_type c) override
    {
        if (!writeOut())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return writeOut() ? 0 : -1; }

private:
    // Writes what is buffered, up to its last whole character unless `all`;
    // false when the console refuses it.
    bool writeOut(bool all = false)
    {
        const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t whole = all ? size : size - incompleteTail(std::string_view(pbase(), size));
        bool written = true;
        if (whole > 0) {
            // Bytes that are no UTF-8 show as U+FFFD.
            const int wide = ::MultiByteToWideChar(CP_UTF8, 0, pbase(), static_cast<int>(whole), nullptr, 0);
            std::wstring text(static_cast<std::size_t>(wide), L'\0');
            ::MultiByteToWideChar(CP_UTF8, 0, pbase(), static_cast<int>(whole), text.data(), wide);
            for (std::size_t done = 0; written && done < text.size();) {
                DWORD put = 0;
                written = ::WriteConsoleW(m_console, text.data() + done, static_cast<DWORD>(text.size() - done), &put,
                                          nullptr) &&
                          put > 0;
                done += put;
            }
        }
        std::copy(pbase() + whole, pptr(), m_bytes.data());
        setp(m_bytes.data(), m_bytes.data() + m_bytes.size());
        pbump(static_cast<int>(size - whole));
        return written;
    }

    // How many bytes at the end of `bytes` begin a character that is not complete yet.
    static std::size_t incompleteTail(std::string_view bytes)
    {
        for (std::size_t back = 1; back <= std::min<std::size_t>(3, bytes.size()); ++back) {
            const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
            if ((byte & 0xC0) == 0x80)
                continue;
            const std::size_t length = byte >= 0xF8 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length > back ? back : 0;
        }
        return 0;
    }

    HANDLE m_console;
    std::array<char, 4096> m_bytes{};
};

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetConsoleMode(handle, &mode);
}

} // namespace

struct ConsoleText::Streams {
    struct Redirected {
        std::ostream& stream;
        std::streambuf* before;
        std::unique_ptr<ConsoleBuffer> console;
    };
    std::vector<Redirected> redirected;
};

ConsoleText::ConsoleText() : m_streams(std::make_unique<Streams>())
{
    const std::pair<std::ostream*, DWORD> streams[] = {{&std::cout, STD_OUTPUT_HANDLE}, {&std::cerr, STD_ERROR_HANDLE}};
    for (const auto& [stream, which] : streams) {
        const HANDLE handle = ::GetStdHandle(which);
        if (!isConsole(handle))
            continue;
        stream->flush();
        auto console = std::make_unique<ConsoleBuffer>(handle);
        std::streambuf* before = stream->rdbuf(console.get());
        m_streams->redirected.push_back({*stream, before, std::move(console)});
    }
}

ConsoleText::~ConsoleText()
{
    for (auto& redirected : m_streams->redirected) {
        redirected.stream.flush();
        redirected.stream.rdbuf(redirected.before);
    }
}

} // namespace veq::platform
