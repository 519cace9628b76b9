// The connection test over a pseudo-terminal: the in-process simulated radio answers, stays
// silent or answers wrongly, and a port that does not exist.

#include <QtTest>

#include "SimImage.h"
#include "platform/QtConnectionTest.h"
#include "support/PtyRadio.h"

using namespace vorix;
using link::ConnectionResult;

class QtConnectionTestTest : public QObject {
    Q_OBJECT

private slots:
    void againstTheSimulatedRadio_data() {
        QTest::addColumn<int>("fault"); // 0 none, 1 silent, 2 wrong answer to the first handshake
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("handshakes");
        QTest::addColumn<int>("ends");
        QTest::newRow("answers") << 0 << int(ConnectionResult::Answers) << 1 << 1;
        QTest::newRow("wrong answer") << 2 << int(ConnectionResult::WrongAnswer) << 1 << 1;
        QTest::newRow("silent") << 1 << int(ConnectionResult::NoAnswer) << 3 << 0;
    }
    void againstTheSimulatedRadio() {
        QFETCH(int, fault);
        QFETCH(int, result);
        QFETCH(int, handshakes);
        QFETCH(int, ends);
        sim::Faults faults;
        if (fault == 1)
            faults.dropAnswer = {1, 2, 3};
        if (fault == 2)
            faults.wrongAnswer = {1};
        const sim::Memory memory = sim::DemoMemory();
        test::PtyRadio radio(memory, faults);
        QVERIFY(radio.isValid());
        const ConnectionOutcome outcome = RunConnectionTest(radio.device());
        QCOMPARE(int(outcome.result), result);
        QVERIFY(outcome.reason.isEmpty());
        // The end byte is on its way when the test returns; the radio reads it from the event loop.
        // (A radio that answered wrongly takes it for garbage: counted on the line, "PROGRAM" has no E.)
        QTRY_COMPARE_WITH_TIMEOUT(int(radio.received().count('E')), ends, 1000);
        QCOMPARE(radio.count(sim::FrameKind::Handshake), handshakes);
        QCOMPARE(radio.count(sim::FrameKind::ReadRequest) + radio.count(sim::FrameKind::WriteBlock), 0);
        QVERIFY(std::equal(memory.begin(), memory.end(), radio.radio().memory().begin()));
    }

    void aPortThatDoesNotExist() {
        const ConnectionOutcome outcome = RunConnectionTest(QStringLiteral("/dev/vorix-no-such-port"));
        QCOMPARE(outcome.result, ConnectionResult::PortDoesNotOpen);
        QVERIFY(!outcome.reason.isEmpty());
    }
};

QTEST_MAIN(QtConnectionTestTest)
#include "QtConnectionTestTest.moc"
