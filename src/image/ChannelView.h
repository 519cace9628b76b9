#pragma once
// The one-way path from the RadioImage to what the channel table and the option controls show.

#include <array>
#include <string>

#include "image/AppState.h"

namespace vorix {

/// Texts of grid columns 1..4 (frequency, tone, spacing, power) of one channel row; all four
/// are empty for an empty channel.
using ChannelRowTexts = std::array<std::string, 4>;

/// Item index or check state of each radio option control.
struct OptionSelections {
    int sqLevelItem = 0;
    int sqDelayItem = 0;
    int offsetWideItem = 0;
    int offsetNarrowItem = 0;
    int totItem = 0;
    bool powerSave = false;
    bool busyLock = false;
    bool beep = false;
    friend bool operator==(const OptionSelections&, const OptionSelections&) = default;
};

struct TableView {
    std::array<ChannelRowTexts, 16> rows; // rows[0] is channel 1
    OptionSelections options;
};

/// The frequency text of a record as the table shows it, before the band test ("462.12345").
std::string FrequencyText(const RadioImage& image, int channel, std::string_view separator);

/// True when the record of `channel` holds a frequency in one of the bands.
bool ChannelInUse(const AppState& state, int channel);

/// Everything the main window shows of the image. Reads the image only.
TableView BuildTableView(const AppState& state);

/// The option part of the view alone.
OptionSelections BuildOptionSelections(const RadioImage& image);

} // namespace vorix
