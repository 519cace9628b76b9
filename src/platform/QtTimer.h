#pragma once
// The link's one-shot timer on QTimer.

#include <QObject>
#include <QTimer>

#include "link/LinkInterfaces.h"

namespace vorix {

/// Ticks once, no earlier than the interval after enable(); enable() while running starts the
/// interval again. The tick is the signal tick(), delivered from the event loop.
class QtTimer final : public QObject, public link::Timer {
    Q_OBJECT

public:
    explicit QtTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds) override;
    void enable() override;
    void disable() override;

    bool isEnabled() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }

signals:
    void tick();

private:
    QTimer timer_;
};

} // namespace vorix
