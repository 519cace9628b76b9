// The link's prompt on the tool's message boxes: title, icon, buttons and the answers.

#include <gtest/gtest.h>

#include "platform/MessageBoxPrompt.h"
#include "support/FakeDialogs.h"

using namespace vorix;
using link::PromptAnswer;
using link::PromptKind;

namespace {

constexpr const char* kCheck = "Check connection!Retry or cancel?";
constexpr const char* kReselect = "Please reselect COM port!";

struct Row {
    PromptKind kind;
    const char* text;
    MessageAnswer pressed;
    MessageButtons shownButtons;
    PromptAnswer expected;
};

const Row kRows[] = {
    {PromptKind::CheckConnection, kCheck, MessageAnswer::Retry, MessageButtons::RetryCancel,
     PromptAnswer::Retry},
    {PromptKind::CheckConnection, kCheck, MessageAnswer::Cancel, MessageButtons::RetryCancel,
     PromptAnswer::Cancel},
    // A box closed otherwise reports Cancel; a stray Ok must not be taken as Retry.
    {PromptKind::CheckConnection, kCheck, MessageAnswer::Ok, MessageButtons::RetryCancel,
     PromptAnswer::Cancel},
    {PromptKind::ReselectPort, kReselect, MessageAnswer::Ok, MessageButtons::Ok, PromptAnswer::Ok},
    {PromptKind::ReselectPort, kReselect, MessageAnswer::Cancel, MessageButtons::Ok, PromptAnswer::Ok},
};

} // namespace

TEST(MessageBoxPrompt, MapsButtonsAndAnswers) {
    for (const Row& row : kRows) {
        test::FakeMessageBoxes boxes;
        boxes.answers.push_back(row.pressed);
        AppState state;
        MessageBoxPrompt prompt(boxes, state);
        EXPECT_EQ(prompt.ask({row.kind, {}}), row.expected);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, row.text);
        EXPECT_EQ(boxes.shown[0].title, "Vorix");
        EXPECT_EQ(boxes.shown[0].buttons, row.shownButtons);
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    }
}

TEST(MessageBoxPrompt, ChineseTitleIsStillTheApplicationName) {
    test::FakeMessageBoxes boxes;
    AppState state;
    state.language = Language::Chinese;
    MessageBoxPrompt prompt(boxes, state);
    prompt.ask({PromptKind::ReselectPort, {}});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vorix");
    EXPECT_EQ(boxes.shown[0].text, "请重新选择端口！");
}
