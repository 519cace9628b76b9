#pragma once
// Answers modal windows as a person would, while the code under test waits in their exec().

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <vector>

namespace vorix::test {

/// Polls QApplication::activeModalWidget() from a timer, which keeps firing inside the nested event
/// loops of modal dialogs and message boxes, and hands every new modal window once to the handler.
/// The handler runs from the event loop, not from the poll, so it may itself open a modal window.
/// Past the deadline every modal window is closed, so a test that goes wrong fails, never hangs.
class ModalDriver final : public QObject {
public:
    using Handler = std::function<void(QWidget*)>;

    explicit ModalDriver(Handler handler, int deadlineMs = 20000)
        : handler_(std::move(handler)), deadlineMs_(deadlineMs) {
        clock_.start();
        connect(&poll_, &QTimer::timeout, this, [this] { check(); });
        poll_.start(5);
    }

    /// True when the deadline passed with a modal window still open.
    bool timedOut() const { return timedOut_; }
    /// Every modal window handed to the handler, in order of appearance.
    std::vector<QPointer<QWidget>> seen;

private:
    void check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (clock_.elapsed() > deadlineMs_) {
            if (modal) {
                timedOut_ = true;
                modal->close();
            }
            return;
        }
        if (!modal || std::find(seen.begin(), seen.end(), modal) != seen.end())
            return; // the window under a closed message box is active again: handled already
        seen.emplace_back(modal);
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, this, [this, target] {
            if (target)
                handler_(target);
        });
    }

    Handler handler_;
    int deadlineMs_;
    QElapsedTimer clock_;
    QTimer poll_;
    bool timedOut_ = false;
};

} // namespace vorix::test
