// Port probe benchmark: filling the port list (COM1 to COM99, of which a handful exist) against the
// system's own list of serial devices, QSerialPortInfo::availablePorts(), alone; and against the
// probe that opened every number, which made a lock file for each even when it had no device.
//
// A few pseudo-terminals stand in for plugged-in adapters, linked as com90.. in a ports folder of
// the benchmark's own (XDG_CONFIG_HOME points at a temporary folder).
//
// Usage: vorix_probe_bench [runs, default 30]

#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "link/PortNames.h"
#include "platform/PortProbe.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"

using namespace vorix;

namespace {

constexpr int kLinkedPorts = 4;
constexpr int kFirstLinkedNumber = 90;

double MedianMs(int runs, const std::function<void()>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The probe as it was: every number with a device name opened, present or not.
int OpenEveryNumber() {
    int opened = 0;
    for (int number = link::kFirstPortNumber; number <= link::kLastPortNumber; ++number) {
        QtSerialPort port(PortDevicePath(number));
        if (port.open()) {
            ++opened;
            port.close();
        }
    }
    return opened;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    if (!config.isValid() || !qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()))) {
        std::fprintf(stderr, "no temporary configuration folder\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    std::vector<int> masters;
    QDir().mkpath(PortsFolder());
    for (int i = 0; i < kLinkedPorts; ++i) {
        int master = -1, slave = -1;
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
            std::fprintf(stderr, "openpty failed\n");
            return 1;
        }
        masters.push_back(master);
        QFile::link(QString::fromLocal8Bit(name),
                    PortsFolder() + "/" + QString::fromStdString(link::PortLinkName(kFirstLinkedNumber + i)));
    }

    std::size_t listed = 0;
    const double systemMs = MedianMs(runs, [] { (void)QSerialPortInfo::availablePorts(); });
    const double probeMs = MedianMs(runs, [&listed] { listed = ProbePorts().openable.size(); });
    int opened = 0;
    const double everyMs = MedianMs(runs, [&opened] { opened = OpenEveryNumber(); });

    std::printf("Port list of COM1..COM99, %d runs, medians (%zu ports listed, %d opened the old way)\n",
                runs, listed, opened);
    std::printf("%-48s %10s %8s\n", "", "ms", "ratio");
    std::printf("%-48s %10.3f %8.2f\n", "QSerialPortInfo::availablePorts() alone", systemMs, 1.0);
    std::printf("%-48s %10.3f %8.2f\n", "ProbePorts (existing devices opened)", probeMs, probeMs / systemMs);
    std::printf("%-48s %10.3f %8.2f\n", "opening every number (the probe before)", everyMs,
                everyMs / systemMs);
    for (int master : masters)
        ::close(master);
    return 0;
}
