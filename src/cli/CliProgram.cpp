#include "cli/CliProgram.h"

#include <algorithm>

#include "cli/ExitCodes.h"
#include "editing/Startup.h"
#include "editing/TableFormat.h"

namespace vorix::cli {

namespace {

constexpr std::string_view kProgram = "vorix-cli";

constexpr std::string_view kExitCodeHelp =
    "Exit codes:\n"
    "  0  success\n"
    "  1  differences found (diff), or a verified write that does not match\n"
    "  2  bad usage or input: unknown command or option, a file that cannot be read, parsed or written\n"
    "  3  radio link failure: the port does not open or the radio does not answer\n";

const Command* findCommand(const std::vector<Command>& commands, std::string_view name) {
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [name](const Command& c) { return c.syntax.name == name; });
    return it == commands.end() ? nullptr : &*it;
}

int usageError(CliContext& context, std::string_view where, const std::string& message,
               std::string_view helpHint) {
    context.err << kProgram << where << ": " << message << " (see " << kProgram << helpHint << " --help)\n";
    return kExitBadInput;
}

} // namespace

AppState CliContext::viewState(Language language) const {
    AppState state;
    state.language = language;
    state.decimalSeparator = decimalSeparator;
    return state;
}

int UsageError(CliContext& context, std::string_view command, const std::string& message) {
    const std::string where = " " + std::string(command);
    return usageError(context, where, message, where);
}

std::string ProgramHelp(const std::vector<Command>& commands) {
    std::string help =
        "Usage: " + std::string(kProgram) + " COMMAND [ARGUMENTS]\n   or: " + std::string(kProgram) +
        " COMMAND --help\n   or: " + std::string(kProgram) + " --version\n\n" +
        "Shows, compares and converts radio data files (.rdat) of the Vorix radio and reads and\n"
        "writes the radio through its programming cable, with the same texts, editing rules and\n"
        "link as the Vorix window.\n\nCommands:\n";
    std::vector<std::vector<std::string>> rows;
    for (const Command& command : commands)
        rows.push_back({"  " + std::string(command.syntax.name), std::string(command.syntax.summary)});
    help += FormatAlignedRows(rows);
    help += "\n" + std::string(kExitCodeHelp);
    help += "\nVersion " + ProgramVersionLabel() + "\n";
    return help;
}

int RunCli(const std::vector<Command>& commands, const std::vector<std::string>& args, CliContext& context) {
    if (args.empty())
        return usageError(context, "", "no command given", "");
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || (name == "help" && args.size() == 1)) {
        context.out << ProgramHelp(commands);
        return kExitSuccess;
    }
    if (name == "--version" && args.size() == 1) {
        context.out << kProgram << " " << ProgramVersion() << "\n";
        return kExitSuccess;
    }
    if (name == "help") {
        const Command* command = findCommand(commands, args[1]);
        if (command == nullptr)
            return usageError(context, "", "unknown command " + args[1], "");
        context.out << CommandHelp(command->syntax);
        return kExitSuccess;
    }
    const Command* command = findCommand(commands, name);
    if (command == nullptr)
        return usageError(context, "", "unknown command " + name, "");

    const Result<ParsedArguments> parsed =
        ParseCommandArguments(command->syntax, std::vector<std::string>(args.begin() + 1, args.end()));
    const std::string where = " " + name;
    if (!parsed.ok())
        return usageError(context, where, parsed.error(), where);
    if (parsed.value().wantsHelp) {
        context.out << CommandHelp(command->syntax);
        return kExitSuccess;
    }
    return command->run(parsed.value(), context);
}

} // namespace vorix::cli
