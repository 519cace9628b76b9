#include "LinkProcesses.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace vorix::cli::test {

namespace {

// QProcess wants an application object; the test program has none of its own. It is never
// destroyed: at exit it would outlive Qt's process machinery, which is torn down first.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "cli_link_end_to_end_test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv); // kept by QCoreApplication::instance()
}

QProcessEnvironment Environment(const QString& configHome) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

} // namespace

bool RadioSimProcess::start(const QStringList& options) {
    EnsureApplication();
    process_.setProcessEnvironment(Environment(configHome_));
    process_.setProgram(QStringLiteral(VORIX_RADIO_SIM));
    process_.setArguments(QStringList{"--no-pacing", "--ports-dir", configHome_ + "/Talvry/Vorix/ports",
                                      "--log", configHome_ + "/sim.log"} +
                          options);
    process_.start();
    if (!process_.waitForStarted(kProcessTimeoutMs))
        return false;
    // "COMn -> /dev/pts/k via LINK", printed once the line is raw and linked.
    static const QRegularExpression announcement(QStringLiteral(R"(^COM(\d+) -> (\S+) via \S+\n)"));
    while (true) {
        announced_ += process_.readAllStandardOutput();
        const QRegularExpressionMatch match = announcement.match(QString::fromLocal8Bit(announced_));
        if (match.hasMatch()) {
            number_ = match.captured(1).toInt();
            device_ = match.captured(2).toStdString();
            return true;
        }
        if (process_.state() == QProcess::NotRunning || !process_.waitForReadyRead(kProcessTimeoutMs))
            return false;
    }
}

void RadioSimProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(kProcessTimeoutMs)) {
        process_.kill();
        process_.waitForFinished(kProcessTimeoutMs);
    }
}

std::string RadioSimProcess::output() {
    announced_ += process_.readAllStandardOutput();
    return (announced_ + process_.readAllStandardError()).toStdString();
}

CliResult RunCliProcess(const std::string& configHome, const QStringList& args) {
    EnsureApplication();
    QProcess process;
    process.setProcessEnvironment(Environment(QString::fromStdString(configHome)));
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral(VORIX_CLI_PROGRAM), args);
    CliResult result;
    if (!process.waitForStarted(kProcessTimeoutMs))
        return result;
    if (!process.waitForFinished(kProcessTimeoutMs)) {
        process.kill();
        process.waitForFinished(kProcessTimeoutMs);
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

} // namespace vorix::cli::test
