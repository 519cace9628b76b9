#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliLinkDisplay.h"
#include "cli/ProgressBar.h"
#include "editing/TableFormat.h"
#include "image/Utf8Text.h"
#include "support/Languages.h"

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
    // Within one pass the line only grows; a restart's shorter line is the display's to blank.
    std::size_t last = 0;
    for (const char* label : {"", "Complete:%", "Complete:13%", "Complete:100%"}) {
        const std::size_t length = ProgressBarText("Read data from radio", 0.3, label).size();
        EXPECT_GE(length, last) << label;
        last = length;
    }
}

TEST(CliLinkDisplay, DrawsInPlaceOnceStartedAndEndsTheLine) {
    std::ostringstream bar;
    const AppState state;
    CliLinkDisplay display(&bar, state);
    int closes = 0;
    display.onClose = [&closes] { ++closes; };
    display.resetProgress(); // the dialog loading: nothing yet, the port may not open
    EXPECT_EQ(bar.str(), "");
    display.setCaption(link::LinkCaption::Read);
    display.setProgress(0.5);
    display.showResult(link::LinkResult::ReadOk);
    display.enableControls();
    display.focusStartButton(true);
    display.refreshMainWindow();
    display.closeDialog();
    display.closeDialog(); // a second close changes nothing
    EXPECT_EQ(bar.str(), "\r" + ProgressBarText("Read data from radio", 0.0, "") + "\r" +
                             ProgressBarText("Read data from radio", 0.5, "Complete:50%") + "\n");
    EXPECT_EQ(display.result(), "Read Data OK");
    EXPECT_TRUE(display.closed());
    EXPECT_EQ(closes, 1);
}

// What a terminal shows on the bar's line: a carriage return goes back to the first column, and each
// character overwrites the columns it takes. Trailing blanks do not show.
std::string shownLine(const std::string& written) {
    std::vector<std::string> columns;
    std::size_t column = 0;
    for (std::size_t i = 0; i < written.size();) {
        const std::size_t start = i;
        if (NextCharacter(written, i) == U'\r') {
            column = 0;
            continue;
        }
        const std::string character = written.substr(start, i - start);
        const auto width = static_cast<std::size_t>(DisplayWidth(character));
        columns.resize(std::max(columns.size(), column + width));
        columns[column] = character;
        if (width == 2)
            columns[column + 1].clear(); // the right half of a wide character
        column += width;
    }
    std::string line;
    for (const std::string& character : columns)
        line += character;
    return line.substr(0, line.find_last_not_of(' ') + 1);
}

// A restart after a wrong answer draws the label of 0% again, which is shorter than the last one.
TEST(CliLinkDisplay, AShorterRedrawLeavesNothingOfTheLongerOne) {
    struct Row {
        bool english;
        const char* caption;
        double before;
        double after;
        const char* labelAfter;
    };
    const Row table[] = {
        {true, "Read data from radio", 0.875, 0.0, "Complete:%"},
        {true, "Read data from radio", 1.0, 0.125, "Complete:13%"},
        {false, "从对讲机读取数据", 0.875, 0.0, "完成进度:%"},
    };
    for (const Row& row : table) {
        std::ostringstream bar;
        AppState state;
        state.language = LanguageFor(row.english);
        CliLinkDisplay display(&bar, state);
        display.setCaption(link::LinkCaption::Read);
        display.setProgress(row.before);
        display.setProgress(row.after);
        EXPECT_EQ(shownLine(bar.str()), ProgressBarText(row.caption, row.after, row.labelAfter))
            << row.before;
    }
}

TEST(CliLinkDisplay, FailedRunDrawsNothingAndHasNoResult) {
    std::ostringstream bar;
    const AppState state;
    CliLinkDisplay display(&bar, state);
    display.resetProgress();
    display.closeDialog(); // the port did not open: no caption, no bar, no stray line end
    EXPECT_EQ(bar.str(), "");
    EXPECT_EQ(display.result(), "");
    EXPECT_TRUE(display.closed());
}

TEST(CliLinkDisplay, WithoutATerminalNothingIsDrawn) {
    const AppState state;
    CliLinkDisplay display(nullptr, state);
    display.setCaption(link::LinkCaption::Write);
    display.setProgress(1.0);
    display.showResult(link::LinkResult::WriteOk);
    display.closeDialog();
    EXPECT_EQ(display.result(), "Write Data OK");
    EXPECT_TRUE(display.closed());
}

} // namespace
} // namespace vorix::cli
