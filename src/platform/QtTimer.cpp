#include "platform/QtTimer.h"

namespace vorix {

QtTimer::QtTimer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the answer time-out must never be cut short.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &QtTimer::tick);
}

void QtTimer::setInterval(int milliseconds) { timer_.setInterval(milliseconds); }

void QtTimer::enable() { timer_.start(); }

void QtTimer::disable() { timer_.stop(); }

} // namespace vorix
