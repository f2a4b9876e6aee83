#include "core/platform.h"

#include "core/file_io.h"

#include <windows.h>

#include <shellapi.h>

#include <system_error>

namespace veq::platform {

namespace {

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
    const std::wstring pattern = (folder / L"*").wstring();
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // An empty folder has no match at all, not even "." at a drive's root.
        std::error_code ec;
        if (error == ERROR_FILE_NOT_FOUND && std::filesystem::is_directory(folder, ec))
            return std::vector<std::string>{};
        return Refusal{"Could not list " + displayPath(folder) + ": " + reasonOf(error) + "."};
    }
    std::vector<std::string> names;
    do {
        if ((found.dwFileAttributes & kSkipped) == 0)
            names.push_back(utf8(found.cFileName));
    } while (::FindNextFileW(search, &found));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    if (error != ERROR_NO_MORE_FILES)
        return Refusal{"Could not list " + displayPath(folder) + ": " + reasonOf(error) + "."};
    return names;
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
