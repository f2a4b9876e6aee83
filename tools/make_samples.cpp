// veq-make-samples [FOLDER]: writes a folder of synthetic data files and part
// bitmaps (default "samples") to try every window of VEQ Editor with.
#include "core/file_io.h"
#include "core/platform.h"
#include "tools/sample_data.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[])
{
    // As UTF-8 on every system: Windows' narrow argv cannot hold every folder name.
    const std::vector<std::string> arguments = veq::platform::commandLineArguments(argc, argv);
    if (arguments.size() > 1) {
        std::fputs("usage: veq-make-samples [FOLDER]\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = arguments.empty() ? std::filesystem::path("samples")
                                                           : veq::utf8Path(arguments.front());
    auto written = veq::writeSampleData(folder);
    if (!written) {
        std::fprintf(stderr, "veq-make-samples: %s\n", written.reason().c_str());
        return 1;
    }
    std::printf("Wrote %zu files into %s\n", written->size(), veq::displayPath(folder).c_str());
    return 0;
}
