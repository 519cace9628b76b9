#include "editing/OptionControls.h"

#include <array>
#include <string>

#include "image/DecimalText.h"
#include "image/ImageLayout.h"

namespace vorix {

namespace {

// Each list stores (index + firstValue) as a byte; the SqLevel list starts at -9 and so writes
// two's-complement bytes for its first nine items.
struct ListRule {
    OptionList list;
    int byteIndex;
    int itemCount;
    int firstValue;
};

constexpr std::array<ListRule, 5> kListRules{{
    {OptionList::SqLevel, layout::SqLevel, layout::kSqLevelMax - layout::kSqLevelMin + 1,
     layout::kSqLevelMin},
    {OptionList::Tot, layout::TotStep, layout::kTotMax + 1, 0},
    {OptionList::SqDelay, layout::SqDelayStep, layout::kSqDelayMax + 1, 0},
    {OptionList::OffsetWide, layout::OffsetWide, layout::kOffsetMax - layout::kOffsetMin + 1,
     layout::kOffsetMin},
    {OptionList::OffsetNarrow, layout::OffsetNarrow, layout::kOffsetMax - layout::kOffsetMin + 1,
     layout::kOffsetMin},
}};

struct CheckRule {
    OptionCheck check;
    std::uint8_t mask;
};

constexpr std::array<CheckRule, 3> kCheckRules{{
    {OptionCheck::PowerSave, layout::PowerSave},
    {OptionCheck::Beep, layout::Beep},
    {OptionCheck::BusyLock, layout::BusyLock},
}};

constexpr int kTotSecondsPerStep = 15;
// Tenths of a second per squelch-delay step: 0.1 s in the English list, 0.5 s in the Chinese one.
constexpr int kSqDelayTenthsEnglish = 1;
constexpr int kSqDelayTenthsChinese = 5;

std::string offText(Language language) {
    return language == Language::English ? "Off" : "关";
}

std::vector<std::string> numberItems(int first, int last) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(last - first + 1));
    for (int v = first; v <= last; ++v)
        items.push_back(std::to_string(v));
    return items;
}

} // namespace

std::vector<std::string> SqLevelItems() {
    return numberItems(layout::kSqLevelMin, layout::kSqLevelMax);
}

std::vector<std::string> TotItems(Language language) {
    std::vector<std::string> items{offText(language)};
    const std::string unit = language == Language::English ? "S" : "秒";
    for (int n = 1; n <= layout::kTotMax; ++n)
        items.push_back(std::to_string(n * kTotSecondsPerStep) + unit);
    return items;
}

std::vector<std::string> SqDelayItems(Language language, std::string_view separator) {
    std::vector<std::string> items{offText(language)};
    const int tenthsPerStep = language == Language::English ? kSqDelayTenthsEnglish : kSqDelayTenthsChinese;
    for (int n = 1; n <= layout::kSqDelayMax; ++n)
        items.push_back(FormatTenths(n * tenthsPerStep, separator) + "S");
    return items;
}

std::vector<std::string> OffsetItems() {
    return numberItems(layout::kOffsetMin, layout::kOffsetMax);
}

void ApplyOptionItem(RadioImage& image, OptionList list, int index) {
    for (const ListRule& rule : kListRules) {
        if (rule.list != list)
            continue;
        if (index < 0 || index >= rule.itemCount)
            return;
        image.write(rule.byteIndex, static_cast<std::uint8_t>((index + rule.firstValue) & 0xFF));
        return;
    }
}

void ApplyOptionCheck(RadioImage& image, OptionCheck check, bool checked) {
    for (const CheckRule& rule : kCheckRules)
        if (rule.check == check)
            image.setBits(layout::Options, rule.mask, checked);
}

} // namespace vorix
