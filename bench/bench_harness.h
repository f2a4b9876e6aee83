#pragma once

#include <functional>
#include <string>
#include <vector>

// A small harness: each case has an untimed setup and a timed body, runs a
// few times, and reports its median.
struct BenchCase {
    std::string name;
    std::function<void()> setup; // before every run, not timed
    std::function<void()> body;  // timed
    double targetMs = 25.0;
    // After the last run: whether the body did its work. A case that did
    // nothing would time nothing, so the benchmark stops on it.
    std::function<bool()> worked = {};
};

struct BenchResult {
    std::string name;
    std::vector<double> timesMs; // every run, ascending
    double targetMs = 0;
    [[nodiscard]] double medianMs() const { return timesMs[timesMs.size() / 2]; }
};

// A measure of the program run as its own process.
struct ProgramResult {
    std::string name;
    std::vector<double> values; // every run, ascending
    double target = 0;
    std::string unit;
    [[nodiscard]] double median() const { return values[values.size() / 2]; }
};

[[nodiscard]] BenchResult runCase(const BenchCase& c, int repetitions);
// Ends the benchmark with a message: a case that cannot run measures nothing.
[[noreturn]] void stopBench(const std::string& why);
// The peak resident memory of this process so far.
[[nodiscard]] double peakMemoryMiB();

// Each window case next to the same work in the core alone.
void printTable(const std::vector<BenchResult>& windowResults, const std::vector<BenchResult>& coreResults);
void printProgramTable(const std::vector<ProgramResult>& results);
// Every run of every case, fastest and slowest.
void printDetails(const std::vector<BenchResult>& windowResults, const std::vector<BenchResult>& coreResults,
                  const std::vector<ProgramResult>& programResults);
