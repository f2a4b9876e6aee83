#include "bench/bench_harness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// <psapi.h> uses the types <windows.h> declares, so it must come after it.
#include <psapi.h>
#endif

BenchResult runCase(const BenchCase& c, int repetitions)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        if (c.setup)
            c.setup();
        const auto start = std::chrono::steady_clock::now();
        c.body();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return {c.name, times[times.size() / 2], c.targetMs};
}

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

#ifdef _WIN32
PROCESS_MEMORY_COUNTERS processMemory()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return {};
    return counters;
}
#else
// A "Field:   1234 kB" line of /proc/self/status, in MiB; 0 when absent.
double statusFieldMiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            std::istringstream fields(line.substr(key.size()));
            double kib = 0;
            fields >> kib;
            return kib / 1024.0;
        }
    }
    return 0;
}
#endif

} // namespace

// The resident set: the working set on Windows, VmRSS and VmHWM elsewhere.
double currentMemoryMiB()
{
#ifdef _WIN32
    return static_cast<double>(processMemory().WorkingSetSize) / kMiB;
#else
    return statusFieldMiB("VmRSS");
#endif
}

double peakMemoryMiB()
{
#ifdef _WIN32
    return static_cast<double>(processMemory().PeakWorkingSetSize) / kMiB;
#else
    return statusFieldMiB("VmHWM");
#endif
}

void printTable(const std::vector<BenchResult>& windowResults, const std::vector<BenchResult>& coreResults)
{
    std::printf("| case | window (ms) | core floor (ms) | ratio | target | met |\n");
    std::printf("|---|---:|---:|---:|---:|---|\n");
    for (const BenchResult& w : windowResults) {
        const auto core = std::find_if(coreResults.begin(), coreResults.end(),
                                       [&](const BenchResult& c) { return c.name == w.name; });
        const bool hasCore = core != coreResults.end();
        const double ratio = hasCore && core->medianMs > 0 ? w.medianMs / core->medianMs : 0;
        std::printf("| %s | %.1f | %s | %s | %.0f ms | %s |\n", w.name.c_str(), w.medianMs,
                    hasCore ? std::to_string(core->medianMs).substr(0, 5).c_str() : "-",
                    hasCore ? (std::to_string(ratio).substr(0, 4) + "x").c_str() : "-", w.targetMs,
                    w.medianMs <= w.targetMs ? "yes" : "NO");
    }
    std::printf("\nPeak memory (all windows open at the limit): %.1f MiB\n", peakMemoryMiB());
}
