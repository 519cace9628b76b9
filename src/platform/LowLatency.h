#pragma once
// Asks a serial driver not to hold received bytes back: USB adapters otherwise keep them until
// their latency timer (16 ms by default on common chips) runs out, once per answer of the radio.

#include <optional>

namespace vorix {

/// The driver's serial flags of an open device (TIOCGSERIAL, TIOCSSERIAL on Linux).
class SerialDriver {
public:
    virtual ~SerialDriver() = default;
    /// The device's flags; nothing when the driver has none (a pseudo-terminal, another system).
    virtual std::optional<int> flags(int descriptor) = 0;
    /// Sets the flags; false when the driver refuses.
    virtual bool setFlags(int descriptor, int flags) = 0;
};

/// The system's driver calls; on systems without them every device is used as it is.
SerialDriver& SystemSerialDriver();

/// The flag that asks for low latency (ASYNC_LOW_LATENCY); 0 where the system has none.
int LowLatencyFlag();

/// Sets the low-latency flag on an open device. Returns the flags to restore on close, or nothing
/// when nothing was changed (already set, unsupported or refused: the device is used as it is).
std::optional<int> RequestLowLatency(SerialDriver& driver, int descriptor);

/// Puts back the flags RequestLowLatency changed; nothing to do when it changed none.
void RestoreLatency(SerialDriver& driver, int descriptor, const std::optional<int>& previous);

} // namespace vorix
