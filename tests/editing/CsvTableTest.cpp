#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "editing/CsvTable.h"

namespace vorix {
namespace {

using Cells = std::vector<std::vector<std::string>>;

Cells cellsOf(const CsvParse& parse) {
    Cells cells;
    for (const CsvRecord& r : parse.value())
        cells.push_back(r.cells);
    return cells;
}

std::vector<int> rowsOf(const CsvParse& parse) {
    std::vector<int> rows;
    for (const CsvRecord& r : parse.value())
        rows.push_back(r.row);
    return rows;
}

TEST(CsvParse, AcceptedForms) {
    struct Row {
        const char* what;
        std::string text;
        Cells cells;
        std::vector<int> rows;
        char separator = ',';
    };
    const Row table[] = {
        {"CRLF", "a,b,c\r\n1,2,3\r\n", {{"a", "b", "c"}, {"1", "2", "3"}}, {1, 2}},
        {"LF", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"CR alone", "a,b\r1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"no final line end", "a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"empty fields", ",,\r\n", {{"", "", ""}}, {1}},
        {"comma in quotes", "\"a,b\",c\r\n", {{"a,b", "c"}}, {1}},
        {"doubled quote", "\"say \"\"hi\"\"\",x\r\n", {{"say \"hi\"", "x"}}, {1}},
        {"line end in quotes",
         "\"one\r\ntwo\",x\r\nnext,y\r\n",
         {{"one\r\ntwo", "x"}, {"next", "y"}},
         {1, 2}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "CH,x\r\n",
         {{"CH", "x"}},
         {1}},
        {"blank rows skipped but counted", "a\r\n\r\nb\r\n", {{"a"}, {"b"}}, {1, 3}},
        {"quoted empty field is a record", "\"\"\r\nb\r\n", {{""}, {"b"}}, {1, 2}},
        {"spaces kept", " a , b \r\n", {{" a ", " b "}}, {1}},
        {"UTF-8 kept", "信道,频率\r\n", {{"信道", "频率"}}, {1}},
        {"empty text", "", {}, {}},
        {"quoted last field without line end", "a,\"b\"", {{"a", "b"}}, {1}},
        {"tabs", "a\tb,c\r\n1\t\r\n", {{"a", "b,c"}, {"1", ""}}, {1, 2}, '\t'},
        {"tab in quotes", "\"a\tb\"\tc\n", {{"a\tb", "c"}}, {1}, '\t'},
        {"a tab is text in CSV", "a\tb,c\r\n", {{"a\tb", "c"}}, {1}},
    };
    for (const Row& r : table) {
        const CsvParse parse = ParseCsv(r.text, r.separator);
        ASSERT_TRUE(parse.ok()) << r.what;
        EXPECT_EQ(cellsOf(parse), r.cells) << r.what;
        EXPECT_EQ(rowsOf(parse), r.rows) << r.what;
    }
}

TEST(CsvParse, ErrorsNameTheRowWhereTheRecordStarts) {
    struct Row {
        std::string text;
        int row;
        const char* messagePart;
    };
    const Row table[] = {
        {"a,b\r\n\"open,x\r\nmore\r\n", 2, "never closed"},
        {"a\r\nb\"c,d\r\n", 2, "quote inside an unquoted field"},
        {"a\r\nb\r\n\"c\"d,e\r\n", 3, "after the closing quote"},
        {"\"", 1, "never closed"},
    };
    for (const Row& r : table) {
        const CsvParse parse = ParseCsv(r.text);
        ASSERT_FALSE(parse.ok()) << r.text;
        EXPECT_EQ(parse.error().row, r.row) << r.text;
        EXPECT_NE(parse.error().message.find(r.messagePart), std::string::npos) << parse.error().message;
        EXPECT_THROW((void)parse.value(), std::logic_error) << "no half table after an error";
    }
}

TEST(CsvFormat, QuotesOnlyWhatNeedsIt) {
    struct Row {
        std::vector<std::string> cells;
        const char* line;
        char separator = ',';
    };
    const Row table[] = {
        {{"CH", "Frequency"}, "CH,Frequency\r\n"},
        {{"462,50000", "x"}, "\"462,50000\",x\r\n"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
        {{"a\nb", ""}, "\"a\nb\",\r\n"},
        {{" lead", "trail "}, "\" lead\",\"trail \"\r\n"},
        {{"", "", ""}, ",,\r\n"},
        {{"12.5K(窄带)"}, "12.5K(窄带)\r\n"},
        {{"462,50000", "x"}, "462,50000\tx\r\n", '\t'},
        {{"a\tb", "say \"hi\""}, "\"a\tb\"\t\"say \"\"hi\"\"\"\r\n", '\t'},
    };
    for (const Row& r : table)
        EXPECT_EQ(FormatCsvRecord(r.cells, r.separator), r.line);
}

TEST(CsvFormat, RandomFieldsSurviveAFormatAndParse) {
    const std::vector<std::string> pieces{"a", ",", "\t", "\"", "\n", "\r\n", " ", "无", "0", ""};
    std::mt19937 random(4711);
    for (int round = 0; round < 300; ++round) {
        const char separator = round % 2 == 0 ? ',' : '\t';
        Cells table;
        const int records = 1 + static_cast<int>(random() % 4);
        for (int r = 0; r < records; ++r) {
            std::vector<std::string> record;
            const int fields = 2 + static_cast<int>(random() % 4); // a lone empty field would be a blank row
            for (int f = 0; f < fields; ++f) {
                std::string field;
                const int length = static_cast<int>(random() % 5);
                for (int i = 0; i < length; ++i)
                    field += pieces[random() % pieces.size()];
                record.push_back(field);
            }
            table.push_back(record);
        }
        std::string text;
        for (const auto& record : table)
            text += FormatCsvRecord(record, separator);
        const CsvParse parse = ParseCsv(text, separator);
        ASSERT_TRUE(parse.ok()) << text;
        ASSERT_EQ(cellsOf(parse), table) << text;
    }
}

} // namespace
} // namespace vorix
