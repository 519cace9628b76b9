// Sorting QSerialPort's errors into what the port dialog tells the user.

#include <QtTest>

#include "platform/PortError.h"

using namespace vorix;

Q_DECLARE_METATYPE(vorix::PortError)

class PortErrorTest : public QObject {
    Q_OBJECT

private slots:
    void classify_data() {
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<PortError>("kind");
        QTest::newRow("none") << QSerialPort::NoError << true << PortError::None;
        QTest::newRow("not found") << QSerialPort::DeviceNotFoundError << true << PortError::NotFound;
        QTest::newRow("locked by another") << QSerialPort::PermissionError << true << PortError::InUse;
        QTest::newRow("no permission") << QSerialPort::PermissionError << false << PortError::PermissionDenied;
        QTest::newRow("not a serial device") << QSerialPort::UnsupportedOperationError << true << PortError::Unsupported;
        QTest::newRow("read failed") << QSerialPort::ReadError << true << PortError::Lost;
        QTest::newRow("write failed") << QSerialPort::WriteError << true << PortError::Lost;
        QTest::newRow("device removed") << QSerialPort::ResourceError << true << PortError::Lost;
        QTest::newRow("already open here") << QSerialPort::OpenError << true << PortError::Failed;
        QTest::newRow("time-out") << QSerialPort::TimeoutError << true << PortError::Failed;
        QTest::newRow("unknown") << QSerialPort::UnknownError << false << PortError::Failed;
    }
    void classify() {
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(bool, accessible);
        QFETCH(PortError, kind);
        QCOMPARE(ClassifyPortError(error, accessible), kind);
    }

    void lostPortTexts() {
        QCOMPARE(LostPortText("/dev/null"), QStringLiteral("The port closed: /dev/null stopped working"));
        QCOMPARE(LostPortText("/dev/vorix-gone"),
                 QStringLiteral("The port vanished: /dev/vorix-gone no longer exists"));
    }

    void accessibleDevices() {
        QVERIFY(DeviceAccessible("/dev/null"));
        QVERIFY(!DeviceAccessible("/dev/vorix-no-such-device"));
    }
};

QTEST_MAIN(PortErrorTest)
#include "PortErrorTest.moc"
