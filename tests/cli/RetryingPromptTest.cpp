#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/RetryingPrompt.h"

namespace vorix::cli {
namespace {

using link::PromptAnswer;
using link::PromptButtons;

constexpr const char* kCheck = "Check connection!Retry or cancel?";
constexpr const char* kReselect = "Please reselect COM port!";

struct Question {
    const char* text;
    PromptButtons buttons;
    PromptAnswer expected;
};

struct Row {
    const char* name;
    int retries;
    std::vector<Question> questions;
    const char* failure; // nullptr: no failure recorded
    int used;
};

TEST(RetryingPrompt, RetriesUpToTheBudgetThenCancelsAndKeepsTheText) {
    const std::vector<Row> table{
        {"no budget cancels at once",
         0,
         {{kCheck, PromptButtons::RetryCancel, PromptAnswer::Cancel}},
         kCheck,
         0},
        {"one retry, then cancel",
         1,
         {{kCheck, PromptButtons::RetryCancel, PromptAnswer::Retry},
          {"second text", PromptButtons::RetryCancel, PromptAnswer::Cancel}},
         "second text",
         1},
        {"budget left over: no failure",
         3,
         {{kCheck, PromptButtons::RetryCancel, PromptAnswer::Retry},
          {kCheck, PromptButtons::RetryCancel, PromptAnswer::Retry}},
         nullptr,
         2},
        {"exactly spent",
         2,
         {{kCheck, PromptButtons::RetryCancel, PromptAnswer::Retry},
          {kCheck, PromptButtons::RetryCancel, PromptAnswer::Retry},
          {kCheck, PromptButtons::RetryCancel, PromptAnswer::Cancel}},
         kCheck,
         2},
        {"a message is answered OK and fails the run",
         5,
         {{kReselect, PromptButtons::Ok, PromptAnswer::Ok}},
         kReselect,
         0},
        {"a message spends no retry",
         1,
         {{kReselect, PromptButtons::Ok, PromptAnswer::Ok},
          {kCheck, PromptButtons::RetryCancel, PromptAnswer::Retry}},
         kReselect,
         1},
        {"no question, no failure", 0, {}, nullptr, 0},
    };
    for (const Row& row : table) {
        RetryingPrompt prompt(row.retries);
        for (std::size_t i = 0; i < row.questions.size(); ++i)
            EXPECT_EQ(prompt.ask(row.questions[i].text, row.questions[i].buttons), row.questions[i].expected)
                << row.name << ", question " << i;
        if (row.failure == nullptr)
            EXPECT_FALSE(prompt.failure().has_value()) << row.name;
        else
            EXPECT_EQ(prompt.failure().value_or("(none)"), row.failure) << row.name;
        EXPECT_EQ(prompt.retriesUsed(), row.used) << row.name;
    }
}

TEST(RetryingPrompt, ChineseTextIsKeptAsAsked) {
    RetryingPrompt prompt(0);
    EXPECT_EQ(prompt.ask("检测连接！重试或取消？", PromptButtons::RetryCancel), PromptAnswer::Cancel);
    EXPECT_EQ(prompt.failure().value_or(""), "检测连接！重试或取消？");
}

} // namespace
} // namespace vorix::cli
