#include "editing/TableTexts.h"

#include "texts/InterfaceTexts.h"

namespace vorix {

TableRow TableHeader(Language language) {
    TableRow header;
    constexpr std::array<TextId, kTableColumns> kHeaders{TextId::HeaderChannel, TextId::HeaderFrequency,
                                                         TextId::HeaderTone, TextId::HeaderSpacing,
                                                         TextId::HeaderPower};
    for (int c = 0; c < kTableColumns; ++c)
        header[c] = std::string(Text(kHeaders[c], language));
    return header;
}

TableRow ChannelTableRow(int channel, const ChannelRowTexts& cells) {
    return {std::to_string(channel), cells[0], cells[1], cells[2], cells[3]};
}

std::string OptionItemText(const OptionField& field, int index, Language language,
                           std::string_view separator) {
    const auto items = OptionFieldItems(field, language, separator);
    if (index < 0 || index >= static_cast<int>(items.size()))
        return {};
    return items[static_cast<std::size_t>(index)];
}

TableTexts BuildTableTexts(const AppState& state) {
    const TableView view = BuildTableView(state);
    TableTexts texts;
    texts.header = TableHeader(state.language);
    for (int n = 1; n <= layout::kChannelCount; ++n)
        texts.channels[n - 1] = ChannelTableRow(n, view.rows[n - 1]);
    for (int i = 0; i < kOptionFieldCount; ++i) {
        const OptionField& field = OptionFields()[i];
        texts.options[i] = {&field, std::string(OptionCaption(field, state.language)),
                            OptionItemText(field, SelectedOptionItem(field, view.options), state.language,
                                           state.decimalSeparator)};
    }
    return texts;
}

} // namespace vorix
