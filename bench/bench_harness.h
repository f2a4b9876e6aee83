#pragma once

#include <functional>
#include <string>
#include <vector>

// A small harness: each case has an untimed setup and a timed body, runs a
// few times, and reports its median; peak memory is read once at the end.
struct BenchCase {
    std::string name;
    std::function<void()> setup; // before every run, not timed
    std::function<void()> body;  // timed
    double targetMs = 50.0;
};

struct BenchResult {
    std::string name;
    double medianMs = 0;
    double targetMs = 0;
};

[[nodiscard]] BenchResult runCase(const BenchCase& c, int repetitions);
[[nodiscard]] double peakMemoryMiB();
[[nodiscard]] double currentMemoryMiB();
void printTable(const std::vector<BenchResult>& windowResults, const std::vector<BenchResult>& coreResults);
