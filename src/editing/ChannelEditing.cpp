#include "editing/ChannelEditing.h"

#include <cmath>
#include <cstdint>

#include "image/ByteHelpers.h"
#include "image/ChannelTexts.h"
#include "image/DecimalText.h"
#include "image/ImageLayout.h"
#include "image/Tones.h"

namespace vorix {

namespace {

constexpr std::size_t kFrequencyTextLength = 9; // "462.50000"
constexpr double kUnitsPerMHz = 100000.0;       // the record stores 10 Hz units

// Characters, not bytes: a pasted text may hold multi-byte UTF-8.
std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

bool startsNegative(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first != std::string_view::npos && text[first] == '-';
}

// The number the user meant, in MHz. A number too long for a double keeps its sign, so it is
// replaced by the nearest band edge like any other number outside the bands.
double readMHz(std::string_view text, std::string_view separator) {
    const LeadingNumber number = ReadLeadingNumber(text, separator);
    if (number.overflow)
        return startsNegative(text) ? -HUGE_VAL : HUGE_VAL;
    return number.value;
}

bool inBandUnits(const AppState& state, double units) {
    for (std::size_t i = 0; i < state.bandLow.size(); ++i)
        if (units >= state.bandLow[i] * kUnitsPerMHz && units < state.bandHigh[i] * kUnitsPerMHz)
            return true;
    return false;
}

// The text that replaces a frequency outside both bands: just below the top of the upper band,
// the bottom of the lower band, or the bottom of the upper band for the gap between them.
std::string replacementText(const AppState& state, double mhz) {
    const std::string& sep = state.decimalSeparator;
    if (mhz >= state.bandHigh[1])
        return std::to_string(state.bandHigh[1] - 1) + sep + "99750";
    if (mhz < state.bandLow[0])
        return std::to_string(state.bandLow[0]) + sep + "00000";
    return std::to_string(state.bandLow[1]) + sep + "00000";
}

// Pads a short text to "ddd.ddddd"; a text of nine or more characters stays as typed.
std::string normalised(std::string text, std::string_view separator) {
    std::size_t length = characterCount(text);
    if (length >= kFrequencyTextLength)
        return text;
    if (text.find(separator) == std::string::npos) {
        text += separator;
        length += characterCount(separator);
    }
    for (; length < kFrequencyTextLength; ++length)
        text += '0';
    return text;
}

double unitsOf(std::string_view text, std::string_view separator) {
    return RoundHalfEven(readMHz(text, separator) * kUnitsPerMHz);
}

void writeFrequency(RadioImage& image, int channel, std::int64_t units) {
    const int base = layout::channelBase(channel) + layout::Frequency;
    for (int i = 0; i < layout::FrequencySize; ++i) {
        image.write(base + i, ByteToBcd(static_cast<int>(units % 100)));
        units /= 100;
    }
}

FrequencyCommit deleteChannel(AppState& state, int channel) {
    const int base = layout::channelBase(channel);
    for (int i = 0; i < layout::kRecordSize; ++i)
        state.image.write(base + i, layout::ClearedChannelByte);
    return {false, "", ChannelRowTexts{}};
}

ChannelRowTexts newChannel(AppState& state, int channel) {
    const int base = layout::channelBase(channel);
    state.image.write(base + layout::Tone, 0xFF);
    state.image.write(base + layout::ToneHigh, 0xFF);
    state.image.write(base + layout::Flags, layout::NewChannelFlags);
    return {"", NoToneText(state.language), SpacingItems(state.language, state.decimalSeparator)[1],
            PowerItems(state.language)[1]};
}

void setFlagBit(AppState& state, int channel, std::uint8_t mask, int listIndex) {
    if (!layout::IsChannel(channel) || (listIndex != 0 && listIndex != 1))
        return;
    state.image.setBits(layout::channelBase(channel) + layout::Flags, mask, listIndex == 1);
}

} // namespace

FrequencyCommit CommitFrequencyText(AppState& state, int channel, std::string_view text, bool toneCellEmpty) {
    if (!layout::IsChannel(channel))
        return {false, std::string(text), std::nullopt};
    if (text.empty())
        return deleteChannel(state, channel);

    const std::string_view sep = state.decimalSeparator;
    FrequencyCommit commit;
    std::string edited(text);
    if (edited == sep) {
        commit.warn = true;
        edited = std::to_string(state.bandLow[1]) + std::string(sep) + "00000";
    }
    const double mhz = readMHz(edited, sep);
    if (!state.inBand(mhz)) {
        commit.warn = true;
        edited = replacementText(state, mhz);
    }

    std::optional<ChannelRowTexts> row;
    if (toneCellEmpty)
        row = newChannel(state, channel);

    edited = normalised(std::move(edited), sep);
    double units = unitsOf(edited, sep);
    // A pasted text with more than five decimals can round onto a band edge (173.999999 gives
    // 174.00000); the record must never hold a frequency the table would show as empty.
    if (!inBandUnits(state, units)) {
        commit.warn = true;
        edited = replacementText(state, units / kUnitsPerMHz);
        units = unitsOf(edited, sep);
        if (!inBandUnits(state, units)) // only with a separator that is not a single non-digit
            units = state.bandLow[1] * kUnitsPerMHz;
    }
    writeFrequency(state.image, channel, static_cast<std::int64_t>(units));

    commit.cellText = edited;
    if (row) {
        (*row)[0] = edited;
        commit.row = std::move(row);
    }
    return commit;
}

std::string CommitToneText(AppState& state, int channel, std::string_view text) {
    EncodedTone tone = EncodeTone(text, state.decimalSeparator);
    if (layout::IsChannel(channel)) {
        const int base = layout::channelBase(channel);
        state.image.write(base + layout::Tone, tone.low);
        state.image.write(base + layout::ToneHigh, tone.high);
    }
    return std::move(tone.text);
}

void CommitSpacingItem(AppState& state, int channel, int listIndex) {
    setFlagBit(state, channel, layout::Wide, listIndex);
}

void CommitPowerItem(AppState& state, int channel, int listIndex) {
    setFlagBit(state, channel, layout::HighPower, listIndex);
}

} // namespace vorix
