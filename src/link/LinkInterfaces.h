#pragma once
// The small interfaces through which the link logic talks to the world. The Qt adapters live in
// src/platform; tests drive the logic through a scripted fake radio and a fake clock.

#include <cstdint>
#include <string>
#include <vector>

namespace vorix::link {

using Bytes = std::vector<std::uint8_t>;

/// A serial port at 19200 baud, 8N1, bytes only. The port number is fixed when the adapter is made.
/// A port that failed during a run (cable pulled) must stay harmless: send is ignored, takeAll
/// returns nothing, isOpen may turn false.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    virtual bool isOpen() const = 0;
    /// Opens the port exclusively; false when it does not exist or another program holds it.
    virtual bool open() = 0;
    /// Closes the port; bytes already sent (the end byte) are delivered before it closes.
    virtual void close() = 0;
    virtual void send(const Bytes& bytes) = 0;
    /// Every byte waiting in the receive buffer, removed from it; empty when none.
    virtual Bytes takeAll() = 0;
    /// A receive event is raised once at least n bytes are waiting; 0 raises none. Bytes already
    /// waiting when the threshold is set count at once.
    virtual void setReceiveThreshold(int n) = 0;
};

/// The dialog's one-shot timer. A tick arrives no earlier than its interval after enable().
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
};

/// What the session asks the user; the prompt chooses the words.
enum class PromptKind {
    ReselectPort,    ///< the port did not open: "Please reselect COM port!", OK only
    CheckConnection, ///< no answer or a wrong one: "Check connection!Retry or cancel?"
};
enum class PromptButtons { Ok, RetryCancel };
enum class PromptAnswer { Ok, Retry, Cancel };

struct PromptQuestion {
    PromptKind kind = PromptKind::CheckConnection;
    /// Lines shown beneath the question (which port, its device, the system's reason), joined by
    /// newlines; empty for none.
    std::string detail;

    /// The buttons each kind offers.
    PromptButtons buttons() const {
        return kind == PromptKind::ReselectPort ? PromptButtons::Ok : PromptButtons::RetryCancel;
    }
};

/// A modal message box titled "Vorix" with the critical icon. It runs the event loop while open,
/// so receive events and ticks can reach the link before ask() returns.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(const PromptQuestion& question) = 0;
};

} // namespace vorix::link
