// Committing any editor text as a channel's frequency: afterwards the record holds valid BCD of a
// frequency in a band (and the table shows the channel), or all seven bytes are 0xFF; no byte
// outside the record changes; committing the resulting cell text again changes nothing.
//
// Input: byte 0 picks the channel (0..17, so 0 and 17 test the refusal of a channel outside
// 1..16); byte 1 bit 0 picks "," as separator, bit 1 says the tone cell was empty (a new channel),
// and the whole byte seeds the image's earlier content; the rest is the editor's text.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "editing/ChannelEditing.h"
#include "image/AppState.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "support/PackedBcd.h"

namespace {

using vorix::fuzz::Require;
namespace layout = vorix::layout;

constexpr int kChannelChoices = layout::kChannelCount + 2;

// Any earlier content, so the outside-the-record check sees varied bytes.
vorix::ImageBytes earlierImage(std::uint8_t seed) {
    vorix::ImageBytes bytes{};
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

std::int64_t storedUnits(const vorix::RadioImage& image, int base) {
    std::int64_t units = 0;
    for (int i = layout::FrequencySize - 1; i >= 0; --i) {
        const std::uint8_t b = image.read(base + layout::Frequency + i);
        Require(vorix::test::IsBcd(b), "every frequency byte is packed BCD");
        units = units * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return units;
}

bool recordIsCleared(const vorix::RadioImage& image, int base) {
    for (int i = 0; i < layout::kRecordSize; ++i)
        if (image.read(base + i) != layout::ClearedChannelByte)
            return false;
    return true;
}

void checkOutsideUntouched(const vorix::ImageBytes& before, const vorix::ImageBytes& after, int channel) {
    const bool valid = channel >= 1 && channel <= layout::kChannelCount;
    const int first = valid ? layout::channelBase(channel) : vorix::kImageSize;
    const int end = valid ? first + layout::kRecordSize : vorix::kImageSize;
    for (int i = 0; i < vorix::kImageSize; ++i)
        if (i < first || i >= end)
            Require(before[i] == after[i], "no byte outside the channel's record changes");
}

void checkRecord(const vorix::AppState& state, const vorix::ImageBytes& before, int channel,
                 bool toneCellEmpty, const vorix::FrequencyCommit& commit, std::string_view text) {
    const int base = layout::channelBase(channel);
    if (text.empty()) {
        Require(recordIsCleared(state.image, base), "an empty text clears all seven bytes to 0xFF");
        Require(commit.cellText.empty() && !commit.warn, "a deletion shows an empty cell without warning");
        return;
    }
    const double mhz = static_cast<double>(storedUnits(state.image, base)) / 100000.0;
    Require(state.inBand(mhz), "the stored frequency lies in a band");
    Require(vorix::ChannelInUse(state, channel), "the table shows the committed channel");
    Require(commit.row.has_value() == toneCellEmpty, "a row of texts comes back exactly for a new channel");
    if (toneCellEmpty) {
        Require(state.image.read(base + layout::Tone) == 0xFF &&
                    state.image.read(base + layout::ToneHigh) == 0xFF,
                "a new channel has no tone");
        Require(state.image.read(base + layout::Flags) == layout::NewChannelFlags,
                "a new channel is wide and high");
        Require((*commit.row)[0] == commit.cellText, "the new row shows the cell text");
    } else {
        for (int i = layout::Tone; i < layout::kRecordSize; ++i)
            Require(state.image.read(base + i) == before[base + i],
                    "an existing channel keeps its tone and flags");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorix::fuzz::FuzzInput input(data, size);
    const int channel = input.takeByte() % kChannelChoices;
    const std::uint8_t control = input.takeByte();
    const bool toneCellEmpty = (control & 0x02) != 0;
    const std::string text(input.rest());

    vorix::AppState state;
    state.decimalSeparator = (control & 0x01) ? "," : ".";
    state.image.replaceAll(earlierImage(control));
    const vorix::ImageBytes before = state.image.bytes();

    const vorix::FrequencyCommit commit = vorix::CommitFrequencyText(state, channel, text, toneCellEmpty);
    const vorix::ImageBytes after = state.image.bytes();
    checkOutsideUntouched(before, after, channel);

    if (channel < 1 || channel > layout::kChannelCount) {
        Require(after == before, "a channel outside 1..16 changes nothing");
        Require(commit.cellText == text && !commit.warn && !commit.row,
                "a channel outside 1..16 keeps its text");
        return 0;
    }
    checkRecord(state, before, channel, toneCellEmpty, commit, text);

    // The commit can run twice for one edit (Enter, then the loss of focus).
    const vorix::FrequencyCommit again = vorix::CommitFrequencyText(state, channel, commit.cellText, false);
    Require(state.image.bytes() == after, "committing the cell text again changes no byte");
    Require(!again.warn && again.cellText == commit.cellText,
            "committing the cell text again neither warns nor rewrites");
    return 0;
}
