// The vorix-radio-sim program end to end: its COMn link, and the serial port adapter talking to
// it as the link will, frame by frame.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "SimImage.h"
#include "link/PortNames.h"
#include "platform/QtSerialPort.h"

using namespace vorix;

namespace {

constexpr int kWaitMs = 5000;
const link::Bytes kHandshake{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};

link::Bytes Concat(const link::Bytes& a, const link::Bytes& b) {
    link::Bytes all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

// One running simulator with its own ports folder.
class SimProcess {
public:
    bool start(const QStringList& arguments) {
        if (!dir_.isValid())
            return false;
        process_.setProgram(QStringLiteral(VORIX_RADIO_SIM));
        process_.setArguments(QStringList{"--ports-dir", portsDir(), "--log", logPath()} + arguments);
        QSignalSpy output(&process_, &QProcess::readyReadStandardOutput);
        process_.start();
        // The program announces "COMn -> device via link" once the line is ready.
        static const QRegularExpression announcement(R"(^COM(\d+) -> (\S+) via (\S+)\n)");
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kWaitMs) {
            output_ += process_.readAllStandardOutput();
            const auto match = announcement.match(QString::fromLocal8Bit(output_));
            if (match.hasMatch()) {
                number_ = match.captured(1).toInt();
                device_ = match.captured(2);
                link_ = match.captured(3);
                return true;
            }
            if (process_.state() == QProcess::NotRunning && process_.error() == QProcess::FailedToStart)
                return false;
            output.wait(100);
        }
        return false;
    }

    /// Sends SIGTERM and waits (bounded) for the program to end; true when it ended cleanly.
    bool stop() {
        if (process_.state() == QProcess::NotRunning)
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        QSignalSpy finished(&process_, &QProcess::finished);
        process_.terminate();
        if (!finished.wait(kWaitMs)) {
            process_.kill();
            finished.wait(kWaitMs);
            return false;
        }
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

    ~SimProcess() { stop(); }

    QString portsDir() const { return dir_.filePath("ports"); }
    QString logPath() const { return dir_.filePath("sim.log"); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    int number() const { return number_; }
    const QString& device() const { return device_; }
    const QString& link() const { return link_; }
    QString log() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QByteArray output_;
    int number_ = 0;
    QString device_;
    QString link_;
};

// One frame and its answer, as the link does it: threshold, send, one receive event, take all.
link::Bytes Exchange(QtSerialPort& port, const link::Bytes& frame, int threshold, qint64* elapsedNs = nullptr) {
    QSignalSpy received(&port, &QtSerialPort::received);
    QElapsedTimer clock;
    port.setReceiveThreshold(threshold);
    clock.start();
    port.send(frame);
    if (!received.wait(kWaitMs))
        return {};
    if (elapsedNs != nullptr)
        *elapsedNs = clock.nsecsElapsed();
    return port.takeAll();
}

QString ResolvedDevice(const SimProcess& sim) {
    const auto device =
        link::ResolvePortName(sim.number(), QFile::encodeName(sim.portsDir()).toStdString(), link::PortNaming::Posix);
    return device ? QString::fromStdString(*device) : QString();
}

} // namespace

class RadioSimProgramTest : public QObject {
    Q_OBJECT

private slots:
    void announcesItsPortAndRemovesTheLinkOnExit() {
        SimProcess sim;
        QVERIFY(sim.start({"--com", "5", "--no-pacing"}));
        QCOMPARE(sim.number(), 5);
        QCOMPARE(sim.link(), sim.portsDir() + "/com5");
        QVERIFY(QFileInfo(sim.link()).isSymLink());
        QCOMPARE(ResolvedDevice(sim), sim.device());
        QVERIFY(sim.stop());
        QVERIFY(!QFileInfo::exists(sim.link()) && !QFileInfo(sim.link()).isSymLink());
    }

    void takesTheFirstFreeNumber() {
        // Live links are kept, dangling ones reused, real default devices never hidden.
        SimProcess sim;
        QVERIFY(QDir().mkpath(sim.portsDir()));
        QVERIFY(QFile::link("/dev/null", sim.portsDir() + "/com1"));
        QVERIFY(QFile::link("/dev/null", sim.portsDir() + "/com2"));
        QVERIFY(QFile::link("/nonexistent/vorix-gone", sim.portsDir() + "/com3"));
        int expected = 3;
        for (auto real = link::DefaultDevicePath(expected); real && std::filesystem::exists(*real);
             real = link::DefaultDevicePath(expected))
            ++expected;
        QVERIFY(sim.start({"--no-pacing"}));
        QCOMPARE(sim.number(), expected);
        QCOMPARE(QFileInfo(sim.portsDir() + "/com2").symLinkTarget(), QString("/dev/null"));
        QCOMPARE(ResolvedDevice(sim), sim.device());
    }

    void answersHelpAndVersionOnStdout() {
        // What the manual page is made from: both answers on stdout, exit code 0.
        const auto run = [](const QString& option) {
            QProcess process;
            process.start(QStringLiteral(VORIX_RADIO_SIM), {option});
            const bool ended = process.waitForFinished(kWaitMs) && process.exitCode() == 0;
            return ended ? QString::fromUtf8(process.readAllStandardOutput()) : QStringLiteral("(failed)");
        };
        QCOMPARE(run(QStringLiteral("--version")), QStringLiteral("vorix-radio-sim %1.%2.%3\n")
                                                       .arg(VORIX_VERSION_MAJOR)
                                                       .arg(VORIX_VERSION_MINOR)
                                                       .arg(VORIX_VERSION_REVISION));
        QVERIFY(run(QStringLiteral("--help")).contains(QStringLiteral("--version")));
    }

    void refusesABadCommandLine() {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(VORIX_RADIO_SIM), {"--com", "100"});
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("--com wants"));
    }

