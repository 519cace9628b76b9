// The serial port adapter against a pseudo-terminal whose far side the test plays.

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <termios.h>
#include <unistd.h>

#include "platform/QtSerialPort.h"
#include "support/TestPty.h"

using namespace vorix;

Q_DECLARE_METATYPE(vorix::PortError)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

constexpr int kWaitMs = 2000;

QByteArray ToQByteArray(const link::Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

link::Bytes Sequence(int count) {
    link::Bytes bytes;
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i));
    return bytes;
}

// A driver that records the flags asked for, with flags of its own or none (a pseudo-terminal).
struct FakeDriver final : SerialDriver {
    std::optional<int> current;
    bool refuses = false;
    std::vector<int> set;
    std::optional<int> flags(int) override { return current; }
    bool setFlags(int, int flags) override {
        if (refuses)
            return false;
        set.push_back(flags);
        current = flags;
        return true;
    }
};

} // namespace

class QtSerialPortTest : public QObject {
    Q_OBJECT

private slots:
    void asksForLowLatencyAndRestoresTheFlags_data() {
        QTest::addColumn<std::optional<int>>("before");
        QTest::addColumn<bool>("refuses");
        QTest::addColumn<std::vector<int>>("set");
        const int low = LowLatencyFlag();
        QTest::newRow("USB adapter") << std::optional<int>(0x10) << false
                                     << std::vector<int>{0x10 | low, 0x10};
        QTest::newRow("already low latency") << std::optional<int>(low) << false << std::vector<int>{};
        QTest::newRow("no serial flags (pty)") << std::optional<int>() << false << std::vector<int>{};
        QTest::newRow("driver refuses") << std::optional<int>(0x10) << true << std::vector<int>{};
    }
    void asksForLowLatencyAndRestoresTheFlags() {
        QFETCH(std::optional<int>, before);
        QFETCH(bool, refuses);
        QFETCH(std::vector<int>, set);
        TestPty pty;
        FakeDriver driver;
        driver.current = before;
        driver.refuses = refuses;
        QtSerialPort port(pty.device());
        port.setSerialDriver(driver);
        QVERIFY(port.open());
        port.send({0x45});
        QTRY_COMPARE_WITH_TIMEOUT(pty.received(), QByteArray("E"), kWaitMs); // the port works all the same
        port.close();
        QCOMPARE(driver.set, set);
        QCOMPARE(driver.current, before);
        // The system's own request on a pseudo-terminal fails and does no harm.
        QtSerialPort plain(pty.device());
        QVERIFY(plain.open());
        plain.close();
    }

    void opensAndClosesAPseudoTerminal() {
        TestPty pty;
        QVERIFY(pty.isValid());
        QtSerialPort port(pty.device());
        QVERIFY(!port.isOpen());
        QVERIFY(port.open());
        QVERIFY(port.isOpen());
        QCOMPARE(port.lastError(), PortError::None);
        QVERIFY(port.open()); // already open: stays open
        port.close();
        QVERIFY(!port.isOpen());
        port.close(); // a second close is harmless
        QVERIFY(port.open());
        QVERIFY(port.isOpen());
    }

