#include "cli/LinkRun.h"

#include "texts/InterfaceTexts.h"

namespace vorix::cli {

LinkRun::LinkRun(AppState& state, link::SerialPort& port, link::Timer& timer, int retries,
                 std::ostream* progress)
    : state_(state), prompt_(retries), display_(progress), session_(state, port, timer, prompt_, display_) {}

void LinkRun::start() {
    session_.load();
    // The text the dialog's button passes; it becomes the caption once the port is open.
    session_.StartLink(std::string(
        Text(state_.ReadMode ? TextId::DialogStartRead : TextId::DialogStartWrite, state_.IsEnglish)));
}

LinkRunResult LinkRun::result() const {
    LinkRunResult result;
    result.ok = ended() && !display_.result().empty();
    result.failure = prompt_.failure().value_or(std::string());
    result.retriesUsed = prompt_.retriesUsed();
    return result;
}

} // namespace vorix::cli
