#pragma once

#include "bench/bench_harness.h"

#include <filesystem>
#include <optional>

// The program measured as a process of its own: the benchmark starts its own
// binary again in a child mode that does only what the program does, so the
// child holds none of the benchmark's data.

// Runs the child mode that the arguments ask for and returns its exit status,
// or nothing when they ask for none.
//   --program-startup      shows the main window, says "shown" and ends
//   --program-full FOLDER  then reads FOLDER's three data files through the
//                          Read buttons and runs the Missing report over
//                          FOLDER/bitmaps, and says its peak memory
//   --program-history FOLDER  then reads FOLDER's "<list>-a.dat" files, says
//                          its peak memory, makes 100 steps at the limits
//                          (reads of full files over others) and says it again
[[nodiscard]] std::optional<int> runProgramMode(int argc, char* argv[]);

// Time from starting the process to its main window shown, every run.
[[nodiscard]] ProgramResult measureStartup(int repetitions, double targetMs);
// Peak resident memory of the full run over `folder`, every run.
[[nodiscard]] ProgramResult measureFullRun(const std::filesystem::path& folder, int repetitions, double targetMiB);
// Peak memory added by the history run's 100 steps, every run.
[[nodiscard]] ProgramResult measureHistory(const std::filesystem::path& folder, int repetitions, double targetMiB);
