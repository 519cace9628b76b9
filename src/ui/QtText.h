#pragma once
// Small conversions between the core's UTF-8 texts and Qt's.

#include <QComboBox>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace vorix {

inline QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A menu or button caption without its access-key marks, for titles and names.
inline QString withoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

/// Appends the items to a list, in order, without emptying it first.
inline void fillCombo(QComboBox* combo, const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items)
        list << q(item);
    combo->addItems(list);
}

} // namespace vorix
