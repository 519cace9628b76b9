#include <gtest/gtest.h>

#include "store/SettingsStore.h"
#include "support/FakeSettingsScope.h"

namespace vorix {
namespace {

using test::FakeSettingsScope;

StoredValue text(std::string t) { return {StoredValue::Type::Text, std::move(t), 0}; }

struct Stores {
    FakeSettingsScope machine, user;
    SettingsStore store{machine, user};
};

TEST(SettingsStore, EmptyStoreReadsEmptyText) {
    Stores s;
    EXPECT_EQ(s.store.GetStringValue(kComPortValue), "");
    EXPECT_EQ(s.store.GetStringValue(kLanguageValue), "");
}

TEST(SettingsStore, RoundTripGoesToTheMachineStoreWherePermitted) {
    Stores s;
    EXPECT_TRUE(s.store.SetStringValue(kComPortValue, "5").ok());
    EXPECT_EQ(s.store.GetStringValue(kComPortValue), "5");
    EXPECT_EQ(s.machine.values.count("ComPort"), 1u);
    EXPECT_EQ(s.user.values.count("ComPort"), 0u);
}

TEST(SettingsStore, UnwritableMachineStoreFallsBackToTheUsersOwn) {
    Stores s;
    s.machine.writable = false;
    s.machine.values["ComPort"] = text("2");
    EXPECT_TRUE(s.store.SetStringValue(kComPortValue, "7").ok());
    EXPECT_EQ(s.user.values["ComPort"].text, "7");
    EXPECT_EQ(s.machine.values["ComPort"].text, "2");
    EXPECT_EQ(s.store.GetStringValue(kComPortValue), "7") << "the user's value wins";
}

TEST(SettingsStore, NothingWritableReportsFailure) {
    Stores s;
    s.machine.writable = s.user.writable = false;
    EXPECT_FALSE(s.store.SetStringValue(kLanguageValue, "False").ok());
    EXPECT_EQ(s.store.GetStringValue(kLanguageValue), "");
}

TEST(SettingsStore, MachineWriteAlsoUpdatesAValueTheUserStoreWouldShowInstead) {
    Stores s;
    s.user.values["ComPort"] = text("3");
    EXPECT_TRUE(s.store.SetStringValue(kComPortValue, "9").ok());
    EXPECT_EQ(s.store.GetStringValue(kComPortValue), "9");
    EXPECT_EQ(s.machine.values["ComPort"].text, "9");
}

TEST(SettingsStore, UserValueTakesPrecedenceOverTheMachineValue) {
    Stores s;
    s.machine.values["ComPort"] = text("4");
    EXPECT_EQ(s.store.GetStringValue(kComPortValue), "4");
    s.user.values["ComPort"] = text("6");
    EXPECT_EQ(s.store.GetStringValue(kComPortValue), "6");
}

TEST(StoredValueText, LimitsZeroBytesAndTypes) {
    struct Row { StoredValue value; std::string expected; };
    const Row table[] = {
        {text("5"), "5"},
        {text(std::string("12\0abc", 6)), "12"},
        {text(std::string(1024, 'x')), std::string(1024, 'x')},
        {text(std::string(1025, 'x')), ""},
        {{StoredValue::Type::Number, "", 3}, "3"},
        {{StoredValue::Type::Number, "", 4294967295u}, "4294967295"},
        {{StoredValue::Type::Other, "bytes", 0}, ""},
    };
    for (const Row& r : table)
        EXPECT_EQ(StoredValueText(r.value), r.expected);
}

} // namespace
} // namespace vorix
