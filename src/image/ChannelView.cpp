#include "image/ChannelView.h"

#include "image/ChannelTexts.h"
#include "image/DecimalText.h"
#include "image/ImageLayout.h"
#include "image/Tones.h"

namespace vorix {

namespace {

// The radio's own text rule: nibbles written as decimal numbers, so a non-BCD nibble of 10..15
// gives two characters, and the top byte in hexadecimal so 0xFF gives letters that read as 0.
void appendNibbles(std::string& text, std::uint8_t byte, std::string_view between) {
    text += std::to_string(byte >> 4);
    text += between;
    text += std::to_string(byte & 0x0F);
}

std::string upperHex(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    if (byte >= 16)
        text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
    return text;
}

int sqLevelItem(std::uint8_t v) {
    constexpr int kFallback = 14; // level 5
    if (v <= 100 || v >= 247)
        return (v + 9) % 256;
    return kFallback;
}

} // namespace

std::string FrequencyText(const RadioImage& image, int channel, std::string_view separator) {
    const int b = layout::channelBase(channel) + layout::Frequency;
    std::string text = upperHex(image.read(b + 3));
    appendNibbles(text, image.read(b + 2), separator);
    appendNibbles(text, image.read(b + 1), "");
    appendNibbles(text, image.read(b + 0), "");
    return text;
}

bool ChannelInUse(const AppState& state, int channel) {
    // The separator is not recognised when the text is range-checked; the band limits are whole
    // numbers, so only the MHz count matters.
    const double f = ReadLeadingPlainNumber(FrequencyText(state.image, channel, state.decimalSeparator));
    return state.inBand(f);
}

OptionSelections BuildOptionSelections(const RadioImage& image) {
    using namespace layout;
    OptionSelections o;
    o.sqLevelItem = sqLevelItem(image.read(SqLevel));
    const std::uint8_t delay = image.read(SqDelayStep);
    o.sqDelayItem = delay <= kSqDelayMax ? delay : 0;
    const std::uint8_t wide = image.read(OffsetWide);
    o.offsetWideItem = wide >= kOffsetMin ? wide - kOffsetMin : 0;
    const std::uint8_t narrow = image.read(OffsetNarrow);
    o.offsetNarrowItem = narrow >= kOffsetMin ? narrow - kOffsetMin : 0;
    const std::uint8_t options = image.read(Options);
    o.powerSave = options & PowerSave;
    o.busyLock = options & BusyLock;
    o.beep = options & Beep;
    const std::uint8_t tot = image.read(TotStep);
    o.totItem = tot <= kTotMax ? tot : 0;
    return o;
}

TableView BuildTableView(const AppState& state) {
    TableView view;
    const auto spacing = SpacingItems(state.language, state.decimalSeparator);
    const auto power = PowerItems(state.language);
    for (int channel = 1; channel <= layout::kChannelCount; ++channel) {
        if (!ChannelInUse(state, channel))
            continue;
        const int b = layout::channelBase(channel);
        const std::uint8_t flags = state.image.read(b + layout::Flags);
        view.rows[channel - 1] = {
            FrequencyText(state.image, channel, state.decimalSeparator),
            DecodeTone(state.image.read(b + layout::Tone), state.image.read(b + layout::ToneHigh),
                       state.language, state.decimalSeparator),
            spacing[(flags & layout::Wide) ? 1 : 0],
            power[(flags & layout::HighPower) ? 1 : 0],
        };
    }
    view.options = BuildOptionSelections(state.image);
    return view;
}

} // namespace vorix
