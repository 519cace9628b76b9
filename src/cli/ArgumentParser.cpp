#include "cli/ArgumentParser.h"

#include <algorithm>

#include "cli/TableFormat.h"

namespace vorix::cli {

namespace {

constexpr std::string_view kProgram = "vorix-cli";

bool isHelp(std::string_view arg) { return arg == "-h" || arg == "--help"; }

const OptionSpec* findOption(const CommandSpec& spec, std::string_view name) {
    const auto it = std::find_if(spec.options.begin(), spec.options.end(), [name](const OptionSpec& o) {
        return o.name == name || (!o.shortName.empty() && o.shortName == name);
    });
    return it == spec.options.end() ? nullptr : &*it;
}

// "-o OUT.rdat", "--csv": how the usage line and the errors name an option.
std::string optionText(const OptionSpec& option) {
    std::string text(option.shortName.empty() ? option.name : option.shortName);
    return option.valueName.empty() ? text : text + " " + std::string(option.valueName);
}

std::string optionUsage(const OptionSpec& option) {
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

ParseOutcome ParseCommandArguments(const CommandSpec& spec, const std::vector<std::string>& args) {
    ParseOutcome outcome;
    ParsedArguments& parsed = outcome.arguments;
    if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return isHelp(a); })) {
        parsed.wantsHelp = true;
        return outcome;
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
        const OptionSpec* option = findOption(spec, name);
        if (option == nullptr) {
            outcome.error = "unknown option " + name;
            return outcome;
        }
        const std::string key(option->name);
        if (parsed.has(key)) {
            outcome.error = std::string(option->name) + " is given twice";
            return outcome;
        }
        if (option->valueName.empty()) {
            if (equals != std::string::npos) {
                outcome.error = std::string(option->name) + " takes no value";
                return outcome;
            }
            parsed.options[key] = "";
            continue;
        }
        if (equals != std::string::npos) {
            parsed.options[key] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.options[key] = args[++i];
        } else {
            outcome.error = name + " needs a value (" + std::string(option->valueName) + ")";
            return outcome;
        }
        if (parsed.options[key].empty()) {
            outcome.error = name + " needs a value (" + std::string(option->valueName) + ")";
            return outcome;
        }
    }
    for (const OptionSpec& option : spec.options) {
        if (option.required && !parsed.has(option.name)) {
            outcome.error = optionText(option) + " is required";
            return outcome;
        }
    }
    const int given = static_cast<int>(parsed.operands.size());
    if (given != spec.operandCount) {
        outcome.error = "expects " + plural(spec.operandCount, "operand") + " (" + std::string(spec.operands) +
                        "), got " + std::to_string(given);
    }
    return outcome;
}

std::string CommandUsage(const CommandSpec& spec) {
    std::string usage = std::string(kProgram) + " " + std::string(spec.name);
    if (!spec.operands.empty())
        usage += " " + std::string(spec.operands);
    for (const OptionSpec& option : spec.options)
        usage += " " + optionUsage(option);
    return usage;
}

std::string CommandHelp(const CommandSpec& spec) {
    std::string help = "Usage: " + CommandUsage(spec) + "\n\n" + std::string(spec.summary) + "\n";
    if (!spec.details.empty())
        help += "\n" + std::string(spec.details);
    if (!spec.options.empty()) {
        std::vector<std::vector<std::string>> rows;
        for (const OptionSpec& option : spec.options) {
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
