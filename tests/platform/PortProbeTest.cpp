// Probing COM1..COM99 for the port dialog, and this machine's port names.

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include <map>

#include "platform/PortProbe.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"
#include "support/TestPty.h"

using namespace vorix;

namespace {

PortResolver TableResolver(const std::map<int, QString>& table) {
    return [table](int number) -> std::optional<link::PortOrigin> {
        const auto found = table.find(number);
        if (found == table.end())
            return std::nullopt;
        return link::PortOrigin{QFile::encodeName(found->second).toStdString(), false, std::nullopt};
    };
}

// Devices as the test says, counting every open: present ones with their verdict.
struct FakeDevices final : PortDevices {
    std::map<QString, PortError> present;
    std::vector<link::PortHardware> records;
    std::vector<QString> opened;
    int hardwareCalls = 0;

    bool exists(const QString& path) override { return present.count(path) > 0; }
    PortError tryOpen(const QString& path) override {
        opened.push_back(path);
        return present.at(path);
    }
    std::vector<link::PortHardware> hardware() override {
        ++hardwareCalls;
        return records;
    }
};

// COMn on /dev/fake-n for every n.
std::optional<link::PortOrigin> FakeOrigin(int number) {
    return link::PortOrigin{"/dev/fake-" + std::to_string(number), false, std::nullopt};
}

QString Fake(int number) {
    return QStringLiteral("/dev/fake-%1").arg(number);
}

std::vector<int> Numbers(const PortProbeResult& result) {
    std::vector<int> numbers;
    for (const ProbedPort& port : result.openable)
        numbers.push_back(port.number);
    return numbers;
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
        SystemPortDevices devices;
        const PortProbeResult result = ProbePorts(
            [&](int number) {
                asked.push_back(number);
                return table(number);
            },
            devices);
        const auto origin = [](const TestPty& pty) {
            return link::PortOrigin{QFile::encodeName(pty.device()).toStdString(), false, std::nullopt};
        };
        const std::vector<ProbedPort> expected{{1, first.device(), origin(first)},
                                               {3, third.device(), origin(third)}};
        QVERIFY(result.openable == expected);
        QVERIFY(!result.permissionDenied); // held and missing ports are no permission problem
        QCOMPARE(asked.size(), 99u);
        QCOMPARE(asked.front(), 1);
        QCOMPARE(asked.back(), 99);
        // Every probe closed its port again.
        QtSerialPort again(first.device());
        QVERIFY(again.open());
    }

    void opensOnlyDevicesThatExistAndNamesTheirHardware() {
        FakeDevices devices;
        devices.present = {{Fake(1), PortError::None},
                           {Fake(33), PortError::None},
                           {Fake(34), PortError::InUse},
                           {Fake(35), PortError::PermissionDenied}};
        const link::PortHardware adapter{"/dev/fake-33", "FT232R USB UART", "FTDI", "A50285BI", true};
        devices.records = {adapter};
        const PortProbeResult result = ProbePorts(FakeOrigin, devices);
        QCOMPARE(devices.opened, (std::vector<QString>{Fake(1), Fake(33), Fake(34), Fake(35)}));
        QCOMPARE(devices.hardwareCalls, 1);
        QCOMPARE(Numbers(result), (std::vector<int>{1, 33}));
        QVERIFY(result.permissionDenied);
        QVERIFY(!result.openable[0].origin.hardware);
        QVERIFY(result.openable[1].origin.hardware == adapter);
    }

    void aPollOpensOnlyDevicesNewSinceTheLast() {
        FakeDevices devices;
        PortScan scan(FakeOrigin, devices);
        struct Step {
            std::map<QString, PortError> present;
            std::vector<QString> opened; // by this poll
            std::vector<int> listed;
        };
        const Step steps[] = {
            {{{Fake(1), PortError::None}, {Fake(2), PortError::InUse}}, {Fake(1), Fake(2)}, {1}},
            {{{Fake(1), PortError::None}, {Fake(2), PortError::InUse}, {Fake(40), PortError::None}},
             {Fake(40)},
             {1, 40}},
            {{{Fake(40), PortError::None}}, {}, {40}}, // 1 and 2 pulled out
            {{{Fake(1), PortError::None}, {Fake(40), PortError::None}},
             {Fake(1)},
             {1, 40}}, // 1 back: new again
        };
        for (const Step& step : steps) {
            devices.present = step.present;
            devices.opened.clear();
            const PortProbeResult result = scan.poll();
            QCOMPARE(devices.opened, step.opened);
            QCOMPARE(Numbers(result), step.listed);
        }
    }

    // A radio plugged in and pulled out again while the list is open: here a pseudo-terminal linked
    // into the ports folder, and the link removed.
    void aScanOfThisMachineFollowsALinkThatComesAndGoes() {
        QVERIFY(QDir().mkpath(PortsFolder()));
        const QString link = PortsFolder() + "/com61";
        QFile::remove(link);
        SystemPortDevices devices;
        PortScan scan(SystemPortResolver(), devices);
        const auto listed = [](const PortProbeResult& result) {
            for (const ProbedPort& port : result.openable)
                if (port.number == 61)
                    return true;
            return false;
        };
        QVERIFY(!listed(scan.poll()));
        {
            TestPty radio;
            QVERIFY(QFile::link(radio.device(), link));
            QVERIFY(listed(scan.poll()));
            QVERIFY(QFile::remove(link));
        }
        QVERIFY(!listed(scan.poll()));
    }

    void nothingOpenableGivesAnEmptyList() {
        SystemPortDevices devices;
        const PortProbeResult result =
            ProbePorts([](int) { return std::optional<link::PortOrigin>(); }, devices);
        QVERIFY(result.openable.empty());
        QVERIFY(!result.permissionDenied);
    }

    void reportsADeviceRefusedForLackOfPermission() {
        if (::geteuid() == 0)
            QSKIP("root may open any device");
        TestPty locked;
        QVERIFY(QFile::setPermissions(locked.device(), QFileDevice::Permissions()));
        SystemPortDevices devices;
        const PortProbeResult result = ProbePorts(TableResolver({{2, locked.device()}}), devices);
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
            found = found || (port.number == 42 && port.devicePath == pty.device() && port.origin.linked);
        QVERIFY(found);
        QFile::remove(link);
    }
};

QTEST_MAIN(PortProbeTest)
#include "PortProbeTest.moc"
