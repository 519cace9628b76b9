// Transfer benchmark: whole reads and whole writes (8-byte blocks) through the link session, the Qt
// serial port adapter and the Qt timer against the simulated radio paced at 19200 baud, each timed
// from StartLink (the Read or Write press) to the end of run and compared with the physical limit:
// every byte that crosses the line at 19200 baud plus the 100 ms end-of-run delay.
//
// Usage: vorix_transfer_bench [runs per direction, default 15]

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "SimulatedRadio.h"
#include "TransferRun.h"
#include "WireBudget.h"
#include "image/ImageLayout.h"

using namespace vorix;
using namespace vorix::bench;

namespace {

struct MeasuredRun {
    TransferTiming timing;
    std::vector<double> turnaroundsMs; // the tool's, as the radio's frame log shows them
};

struct Direction {
    const char* name;
    bool readMode;
    WireBudget budget;
    std::vector<MeasuredRun> runs;

    // One figure of every run.
    template <class Figure> std::vector<double> each(Figure figure) const {
        std::vector<double> values;
        for (const MeasuredRun& run : runs)
            values.push_back(figure(run));
        return values;
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Lowest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}
double Highest(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

// What a run would have taken on a wire that delivers every byte exactly one byte time after it
// was sent: the simulator hands out the run's first echo byte at once and absorbs each turn-around
// of the tool shorter than a byte time into its pacing; the wire would add both.
double OnWireMs(const MeasuredRun& run) {
    double hidden = kByteMs;
    for (double turnaround : run.turnaroundsMs)
        hidden += std::clamp(turnaround, 0.0, kByteMs);
    return run.timing.totalMs + hidden;
}

// One transfer, checked: the link reported success, the radio saw every byte of the budget and no
// more, and a read brought back exactly the image the radio holds.
bool RunChecked(AppState& state, SimulatedRadio& radio, const Direction& direction,
                const ImageBytes& radioHolds, MeasuredRun& run) {
    state.readMode = direction.readMode;
    if (direction.readMode)
        state.image.replaceAll(ImageBytes{});
    else
        state.image.replaceAll(radioHolds);
    run.timing = RunTransfer(state, radio.device());
    if (!run.timing.ok) {
        std::fprintf(stderr, "%s failed: %s\n", direction.name, qPrintable(run.timing.error));
        return false;
    }
    const QString log = radio.takeNewLog();
    const int lineBytes = LoggedLineBytes(log);
    if (lineBytes != direction.budget.lineBytes) {
        std::fprintf(stderr, "%s: the radio logged %d bytes on the line, not %d\n", direction.name, lineBytes,
                     direction.budget.lineBytes);
        return false;
    }
    if (direction.readMode && state.image.bytes() != radioHolds) {
        std::fprintf(stderr, "%s: the image read differs from the radio's memory\n", direction.name);
        return false;
    }
    run.turnaroundsMs = TurnaroundsMs(log, kByteMs);
    return true;
}

void PrintResults(const std::vector<Direction>& directions, int runs) {
    std::printf(
        "Transfer against vorix-radio-sim paced at 19200 baud, %d runs each, StartLink to end of run\n",
        runs);
    std::printf("%-22s %6s %9s %9s %9s %9s %12s %10s\n", "transfer", "bytes", "limit ms", "median ms",
                "best ms", "worst ms", "ratio median", "ratio best");
    for (const Direction& d : directions) {
        const std::vector<double> total = d.each([](const MeasuredRun& r) { return r.timing.totalMs; });
        std::printf("%-22s %6d %9.2f %9.2f %9.2f %9.2f %12.3f %10.3f\n", d.name, d.budget.lineBytes,
                    d.budget.limitMs, Median(total), Lowest(total), Highest(total),
                    Median(total) / d.budget.limitMs, Lowest(total) / d.budget.limitMs);
    }

    // Three stretches: opening the port; the paced line, where the simulator hides every turn-around
    // of the tool shorter than a byte time; the end byte, closing the port and the end-of-run delay.
    std::printf("\nWhere the time goes (medians, ms): StartLink to handshake | handshake to last answer "
                "(simulated line) | last answer to end of run (delay)\n");
    std::printf("%-22s %10s %10s %10s %10s %10s %10s\n", "transfer", "open", "line", "sim line", "over",
                "end", "over");
    for (const Direction& d : directions) {
        const double open = Median(d.each([](const MeasuredRun& r) { return r.timing.handshakeMs; }));
        const double line =
            Median(d.each([](const MeasuredRun& r) { return r.timing.lastAnswerMs - r.timing.handshakeMs; }));
        const double end =
            Median(d.each([](const MeasuredRun& r) { return r.timing.totalMs - r.timing.lastAnswerMs; }));
        std::printf("%-22s %10.2f %10.2f %10.2f %10.2f %10.2f %10.2f\n", d.name, open, line,
                    d.budget.simLineMs, line - d.budget.simLineMs, end,
                    end - link::LinkSession::kSuccessEndDelayMs);
    }

    std::printf(
        "\nTurn-around of the tool per block, as the radio's frame log shows it, and the run on a wire\n"
        "that adds it (and the first echo byte's byte time) instead of hiding it in its pacing\n");
    std::printf("%-22s %14s %14s %14s %12s\n", "transfer", "median ms", "worst ms", "on wire ms", "ratio");
    for (const Direction& d : directions) {
        std::vector<double> turnarounds;
        for (const MeasuredRun& run : d.runs)
            turnarounds.insert(turnarounds.end(), run.turnaroundsMs.begin(), run.turnaroundsMs.end());
        const double onWire = Median(d.each(OnWireMs));
        std::printf("%-22s %14.3f %14.3f %14.2f %12.3f\n", d.name, Median(turnarounds), Highest(turnarounds),
                    onWire, onWire / d.budget.limitMs);
    }
}

// Reads and writes against a simulator that holds its answers as a USB serial adapter with a latency
// timer of latencyMs does (the write first, unmeasured, so the radio holds radioHolds); prints the
// medians. False when a run failed.
bool MeasureBehindAdapter(int latencyMs, int runs, const ImageBytes& radioHolds) {
    SimulatedRadio radio;
    if (!radio.start(QStringLiteral(VORIX_RADIO_SIM),
                     {QStringLiteral("--latency-timer"), QString::number(latencyMs)})) {
        std::fprintf(stderr, "%s\n", qPrintable(radio.error()));
        return false;
    }
    std::vector<Direction> directions = {{"read (16-byte blocks)", true, kReadBudget, {}},
                                         {"write (8-byte blocks)", false, kWriteBudget, {}}};
    AppState state;
    MeasuredRun run;
    if (!RunChecked(state, radio, directions[1], radioHolds, run))
        return false;
    for (int i = 0; i < runs; ++i)
        for (Direction& d : directions) {
            if (!RunChecked(state, radio, d, radioHolds, run))
                return false;
            d.runs.push_back(run);
        }
    for (const Direction& d : directions) {
        const double total = Median(d.each([](const MeasuredRun& r) { return r.timing.totalMs; }));
        std::printf("%-22s %9d %9.2f %9.2f %12.3f\n", d.name, latencyMs, d.budget.limitMs, total,
                    total / d.budget.limitMs);
    }
    return radio.stop();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    SimulatedRadio radio;
    if (!radio.start(QStringLiteral(VORIX_RADIO_SIM))) {
        std::fprintf(stderr, "%s\n", qPrintable(radio.error()));
        return 1;
    }
    std::vector<Direction> directions = {{"read (16-byte blocks)", true, kReadBudget, {}},
                                         {"write (8-byte blocks)", false, kWriteBudget, {}}};
    AppState state;

    // Unmeasured: a read to learn what the radio holds, then a write of it with the write mark, as
    // the Write button sends it. From then on every read must bring back exactly that image.
    state.readMode = true;
    const TransferTiming first = RunTransfer(state, radio.device());
    if (!first.ok) {
        std::fprintf(stderr, "first read failed: %s\n", qPrintable(first.error));
        return 1;
    }
    radio.takeNewLog();
    state.image.write(layout::WriteMark, layout::WriteMarkValue);
    const ImageBytes radioHolds = state.image.bytes();
    MeasuredRun run;
    if (!RunChecked(state, radio, directions[1], radioHolds, run))
        return 1;

    for (int i = 0; i < runs; ++i)
        for (Direction& d : directions) {
            if (!RunChecked(state, radio, d, radioHolds, run))
                return 1;
            d.runs.push_back(run);
        }
    PrintResults(directions, runs);

    // Behind a USB adapter: its default latency timer, and the 1 ms of the low-latency mode that the
    // serial port asks the driver for.
    std::printf("\nBehind a USB serial adapter's latency timer (simulated), %d runs each, medians\n", runs);
    std::printf("%-22s %9s %9s %9s %12s\n", "transfer", "timer ms", "limit ms", "median ms", "ratio");
    for (int latencyMs : {16, 1})
        if (!MeasureBehindAdapter(latencyMs, runs, radioHolds))
            return 1;

    // The link's timer alone, for the end-of-run stretch: what it adds to its 100 ms by itself.
    std::vector<double> tickMs;
    for (int i = 0; i < runs; ++i)
        tickMs.push_back(TimeTimerTick(link::LinkSession::kSuccessEndDelayMs));
    std::printf("\nQtTimer alone, %d times: the %d ms tick arrives after %.2f ms (median), %.2f ms (worst)\n",
                runs, link::LinkSession::kSuccessEndDelayMs, Median(tickMs), Highest(tickMs));
    if (!radio.stop()) {
        std::fprintf(stderr, "the simulated radio did not stop cleanly\n");
        return 1;
    }
    return 0;
}
