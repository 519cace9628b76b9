#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/RetryingPrompt.h"

namespace vorix::cli {
namespace {

using link::PromptAnswer;
using link::PromptKind;

constexpr const char* kCheck = "Check connection!Retry or cancel?";
constexpr const char* kReselect = "Please reselect COM port!";

struct Question {
    link::PromptQuestion question;
    PromptAnswer expected;
};
const link::PromptQuestion kCheckQuestion{PromptKind::CheckConnection, {}};
const link::PromptQuestion kReselectQuestion{PromptKind::ReselectPort, {}};

struct Row {
    const char* name;
    int retries;
    std::vector<Question> questions;
    const char* failure; // nullptr: no failure recorded
    int used;
};

TEST(RetryingPrompt, RetriesUpToTheBudgetThenCancelsAndKeepsTheText) {
    const std::vector<Row> table{
        {"no budget cancels at once", 0, {{kCheckQuestion, PromptAnswer::Cancel}}, kCheck, 0},
        {"one retry, then cancel",
         1,
         {{kCheckQuestion, PromptAnswer::Retry},
          {{PromptKind::CheckConnection, "second text"}, PromptAnswer::Cancel}},
         "Check connection!Retry or cancel?\nsecond text",
         1},
        {"budget left over: no failure",
         3,
         {{kCheckQuestion, PromptAnswer::Retry}, {kCheckQuestion, PromptAnswer::Retry}},
         nullptr,
         2},
        {"exactly spent",
         2,
         {{kCheckQuestion, PromptAnswer::Retry},
          {kCheckQuestion, PromptAnswer::Retry},
          {kCheckQuestion, PromptAnswer::Cancel}},
         kCheck,
         2},
        {"a message is answered OK and fails the run",
         5,
         {{kReselectQuestion, PromptAnswer::Ok}},
         kReselect,
         0},
        {"a message spends no retry",
         1,
         {{kReselectQuestion, PromptAnswer::Ok}, {kCheckQuestion, PromptAnswer::Retry}},
         kReselect,
         1},
        {"no question, no failure", 0, {}, nullptr, 0},
    };
    const AppState state;
    for (const Row& row : table) {
        RetryingPrompt prompt(row.retries, state);
        for (std::size_t i = 0; i < row.questions.size(); ++i)
            EXPECT_EQ(prompt.ask(row.questions[i].question), row.questions[i].expected)
                << row.name << ", question " << i;
        if (row.failure == nullptr)
            EXPECT_FALSE(prompt.failure().has_value()) << row.name;
        else
            EXPECT_EQ(prompt.failure().value_or("(none)"), row.failure) << row.name;
        EXPECT_EQ(prompt.retriesUsed(), row.used) << row.name;
    }
}

TEST(RetryingPrompt, ChineseTextIsKeptAsAsked) {
    AppState state;
    state.language = Language::Chinese;
    RetryingPrompt prompt(0, state);
    EXPECT_EQ(prompt.ask(kCheckQuestion), PromptAnswer::Cancel);
    EXPECT_EQ(prompt.failure().value_or(""), "检测连接！重试或取消？");
}

} // namespace
} // namespace vorix::cli
