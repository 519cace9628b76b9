#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/ArgumentParser.h"

namespace vorix::cli {
namespace {

CommandSyntax importSpec() {
    return {"import-csv",
            "TABLE.csv",
            1,
            {{"--base", "", "BASE.rdat", "base image", true},
             {"--output", "-o", "OUT.rdat", "output", true},
             {"--strict", "", "", "strict"}},
            "Apply a table.",
            ""};
}

TEST(ArgumentParser, AcceptedForms) {
    struct Row {
        std::vector<std::string> args;
        std::vector<std::string> operands;
        const char* base;
        const char* output;
        bool strict;
    };
    const Row table[] = {
        {{"t.csv", "--base", "b.rdat", "-o", "o.rdat"}, {"t.csv"}, "b.rdat", "o.rdat", false},
        {{"--base=b.rdat", "-o", "o.rdat", "t.csv", "--strict"}, {"t.csv"}, "b.rdat", "o.rdat", true},
        {{"--output", "o.rdat", "--base", "b.rdat", "--", "--strict"}, {"--strict"}, "b.rdat", "o.rdat", false},
        {{"-o=o.rdat", "--base", "b.rdat", "-"}, {"-"}, "b.rdat", "o.rdat", false},
    };
    for (const Row& r : table) {
        const Result<ParsedArguments> outcome = ParseCommandArguments(importSpec(), r.args);
        ASSERT_TRUE(outcome.ok()) << r.args[0] << ": " << outcome.error();
        EXPECT_EQ(outcome.value().operands, r.operands);
        EXPECT_EQ(outcome.value().value("--base"), r.base);
        EXPECT_EQ(outcome.value().value("--output"), r.output);
        EXPECT_EQ(outcome.value().has("--strict"), r.strict);
    }
}

TEST(ArgumentParser, ErrorsSayWhatIsWrong) {
    struct Row {
        std::vector<std::string> args;
        const char* error;
    };
    const Row table[] = {
        {{"t.csv", "--base", "b", "-o", "o", "--fast"}, "unknown option --fast"},
        {{"t.csv", "--base", "b", "-o"}, "-o needs a value (OUT.rdat)"},
        {{"t.csv", "--base=", "-o", "o"}, "--base needs a value (BASE.rdat)"},
        {{"t.csv", "--base", "b", "--base", "c", "-o", "o"}, "--base is given twice"},
        {{"t.csv", "--base", "b", "-o", "o", "--strict=yes"}, "--strict takes no value"},
        {{"t.csv", "-o", "o"}, "--base BASE.rdat is required"},
        {{"t.csv", "--base", "b"}, "-o OUT.rdat is required"},
        {{"--base", "b", "-o", "o"}, "expects 1 operand (TABLE.csv), got 0"},
        {{"a", "b", "--base", "b", "-o", "o"}, "expects 1 operand (TABLE.csv), got 2"},
    };
    for (const Row& r : table) {
        const Result<ParsedArguments> outcome = ParseCommandArguments(importSpec(), r.args);
        ASSERT_FALSE(outcome.ok()) << r.error;
        EXPECT_EQ(outcome.error(), r.error);
    }
}

TEST(ArgumentParser, HelpWinsOverEveryOtherCheck) {
    for (const char* help : {"-h", "--help"}) {
        const Result<ParsedArguments> outcome = ParseCommandArguments(importSpec(), {"--bogus", help});
        ASSERT_TRUE(outcome.ok()) << outcome.error();
        EXPECT_TRUE(outcome.value().wantsHelp);
    }
}

TEST(ArgumentParser, UsageAndHelpTexts) {
    EXPECT_EQ(CommandUsage(importSpec()), "vorix-cli import-csv TABLE.csv --base BASE.rdat -o OUT.rdat [--strict]");
    const std::string help = CommandHelp(importSpec());
    EXPECT_EQ(help.rfind("Usage: vorix-cli import-csv TABLE.csv", 0), 0u);
    EXPECT_NE(help.find("\n  -o, --output OUT.rdat  output\n"), std::string::npos) << help;
    EXPECT_NE(help.find("\n  --strict               strict\n"), std::string::npos) << help;
}

} // namespace
} // namespace vorix::cli
