#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editing/ChannelList.h"
#include "editing/CsvImport.h"
#include "editing/CsvTable.h"
#include "editing/TableTexts.h"
#include "support/SampleImages.h"

namespace vorix {
namespace {

AppState stateWith(const RadioImage& image, const char* separator = ".") {
    AppState state;
    state.image = image;
    state.decimalSeparator = separator;
    return state;
}

ImportResult importText(AppState& state, const std::string& text) {
    const CsvParse parse = ParseCsv(text);
    EXPECT_TRUE(parse.ok()) << text;
    return ImportTable(state, parse.ok() ? parse.value() : std::vector<CsvRecord>());
}

// A list as another program might write it: a byte order mark, CRLF, quoted cells, columns in
// its own order with one this radio does not know, and more rows than channels.
std::string sampleList() {
    std::string text = "\xEF\xBB\xBF\"Mode\",Frequency,Name,Location,Power,Tone,cToneFreq,rToneFreq,DtcsCode,"
                       "DtcsPolarity,Duplex,Extra\r\n";
    const char* const rows[] = {
        "FM,146.520000,\"Calling, simplex\",3,5.0W,,88.5,88.5,023,NN,,x", // row 2
        "NFM,446.006250,PMR1,,0.5W,TSQL,88.5,100.0,023,NN,,",             // row 3: first free channel
        "FM,145.500000,,1,H,Tone,67.0,77.0,023,NN,,",                     // row 4
        "FM,145.600000,,1,L,,88.5,88.5,023,NN,,",                         // row 5: channel 1 again
        "FM,145.700000,,20,,,88.5,88.5,023,NN,,",                         // row 6
        "FM,145.800000,,,L,DTCS,88.5,88.5,23,RN,,",                       // row 7
        "FM,145.900000,,,,,88.5,88.5,023,NN,+,",                          // row 8
        "AM,118.000000,,,,,88.5,88.5,023,NN,,",                           // row 9
        "FM,145.950000,,,,Cross,88.5,88.5,023,NN,,",                      // row 10
        "\"FM\",100.000000,,,,,88.5,88.5,023,NN,,",                       // row 11: below both bands
    };
    for (const char* row : rows)
        text += std::string(row) + "\r\n";
    for (int i = 0; i < 13; ++i) // rows 12..24 fill channels 6..16; the last two find none
        text += "FM," + std::to_string(430 + i) + ".125000,,,,,88.5,88.5,023,NN,,\r\n";
    return text;
}

TEST(ChannelList, ImportPlacesEachRowAndReportsWhatItCannotProgram) {
    AppState state = stateWith(test::SampleImage());
    const ImportResult result = importText(state, sampleList());
    ASSERT_TRUE(result.ok());
    const TableTexts texts = BuildTableTexts(state);

    const std::vector<TableRow> channels = {
        {"1", "145.50000", "77.0", "25K(Wide)", "High"},  {"2", "446.00625", "88.5", "12.5K(Narrow)", "Low"},
        {"3", "146.52000", "None", "25K(Wide)", "High"},  {"4", "145.80000", "D023I", "25K(Wide)", "Low"},
        {"5", "136.00000", "None", "25K(Wide)", "High"},  {"6", "430.12500", "None", "25K(Wide)", "High"},
        {"16", "440.12500", "None", "25K(Wide)", "High"},
    };
    for (const TableRow& want : channels)
        EXPECT_EQ(texts.channels[static_cast<std::size_t>(std::stoi(want[0]) - 1)], want) << want[0];

    struct Note {
        int row;
        std::string column;
        std::string fragment;
    };
    const std::vector<Note> notes = {
        {2, "Name", "names ignored"},
        {5, "Location", "channel 1 is already given in row 4; row skipped"},
        {6, "Location", "\"20\" is not a channel 1 to 16"},
        {8, "Duplex", "\"+\" cannot be programmed"},
        {9, "Mode", "\"AM\" cannot be programmed"},
        {10, "Tone", "\"Cross\" cannot be programmed"},
        {11, "Frequency", "\"100.000000\" stored as \"136.00000\""},
        {23, "Location", "all 16 channels are taken"},
        {24, "Location", "all 16 channels are taken"},
    };
    ASSERT_EQ(result.value().size(), notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const ImportNote& got = result.value()[i];
        EXPECT_EQ(got.row, notes[i].row) << i;
        EXPECT_EQ(got.columnName, notes[i].column) << i;
        EXPECT_NE(got.message.find(notes[i].fragment), std::string::npos) << got.message;
    }
}

TEST(ChannelList, ExportWritesTheExchangedColumnsForTheChannelsInUse) {
    const std::string want =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "1,,462.123450,,0.000000,TSQL,67.0,67.0,023,NN,FM,5.00,,,,,,\r\n"
        "2,,145.500000,,0.000000,,88.5,88.5,023,NN,NFM,5.00,,,,,,\r\n"
        "3,,461.250000,,0.000000,DTCS,88.5,88.5,023,RR,FM,5.00,,,,,,\r\n"
        "4,,173.999990,,0.000000,TSQL,254.1,254.1,023,NN,NFM,5.00,,,,,,\r\n"
        "16,,559.997500,,0.000000,DTCS,88.5,88.5,765,NN,FM,5.00,,,,,,\r\n";
    for (const char* separator : {".", ","})
        EXPECT_EQ(FormatChannelList(stateWith(test::SampleImage(), separator)), want) << separator;
}

TEST(ChannelList, ExportThenImportGivesBackTheChannelsInUse) {
    // The exchanged columns hold no power: every imported channel is high.
    for (const char* separator : {".", ","}) {
        const AppState source = stateWith(test::SampleImage(), separator);
        AppState state = stateWith(test::ClearedImage(), separator);
        const ImportResult result = importText(state, FormatChannelList(source));
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result.value().empty());
        const TableTexts want = BuildTableTexts(source);
        const TableTexts got = BuildTableTexts(state);
        for (std::size_t i = 0; i < want.channels.size(); ++i) {
            TableRow expected = want.channels[i];
            if (!expected[1].empty())
                expected[4] = "High";
            EXPECT_EQ(got.channels[i], expected) << "channel " << i + 1 << " separator " << separator;
        }
    }
}

TEST(ChannelList, PowerTextsAndWattValues) {
    struct Case {
        std::vector<std::string> power; // one row each; empty vector: no Power column
        std::string want;               // the power texts of channels 1.., "H"/"L"
    };
    const std::vector<Case> cases = {
        {{}, "HH"},
        {{"5.0W", "5.0W"}, "HH"},
        {{"1.0W", "5.0W", "0.5W", "0.5 W"}, "HHLL"},
        {{"Low", "High", "", "L", "Mid", "low"}, "LHHLHH"},
    };
    for (const Case& c : cases) {
        std::string text = c.power.empty() ? "Location,Frequency\r\n" : "Location,Frequency,Power\r\n";
        const std::size_t rows = c.power.empty() ? c.want.size() : c.power.size();
        for (std::size_t i = 0; i < rows; ++i)
            text += std::to_string(i + 1) + ",146.500000" + (c.power.empty() ? "" : "," + c.power[i]) + "\n";
        AppState state = stateWith(test::ClearedImage());
        const ImportResult result = importText(state, text);
        ASSERT_TRUE(result.ok());
        const auto unread = std::count_if(c.power.begin(), c.power.end(),
                                          [](const std::string& p) { return p == "Mid" || p == "low"; });
        EXPECT_EQ(result.value().size(), static_cast<std::size_t>(unread))
            << "each unreadable power reported";
        const TableTexts texts = BuildTableTexts(state);
        std::string got;
        for (std::size_t i = 0; i < rows; ++i)
            got += texts.channels[i][4].substr(0, 1);
        EXPECT_EQ(got, c.want) << text;
    }
}

TEST(ChannelList, AHeaderNamingAColumnTwiceIsRefusedAndChangesNothing) {
    AppState state = stateWith(test::SampleImage());
    const ImportResult result =
        importText(state, "Location,Frequency,Mode,Frequency\r\n1,146.5,FM,147.5\r\n");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().column, 4);
    EXPECT_EQ(state.image, test::SampleImage());
}

} // namespace
} // namespace vorix
