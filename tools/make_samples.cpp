// veq-make-samples [FOLDER]: writes a folder of synthetic data files and part
// bitmaps (default "samples") to try every window of VEQ Editor with.
#include "core/file_io.h"
#include "tools/sample_data.h"

#include <cstdio>
#include <filesystem>

// Windows hands a narrow argv over in the ANSI code page, which cannot hold
// every folder name; the wide one can (MinGW links this entry with -municode).
#ifdef _WIN32
int wmain(int argc, wchar_t* argv[])
#else
int main(int argc, char* argv[])
#endif
{
    if (argc > 2) {
        std::fputs("usage: veq-make-samples [FOLDER]\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argc == 2 ? std::filesystem::path(argv[1]) : "samples";
    auto written = veq::writeSampleData(folder);
    if (!written) {
        std::fprintf(stderr, "veq-make-samples: %s\n", written.reason().c_str());
        return 1;
    }
    std::printf("Wrote %zu files into %s\n", written->size(), veq::displayPath(folder).c_str());
    return 0;
}
