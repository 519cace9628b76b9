#include "editing/OptionFields.h"

#include "image/ImageLayout.h"

namespace vorix {

namespace {

constexpr OptionField listField(TextId caption, OptionList list, int OptionSelections::*item, int byte) {
    return {caption, OptionKind::List, list, OptionCheck::PowerSave, item, nullptr, byte, 0xFF};
}

constexpr OptionField checkField(TextId caption, OptionCheck check, bool OptionSelections::*checked,
                                 std::uint8_t mask) {
    return {caption, OptionKind::Check, OptionList::SqLevel, check, nullptr, checked, layout::Options, mask};
}

const std::array<OptionField, kOptionFieldCount> kFields{{
    listField(TextId::LabelSQ, OptionList::SqLevel, &OptionSelections::sqLevelItem, layout::SqLevel),
    listField(TextId::Label1, OptionList::Tot, &OptionSelections::totItem, layout::TotStep),
    listField(TextId::LabelSqDelay, OptionList::SqDelay, &OptionSelections::sqDelayItem, layout::SqDelayStep),
    listField(TextId::LabelOffsetWide, OptionList::OffsetWide, &OptionSelections::offsetWideItem,
              layout::OffsetWide),
    listField(TextId::LabelOffsetNarrow, OptionList::OffsetNarrow, &OptionSelections::offsetNarrowItem,
              layout::OffsetNarrow),
    checkField(TextId::CheckBeep, OptionCheck::Beep, &OptionSelections::beep, layout::Beep),
    checkField(TextId::CheckSave, OptionCheck::PowerSave, &OptionSelections::powerSave, layout::PowerSave),
    checkField(TextId::CheckBusyLock, OptionCheck::BusyLock, &OptionSelections::busyLock, layout::BusyLock),
}};

std::vector<std::string> listItems(OptionList list, Language language, std::string_view separator) {
    switch (list) {
    case OptionList::SqLevel:
        return SqLevelItems();
    case OptionList::Tot:
        return TotItems(language);
    case OptionList::SqDelay:
        return SqDelayItems(language, separator);
    case OptionList::OffsetWide:
    case OptionList::OffsetNarrow:
        return OffsetItems();
    }
    return {};
}

} // namespace

const std::array<OptionField, kOptionFieldCount>& OptionFields() {
    return kFields;
}

std::array<std::string, 2> CheckStateTexts(Language language) {
    if (language == Language::English)
        return {"Off", "On"};
    return {"关", "开"};
}

std::vector<std::string> OptionFieldItems(const OptionField& field, Language language,
                                          std::string_view separator) {
    if (field.kind == OptionKind::Check) {
        const auto states = CheckStateTexts(language);
        return {states[0], states[1]};
    }
    return listItems(field.list, language, separator);
}

int SelectedOptionItem(const OptionField& field, const OptionSelections& selections) {
    if (field.kind == OptionKind::Check)
        return selections.*field.checked ? 1 : 0;
    return selections.*field.selectedItem;
}

void ApplyOptionFieldItem(RadioImage& image, const OptionField& field, int index) {
    if (field.kind == OptionKind::Check) {
        if (index == 0 || index == 1)
            ApplyOptionCheck(image, field.check, index == 1);
        return;
    }
    ApplyOptionItem(image, field.list, index);
}

std::string_view OptionCaption(const OptionField& field, Language language) {
    return Text(field.caption, language);
}

} // namespace vorix
