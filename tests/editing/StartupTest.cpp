#include <gtest/gtest.h>

#include <string>

#include "editing/Startup.h"

namespace vorix {
namespace {

TEST(DecimalSeparatorFrom, PointOrComma) {
    EXPECT_EQ(DecimalSeparatorFrom("0.5"), ".");
    EXPECT_EQ(DecimalSeparatorFrom("0,5"), ",");
    EXPECT_EQ(DecimalSeparatorFrom("0٫5"), ","); // anything without a point reads as the comma
    EXPECT_EQ(DecimalSeparatorFrom(""), ",");
}

TEST(PortNumberFromSetting, ReadsTheLeadingNumber) {
    struct Row { std::string text; int port; };
    const Row rows[] = {
        {"3", 3},      {"3abc", 3},    {"abc", 0},     {"", 1},       {" 2.5", 2},   {"3.5", 4},
        {"1.5", 2},    {"2.51", 3},    {"99999", 0},   {"-40000", 0}, {"1e9", 1},    {"32767", 32767},
        {"32768", 0},  {"-32768", -32768}, {"-32769", 0}, {"+7", 7},  {"-0.5", 0},   {"3,5", 3},
        {" ", 0},      {"COM4", 0},    {std::string(400, '9'), 0}, {"12无", 12},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PortNumberFromSetting(r.text), r.port) << r.text.substr(0, 20);
}

TEST(VersionLabel, NothingBetweenMinorAndRevision) {
    EXPECT_EQ(VersionLabel(1, 1, 2), "1.12");
    EXPECT_EQ(VersionLabel(2, 0, 0), "2.00");
    EXPECT_EQ(VersionLabel(1, 10, 3), "1.103");
    EXPECT_EQ(ProgramVersionLabel(), VersionLabel(VORIX_VERSION_MAJOR, VORIX_VERSION_MINOR, VORIX_VERSION_REVISION));
}

} // namespace
} // namespace vorix
