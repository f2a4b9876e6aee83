// veq: the data files of VEQ Editor from the command line, on the core alone.
// Everything but the process lies in the veq_cli library (cli/run.h).

#include "cli/run.h"
#include "core/file_io.h"
#include "core/platform.h"
#include "core/sentences.h"

#include <iostream>

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    const veq::platform::ConsoleText console;
    const veq::cli::Streams streams{std::cout, std::cerr, veq::readStandardInput, veq::writeStandardOutput};
    const int status = veq::cli::run(veq::platform::commandLineArguments(argc, argv), streams);
    // A result that did not reach its reader (a full disk, a closed pipe) is no result.
    if (std::cout.flush() || status == veq::cli::kSavedUnreported)
        return status;
    std::cerr << "veq: " << veq::sentences::resultNotWritten() << '\n';
    return veq::cli::kRefused;
}