    void openFailsCleanly_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<PortError>("error");
        QTest::newRow("missing device") << "/dev/vorix-no-such-port" << PortError::NotFound;
        QTest::newRow("no port at all") << QString() << PortError::NotFound;
        QTest::newRow("regular file") << "REGULAR" << PortError::Unsupported;
    }
    void openFailsCleanly() {
        QFETCH(QString, path);
        QFETCH(PortError, error);
        QTemporaryDir dir;
        if (path == "REGULAR") {
            path = dir.filePath("plain-file");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QtSerialPort port(path);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!port.open());
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(port.lastError(), error);
        QVERIFY(!port.lastErrorText().isEmpty());
        QVERIFY(!port.isOpen());
        // A port that never opened ignores everything.
        port.send({0x45});
        QVERIFY(port.takeAll().empty());
        port.close();
    }

    void aPortHeldByAnotherIsInUse() {
        TestPty pty;
        QtSerialPort first(pty.device());
        QVERIFY(first.open());
        QtSerialPort second(pty.device());
        QVERIFY(!second.open());
        QCOMPARE(second.lastError(), PortError::InUse); // the lock, not a lack of permission
        first.close();
        QVERIFY(second.open());
    }

    void aDeviceWithoutPermissionIsPermissionDenied() {
        if (::geteuid() == 0)
            QSKIP("root may open any device");
        TestPty pty;
        QVERIFY(QFile::setPermissions(pty.device(), QFileDevice::Permissions()));
        QtSerialPort port(pty.device());
        QVERIFY(!port.open());
        QCOMPARE(port.lastError(), PortError::PermissionDenied);
    }

    // What the device is set to, read back from it: 19200 baud, one stop bit, no flow control of
    // either kind. (A pseudo-terminal's driver forces 8 data bits without parity whatever it is
    // told, so those two cannot be read back here.)
    void lineSettingsReadBackFromTheDevice() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        termios line{};
        QCOMPARE(::tcgetattr(pty.slaveFd(), &line), 0);
        QCOMPARE(::cfgetispeed(&line), speed_t(B19200));
        QCOMPARE(::cfgetospeed(&line), speed_t(B19200));
        QCOMPARE(line.c_cflag & (CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(line.c_iflag & (IXON | IXOFF | IXANY), tcflag_t(0));
    }

    void bytesTravelUnchangedBothWays() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        const link::Bytes all = Sequence(256);
        port.send(all);
        QTRY_COMPARE_WITH_TIMEOUT(pty.received(), ToQByteArray(all), kWaitMs);
        QVERIFY(pty.write(ToQByteArray(all)));
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesWaiting(), qint64(256), kWaitMs);
        QCOMPARE(port.takeAll(), all);
        QVERIFY(port.takeAll().empty());
        QCOMPARE(port.bytesWaiting(), qint64(0));
    }

    void receiveEventOnlyOnceTheThresholdIsReached() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QSignalSpy received(&port, &QtSerialPort::received);
        port.setReceiveThreshold(8);
        QVERIFY(pty.write(QByteArray(5, 'a')));
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesWaiting(), qint64(5), kWaitMs);
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 0);
        QVERIFY(pty.write(QByteArray(3, 'b')));
        QVERIFY(received.wait(kWaitMs));
        QCOMPARE(port.bytesWaiting(), qint64(8));
        QCOMPARE(port.takeAll().size(), 8u);
    }

    void thresholdZeroRaisesNoEvent() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QSignalSpy received(&port, &QtSerialPort::received);
        QCOMPARE(port.receiveThreshold(), 0);
        QVERIFY(pty.write(QByteArray(30, 'x')));
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesWaiting(), qint64(30), kWaitMs);
        port.setReceiveThreshold(0);
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 0);
    }

    // Bytes that are already waiting raise no readyRead; setting the threshold must count them.
    void settingTheThresholdCountsBytesAlreadyWaiting() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QSignalSpy received(&port, &QtSerialPort::received);
        QVERIFY(pty.write(QByteArray(8, 'x')));
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesWaiting(), qint64(8), kWaitMs);
        port.setReceiveThreshold(9);
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 0);
        port.setReceiveThreshold(8);
        QCOMPARE(received.count(), 0); // never from inside the call
        QVERIFY(received.wait(kWaitMs));
        QCOMPARE(received.count(), 1);
    }

    void sendingAFrameChecksTheThresholdAgain() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QSignalSpy received(&port, &QtSerialPort::received);
        port.setReceiveThreshold(4);
        QVERIFY(pty.write(QByteArray(4, 'x')));
        QVERIFY(received.wait(kWaitMs));
        QCOMPARE(received.count(), 1);
        port.send({0x52, 0x00, 0x00, 0x10}); // nothing new arrives, but four bytes still wait
        QCOMPARE(received.count(), 1);
        QVERIFY(received.wait(kWaitMs));
        QCOMPARE(received.count(), 2);
    }

    void receiveEventComesOnTheUiThread() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QThread* eventThread = nullptr;
        connect(&port, &QtSerialPort::received, this, [&] { eventThread = QThread::currentThread(); });
        port.setReceiveThreshold(1);
        QVERIFY(pty.write("P"));
        QTRY_VERIFY_WITH_TIMEOUT(eventThread != nullptr, kWaitMs);
        QCOMPARE(eventThread, QCoreApplication::instance()->thread());
    }

    // Qt drops unwritten bytes on close; the last frame must still reach the far side.
    void endByteArrivesWhenClosedRightAfterSending() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        port.send({0x45});
        port.close();
        QTRY_COMPARE_WITH_TIMEOUT(pty.received(), QByteArray(1, '\x45'), kWaitMs);
    }

    void aLongFrameIsFlushedWholeOnClose() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        const link::Bytes frame = Sequence(201);
        port.send(frame);
        port.close();
        QTRY_COMPARE_WITH_TIMEOUT(pty.received(), ToQByteArray(frame), kWaitMs);
    }

    void destroyingAnOpenPortDeliversTheEndByteToo() {
        TestPty pty;
        {
            QtSerialPort port(pty.device());
            QVERIFY(port.open());
            port.send({0x45});
        }
        QTRY_COMPARE_WITH_TIMEOUT(pty.received(), QByteArray(1, '\x45'), kWaitMs);
    }

    void aFarSideThatGoesAwayLeavesThePortHarmless() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QSignalSpy failed(&port, &QtSerialPort::failed);
        QSignalSpy received(&port, &QtSerialPort::received);
        port.setReceiveThreshold(8);
        pty.closeMaster();
        QVERIFY(failed.wait(kWaitMs));
        QCOMPARE(port.lastError(), PortError::Lost);
        // The cause, not what an earlier call left in errno ("Inappropriate ioctl for device").
        QCOMPARE(port.lastErrorText(), "The port vanished: " + pty.device() + " no longer exists");
        QVERIFY(!port.isOpen());
        // Everything the link may still do is ignored, now and after the deferred close.
        for (int round = 0; round < 2; ++round) {
            port.send({0x52, 0x00, 0x10, 0x10});
            QVERIFY(port.takeAll().empty());
            QCOMPARE(port.bytesWaiting(), qint64(0));
            port.setReceiveThreshold(24);
            QCoreApplication::processEvents();
        }
        QCOMPARE(failed.count(), 1);
        QCOMPARE(received.count(), 0);
        port.close();
        QVERIFY(!port.isOpen());
    }

    void aLostPortCanBeOpenedAgainOnANewLine() {
        TestPty pty;
        QtSerialPort port(pty.device());
        QVERIFY(port.open());
        QSignalSpy failed(&port, &QtSerialPort::failed);
        pty.closeMaster();
        QVERIFY(failed.wait(kWaitMs));
        QVERIFY(!port.open()); // the device is gone with its far side
        QVERIFY(port.lastError() != PortError::None);
    }
};

QTEST_MAIN(QtSerialPortTest)
#include "QtSerialPortTest.moc"
