// vorix-cli: the command-line companion of the Vorix window, on the same core.

#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliProgram.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/PosixFiles.h"
#include "ui/Startup.h"

namespace {

// The user's number format, read the way the window reads it: the text it gives for 0.5.
std::string userDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    char half[16];
    std::snprintf(half, sizeof half, "%.1f", 0.5);
    std::setlocale(LC_NUMERIC, "C");
    return vorix::DecimalSeparatorFrom(half);
}

} // namespace

int main(int argc, char** argv) {
    using namespace vorix::cli;
    PosixFiles files;
    CliContext context{std::cout, std::cerr, files, userDecimalSeparator(), ::isatty(STDERR_FILENO) == 1};
    const std::vector<Command> commands = FileCommands();
    const int code = RunCli(commands, std::vector<std::string>(argv + 1, argv + argc), context);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "vorix-cli: cannot write the output\n";
        return kExitBadInput;
    }
    return code;
}
