// Core benchmarks: the pure functions behind every refresh of the main window, for regressions.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "image/AppState.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "image/Tones.h"

namespace {

// Every possible Tone field, both bytes 0x00..0xFF: no tone, CTCSS, out-of-range CTCSS and DCS.
void BM_DecodeAllToneWords(benchmark::State& state) {
    for (auto _ : state) {
        for (int high = 0; high < 256; ++high)
            for (int low = 0; low < 256; ++low) {
                std::string text =
                    vorix::DecodeTone(static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(high),
                                      vorix::Language::English, ".");
                benchmark::DoNotOptimize(text);
            }
    }
    state.SetItemsProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_DecodeAllToneWords)->Unit(benchmark::kMillisecond);

// Every entry of the tone list typed back into the editor.
void BM_EncodeToneList(benchmark::State& state) {
    std::vector<std::string> list;
    vorix::FillToneList(list, vorix::Language::English, ".");
    for (auto _ : state)
        for (const std::string& text : list) {
            vorix::EncodedTone tone = vorix::EncodeTone(text, ".");
            benchmark::DoNotOptimize(tone);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(list.size()));
}
BENCHMARK(BM_EncodeToneList)->Unit(benchmark::kMicrosecond);

// A radio with sixteen channels in use (CTCSS, DCS and no tone mixed) and the default options: the
// most work the view does.
vorix::AppState fullRadio() {
    namespace layout = vorix::layout;
    vorix::AppState state;
    layout::StoreOptionDefaults(state.image);
    const std::uint8_t tones[][2] = {{0x9E, 0x02}, {0x13, 0x20}, {0xFF, 0xFF}, {0xF5, 0xA1}};
    for (int channel = 1; channel <= layout::kChannelCount; ++channel) {
        const int base = layout::channelBase(channel);
        const std::uint8_t frequency[] = {0x45, 0x23, static_cast<std::uint8_t>(0x20 + channel % 10), 0x46};
        for (int i = 0; i < layout::FrequencySize; ++i)
            state.image.write(base + layout::Frequency + i, frequency[i]);
        state.image.write(base + layout::Tone, tones[channel % 4][0]);
        state.image.write(base + layout::ToneHigh, tones[channel % 4][1]);
        state.image.write(base + layout::Flags, channel % 2 ? layout::NewChannelFlags : 0);
    }
    return state;
}

void BM_BuildTableView(benchmark::State& state) {
    const vorix::AppState radio = fullRadio();
    for (auto _ : state) {
        vorix::TableView view = vorix::BuildTableView(radio);
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(BM_BuildTableView)->Unit(benchmark::kMicrosecond);

} // namespace
