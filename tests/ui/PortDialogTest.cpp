// The serial port dialog with a probe that answers as the test says: the list, the preselection,
// OK and Cancel, the stored setting and the hint on missing rights.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "support/FakeSettingsScope.h"
#include "support/Languages.h"
#include "ui/PortDialog.h"

using namespace vorix;

namespace {

PortProbeResult Ports(std::vector<int> numbers, bool permissionDenied = false) {
    PortProbeResult result;
    for (int number : numbers)
        result.openable.push_back({number, QStringLiteral("/dev/test-port-%1").arg(number)});
    result.permissionDenied = permissionDenied;
    return result;
}

struct Fixture {
    test::FakeSettingsScope machine, user;
    SettingsStore settings{machine, user};
    AppState state;
    int probes = 0;
    std::unique_ptr<PortDialog> dialog;

    std::vector<PortProbeResult> polls; // what each later probe finds, the last one again and again

    std::vector<QString> tested; // devices the connection test was run on
    ConnectionOutcome testAnswer{link::ConnectionResult::Answers, {}};

    void open(std::int16_t portNumber, PortProbeResult ports, bool english = true) {
        state.portNumber = portNumber;
        state.language = LanguageFor(english);
        dialog = std::make_unique<PortDialog>(
            state, settings,
            [this, ports] {
                ++probes;
                if (probes == 1 || polls.empty())
                    return ports;
                return polls[std::min<std::size_t>(static_cast<std::size_t>(probes) - 2, polls.size() - 1)];
            },
            nullptr,
            [this](const QString& device) {
                tested.push_back(device);
                return testAnswer;
            });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    template <class T> T* find(const char* name) const {
        T* child = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QComboBox* list() const { return find<QComboBox>("ComboComPort"); }
    QStringList items() const {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->itemText(i);
        return texts;
    }
    int writes() const { return machine.writes + user.writes; }
    std::string stored() { return settings.GetStringValue(kComPortValue); }
    void press(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
};

} // namespace

class PortDialogTest : public QObject {
    Q_OBJECT

private slots:
    void texts_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("expected"); // title, label, OK, Cancel
        QTest::newRow("English") << true << QStringList{"Set COM", "Comm Port", "&OK", "&Cancel"};
        QTest::newRow("Chinese") << false << QStringList{"串口设置", "串口", "确定(&O)", "取消(&C)"};
    }
    void texts() {
        QFETCH(bool, english);
        QFETCH(QStringList, expected);
        Fixture f;
        f.open(1, Ports({1}), english);
        QCOMPARE(f.dialog->objectName(), QStringLiteral("FormComPort"));
        QCOMPARE(f.dialog->windowTitle(), expected[0]);
        QCOMPARE(f.find<QLabel>("LabelComPort")->text(), expected[1]);
        QCOMPARE(f.find<QPushButton>("CommandOk")->text(), expected[2]);
        QCOMPARE(f.find<QPushButton>("CommandCancel")->text(), expected[3]);
        QCOMPARE(f.probes, 1);
        QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
    }

    void listsTheFreePortsAndSelectsThePortInUse() {
        Fixture f;
        f.open(3, Ports({1, 3}));
        QCOMPARE(f.items(), (QStringList{"COM1", "COM3"}));
        QCOMPARE(f.list()->currentText(), QStringLiteral("COM3"));
        QCOMPARE(f.state.portNumber, 3);
        QCOMPARE(f.writes(), 0);
        QCOMPARE(f.list()->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/test-port-1"));
        QCOMPARE(f.list()->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("/dev/test-port-3"));
        QVERIFY(!f.find<QLabel>("LabelNoPermission")->isVisible());
    }

    void aMissingPortGivesWayToTheFirstAtOnceWithoutStoring() {
        Fixture f;
        f.open(5, Ports({2}));
        QCOMPARE(f.items(), QStringList{"COM2"});
        QCOMPARE(f.list()->currentText(), QStringLiteral("COM2"));
        QCOMPARE(f.state.portNumber, 2);
        f.press("CommandCancel");
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.state.portNumber, 2);
        QCOMPARE(f.writes(), 0);
        QCOMPARE(f.stored(), std::string());
    }

    void okStoresTheSelectedPort() {
        Fixture f;
        f.open(5, Ports({2}));
        f.press("CommandOk");
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(f.state.portNumber, 2);
        QCOMPARE(f.stored(), std::string("2"));
        QCOMPARE(f.writes(), 1);
    }

    void okTakesThePortTheUserChose() {
        Fixture f;
        f.open(12, Ports({1, 3, 12, 40}));
        QCOMPARE(f.list()->currentText(), QStringLiteral("COM12"));
        f.list()->setFocus();
        QTest::keyClick(f.list(), Qt::Key_Down); // a closed drop-down list steps to the next item
        QCOMPARE(f.list()->currentText(), QStringLiteral("COM40"));
        QCOMPARE(f.state.portNumber, 12); // nothing changes before OK
        f.press("CommandOk");
        QCOMPARE(f.state.portNumber, 40);
        QCOMPARE(f.stored(), std::string("40"));
    }

    void okWithAnEmptyListKeepsThePort() {
        Fixture f;
        f.open(7, Ports({}));
        QCOMPARE(f.list()->count(), 0);
        QCOMPARE(f.list()->currentIndex(), -1);
        f.press("CommandOk");
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.state.portNumber, 7);
        QCOMPARE(f.writes(), 0);
    }

