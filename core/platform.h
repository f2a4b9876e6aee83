#pragma once

#include "core/expected.h"

#include <filesystem>
#include <string>
#include <vector>

// What the core needs of the operating system beyond the standard library.
// One header, one source per system family (platform_posix.cpp,
// platform_windows.cpp), so no system call leaks into the rest of the core.
namespace veq::platform {

// The names of the files in `folder` that a search for ordinary and read-only
// files finds: no folders, devices or links to nothing, and on Windows no
// hidden or system files. In the order the file system gives them, as UTF-8.
// Refuses a folder that cannot be listed, saying why.
[[nodiscard]] Expected<std::vector<std::string>> listFiles(const std::filesystem::path& folder);

// The program's arguments after its name, as UTF-8: on Windows from the wide
// command line, since `argv` there is in the local code page.
[[nodiscard]] std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace veq::platform
