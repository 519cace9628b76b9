#include "editing/ChannelRows.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "editing/ChannelEditing.h"
#include "image/ChannelView.h"
#include "image/DecimalText.h"
#include "image/ImageLayout.h"

namespace vorix {

namespace {

using Record = std::array<std::uint8_t, layout::kRecordSize>;
// order[i] is the channel whose record goes to row i + 1.
using Order = std::array<int, layout::kChannelCount>;

Record readRecord(const RadioImage& image, int channel) {
    Record record{};
    for (int i = 0; i < layout::kRecordSize; ++i)
        record[static_cast<std::size_t>(i)] = image.read(layout::channelBase(channel) + i);
    return record;
}

void writeRecord(RadioImage& image, int channel, const Record& record) {
    for (int i = 0; i < layout::kRecordSize; ++i)
        image.write(layout::channelBase(channel) + i, record[static_cast<std::size_t>(i)]);
}

Order identityOrder() {
    Order order{};
    for (int row = 1; row <= layout::kChannelCount; ++row)
        order[row - 1] = row;
    return order;
}

// The frequency as the table shows it, read as the view reads it for the band test but with the
// decimals: the text is built with "." so that they are part of the number.
double shownFrequency(const RadioImage& image, int channel) {
    return ReadLeadingPlainNumber(FrequencyText(image, channel, "."));
}

RowChange reorder(AppState& state, const Order& order, const ChannelList& selected) {
    const RadioImage before = state.image;
    std::array<int, layout::kChannelCount + 1> newRowOf{};
    for (int row = 1; row <= layout::kChannelCount; ++row) {
        writeRecord(state.image, row, readRecord(before, order[row - 1]));
        newRowOf[order[row - 1]] = row;
    }
    RowChange change{ChangedChannels(before, state.image), {}};
    for (int channel : NormalisedChannels(selected))
        change.selection.push_back(newRowOf[channel]);
    std::sort(change.selection.begin(), change.selection.end());
    return change;
}

} // namespace

ChannelList NormalisedChannels(const ChannelList& channels) {
    ChannelList valid;
    std::copy_if(channels.begin(), channels.end(), std::back_inserter(valid), layout::IsChannel);
    std::sort(valid.begin(), valid.end());
    valid.erase(std::unique(valid.begin(), valid.end()), valid.end());
    return valid;
}

ChannelList ChangedChannels(const RadioImage& before, const RadioImage& after) {
    ChannelList changed;
    for (int channel = 1; channel <= layout::kChannelCount; ++channel)
        if (readRecord(before, channel) != readRecord(after, channel))
            changed.push_back(channel);
    return changed;
}

RowChange ClearChannels(AppState& state, const ChannelList& selected) {
    const RadioImage before = state.image;
    const ChannelList channels = NormalisedChannels(selected);
    for (int channel : channels)
        CommitFrequencyText(state, channel, "", false);
    return {ChangedChannels(before, state.image), channels};
}

bool CanMoveChannels(const ChannelList& selected, RowDirection direction) {
    const ChannelList channels = NormalisedChannels(selected);
    if (channels.empty())
        return false;
    return direction == RowDirection::Up ? channels.front() > 1 : channels.back() < layout::kChannelCount;
}

RowChange MoveChannels(AppState& state, const ChannelList& selected, RowDirection direction) {
    if (!CanMoveChannels(selected, direction))
        return {{}, NormalisedChannels(selected)};
    ChannelList channels = NormalisedChannels(selected);
    const int step = direction == RowDirection::Up ? -1 : 1;
    // Nearest the edge first, so that a block of rows passes its neighbour along to its far end.
    if (direction == RowDirection::Down)
        std::reverse(channels.begin(), channels.end());
    Order order = identityOrder();
    for (int channel : channels)
        std::swap(order[channel - 1], order[channel - 1 + step]);
    return reorder(state, order, selected);
}

RowChange SortChannelsByFrequency(AppState& state, const ChannelList& selected) {
    Order order = identityOrder();
    const auto firstEmpty = std::stable_partition(
        order.begin(), order.end(), [&state](int channel) { return ChannelInUse(state, channel); });
    std::stable_sort(order.begin(), firstEmpty, [&state](int a, int b) {
        return shownFrequency(state.image, a) < shownFrequency(state.image, b);
    });
    return reorder(state, order, selected);
}

} // namespace vorix
