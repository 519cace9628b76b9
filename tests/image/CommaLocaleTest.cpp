// Typed numbers keep their decimals while the process runs in a number format with a decimal comma,
// as the window's process does once Qt has set the C locale from the user's environment.

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstdint>
#include <string>

#include "editing/ChannelEditing.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "image/Tones.h"
#include "support/CommaLocale.h"

namespace vorix {
namespace {

class UnderCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::SwitchToCommaLocale())
            return;
        if (test::CommaLocaleRequired())
            FAIL() << "the comma locale " VORIX_COMMA_LOCALE " was not generated into " VORIX_TEST_LOCPATH;
        GTEST_SKIP() << "no comma locale on this machine";
    }
    void TearDown() override { test::RestoreClassicLocale(); }
};

TEST_F(UnderCommaLocale, TypedFrequenciesAndTonesKeepTheirDecimals) {
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the C library does not use the comma";
    constexpr int kChannel = 1;
    struct Row {
        const char* separator;
        const char* frequency;
        const char* frequencyShown;
        std::array<std::uint8_t, 4> frequencyBytes; // +0..+3, least significant first
        const char* tone;
        const char* toneShown;
        std::uint8_t toneLow, toneHigh;
    };
    const Row table[] = {
        {",", "462,5", "462,50000", {0x00, 0x00, 0x25, 0x46}, "69,3", "69,3", 0xB5, 0x02},
        {".", "462.5", "462.50000", {0x00, 0x00, 0x25, 0x46}, "69.3", "69.3", 0xB5, 0x02},
        {",", "146,52345", "146,52345", {0x45, 0x23, 0x65, 0x14}, "254,1", "254,1", 0xED, 0x09},
        {".", "146.5234", "146.52340", {0x40, 0x23, 0x65, 0x14}, "62.46", "62.5", 0x71, 0x02},
    };
    for (const Row& r : table) {
        AppState state;
        state.decimalSeparator = r.separator;
        CommitFrequencyText(state, kChannel, r.frequency, true);
        const int base = layout::channelBase(kChannel);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(state.image.read(base + layout::Frequency + i),
                      r.frequencyBytes[static_cast<std::size_t>(i)])
                << r.frequency << " byte +" << i;
        EXPECT_EQ(CommitToneText(state, kChannel, r.tone), r.toneShown);
        EXPECT_EQ(state.image.read(base + layout::Tone), r.toneLow) << r.tone;
        EXPECT_EQ(state.image.read(base + layout::ToneHigh), r.toneHigh) << r.tone;
        EXPECT_EQ(BuildTableView(state).rows[kChannel - 1][0], r.frequencyShown);
    }
}

} // namespace
} // namespace vorix
