#include "SimulatedRadio.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include "link/PortNames.h"

namespace vorix::bench {

namespace {

constexpr int kWaitMs = 5000;

} // namespace

SimulatedRadio::~SimulatedRadio() { stop(); }

bool SimulatedRadio::start(const QString& program, const QStringList& extraArguments) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return false;
    }
    process_.setProgram(program);
    process_.setArguments(QStringList{QStringLiteral("--ports-dir"), portsDir(), QStringLiteral("--log"),
                                      dir_.filePath(QStringLiteral("sim.log"))} +
                          extraArguments);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    static const QRegularExpression announcement(QStringLiteral(R"(^COM(\d+) -> (\S+) via (\S+)\n)"));
    QByteArray output;
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        output += process_.readAllStandardOutput();
        const auto match = announcement.match(QString::fromLocal8Bit(output));
        if (match.hasMatch()) {
            number_ = match.captured(1).toInt();
            link_ = match.captured(3);
            return true;
        }
    }
    error_ = program + QStringLiteral(" did not announce its port: ") + process_.errorString();
    return false;
}

bool SimulatedRadio::stop() {
    if (process_.state() == QProcess::NotRunning)
        return number_ == 0 || !QFileInfo(link_).isSymLink();
    process_.terminate();
    if (!process_.waitForFinished(kWaitMs)) {
        process_.kill();
        process_.waitForFinished(kWaitMs);
        return false;
    }
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0 &&
           !QFileInfo(link_).isSymLink();
}

QString SimulatedRadio::device() const {
    const auto path =
        link::ResolvePortName(number_, QFile::encodeName(portsDir()).toStdString(), link::PortNaming::Posix);
    return path ? QFile::decodeName(path->c_str()) : QString();
}

QString SimulatedRadio::takeNewLog() {
    QFile file(dir_.filePath(QStringLiteral("sim.log")));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(logRead_))
        return {};
    const QByteArray text = file.readAll();
    logRead_ += text.size();
    return QString::fromLocal8Bit(text);
}

int LoggedLineBytes(const QString& log) {
    // Frame lines: "  1.234 ms  <- #3 read 52 00 10 10"; answer lines: "  1.234 ms  -> 06".
    static const QRegularExpression frame(QStringLiteral(R"(<- #\d+ \w+ ((?:[0-9A-F]{2} ?)+)$)"),
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression answer(QStringLiteral(R"(-> ((?:[0-9A-F]{2} ?)+)$)"),
                                           QRegularExpression::MultilineOption);
    int bytes = 0;
    for (const QRegularExpression* pattern : {&frame, &answer})
        for (auto it = pattern->globalMatch(log); it.hasNext();)
            bytes += static_cast<int>(it.next().captured(1).split(u' ', Qt::SkipEmptyParts).size());
    return bytes;
}

std::vector<double> TurnaroundsMs(const QString& log, double byteMs) {
    // "  12.345 ms  <- #3 read 52 00 10 10" or "  12.345 ms  -> 57 00 10 10 ...".
    static const QRegularExpression line(
        QStringLiteral(R"(^\s*([0-9.]+) ms  (?:<- #\d+ (\w+)|->) ((?:[0-9A-F]{2} ?)+)$)"),
        QRegularExpression::MultilineOption);
    std::vector<double> turnarounds;
    double firstDue = 0; // when the first byte of the current frame's echo was due
    int lineBytes = 0;   // echo and answer of the current frame
    bool inRun = false;
    for (auto it = line.globalMatch(log); it.hasNext();) {
        const auto match = it.next();
        const double at = match.captured(1).toDouble();
        const int bytes = static_cast<int>(match.captured(3).split(u' ', Qt::SkipEmptyParts).size());
        const QString kind = match.captured(2);
        if (kind.isEmpty()) { // the answer to the current frame
            lineBytes += bytes;
            continue;
        }
        const double lastDue = firstDue + (lineBytes - 1) * byteMs;
        if (kind == QLatin1String("handshake") || !inRun) {
            firstDue = at; // a new run on an idle line: the echo starts at once
            inRun = true;
        } else {
            if (kind == QLatin1String("read") || kind == QLatin1String("write"))
                turnarounds.push_back(at - lastDue);
            firstDue = std::max(at, lastDue + byteMs);
        }
        lineBytes = bytes;
    }
    return turnarounds;
}

} // namespace vorix::bench
