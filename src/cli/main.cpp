// vorix-cli: the command-line companion of the Vorix window, on the same core.

#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliProgram.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/LinkCommands.h"
#include "cli/PosixFiles.h"
#include "cli/QtLinkService.h"
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
    const std::vector<std::string> args(argv + 1, argv + argc); // before Qt may take any of them
    // The serial port and the link's timer need an event loop; no window is ever made.
    QCoreApplication application(argc, argv);
    PosixFiles files;
    // After the application, which sets the user's locale: the core formats numbers in "C".
    CliContext context{std::cout, std::cerr, files, userDecimalSeparator(), ::isatty(STDERR_FILENO) == 1};
    QtLinkService link;
    std::vector<Command> commands = FileCommands();
    for (Command& command : LinkCommands(link))
        commands.push_back(std::move(command));
    const int code = RunCli(commands, args, context);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "vorix-cli: cannot write the output\n";
        return kExitBadInput;
    }
    return code;
}
