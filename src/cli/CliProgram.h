#pragma once
// The program around the commands: the command table, help, usage errors and exit codes.
//
// A command is one table entry: its CommandSyntax (operands, options, help) and the function that
// runs it. The radio-link commands (read, write, ports) are further entries that main appends
// with their port and link services captured in the run function; nothing else changes.

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ArgumentParser.h"
#include "cli/CliFiles.h"
#include "image/AppState.h"

namespace vorix::cli {

/// What every command may use: the output streams, the files and the user's number format.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    CliFiles& files;
    std::string decimalSeparator = ".";
    bool errIsTerminal = false; // a progress bar is drawn on err only when it is a terminal

    /// The shared values the window would have, for the texts in the chosen language.
    AppState viewState(Language language) const;
};

using CommandRun = std::function<int(const ParsedArguments&, CliContext&)>;

struct Command {
    CommandSyntax syntax;
    CommandRun run; // called with arguments that fit syntax; returns an ExitCode
};

/// The program's help: usage, the commands with their summaries, the exit codes.
std::string ProgramHelp(const std::vector<Command>& commands);

/// A usage error found by a command itself: "vorix-cli NAME: message (see vorix-cli NAME --help)"
/// on err; returns kExitBadInput.
int UsageError(CliContext& context, std::string_view command, const std::string& message);

/// Runs the command named by args[0] (args without the program name). "--help", "-h" or
/// "help [COMMAND]" print help on out; a usage error prints one line on err and returns
/// kExitBadInput.
int RunCli(const std::vector<Command>& commands, const std::vector<std::string>& args, CliContext& context);

} // namespace vorix::cli
