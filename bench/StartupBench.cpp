// Start-up benchmark: the tool's main window against a minimal Qt Widgets window with a 17x5 table,
// both offscreen, each run as a fresh child process several times in alternation. Prints the median
// time from spawn to "shown and idle", the median peak RSS, and the tool's ratio to the minimal window.
//
// Usage: vorix_startup_bench [runs per window, default 30]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ChildRun.h"

namespace {

struct Subject {
    const char* name;
    std::string program;
    std::vector<double> ms;
    std::vector<double> rssMiB;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double lowest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }
double highest(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen"};
    Subject subjects[] = {{"vorix main window", VORIX_MAIN_WINDOW_PROBE, {}, {}},
                          {"minimal 17x5 table", VORIX_MINIMAL_WINDOW_PROBE, {}, {}}};

    // One unmeasured run each, so both find the libraries in the page cache.
    for (Subject& s : subjects) {
        const vorix::bench::ChildRun run = vorix::bench::RunChild(s.program, environment);
        if (!run.ok) {
            std::fprintf(stderr, "%s\n", run.error.c_str());
            return 1;
        }
    }
    for (int i = 0; i < runs; ++i)
        for (Subject& s : subjects) {
            const vorix::bench::ChildRun run = vorix::bench::RunChild(s.program, environment);
            if (!run.ok) {
                std::fprintf(stderr, "%s\n", run.error.c_str());
                return 1;
            }
            s.ms.push_back(run.startupMs);
            s.rssMiB.push_back(static_cast<double>(run.peakRssKiB) / 1024.0);
        }

    std::printf("Start-up, offscreen, %d runs each (spawn to shown and idle; peak RSS of the process)\n", runs);
    std::printf("%-20s %10s %10s %10s %14s\n", "window", "median ms", "min ms", "max ms", "peak RSS MiB");
    for (const Subject& s : subjects)
        std::printf("%-20s %10.1f %10.1f %10.1f %14.1f\n", s.name, median(s.ms), lowest(s.ms), highest(s.ms),
                    median(s.rssMiB));
    // The fastest runs are the least disturbed by other work on the machine; both ratios are shown.
    std::printf("ratio vorix / minimal: time %.2f (medians), %.2f (fastest runs); peak RSS %.2f\n",
                median(subjects[0].ms) / median(subjects[1].ms), lowest(subjects[0].ms) / lowest(subjects[1].ms),
                median(subjects[0].rssMiB) / median(subjects[1].rssMiB));
    return 0;
}
