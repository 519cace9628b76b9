#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliLinkDisplay.h"
#include "cli/ProgressBar.h"

namespace vorix::cli {
namespace {

TEST(ProgressBarText, FillsTheShareOfTheWidthRoundedDown) {
    struct Row {
        const char* caption;
        double fraction;
        const char* label;
        int width;
        const char* expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Row> table{
        {"", 0.0, "", 10, "[..........]"},
        {"", 0.5, "Complete:50%", 10, "[#####.....] Complete:50%"},
        {"", 0.99, "", 10, "[#########.]"},
        {"", 1.0, "Complete:100%", 10, "[##########] Complete:100%"},
        {"Read data from radio", 0.125, "Complete:13%", 8, "Read data from radio [#.......] Complete:13%"},
        {"", 1.5, "", 4, "[####]"},
        {"", -0.5, "", 4, "[....]"},
        {"", nan, "", 4, "[....]"},
        {"", 0.5, "", 0, "[]"},
        {"", 0.5, "", -3, "[]"},
        {"往对讲机写入数据", 0.25, "完成进度:25%", 4, "往对讲机写入数据 [#...] 完成进度:25%"},
    };
    for (const Row& row : table)
        EXPECT_EQ(ProgressBarText(row.caption, row.fraction, row.label, row.width), row.expected)
            << row.fraction << " " << row.width;
}

TEST(ProgressBarText, DefaultWidthAndGrowingLength) {
    EXPECT_EQ(ProgressBarText("", 0.0, ""), "[" + std::string(kProgressBarWidth, '.') + "]");
    // A later redraw is never shorter, so a carriage return replaces the earlier one fully.
    std::size_t last = 0;
    for (const char* label : {"", "Complete:%", "Complete:13%", "Complete:100%"}) {
        const std::size_t length = ProgressBarText("Read data from radio", 0.3, label).size();
        EXPECT_GE(length, last) << label;
        last = length;
    }
}

TEST(CliLinkDisplay, DrawsInPlaceOnceStartedAndEndsTheLine) {
    std::ostringstream bar;
    CliLinkDisplay display(&bar);
    int closes = 0;
    display.onClose = [&closes] { ++closes; };
    display.setProgress(0.0); // the dialog loading: nothing yet, the port may not open
    EXPECT_EQ(bar.str(), "");
    display.setCaption("Read");
    display.setProgress(0.5);
    display.setProgressLabel("Complete:50%");
    display.showResult("Read Data OK");
    display.enableControls();
    display.focusStartButton(true);
    display.refreshMainWindow();
    display.closeDialog();
    display.closeDialog(); // a second close changes nothing
    EXPECT_EQ(bar.str(), "\r" + ProgressBarText("Read", 0.0, "") + "\r" +
                             ProgressBarText("Read", 0.5, "Complete:50%") + "\n");
    EXPECT_EQ(display.result(), "Read Data OK");
    EXPECT_TRUE(display.closed());
    EXPECT_EQ(closes, 1);
}

TEST(CliLinkDisplay, FailedRunDrawsNothingAndHasNoResult) {
    std::ostringstream bar;
    CliLinkDisplay display(&bar);
    display.setProgress(0.0);
    display.closeDialog(); // the port did not open: no caption, no bar, no stray line end
    EXPECT_EQ(bar.str(), "");
    EXPECT_EQ(display.result(), "");
    EXPECT_TRUE(display.closed());
}

TEST(CliLinkDisplay, WithoutATerminalNothingIsDrawn) {
    CliLinkDisplay display(nullptr);
    display.setCaption("Write");
    display.setProgressLabel("Complete:100%");
    display.showResult("Write Data OK");
    display.closeDialog();
    EXPECT_EQ(display.result(), "Write Data OK");
    EXPECT_TRUE(display.closed());
}

} // namespace
} // namespace vorix::cli
