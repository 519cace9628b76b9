// The one-shot timer adapter: ticks once, never early, and not at all when disabled.

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "platform/QtTimer.h"

using namespace vorix;

class QtTimerTest : public QObject {
    Q_OBJECT

private slots:
    void ticksOnceNoEarlierThanItsInterval_data() {
        QTest::addColumn<int>("interval");
        QTest::newRow("end of run after a failure") << 1;
        QTest::newRow("end of run after success") << 100;
        QTest::newRow("short") << 30;
    }
    void ticksOnceNoEarlierThanItsInterval() {
        QFETCH(int, interval);
        QtTimer timer;
        QSignalSpy ticks(&timer, &QtTimer::tick);
        timer.setInterval(interval);
        QCOMPARE(timer.interval(), interval);
        QElapsedTimer clock;
        clock.start();
        timer.enable();
        QVERIFY(timer.isEnabled());
        QVERIFY(ticks.wait(interval + 2000));
        QVERIFY2(clock.nsecsElapsed() >= qint64(interval) * 1000000, qPrintable(QString::number(clock.nsecsElapsed())));
        QVERIFY(!timer.isEnabled());
        QVERIFY(!ticks.wait(3 * interval + 20)); // one-shot
        QCOMPARE(ticks.count(), 1);
    }

    void disableBeforeTheTickCancelsIt() {
        QtTimer timer;
        QSignalSpy ticks(&timer, &QtTimer::tick);
        timer.setInterval(20);
        timer.enable();
        timer.disable();
        QVERIFY(!timer.isEnabled());
        QVERIFY(!ticks.wait(100));
        QCOMPARE(ticks.count(), 0);
    }

    void enableAgainStartsTheIntervalAgain() {
        QtTimer timer;
        QSignalSpy ticks(&timer, &QtTimer::tick);
        timer.setInterval(60);
        timer.enable();
        QVERIFY(!ticks.wait(30));
        QElapsedTimer clock;
        clock.start();
        timer.enable();
        QVERIFY(ticks.wait(2000));
        QVERIFY(clock.nsecsElapsed() >= qint64(60) * 1000000);
        QCOMPARE(ticks.count(), 1);
    }

    void tickCanReenableFromItsHandler() {
        QtTimer timer;
        int count = 0;
        connect(&timer, &QtTimer::tick, this, [&] {
            timer.disable(); // as the link does first
            if (++count < 3)
                timer.enable();
        });
        timer.setInterval(1);
        timer.enable();
        QTRY_COMPARE_WITH_TIMEOUT(count, 3, 2000);
        QVERIFY(!timer.isEnabled());
    }
};

QTEST_MAIN(QtTimerTest)
#include "QtTimerTest.moc"
