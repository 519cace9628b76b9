#include "platform/QtSerialPort.h"

#include <QMetaObject>

#include <utility>

namespace vorix {

namespace {

// Only used when flush() could not hand everything to the driver at once: a few bytes at
// 19200 baud leave within milliseconds, so this bounds a close that would otherwise lose them.
constexpr int kCloseDrainMilliseconds = 200;

} // namespace

QtSerialPort::QtSerialPort(const QString& devicePath, QObject* parent)
    : QObject(parent), devicePath_(devicePath) {
    port_.setBaudRate(QSerialPort::Baud19200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::checkThreshold);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onErrorOccurred);
}

QtSerialPort::~QtSerialPort() {
    close();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen() && !lost_;
}

bool QtSerialPort::open() {
    if (isOpen())
        return true;
    if (port_.isOpen())
        closeDevice(); // a lost port still holds its descriptor until closed
    lost_ = false;
    error_ = PortError::None;
    errorText_.clear();
    if (devicePath_.isEmpty()) {
        error_ = PortError::NotFound;
        errorText_ = QStringLiteral("No such port");
        return false;
    }
    port_.setPortName(devicePath_);
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = ClassifyPortError(port_.error(), DeviceAccessible(devicePath_));
        errorText_ = port_.errorString();
        port_.clearError();
        return false;
    }
    // Bytes the device kept from before this run (the echo of the last end byte on a line whose far
    // side stayed open) would otherwise arrive in front of the handshake's answer.
    port_.clear(QSerialPort::Input);
    // A USB adapter would hold each answer until its latency timer runs out. A device that does not
    // take the request (a pseudo-terminal) is used as it is.
    latencyFlags_ = RequestLowLatency(*driver_, static_cast<int>(port_.handle()));
    return true;
}

void QtSerialPort::close() {
    if (!port_.isOpen())
        return;
    if (!lost_) {
        // QSerialPort::close() drops bytes still in its write buffer; the end byte must reach the radio.
        // An end byte that does not leave in time is lost as on a pulled cable; the run has ended.
        port_.flush();
        if (port_.bytesToWrite() > 0)
            port_.waitForBytesWritten(kCloseDrainMilliseconds);
    }
    closeDevice();
}

void QtSerialPort::closeDevice() {
    // The driver keeps its flags after the close: give back what the open changed.
    RestoreLatency(*driver_, static_cast<int>(port_.handle()), std::exchange(latencyFlags_, std::nullopt));
    port_.close();
}

void QtSerialPort::send(const link::Bytes& bytes) {
    if (!isOpen() || bytes.empty())
        return;
    // A refused write shows as errorOccurred (the port is lost) or as a missing answer, which the
    // link's time-out turns into its prompt.
    port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    // An answer may already be waiting in full; no new readyRead would report it.
    scheduleThresholdCheck();
}

link::Bytes QtSerialPort::takeAll() {
    if (!isOpen())
        return {};
    const QByteArray data = port_.readAll();
    return link::Bytes(data.begin(), data.end());
}

void QtSerialPort::setReceiveThreshold(int n) {
    threshold_ = n;
    scheduleThresholdCheck();
}

qint64 QtSerialPort::bytesWaiting() const {
    return isOpen() ? port_.bytesAvailable() : 0;
}

void QtSerialPort::checkThreshold() {
    if (threshold_ > 0 && isOpen() && port_.bytesAvailable() >= threshold_)
        emit received();
}

void QtSerialPort::scheduleThresholdCheck() {
    // Deferred, so the link never receives an event from inside its own send or threshold call.
    if (checkScheduled_ || threshold_ <= 0)
        return;
    checkScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            checkScheduled_ = false;
            checkThreshold();
        },
        Qt::QueuedConnection);
}

void QtSerialPort::onErrorOccurred(QSerialPort::SerialPortError error) {
    const PortError kind = ClassifyPortError(error, true);
    if (kind != PortError::Lost || !port_.isOpen() || lost_)
        return; // open failures are handled in open(); a lost port reports more than once
    lost_ = true;
    error_ = kind;
    errorText_ = LostPortText(devicePath_);
    // Qt keeps such a port "open" and accepts writes into the void; close it, but only once the
    // serial port has returned from the notification that reported the error.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (lost_ && port_.isOpen())
                closeDevice();
        },
        Qt::QueuedConnection);
    emit failed();
}

} // namespace vorix