    void theHintOnMissingRights_data() {
        QTest::addColumn<QList<int>>("ports");
        QTest::addColumn<bool>("denied");
        QTest::addColumn<bool>("hint");
        QTest::newRow("empty, refused") << QList<int>{} << true << true;
        QTest::newRow("empty, none refused") << QList<int>{} << false << false;
        QTest::newRow("ports, some refused") << QList<int>{4} << true << true;
        QTest::newRow("ports, none refused") << QList<int>{4} << false << false;
    }
    void theHintOnMissingRights() {
        QFETCH(QList<int>, ports);
        QFETCH(bool, denied);
        QFETCH(bool, hint);
        Fixture f;
        f.open(1, Ports(std::vector<int>(ports.begin(), ports.end()), denied));
        auto* label = f.find<QLabel>("LabelNoPermission");
        QCOMPARE(label->isVisible(), hint);
        QVERIFY(label->text().contains(QStringLiteral("dialout")));
        QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
    }

    void itemsNameTheHardwareAndOkReadsTheNumber() {
        Fixture f;
        PortProbeResult ports = Ports({1, 33});
        ports.openable[0].origin = {"/dev/ttyS0", false, std::nullopt};
        ports.openable[1].origin = {
            "/dev/ttyUSB0", false,
            link::PortHardware{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI", true}};
        f.open(1, ports);
        QCOMPARE(f.items(),
                 (QStringList{QString::fromUtf8("COM1 \u2014 serial port on the board"),
                              QString::fromUtf8("COM33 \u2014 FT232R USB UART (FTDI, A50285BI)")}));
        QCOMPARE(f.list()->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("/dev/test-port-33"));
        f.list()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        f.press("CommandOk");
        QCOMPARE(f.state.portNumber, 33);
        QCOMPARE(f.stored(), std::string("33"));
    }

    void aPollFollowsPluggingAndKeepsThePort_data() {
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QList<int>>("first");
        QTest::addColumn<QList<int>>("then");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("portNumberAfter");
        QTest::newRow("a radio plugged in")
            << 3 << QList<int>{3} << QList<int>{1, 3} << QStringList{"COM1", "COM3"} << "COM3" << 3;
        QTest::newRow("the chosen port pulled")
            << 3 << QList<int>{1, 3} << QList<int>{1} << QStringList{"COM1"} << "COM1" << 3;
        QTest::newRow("first port into an empty list")
            << 5 << QList<int>{} << QList<int>{40, 41} << QStringList{"COM40", "COM41"} << "COM40" << 40;
        QTest::newRow("everything pulled") << 3 << QList<int>{3} << QList<int>{} << QStringList{} << "" << 3;
    }
    void aPollFollowsPluggingAndKeepsThePort() {
        QFETCH(int, portNumber);
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, then);
        QFETCH(QStringList, items);
        QFETCH(QString, selected);
        QFETCH(int, portNumberAfter);
        Fixture f;
        f.polls = {Ports(std::vector<int>(then.begin(), then.end()))};
        f.open(static_cast<std::int16_t>(portNumber), Ports(std::vector<int>(first.begin(), first.end())));
        auto* timer = f.dialog->findChild<QTimer*>(QStringLiteral("PortPollTimer"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        f.dialog->onPollTimeout();
        QCOMPARE(f.probes, 2);
        QCOMPARE(f.items(), items);
        QCOMPARE(f.list()->currentText(), selected);
        QCOMPARE(f.state.portNumber, portNumberAfter);
        QCOMPARE(f.writes(), 0);
    }

    void testConnectionSaysWhetherTheRadioAnswers_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("shown");
        QTest::newRow("answers, mouse") << true << false << int(link::ConnectionResult::Answers) << ""
                                        << "The radio answers on COM33";
        QTest::newRow("silent, keyboard") << true << true << int(link::ConnectionResult::NoAnswer) << ""
                                          << "No answer from the radio on COM33";
        QTest::newRow("wrong answer, Chinese") << false << true << int(link::ConnectionResult::WrongAnswer)
                                               << "" << QString::fromUtf8("对讲机应答错误，端口 COM33");
        QTest::newRow("port gone") << true << false << int(link::ConnectionResult::PortDoesNotOpen)
                                   << "No such file or directory"
                                   << "The port does not open: COM33 (No such file or directory)";
    }
    void testConnectionSaysWhetherTheRadioAnswers() {
        QFETCH(bool, english);
        QFETCH(bool, keyboard);
        QFETCH(int, result);
        QFETCH(QString, reason);
        QFETCH(QString, shown);
        Fixture f;
        f.testAnswer = {link::ConnectionResult(result), reason};
        f.open(1, Ports({1, 33}), english);
        auto* button = f.find<QPushButton>("CommandTestConnection");
        QCOMPARE(button->accessibleName(),
                 english ? QStringLiteral("Test connection") : QString::fromUtf8("测试连接"));
        QVERIFY(button->isEnabled());
        QTest::mouseClick(f.list(), Qt::LeftButton); // a person picks COM33 from the list
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.list()->currentIndex(), 1);
        if (keyboard) {
            for (int i = 0; i < 5 && QApplication::focusWidget() != button; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), button);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(f.tested, std::vector<QString>{QStringLiteral("/dev/test-port-33")});
        auto* answer = f.find<QLabel>("LabelConnection");
        QCOMPARE(answer->text(), shown);
        QVERIFY(answer->height() >= answer->heightForWidth(answer->width())); // the fixed dialog cuts nothing
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.state.portNumber, 1);
        QCOMPARE(f.writes(), 0);
    }

