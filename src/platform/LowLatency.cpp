#include "platform/LowLatency.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace vorix {

namespace {

class SystemDriver final : public SerialDriver {
public:
    std::optional<int> flags(int descriptor) override {
#ifdef __linux__
        serial_struct serial{};
        if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0)
            return std::nullopt;
        return serial.flags;
#else
        (void)descriptor;
        return std::nullopt;
#endif
    }

    bool setFlags(int descriptor, int flags) override {
#ifdef __linux__
        serial_struct serial{};
        if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0)
            return false;
        serial.flags = flags;
        return ::ioctl(descriptor, TIOCSSERIAL, &serial) == 0;
#else
        (void)descriptor;
        (void)flags;
        return false;
#endif
    }
};

} // namespace

SerialDriver& SystemSerialDriver() {
    static SystemDriver driver;
    return driver;
}

int LowLatencyFlag() {
#ifdef __linux__
    return ASYNC_LOW_LATENCY;
#else
    return 0;
#endif
}

std::optional<int> RequestLowLatency(SerialDriver& driver, int descriptor) {
    const int lowLatency = LowLatencyFlag();
    if (lowLatency == 0 || descriptor < 0)
        return std::nullopt;
    const std::optional<int> before = driver.flags(descriptor);
    if (!before || (*before & lowLatency) != 0)
        return std::nullopt;
    if (!driver.setFlags(descriptor, *before | lowLatency))
        return std::nullopt;
    return before;
}

void RestoreLatency(SerialDriver& driver, int descriptor, const std::optional<int>& previous) {
    if (previous && descriptor >= 0)
        driver.setFlags(descriptor, *previous);
}

} // namespace vorix
