#pragma once
// The link's serial port on QSerialPort: 19200 baud, 8N1, no flow control, bytes only.

#include <QObject>
#include <QSerialPort>
#include <QString>

#include "link/LinkInterfaces.h"
#include "platform/LowLatency.h"
#include "platform/PortError.h"

#include <optional>

namespace vorix {

/// One serial device, opened exclusively. The receive threshold is emulated on readyRead; the
/// receive event is the signal received(), always delivered from the event loop of the thread
/// that owns the port, never from inside a call on it.
class QtSerialPort final : public QObject, public link::SerialPort {
    Q_OBJECT

public:
    /// devicePath as PortDevicePath() gives it; empty stands for a port that does not exist.
    explicit QtSerialPort(const QString& devicePath, QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool isOpen() const override;
    bool open() override;
    /// Flushes what is still to be written (the end byte) before the port closes.
    void close() override;
    void send(const link::Bytes& bytes) override;
    link::Bytes takeAll() override;
    void setReceiveThreshold(int n) override;

    /// The driver asked for low latency on open and given back its flags on close; the system's by
    /// default. Set before open(); must outlive the port.
    void setSerialDriver(SerialDriver& driver) { driver_ = &driver; }

    const QString& devicePath() const { return devicePath_; }
    int receiveThreshold() const { return threshold_; }
    /// Bytes waiting to be taken.
    qint64 bytesWaiting() const;
    /// Why the last open failed, or Lost after the open port failed; None otherwise.
    PortError lastError() const { return error_; }
    /// The system's description of the last error.
    const QString& lastErrorText() const { return errorText_; }

signals:
    /// At least the threshold's number of bytes are waiting.
    void received();
    /// The open port failed and has been closed; from now on sends and takes do nothing.
    void failed();

private:
    void closeDevice();
    void checkThreshold();
    void scheduleThresholdCheck();
    void onErrorOccurred(QSerialPort::SerialPortError error);

    QString devicePath_;
    QSerialPort port_;
    int threshold_ = 0;
    bool checkScheduled_ = false;
    bool lost_ = false;
    SerialDriver* driver_ = &SystemSerialDriver();
    std::optional<int> latencyFlags_; // the driver's flags before the low-latency request, to restore
    PortError error_ = PortError::None;
    QString errorText_;
};

} // namespace vorix
