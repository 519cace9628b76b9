#include "cli/ArgumentParser.h"

#include <algorithm>

#include "editing/TableFormat.h"

namespace vorix::cli {

namespace {

constexpr std::string_view kProgram = "vorix-cli";

bool isHelp(std::string_view arg) { return arg == "-h" || arg == "--help"; }

const OptionSyntax* findOption(const CommandSyntax& syntax, std::string_view name) {
    const auto it = std::find_if(syntax.options.begin(), syntax.options.end(), [name](const OptionSyntax& o) {
        return o.name == name || (!o.shortName.empty() && o.shortName == name);
    });
    return it == syntax.options.end() ? nullptr : &*it;
}

// "-o OUT.rdat", "--csv": how the usage line and the errors name an option.
std::string optionText(const OptionSyntax& option) {
    std::string text(option.shortName.empty() ? option.name : option.shortName);
    return option.valueName.empty() ? text : text + " " + std::string(option.valueName);
}

std::string optionUsage(const OptionSyntax& option) {
    return option.required ? optionText(option) : "[" + optionText(option) + "]";
}

std::string plural(int count, std::string_view word) {
    return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

} // namespace

std::string ParsedArguments::value(std::string_view name) const {
    const auto it = options.find(name);
    return it == options.end() ? std::string() : it->second;
}

Result<ParsedArguments> ParseCommandArguments(const CommandSyntax& syntax,
                                              const std::vector<std::string>& args) {
    ParsedArguments parsed;
    if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return isHelp(a); })) {
        parsed.wantsHelp = true;
        return parsed;
    }
    bool operandsOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (operandsOnly || arg.size() < 2 || arg[0] != '-') {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            operandsOnly = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionSyntax* option = findOption(syntax, name);
        if (option == nullptr)
            return Failure{"unknown option " + name};
        const std::string key(option->name);
        if (parsed.has(key))
            return Failure{std::string(option->name) + " is given twice"};
        if (option->valueName.empty()) {
            if (equals != std::string::npos)
                return Failure{std::string(option->name) + " takes no value"};
            parsed.options[key] = "";
            continue;
        }
        if (equals != std::string::npos) {
            parsed.options[key] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.options[key] = args[++i];
        } else {
            return Failure{name + " needs a value (" + std::string(option->valueName) + ")"};
        }
        if (parsed.options[key].empty())
            return Failure{name + " needs a value (" + std::string(option->valueName) + ")"};
    }
    for (const OptionSyntax& option : syntax.options) {
        if (option.required && !parsed.has(option.name))
            return Failure{optionText(option) + " is required"};
    }
    const int given = static_cast<int>(parsed.operands.size());
    if (given != syntax.operandCount)
        return Failure{"expects " + plural(syntax.operandCount, "operand") + " (" +
                       std::string(syntax.operands) + "), got " + std::to_string(given)};
    return parsed;
}

std::string CommandUsage(const CommandSyntax& syntax) {
    std::string usage = std::string(kProgram) + " " + std::string(syntax.name);
    if (!syntax.operands.empty())
        usage += " " + std::string(syntax.operands);
    for (const OptionSyntax& option : syntax.options)
        usage += " " + optionUsage(option);
    return usage;
}

std::string CommandHelp(const CommandSyntax& syntax) {
    std::string help = "Usage: " + CommandUsage(syntax) + "\n\n" + std::string(syntax.summary) + "\n";
    if (!syntax.details.empty())
        help += "\n" + std::string(syntax.details);
    if (!syntax.options.empty()) {
        std::vector<std::vector<std::string>> rows;
        for (const OptionSyntax& option : syntax.options) {
            std::string names(option.name);
            if (!option.shortName.empty())
                names = std::string(option.shortName) + ", " + names;
            if (!option.valueName.empty())
                names += " " + std::string(option.valueName);
            rows.push_back({"  " + names, std::string(option.help)});
        }
        help += "\nOptions:\n" + FormatAlignedRows(rows);
    }
    return help;
}

} // namespace vorix::cli
