#include "bench/bench_harness.h"

#include "core/platform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#ifdef VEQ_BENCH_CALLGRIND
#include <valgrind/callgrind.h>
#endif

namespace {

// Built with VEQ_BENCH_CALLGRIND and run under callgrind, only the timed
// bodies are counted, one dump per case: a count the machine's load leaves alone.
void countBody(bool starting, const std::string& name)
{
#ifdef VEQ_BENCH_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
    if (!starting)
        CALLGRIND_DUMP_STATS_AT(name.c_str());
#else
    (void)starting;
    (void)name;
#endif
}

const char* met(double value, double target) { return value <= target ? "yes" : "NO"; }

} // namespace

BenchResult runCase(const BenchCase& c, int repetitions)
{
    BenchResult result{c.name, {}, c.targetMs};
    for (int i = 0; i < repetitions; ++i) {
        if (c.setup)
            c.setup();
        const auto start = std::chrono::steady_clock::now();
        countBody(true, c.name);
        c.body();
        countBody(false, c.name);
        const auto end = std::chrono::steady_clock::now();
        result.timesMs.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    if (c.worked && !c.worked())
        stopBench("\"" + c.name + "\" did not do its work");
    std::sort(result.timesMs.begin(), result.timesMs.end());
    return result;
}

void stopBench(const std::string& why)
{
    std::fprintf(stderr, "veq-bench: %s\n", why.c_str());
    std::exit(2);
}

double peakMemoryMiB() { return static_cast<double>(veq::platform::peakMemoryBytes()) / (1024.0 * 1024.0); }

void printTable(const std::vector<BenchResult>& windowResults, const std::vector<BenchResult>& coreResults)
{
    std::printf("| case | window (ms) | core floor (ms) | ratio | target | met |\n");
    std::printf("|---|---:|---:|---:|---:|---|\n");
    for (const BenchResult& w : windowResults) {
        const auto core = std::find_if(coreResults.begin(), coreResults.end(),
                                       [&](const BenchResult& c) { return c.name == w.name; });
        if (core == coreResults.end()) {
            std::printf("| %s | %.1f | - | - | %.0f ms | %s |\n", w.name.c_str(), w.medianMs(), w.targetMs,
                        met(w.medianMs(), w.targetMs));
            continue;
        }
        std::printf("| %s | %.1f | %.2f | %.2fx | %.0f ms | %s |\n", w.name.c_str(), w.medianMs(), core->medianMs(),
                    core->medianMs() > 0 ? w.medianMs() / core->medianMs() : 0.0, w.targetMs,
                    met(w.medianMs(), w.targetMs));
    }
}

void printProgramTable(const std::vector<ProgramResult>& results)
{
    if (results.empty())
        return;
    std::printf("\n| the program as its own process | median | target | met |\n");
    std::printf("|---|---:|---:|---|\n");
    for (const ProgramResult& r : results)
        std::printf("| %s | %.1f %s | %.0f %s | %s |\n", r.name.c_str(), r.median(), r.unit.c_str(), r.target,
                    r.unit.c_str(), met(r.median(), r.target));
}

void printDetails(const std::vector<BenchResult>& windowResults, const std::vector<BenchResult>& coreResults,
                  const std::vector<ProgramResult>& programResults)
{
    auto runs = [](const char* side, const std::string& name, const std::vector<double>& values) {
        std::printf("%-6s %-58s", side, name.c_str());
        for (double value : values)
            std::printf(" %7.2f", value);
        std::printf("\n");
    };
    std::printf("\nEvery run, ascending (ms; MiB for memory):\n");
    for (const BenchResult& r : windowResults)
        runs("window", r.name, r.timesMs);
    for (const BenchResult& r : coreResults)
        runs("core", r.name, r.timesMs);
    for (const ProgramResult& r : programResults)
        runs("child", r.name, r.values);
    std::printf("Peak resident memory of the benchmark itself (its data sets and all windows): %.1f MiB\n",
                peakMemoryMiB());
}
