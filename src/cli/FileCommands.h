#pragma once
// The commands that work on files alone: show, diff and import-csv.

#include <vector>

#include "cli/CliProgram.h"

namespace vorix::cli {

/// The table entries of show, diff and import-csv, in the order the help lists them.
std::vector<Command> FileCommands();

} // namespace vorix::cli
