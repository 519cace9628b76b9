// vorix-cli: the command-line companion of the Vorix window, on the same core.

#include <QCoreApplication>
#include <QLocale>

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliProgram.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/LinkCommands.h"
#include "cli/PosixFiles.h"
#include "platform/PosixFileSystem.h"
#include "app/QtLinkService.h"
#include "editing/Startup.h"

int main(int argc, char** argv) {
    using namespace vorix::cli;
    const std::vector<std::string> args(argv + 1, argv + argc); // before Qt may take any of them
    // The serial port and the link's timer need an event loop; no window is ever made.
    QCoreApplication application(argc, argv);
    PosixFiles files(vorix::MachineFileSystem());
    // The user's number format as the window reads it: Qt's text for 0.5, which Qt takes from the
    // environment even where the C library has no such locale.
    const std::string separator = vorix::DecimalSeparatorFrom(QLocale::system().toString(0.5).toStdString());
    CliContext context{std::cout, std::cerr, files, separator, ::isatty(STDERR_FILENO) == 1};
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
