#include "cli/LinkRun.h"

namespace vorix::cli {

LinkRun::LinkRun(const AppState& state, int retries, std::ostream* progress)
    : state_(state), prompt_(retries, state), display_(progress, state) {}

void LinkRun::start(link::LinkSession& session) {
    session.load();
    // What the dialog's button passes; it becomes the caption once the port is open.
    session.StartLink(state_.readMode ? link::LinkStart::Read : link::LinkStart::Write);
}

Result<void, LinkFailure> LinkRun::result() const {
    if (ended() && !display_.result().empty())
        return {};
    return Failure{LinkFailure{{}, prompt_.failure().value_or(std::string()), {}, prompt_.retriesUsed()}};
}

} // namespace vorix::cli
