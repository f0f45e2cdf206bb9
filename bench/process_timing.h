#pragma once

// Spawning the real program and timing it, for the benchmarks that measure it as a
// process: from just before the spawn to its exit, with its peak resident memory.

#include <string>
#include <vector>

namespace virdamo::bench {

/// One run of a process.
struct ProcessRun {
    bool exitedZero = false;
    std::string output;     ///< its standard output
    long long startNs = 0;  ///< CLOCK_MONOTONIC just before the spawn
    long long endNs = 0;    ///< CLOCK_MONOTONIC once it was reaped
    double peakRssMb = 0;
};

/// CLOCK_MONOTONIC, nanoseconds.
[[nodiscard]] long long monotonicNanoseconds();

/// Runs argv (argv[0] is the program's path) with the current environment, where each
/// "NAME=value" of overrides replaces or adds that variable; standard error is discarded.
[[nodiscard]] ProcessRun runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& overrides);

[[nodiscard]] double median(std::vector<double> values);

/// Prints the median, minimum and maximum of values in one line.
void summary(const char* what, const std::vector<double>& values, const char* unit);

}  // namespace virdamo::bench
