// The link's prompt on the tool's message boxes: title, icon, buttons and the answers.

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "platform/MessageBoxPrompt.h"

using namespace vorix;
using link::PromptAnswer;
using link::PromptButtons;

namespace {

struct Row {
    PromptButtons buttons;
    MessageAnswer pressed;
    MessageButtons shownButtons;
    PromptAnswer expected;
};

const Row kRows[] = {
    {PromptButtons::RetryCancel, MessageAnswer::Retry, MessageButtons::RetryCancel, PromptAnswer::Retry},
    {PromptButtons::RetryCancel, MessageAnswer::Cancel, MessageButtons::RetryCancel, PromptAnswer::Cancel},
    // A box closed otherwise reports Cancel; a stray Ok must not be taken as Retry.
    {PromptButtons::RetryCancel, MessageAnswer::Ok, MessageButtons::RetryCancel, PromptAnswer::Cancel},
    {PromptButtons::Ok, MessageAnswer::Ok, MessageButtons::Ok, PromptAnswer::Ok},
    {PromptButtons::Ok, MessageAnswer::Cancel, MessageButtons::Ok, PromptAnswer::Ok},
};

} // namespace

TEST(MessageBoxPrompt, MapsButtonsAndAnswers) {
    for (const Row& row : kRows) {
        test::FakeMessageBoxes boxes;
        boxes.answers.push_back(row.pressed);
        AppState state;
        MessageBoxPrompt prompt(boxes, state);
        EXPECT_EQ(prompt.ask("Check connection!Retry or cancel?", row.buttons), row.expected);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Check connection!Retry or cancel?");
        EXPECT_EQ(boxes.shown[0].title, "Vorix");
        EXPECT_EQ(boxes.shown[0].buttons, row.shownButtons);
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    }
}

TEST(MessageBoxPrompt, ChineseTitleIsStillTheApplicationName) {
    test::FakeMessageBoxes boxes;
    AppState state;
    state.IsEnglish = false;
    MessageBoxPrompt prompt(boxes, state);
    prompt.ask("请重新选择端口！", PromptButtons::Ok);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vorix");
    EXPECT_EQ(boxes.shown[0].text, "请重新选择端口！");
}
