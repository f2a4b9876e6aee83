#include "core/platform.h"

#include "core/file_io.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veq::platform {

namespace {

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
        return Refusal{"Could not list " + displayPath(folder) + ": " + reasonOf(errno) + "."};
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
        return Refusal{"Could not list " + displayPath(folder) + ": " + reasonOf(readError) + "."};
    return names;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

} // namespace veq::platform
