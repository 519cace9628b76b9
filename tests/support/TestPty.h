#pragma once
// A pseudo-terminal for serial port tests: the port under test opens the slave device, the test
// plays the far side on the master.

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>

class TestPty {
public:
    TestPty() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw); // raw before anything is written
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        device_ = QString::fromLocal8Bit(name);
    }
    ~TestPty() {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    TestPty(const TestPty&) = delete;
    TestPty& operator=(const TestPty&) = delete;

    bool isValid() const { return !device_.isEmpty(); }
    /// The slave device path, such as /dev/pts/4.
    const QString& device() const { return device_; }
    /// The far side's descriptor (non-blocking), for a test that serves the line itself.
    int masterFd() const { return master_; }
    /// A descriptor of the device itself: its line settings are the ones the port under test set.
    int slaveFd() const { return slave_; }

    /// The far side sends bytes to the port.
    bool write(const QByteArray& bytes) {
        return master_ >= 0 && ::write(master_, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    }

    /// Everything the port has sent so far (reads what has arrived, without waiting).
    const QByteArray& received() {
        char buffer[512];
        ssize_t count = 0;
        while (master_ >= 0 && (count = ::read(master_, buffer, sizeof buffer)) > 0)
            received_.append(buffer, static_cast<qsizetype>(count));
        return received_;
    }

    /// The far side goes away, as when the cable is pulled.
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1; // kept open so the line outlives the port's own close
    QString device_;
    QByteArray received_;
};
