#pragma once
// Command-line parsing driven by a table of each command's operands and options.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "image/Language.h"
#include "image/Result.h"

namespace vorix::cli {

struct OptionSyntax {
    std::string_view name;      // "--base"
    std::string_view shortName; // "-o", or empty
    std::string_view valueName; // "FILE" for an option with a value; empty for a flag
    std::string_view help;
    bool required = false;
};

struct CommandSyntax {
    std::string_view name;     // "diff"
    std::string_view operands; // "A.rdat B.rdat", as the usage line names them
    int operandCount = 0;
    std::vector<OptionSyntax> options;
    std::string_view summary; // one line for the program's help
    std::string_view details; // the rest of the command's help
};

struct ParsedArguments {
    std::vector<std::string> operands;
    std::map<std::string, std::string, std::less<>> options; // by long name; a flag maps to ""
    bool wantsHelp = false;

    bool has(std::string_view name) const { return options.find(name) != options.end(); }
    /// The language the command shows its texts in: Chinese with --chinese, else English.
    Language language() const { return has("--chinese") ? Language::Chinese : Language::English; }
    /// The value of an option, empty when it was not given.
    std::string value(std::string_view name) const;
};

/// Parses the arguments after the command name. Options come as "--name value", "--name=value"
/// or "-o value" and may stand anywhere; "--" makes every later argument an operand; "-h" or
/// "--help" asks for the command's help and skips every other check. A failure says why the
/// arguments do not fit the command.
Result<ParsedArguments> ParseCommandArguments(const CommandSyntax& syntax,
                                              const std::vector<std::string>& args);

/// "vorix-cli diff A.rdat B.rdat" with the options, on one line.
std::string CommandUsage(const CommandSyntax& syntax);

/// The usage line, the details and one line per option.
std::string CommandHelp(const CommandSyntax& syntax);

} // namespace vorix::cli
