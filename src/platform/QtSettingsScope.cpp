#include "platform/QtSettingsScope.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace vorix {

namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A fresh object per action: the key is opened and closed within one action, as the store promises.
std::unique_ptr<QSettings> openKey(QSettings::Scope scope) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, scope, toQString(kSettingsOrganisation),
                                       toQString(kSettingsApplication));
}

} // namespace

std::optional<StoredValue> QtSettingsScope::read(std::string_view name) {
    const auto opened = openKey(scope_);
    QSettings& settings = *opened;
    // A user-scope QSettings falls back to the machine-wide values on its own; the store decides
    // the order itself, so only this scope's own file may answer.
    settings.setFallbacksEnabled(false);
    const QString key = toQString(name);
    if (settings.status() != QSettings::NoError || !settings.contains(key))
        return std::nullopt;
    const QVariant value = settings.value(key);
    StoredValue stored;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        stored.type = StoredValue::Type::Text;
        stored.text = value.typeId() == QMetaType::QString ? value.toString().toStdString()
                                                           : value.toByteArray().toStdString();
        break;
    case QMetaType::QStringList:
        // An unquoted comma in the file ("ComPort=3,4", typed by hand) makes QSettings split the
        // text into a list. The store holds texts only: join the parts again at their commas
        // (blanks around a comma are dropped by QSettings and cannot be restored).
        stored.type = StoredValue::Type::Text;
        stored.text = value.toStringList().join(QLatin1Char(',')).toStdString();
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        stored.type = StoredValue::Type::Number;
        stored.number = static_cast<std::uint32_t>(value.toULongLong());
        break;
    default:
        stored.type = StoredValue::Type::Other;
        break;
    }
    return stored;
}

bool QtSettingsScope::isWritable() {
    const auto opened = openKey(scope_);
    QSettings& settings = *opened;
    return settings.isWritable();
}

Result<void> QtSettingsScope::write(std::string_view name, std::string_view text) {
    const auto opened = openKey(scope_);
    QSettings& settings = *opened;
    const std::string file = settings.fileName().toStdString();
    if (!settings.isWritable())
        return Failure{file + ": cannot be written"};
    settings.setValue(toQString(name), toQString(text));
    settings.sync();
    switch (settings.status()) {
    case QSettings::NoError:
        return {};
    case QSettings::FormatError:
        return Failure{file + ": not a settings file"};
    case QSettings::AccessError:
        break;
    }
    return Failure{file + ": cannot be written"};
}

} // namespace vorix