    void testConnectionIsOffWithoutPorts() {
        Fixture f;
        f.open(1, Ports({}));
        QVERIFY(!f.find<QPushButton>("CommandTestConnection")->isEnabled());
        f.dialog->onTestConnectionClicked();
        QVERIFY(f.tested.empty());
    }

    void aPollThatFindsTheSamePortsLeavesTheListAlone() {
        Fixture f;
        f.polls = {Ports({1, 3})};
        f.open(3, Ports({1, 3}));
        QSignalSpy removed(f.list()->model(), &QAbstractItemModel::rowsRemoved);
        f.dialog->onPollTimeout();
        QCOMPARE(f.probes, 2);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(f.items(), (QStringList{"COM1", "COM3"}));
    }

    void itemNumbers_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("number");
        QTest::newRow("one digit") << "COM1" << 1;
        QTest::newRow("two digits") << "COM12" << 12;
        QTest::newRow("no number") << "COM" << 0;
        QTest::newRow("described") << QString::fromUtf8("COM33 \u2014 FT232R USB UART (FTDI, A50285BI)")
                                   << 33;
    }
    void itemNumbers() {
        QFETCH(QString, item);
        QFETCH(int, number);
        QCOMPARE(PortNumberOfItem(item), number);
    }
};

QTEST_MAIN(PortDialogTest)
#include "PortDialogTest.moc"
