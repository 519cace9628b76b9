// Linked into a start-up benchmark child next to an unchanged main(): from the moment the
// QApplication exists it watches the program, and once its first window has been painted and no
// event is left to handle it prints "idle_ns <CLOCK_MONOTONIC in ns>" on stdout and quits. It gives
// up with exit code 3 after 30 s, so a broken window never hangs the benchmark.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

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

// Counts the screen work the application does. After the first paint of a window it checks, from a
// zero-time timer, whether anything was still queued; the first check that finds nothing new is
// the moment the window stands shown and idle.
class IdleProbe : public QObject {
public:
    explicit IdleProbe(QCoreApplication& app) : QObject(&app) {
        app.installEventFilter(this);
        QTimer::singleShot(kGiveUpMs, &app, [] { QCoreApplication::exit(3); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isScreenWork(event->type())) {
            ++work_;
            if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
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
        QCoreApplication::instance()->removeEventFilter(this);
        QCoreApplication::quit();
    }

    bool painted_ = false;
    unsigned long work_ = 0;
    unsigned long seenWork_ = 0;
};

void installIdleProbe() { new IdleProbe(*QCoreApplication::instance()); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installIdleProbe)
