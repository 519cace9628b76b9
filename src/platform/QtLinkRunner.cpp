#include "platform/QtLinkRunner.h"

namespace vorix {

QtLinkRunner::QtLinkRunner(const QString& devicePath, AppState& state, link::Prompt& prompt,
                           link::LinkDisplay& display, const PortWrapper& wrap)
    : port_(devicePath) {
    if (wrap)
        wrapped_ = wrap(port_);
    link::SerialPort& port = wrapped_ ? *wrapped_ : port_;
    session_ = std::make_unique<link::LinkSession>(state, port, timer_, prompt, display);
    ConnectLinkInputs(port_, timer_, *session_, [] {});
}

QtLinkRunner::~QtLinkRunner() {
    session_->abandon();
}

} // namespace vorix
