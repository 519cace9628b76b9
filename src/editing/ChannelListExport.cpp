#include <array>
#include <string_view>

#include "editing/ChannelList.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "image/Tones.h"

namespace vorix {

namespace {

constexpr std::array<std::string_view, 18> kColumns = {
    "Location",     "Name", "Frequency", "Duplex", "Offset",  "Tone",   "rToneFreq", "cToneFreq", "DtcsCode",
    "DtcsPolarity", "Mode", "TStep",     "Skip",   "Comment", "URCALL", "RPT1CALL",  "RPT2CALL",  "DVCODE"};

// The form has a cell for every kind of tone; the ones a row does not use hold these.
constexpr std::string_view kUnusedCtcss = "88.5";
constexpr std::string_view kUnusedDcs = "023";

std::vector<std::string> channelRow(const AppState& state, int channel) {
    const int base = layout::channelBase(channel);
    const std::string tone = DecodeTone(state.image.read(base + layout::Tone),
                                        state.image.read(base + layout::ToneHigh), Language::English, ".");
    std::string kind;
    std::string ctcss(kUnusedCtcss);
    std::string code(kUnusedDcs);
    std::string polarity = "NN";
    if (tone.front() == 'D') {
        kind = "DTCS";
        code = tone.substr(1, 3);
        polarity = tone.back() == 'I' ? "RR" : "NN";
    } else if (tone != NoToneText(Language::English)) {
        kind = "TSQL";
        ctcss = tone;
    }
    const bool wide = state.image.read(base + layout::Flags) & layout::Wide;
    // The view shows five decimals (10 Hz); the form writes six.
    return {std::to_string(channel),
            "",
            FrequencyText(state.image, channel, ".") + "0",
            "",
            "0.000000",
            kind,
            ctcss,
            ctcss,
            code,
            polarity,
            wide ? "FM" : "NFM",
            "5.00",
            "",
            "",
            "",
            "",
            "",
            ""};
}

} // namespace

std::vector<std::vector<std::string>> ChannelListRecords(const AppState& state) {
    std::vector<std::vector<std::string>> records{{kColumns.begin(), kColumns.end()}};
    for (int channel = 1; channel <= layout::kChannelCount; ++channel)
        if (ChannelInUse(state, channel))
            records.push_back(channelRow(state, channel));
    return records;
}

std::string FormatChannelList(const AppState& state) {
    return FormatCsvRecords(ChannelListRecords(state));
}

} // namespace vorix
