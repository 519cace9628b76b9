#pragma once
// The simulated radio and vorix-cli as processes sharing one configuration folder, each waited
// for with a bounded time-out.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

namespace vorix::cli::test {

/// The most one program run may take before it is killed and the test fails.
inline constexpr int kProcessTimeoutMs = 20000;

/// A vorix-radio-sim on a pseudo-terminal, unpaced, linked as COMn into
/// configHome/Talvry/Vorix/ports, which is where vorix-cli looks when XDG_CONFIG_HOME is configHome.
class RadioSimProcess {
public:
    explicit RadioSimProcess(const std::string& configHome)
        : configHome_(QString::fromStdString(configHome)) {}
    ~RadioSimProcess() { stop(); }
    RadioSimProcess(const RadioSimProcess&) = delete;
    RadioSimProcess& operator=(const RadioSimProcess&) = delete;

    /// Starts it with extra options (faults, --image, --save) and waits until it announces its
    /// port; false when it does not within the time-out.
    bool start(const QStringList& options);
    /// Ends it with SIGTERM (SIGKILL if it does not end in time).
    void stop();

    int number() const { return number_; }
    const std::string& device() const { return device_; }
    /// What it printed on stdout and stderr so far, for failure messages.
    std::string output();

private:
    QString configHome_;
    QProcess process_;
    QByteArray announced_;
    int number_ = 0;
    std::string device_;
};

struct CliResult {
    int exitCode = -1; // -1 when it did not start, crashed or was killed after the time-out
    std::string out, err;
};

/// Runs vorix-cli with args, XDG_CONFIG_HOME set to configHome and the C.UTF-8 locale.
CliResult RunCliProcess(const std::string& configHome, const QStringList& args);

} // namespace vorix::cli::test
