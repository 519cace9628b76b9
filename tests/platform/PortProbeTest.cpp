// Probing COM1..COM99 for the port dialog, and this machine's port names.

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include <map>

#include "support/TestPty.h"
#include "platform/PortProbe.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"

using namespace vorix;

namespace {

PortResolver TableResolver(const std::map<int, QString>& table) {
    return [table](int number) -> std::optional<std::string> {
        const auto found = table.find(number);
        if (found == table.end())
            return std::nullopt;
        return QFile::encodeName(found->second).toStdString();
    };
}

} // namespace

class PortProbeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void listsOnlyThePortsThatOpenInAscendingOrder() {
        TestPty first, third, held;
        QtSerialPort other(held.device());
        QVERIFY(other.open()); // another program holds this one
        std::vector<int> asked;
        const PortResolver table = TableResolver({{3, third.device()},
                                                   {1, first.device()},
                                                   {5, "/dev/vorix-no-such-port"},
                                                   {7, held.device()},
                                                   {99, "/dev/null"}});
        const PortProbeResult result = ProbePorts([&](int number) {
            asked.push_back(number);
            return table(number);
        });
        const std::vector<ProbedPort> expected{{1, first.device()}, {3, third.device()}};
        QVERIFY(result.openable == expected);
        QVERIFY(!result.permissionDenied); // held and missing ports are no permission problem
        QCOMPARE(asked.size(), 99u);
        QCOMPARE(asked.front(), 1);
        QCOMPARE(asked.back(), 99);
        // Every probe closed its port again.
        QtSerialPort again(first.device());
        QVERIFY(again.open());
    }

    void nothingOpenableGivesAnEmptyList() {
        const PortProbeResult result = ProbePorts([](int) { return std::optional<std::string>(); });
        QVERIFY(result.openable.empty());
        QVERIFY(!result.permissionDenied);
    }

    void reportsADeviceRefusedForLackOfPermission() {
        if (::geteuid() == 0)
            QSKIP("root may open any device");
        TestPty locked;
        QVERIFY(QFile::setPermissions(locked.device(), QFileDevice::Permissions()));
        const PortProbeResult result = ProbePorts(TableResolver({{2, locked.device()}}));
        QVERIFY(result.openable.empty());
        QVERIFY(result.permissionDenied);
    }

    void portsFolderIsInTheUsersConfiguration() {
        const QString expected =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Talvry/Vorix/ports";
        QCOMPARE(PortsFolder(), expected);
    }

    void aLinkInThePortsFolderNamesTheDevice() {
        TestPty pty;
        QVERIFY(QDir().mkpath(PortsFolder()));
        const QString link = PortsFolder() + "/com42";
        QFile::remove(link);
        QVERIFY(QFile::link(pty.device(), link));
        QCOMPARE(PortDevicePath(42), pty.device());
        QCOMPARE(PortDevicePath(43), QString("/dev/ttyUSB10"));
        QCOMPARE(PortDevicePath(97), QString());
        QCOMPARE(PortDevicePath(100), QString());
        // The probe finds the linked device under its number.
        const PortProbeResult result = ProbePorts();
        bool found = false;
        for (const ProbedPort& port : result.openable)
            found = found || (port.number == 42 && port.devicePath == pty.device());
        QVERIFY(found);
        QFile::remove(link);
    }
};

QTEST_MAIN(PortProbeTest)
#include "PortProbeTest.moc"
