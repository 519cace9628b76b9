#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "editing/ChannelRows.h"
#include "image/ImageLayout.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

using test::PutRecord;
// order[i] is the channel whose record is expected in row i + 1.
using Order = std::array<int, layout::kChannelCount>;

constexpr test::Record kDeleted{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Every byte differs, so a record in the wrong row or a write outside the records shows; records
// 10 and 11 are both deleted, so swapping them changes no byte.
RadioImage patternedImage() {
    RadioImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.write(i, static_cast<std::uint8_t>(i * 7 + 3));
    PutRecord(image, 10, kDeleted);
    PutRecord(image, 11, kDeleted);
    return image;
}

// Channels in use, ties, records the table shows as empty and one with a non-BCD decimal nibble.
RadioImage unsortedImage() {
    RadioImage image = test::SampleImage();
    PutRecord(image, 1, {0x45, 0x23, 0x21, 0x46, 0x9E, 0x02, 0x30}); // 462.12345
    PutRecord(image, 2, kDeleted);
    PutRecord(image, 3, {0x00, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0x00});  // 145.50000
    PutRecord(image, 4, {0x00, 0x00, 0x00, 0x46, 0x13, 0xA0, 0x10});  // 462.00000
    PutRecord(image, 5, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});  // empty: start-up content
    PutRecord(image, 6, {0x00, 0x00, 0x60, 0x13, 0xFF, 0xFF, 0x31});  // 136.00000
    PutRecord(image, 7, {0x50, 0x97, 0x99, 0x55, 0xF5, 0x21, 0x30});  // 559.99750
    PutRecord(image, 8, {0x0A, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0x30});  // shown as 145.5000010
    PutRecord(image, 9, {0x00, 0x00, 0x55, 0x14, 0x9E, 0x02, 0x20});  // 145.50000 again
    PutRecord(image, 10, {0x00, 0x00, 0x40, 0x17, 0x9E, 0x02, 0x30}); // 174.00000: empty
    for (int channel = 11; channel <= layout::kChannelCount; ++channel)
        PutRecord(image, channel, kDeleted);
    return image;
}

Order identity() {
    Order order{};
    for (int row = 1; row <= layout::kChannelCount; ++row)
        order[row - 1] = row;
    return order;
}

// The base with its records rearranged by `order`; bytes 112..127 as they were.
RadioImage permuted(const RadioImage& base, const Order& order) {
    RadioImage image = base;
    for (int row = 1; row <= layout::kChannelCount; ++row)
        for (int i = 0; i < layout::kRecordSize; ++i)
            image.write(layout::channelBase(row) + i, base.read(layout::channelBase(order[row - 1]) + i));
    return image;
}

AppState stateWith(const RadioImage& image, const char* separator = ".") {
    AppState state;
    state.image = image;
    state.decimalSeparator = separator;
    return state;
}

TEST(ChannelRows, ClearGivesTheSelectedRecordsTheDeletedBytesAndTellsWhichChanged) {
    struct Row {
        ChannelList selected;
        ChannelList changed;
        ChannelList selection;
    };
    const Row table[] = {
        {{2}, {2}, {2}},
        {{9}, {9}, {9}}, // empty, but zeros until cleared
        {{5}, {}, {5}},  // already deleted
        {{16, 1, 1, 0, 17, -3}, {1, 16}, {1, 16}},
        {{}, {}, {}},
    };
    for (const Row& r : table) {
        const RadioImage base = test::SampleImage();
        AppState state = stateWith(base);
        const RowChange change = ClearChannels(state, r.selected);
        EXPECT_EQ(change.changed, r.changed);
        EXPECT_EQ(change.selection, r.selection);
        RadioImage want = base;
        for (int channel : r.selection)
            PutRecord(want, channel, kDeleted);
        EXPECT_EQ(state.image, want) << "only the selected records change, to 0xFF";
    }
}

TEST(ChannelRows, MoveSwapsWholeRecordsAndTheSelectionFollows) {
    struct Row {
        ChannelList selected;
        RowDirection direction;
        std::map<int, int> moved; // row -> the channel whose record it holds afterwards
        ChannelList changed;
        ChannelList selection;
    };
    constexpr auto Up = RowDirection::Up;
    constexpr auto Down = RowDirection::Down;
    const Row table[] = {
        {{3}, Up, {{2, 3}, {3, 2}}, {2, 3}, {2}},
        {{3}, Down, {{3, 4}, {4, 3}}, {3, 4}, {4}},
        {{2, 3, 4}, Up, {{1, 2}, {2, 3}, {3, 4}, {4, 1}}, {1, 2, 3, 4}, {1, 2, 3}},
        {{4, 2, 3}, Down, {{2, 5}, {3, 2}, {4, 3}, {5, 4}}, {2, 3, 4, 5}, {3, 4, 5}},
        {{2, 4}, Down, {{2, 3}, {3, 2}, {4, 5}, {5, 4}}, {2, 3, 4, 5}, {3, 5}},
        {{16, 15, 16, 99}, Up, {{14, 15}, {15, 16}, {16, 14}}, {14, 15, 16}, {14, 15}},
        {{10}, Down, {{10, 11}, {11, 10}}, {}, {11}}, // two deleted records: no byte changes
        {{1, 5}, Up, {}, {}, {1, 5}},                 // at the edge: nothing moves
        {{16}, Down, {}, {}, {16}},
        {{}, Down, {}, {}, {}},
    };
    for (const Row& r : table) {
        const RadioImage base = patternedImage();
        AppState state = stateWith(base);
        EXPECT_EQ(CanMoveChannels(r.selected, r.direction), !r.moved.empty());
        const RowChange change = MoveChannels(state, r.selected, r.direction);
        Order order = identity();
        for (const auto& [row, channel] : r.moved)
            order[row - 1] = channel;
        EXPECT_EQ(state.image, permuted(base, order)) << "selection of " << r.selected.size();
        EXPECT_EQ(change.changed, r.changed);
        EXPECT_EQ(change.selection, r.selection);
    }
}

TEST(ChannelRows, SortOrdersChannelsInUseByFrequencyAndKeepsEmptyRecordsAfterThem) {
    // 136, 145.5 (channels 3 and 9, a tie), 145.5000010, 462.0, 462.12345, 559.9975, then the
    // empty records 2, 5, 10 to 16 in their order.
    const Order sorted{6, 3, 9, 8, 4, 1, 7, 2, 5, 10, 11, 12, 13, 14, 15, 16};
    struct Row {
        const char* what;
        RadioImage image;
        const char* separator;
        Order order;
        ChannelList changed;
        ChannelList selection; // of channels 1 and 2
    };
    const Row table[] = {
        {"unsorted", unsortedImage(), ".", sorted, {1, 2, 3, 4, 5, 6, 8, 9}, {6, 8}},
        {"decimal comma", unsortedImage(), ",", sorted, {1, 2, 3, 4, 5, 6, 8, 9}, {6, 8}},
        {"already sorted", permuted(unsortedImage(), sorted), ".", identity(), {}, {1, 2}},
        {"no channel in use", test::ClearedImage(), ".", identity(), {}, {1, 2}},
    };
    for (const Row& r : table) {
        AppState state = stateWith(r.image, r.separator);
        const RowChange change = SortChannelsByFrequency(state, {2, 1});
        EXPECT_EQ(state.image, permuted(r.image, r.order)) << r.what;
        EXPECT_EQ(change.changed, r.changed) << r.what;
        EXPECT_EQ(change.selection, r.selection) << r.what;
    }
}

} // namespace
} // namespace vorix
