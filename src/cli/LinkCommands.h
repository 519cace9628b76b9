#pragma once
// The commands that talk to the radio: read, write (with --verify) and ports.

#include <vector>

#include "cli/CliProgram.h"
#include "cli/LinkService.h"

namespace vorix::cli {

/// The table entries of read, write and ports, in the order the help lists them. The runs use
/// `service`, which must outlive the commands.
std::vector<Command> LinkCommands(LinkService& service);

/// The line a failed run leaves on stderr: the port, the prompt's text that ended the run, and
/// the system's reason or the retries that were made, in parentheses.
std::string DescribeLinkFailure(int number, const LinkFailure& failure);

} // namespace vorix::cli
