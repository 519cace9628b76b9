// The words of the port list: what the system knows of each device, and the number read back.

#include <gtest/gtest.h>

#include <string>

#include "link/PortHardware.h"

using namespace vorix;
using namespace vorix::link;

namespace {

struct ItemRow {
    const char* name;
    int number;
    PortOrigin origin;
    Language language;
    std::string expected;
};

PortHardware Usb(std::string description, std::string manufacturer, std::string serial) {
    return {"/dev/ttyUSB0", std::move(description), std::move(manufacturer), std::move(serial), true};
}

} // namespace

TEST(PortHardwareTest, ItemNamesTheHardware) {
    const ItemRow rows[] = {
        {"usb",
         33,
         {"/dev/ttyUSB0", false, Usb("FT232R USB UART", "FTDI", "A50285BI")},
         Language::English,
         "COM33 \u2014 FT232R USB UART (FTDI, A50285BI)"},
        {"usb without serial",
         33,
         {"/dev/ttyUSB0", false, Usb("CP2102", "Silicon Labs", "")},
         Language::English,
         "COM33 \u2014 CP2102 (Silicon Labs)"},
        {"usb without description",
         34,
         {"/dev/ttyUSB1", false, Usb("", "", "X1")},
         Language::English,
         "COM34 \u2014 USB serial adapter (X1)"},
        {"usb with nothing",
         34,
         {"/dev/ttyUSB1", false, Usb("", "", "")},
         Language::Chinese,
         "COM34 \u2014 USB 串口适配器"},
        {"board",
         1,
         {"/dev/ttyS0", false, std::nullopt},
         Language::English,
         "COM1 \u2014 serial port on the board"},
        {"board chinese", 2, {"/dev/ttyS1", false, std::nullopt}, Language::Chinese, "COM2 \u2014 主板串口"},
        {"link", 42, {"/dev/pts/3", true, std::nullopt}, Language::English, "COM42 \u2014 /dev/pts/3"},
        {"link to an adapter",
         5,
         {"/dev/ttyUSB0", true, Usb("FT232R", "FTDI", "A5")},
         Language::English,
         "COM5 \u2014 /dev/ttyUSB0"},
        {"unknown", 65, {"/dev/ttyACM0", false, std::nullopt}, Language::English, "COM65"},
    };
    for (const ItemRow& row : rows) {
        const std::string item = PortItemText(row.number, row.origin, row.language);
        EXPECT_EQ(item, row.expected) << row.name;
        EXPECT_EQ(PortNumberOfItemText(item), row.number) << row.name;
    }
}

TEST(PortHardwareTest, NumberOfItemReadsOnlyTheDigitsAfterCom) {
    const std::pair<const char*, int> rows[] = {
        {"COM7", 7},   {"COM12 \u2014 CP2102 (Silicon Labs, 0001)", 12},
        {"COM99", 99}, {"COM100", 0},
        {"COM", 0},    {"COM0", 0},
        {"COMx", 0},   {"USB3", 0},
        {"COM-3", 0},  {"", 0},
    };
    for (const auto& [item, number] : rows)
        EXPECT_EQ(PortNumberOfItemText(item), number) << item;
}
