#pragma once
// A settings scope on QSettings: the registry on Windows, the Talvry/Vorix configuration on Linux.

#include <QSettings>

#include "store/SettingsStore.h"

namespace vorix {

class QtSettingsScope final : public SettingsScope {
public:
    /// QSettings::SystemScope is the machine-wide store, QSettings::UserScope the user's own.
    explicit QtSettingsScope(QSettings::Scope scope) : scope_(scope) {}

    std::optional<StoredValue> read(std::string_view name) override;
    bool isWritable() override;
    Result<void> write(std::string_view name, std::string_view text) override;

private:
    QSettings::Scope scope_;
};

/// The two scopes and the store over them, as the running tool uses them.
class QtSettingsStore {
public:
    QtSettingsStore()
        : machine_(QSettings::SystemScope), user_(QSettings::UserScope), store_(machine_, user_) {}
    SettingsStore& store() { return store_; }
    /// The user's own store, for what is never kept machine-wide.
    SettingsScope& userScope() { return user_; }

private:
    QtSettingsScope machine_;
    QtSettingsScope user_;
    SettingsStore store_;
};

} // namespace vorix