    // A whole read at wire speed: the answers come paced at 19200 baud.
    void readsTheWholeDemoMemoryAtWireSpeed() {
        SimProcess sim;
        QVERIFY(sim.start({"--com", "9"}));
        QtSerialPort port(ResolvedDevice(sim));
        QVERIFY(port.open());
        QCOMPARE(Exchange(port, kHandshake, 8), Concat(kHandshake, {0x06}));
        const sim::Memory demo = sim::DemoMemory();
        for (int address = 0; address < 128; address += 16) {
            const link::Bytes request{0x52, 0x00, static_cast<std::uint8_t>(address), 0x10};
            qint64 elapsed = 0;
            const link::Bytes rx = Exchange(port, request, 24, &elapsed);
            QCOMPARE(rx.size(), 24u);
            QVERIFY(std::equal(request.begin(), request.end(), rx.begin()));
            QCOMPARE(rx[4], 0x57);
            QCOMPARE(rx[6], address);
            QVERIFY(std::equal(rx.begin() + 8, rx.end(), demo.begin() + address));
            // 24 bytes on a 19200-baud wire take 23 byte times after the first.
            QVERIFY2(elapsed >= 23 * 520000LL, qPrintable(QString::number(elapsed)));
        }
        port.send({0x45});
        port.close();
        QTRY_VERIFY_WITH_TIMEOUT(sim.log().contains("<- #10 end 45"), kWaitMs);
        QVERIFY(sim.stop());
    }

    void writeIsStoredSavedAndEndedByTheEndByte() {
        SimProcess sim;
        const QString saved = sim.filePath("saved.rdat");
        QVERIFY(sim.start({"--com", "11", "--no-pacing", "--save", saved}));
        QtSerialPort port(ResolvedDevice(sim));
        QVERIFY(port.open());
        QCOMPARE(Exchange(port, kHandshake, 8).at(7), 0x06);
        QByteArray image(128, '\0');
        for (int i = 0; i < 128; ++i)
            image[i] = static_cast<char>(255 - i);
        for (int address = 0; address < 128; address += 8) {
            link::Bytes block{0x57, 0x00, static_cast<std::uint8_t>(address), 0x08};
            block.insert(block.end(), image.begin() + address, image.begin() + address + 8);
            const link::Bytes rx = Exchange(port, block, 13);
            QCOMPARE(rx.size(), 13u);
            QCOMPARE(rx[12], 0x06);
        }
        port.send({0x45});
        port.close(); // the end byte must still reach the radio
        QTRY_VERIFY_WITH_TIMEOUT(sim.log().contains("<- #18 end 45"), kWaitMs);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), image);
    }

    void startsFromAnImageFile() {
        SimProcess sim;
        const QString imagePath = sim.filePath("start.rdat");
        {
            QFile file(imagePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray image(128, '\x5A');
            image[0] = '\x01';
            file.write(image);
        }
        QVERIFY(sim.start({"--com", "12", "--no-pacing", "--image", imagePath}));
        QtSerialPort port(ResolvedDevice(sim));
        QVERIFY(port.open());
        Exchange(port, kHandshake, 8);
        const link::Bytes rx = Exchange(port, {0x52, 0x00, 0x00, 0x10}, 24);
        QCOMPARE(rx.size(), 24u);
        QCOMPARE(rx[8], 0x01);
        QCOMPARE(rx[9], 0x5A);
    }

    void faultsReachTheLine() {
        SimProcess sim;
        QVERIFY(sim.start({"--com", "13", "--no-pacing", "--wrong-answer", "1", "--silent-after", "2"}));
        QtSerialPort port(ResolvedDevice(sim));
        QVERIFY(port.open());
        QCOMPARE(Exchange(port, kHandshake, 8), Concat(kHandshake, {0x15}));
        QCOMPARE(Exchange(port, kHandshake, 8), Concat(kHandshake, {0x06}));
        // Silent now: the cable still echoes the request, but no answer completes the threshold.
        QSignalSpy received(&port, &QtSerialPort::received);
        port.setReceiveThreshold(24);
        port.send({0x52, 0x00, 0x00, 0x10});
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesWaiting(), qint64(4), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(sim.log().contains("#3 read 52 00 00 10\n"), kWaitMs);
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 0);
        QVERIFY(sim.log().contains("(silent)"));
    }

    void programEndingMidRunLeavesThePortHarmless() {
        auto sim = std::make_unique<SimProcess>();
        QVERIFY(sim->start({"--com", "14", "--no-pacing"}));
        QtSerialPort port(ResolvedDevice(*sim));
        QVERIFY(port.open());
        QSignalSpy failed(&port, &QtSerialPort::failed);
        Exchange(port, kHandshake, 8);
        sim.reset(); // the far side goes away; waiting for it to end runs the event loop
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, kWaitMs);
        QVERIFY(!port.isOpen());
        port.send({0x52, 0x00, 0x10, 0x10});
        QVERIFY(port.takeAll().empty());
        port.close();
    }
};

QTEST_MAIN(RadioSimProgramTest)
#include "RadioSimProgramTest.moc"
