#include "StartupProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace vorix::bench {

namespace {

constexpr int kGiveUpMs = 30000;

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

bool isScreenWork(QEvent::Type type) {
    switch (type) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::LayoutRequest:
    case QEvent::PolishRequest:
    case QEvent::Expose:
    case QEvent::Resize:
        return true;
    default:
        return false;
    }
}

// Counts the screen work the application does. After the window's first paint it checks, from a
// zero-time timer, whether anything was still queued; the first check that finds nothing new is
// the moment the window stands shown and idle.
class IdleProbe : public QObject {
public:
    explicit IdleProbe(QWidget& window) : QObject(&window), window_(window) {
        qApp->installEventFilter(this);
        QTimer::singleShot(kGiveUpMs, qApp, [] { QCoreApplication::exit(3); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isScreenWork(event->type())) {
            ++work_;
            if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
                static_cast<QWidget*>(watched)->window() == &window_) {
                painted_ = true;
                scheduleCheck();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void scheduleCheck() {
        seenWork_ = work_;
        QTimer::singleShot(0, this, [this] { check(); });
    }

    void check() {
        // Whatever is already posted is work of the start-up, not idleness.
        QCoreApplication::sendPostedEvents();
        if (work_ != seenWork_) {
            scheduleCheck();
            return;
        }
        std::printf("idle_ns %lld\n", monotonicNs());
        std::fflush(stdout);
        qApp->removeEventFilter(this);
        QCoreApplication::quit();
    }

    QWidget& window_;
    bool painted_ = false;
    unsigned long work_ = 0;
    unsigned long seenWork_ = 0;
};

} // namespace

void ReportWhenShownAndIdle(QWidget& window) { new IdleProbe(window); }

} // namespace vorix::bench
