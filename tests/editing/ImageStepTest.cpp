#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editing/ChannelEditing.h"
#include "editing/ChannelRows.h"
#include "editing/ImageStep.h"
#include "editing/OptionFields.h"
#include "editing/RowClipboard.h"
#include "image/ImageLayout.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

AppState sampleState() {
    AppState state;
    state.image = test::SampleImage();
    return state;
}

TEST(ImageStep, UndoAndRedoGiveBackTheExactBytesOfEachKindOfEdit) {
    struct Row {
        const char* what;
        std::function<void(AppState&)> edit;
        bool empty;
    };
    const Row table[] = {
        {"frequency cell", [](AppState& s) { CommitFrequencyText(s, 9, "446.5", true); }, false},
        {"tone cell", [](AppState& s) { CommitToneText(s, 1, "D023N"); }, false},
        {"option", [](AppState& s) { ApplyOptionFieldItem(s.image, OptionFields()[0], 20); }, false},
        {"clear",
         [](AppState& s) {
             ClearChannels(s, {1, 2, 3});
         },
         false},
        {"move",
         [](AppState& s) {
             MoveChannels(s, {2, 3}, RowDirection::Down);
         },
         false},
        {"sort", [](AppState& s) { SortChannelsByFrequency(s, {}); }, false},
        {"paste", [](AppState& s) { PasteChannelRows(s, {4}, "1\t145\tNone\t25K(Wide)\tLow\n"); }, false},
        {"load", [](AppState& s) { s.image = test::ClearedImage(); }, false},
        {"nothing changed", [](AppState& s) { ClearChannels(s, {5}); }, true},
    };
    for (const Row& r : table) {
        AppState state = sampleState();
        const ImageStep step = RecordImageStep(state.image, r.what, [&] { r.edit(state); });
        const RadioImage edited = state.image;
        EXPECT_EQ(step.name, r.what);
        EXPECT_EQ(step.before, test::SampleImage().bytes()) << r.what;
        EXPECT_EQ(step.after, edited.bytes()) << r.what;
        EXPECT_EQ(step.empty(), r.empty) << r.what;
        step.undo(state.image);
        EXPECT_EQ(state.image, test::SampleImage()) << r.what;
        step.redo(state.image);
        EXPECT_EQ(state.image, edited) << r.what;
    }
}

TEST(ImageStep, UndoKeepsABytesLaterValueWhenTheStepDidNotChangeIt) {
    AppState state = sampleState();
    state.image.write(layout::WriteMark, 0);
    const RadioImage start = state.image;
    const ImageStep first = RecordImageStep(state.image, "first", [&] { ClearChannels(state, {1}); });
    const ImageStep second =
        RecordImageStep(state.image, "second", [&] { CommitToneText(state, 2, "67.0"); });
    const RadioImage edited = state.image;
    state.image.write(layout::WriteMark, layout::WriteMarkValue); // Write, which is no step
    second.undo(state.image);
    first.undo(state.image);
    RadioImage want = start;
    want.write(layout::WriteMark, layout::WriteMarkValue);
    EXPECT_EQ(state.image, want);
    first.redo(state.image);
    second.redo(state.image);
    want = edited;
    want.write(layout::WriteMark, layout::WriteMarkValue);
    EXPECT_EQ(state.image, want);
}

} // namespace
} // namespace vorix
