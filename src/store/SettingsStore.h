#pragma once
// The settings that outlive a run (serial port, language), kept as text values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "image/Result.h"

namespace vorix {

// QSettings builds the key Software\Talvry\Vorix (registry) or Talvry/Vorix.conf from these two.
inline constexpr std::string_view kSettingsOrganisation = "Talvry";
inline constexpr std::string_view kSettingsApplication = "Vorix";
inline constexpr std::string_view kComPortValue = "ComPort";
inline constexpr std::string_view kLanguageValue = "Language";

/// A value as a settings backend holds it.
struct StoredValue {
    enum class Type { Text, Number, Other };
    Type type = Type::Text;
    std::string text;         // Type::Text: the raw bytes, possibly with an embedded zero byte
    std::uint32_t number = 0; // Type::Number
};

/// One place where the tool's key lives: the machine-wide store or the user's own.
class SettingsScope {
public:
    virtual ~SettingsScope() = default;
    /// The value, or nothing when the key or the value cannot be read.
    virtual std::optional<StoredValue> read(std::string_view name) = 0;
    /// Whether a write can succeed; checked before writing, because a refused write can linger
    /// in the backend and spoil later writes.
    virtual bool isWritable() = 0;
    /// Stores text as a text value; a failure says why it did not reach the store.
    virtual Result<void> write(std::string_view name, std::string_view text) = 0;
};

/// GetStringValue / SetStringValue over the machine-wide and the user's scope.
///
/// The machine-wide store is refused to ordinary accounts, so a port chosen there would be
/// forgotten silently: writes go to the machine store where permitted, otherwise to the user's,
/// and reads prefer the user's. A value that cannot be read reads as empty text; a write that
/// reaches neither store fails with the reason.
class SettingsStore {
public:
    static constexpr std::size_t kMaxValueBytes = 1024;

    SettingsStore(SettingsScope& machine, SettingsScope& user) : machine_(machine), user_(user) {}

    std::string GetStringValue(std::string_view name);
    Result<void> SetStringValue(std::string_view name, std::string_view text);

private:
    SettingsScope& machine_;
    SettingsScope& user_;
};

/// The text the store gives for a raw value: text cut at its first zero byte, empty when longer
/// than the 1024-byte limit, a number as its decimal text, anything else empty.
std::string StoredValueText(const StoredValue& value);

} // namespace vorix
