#pragma once
// The vorix-radio-sim program as a child process, linked into a ports folder of its own.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace vorix::bench {

/// One running simulated radio, paced at 19200 baud unless told otherwise. It lives in a temporary
/// folder (its ports folder and its frame log) and is stopped with SIGTERM when destroyed.
class SimulatedRadio {
public:
    SimulatedRadio() = default;
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    /// Starts the program and waits (bounded) for its "COMn -> device via link" line.
    bool start(const QString& program, const QStringList& extraArguments = {});
    /// SIGTERM, then a bounded wait; true when it ended cleanly and removed its link.
    bool stop();

    int number() const { return number_; }
    QString portsDir() const { return dir_.filePath(QStringLiteral("ports")); }
    /// The device behind COMn, resolved through the ports folder as the tool resolves it.
    QString device() const;
    /// The frame log written since the last call.
    QString takeNewLog();
    const QString& error() const { return error_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString link_;
    qint64 logRead_ = 0;
    int number_ = 0;
    QString error_;
};

/// Bytes that crossed the line according to a frame log: every frame the radio took and every
/// answer it gave, in hex pairs ("<- #3 read 52 00 10 10", "-> 57 00 10 10 ...").
int LoggedLineBytes(const QString& log);

/// The tool's turn-arounds as the radio sees them in a frame log: for every read request and write
/// block, the time from the moment the last byte of the previous answer was due on the line (the
/// simulator's own pacing, byteMs a byte) to the moment the frame arrived. The simulator's pacing
/// hides a turn-around shorter than a byte time, which a wire would add to the run.
std::vector<double> TurnaroundsMs(const QString& log, double byteMs);

} // namespace vorix::bench
