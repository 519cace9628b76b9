#pragma once
// An in-memory settings scope that can be made read-only, for store tests.

#include <map>
#include <string>

#include "store/SettingsStore.h"

namespace vorix::test {

class FakeSettingsScope final : public SettingsScope {
public:
    std::map<std::string, StoredValue, std::less<>> values;
    bool writable = true;
    int writes = 0;

    std::optional<StoredValue> read(std::string_view name) override {
        auto it = values.find(name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    bool isWritable() override { return writable; }
    Result<void> write(std::string_view name, std::string_view text) override {
        if (!writable)
            return Failure{"read-only"};
        ++writes;
        values[std::string(name)] = StoredValue{StoredValue::Type::Text, std::string(text), 0};
        return {};
    }
};

} // namespace vorix::test
