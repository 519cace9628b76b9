#include "store/SettingsStore.h"

namespace vorix {

std::string StoredValueText(const StoredValue& value) {
    switch (value.type) {
    case StoredValue::Type::Text: {
        if (value.text.size() > SettingsStore::kMaxValueBytes)
            return {};
        const std::size_t zero = value.text.find('\0');
        return zero == std::string::npos ? value.text : value.text.substr(0, zero);
    }
    case StoredValue::Type::Number:
        return std::to_string(value.number);
    case StoredValue::Type::Other:
        break;
    }
    return {};
}

std::string SettingsStore::GetStringValue(std::string_view name) {
    if (auto value = user_.read(name))
        return StoredValueText(*value);
    if (auto value = machine_.read(name))
        return StoredValueText(*value);
    return {};
}

Result<void> SettingsStore::SetStringValue(std::string_view name, std::string_view text) {
    if (machine_.isWritable() && machine_.write(name, text).ok()) {
        // Reads prefer the user's store, so a value left there would hide the new one. The new value
        // is stored either way; a user's copy that refuses it only shadows it as a hand-made one would.
        if (user_.read(name) && user_.isWritable())
            (void)user_.write(name, text);
        return {};
    }
    if (!user_.isWritable())
        return Failure{"neither the machine-wide nor the user's settings can be written"};
    return user_.write(name, text);
}

} // namespace vorix
