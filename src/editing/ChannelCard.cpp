#include "editing/ChannelCard.h"

#include "image/ChannelView.h"
#include "texts/InterfaceTexts.h"

namespace vorix {

namespace {

// A card text with its %1 filled.
std::string filled(TextId id, Language language, std::string_view argument) {
    std::string text(Text(id, language));
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

} // namespace

ChannelCard BuildChannelCard(const AppState& state, std::string_view fileName, std::string_view date) {
    const Language lang = state.language;
    const TableTexts texts = BuildTableTexts(state);
    ChannelCard card;
    card.title = Text(TextId::CardTitle, lang);
    card.fileLine =
        filled(TextId::CardFile, lang, fileName.empty() ? Text(TextId::CardNotSaved, lang) : fileName);
    card.dateLine = filled(TextId::CardDate, lang, date);
    card.header = texts.header;
    for (int channel = 1; channel <= layout::kChannelCount; ++channel)
        if (ChannelInUse(state, channel))
            card.rows.push_back(texts.channels[channel - 1]);
    for (int i = 0; i < kOptionFieldCount; ++i)
        card.options[i] = {texts.options[i].caption, texts.options[i].text};
    return card;
}

} // namespace vorix
