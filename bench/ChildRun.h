#pragma once
// Runs one start-up probe as a child process and measures it from the outside.

#include <string>
#include <vector>

namespace vorix::bench {

struct ChildRun {
    bool ok = false;
    double startupMs = 0;  // from just before the child was spawned to the idle time it printed
    long peakRssKiB = 0;   // the child's peak resident set over its whole life
    std::string error;     // why the run does not count, when not ok
};

/// Spawns `program` with the current environment plus `extraEnvironment` ("NAME=value", which win),
/// reads its "idle_ns" line and waits for it to end.
ChildRun RunChild(const std::string& program, const std::vector<std::string>& extraEnvironment);

} // namespace vorix::bench
