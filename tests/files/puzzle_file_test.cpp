#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "puzzle_file.h"

using files::parsePuzzle;
using files::PuzzleDocument;
using namespace std::string_literals;

namespace {

const std::string kHeader = "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n";

void expectError(const std::string& text, int line, const std::string& fragment)
{
    const auto r = parsePuzzle(text);
    ASSERT_FALSE(r.ok()) << text.substr(0, 200);
    EXPECT_EQ(r.error.line, line) << r.error.describe();
    EXPECT_NE(r.error.reason.find(fragment), std::string::npos) << r.error.describe();
}

} // namespace

TEST(PuzzleFile, WritesTheDocumentedLayoutAndReadsItBack)
{
    PuzzleDocument doc;
    doc.records = {{0, 0, 2, 4}, {0, 3, 0, 8}};
    const std::string text = files::formatPuzzle(doc);
    EXPECT_EQ(text, kHeader + "1\r\n0,0,2,4\r\n0,3,0,8\r\n");
    const auto r = parsePuzzle(text);
    ASSERT_TRUE(r.ok()) << r.error.describe();
    EXPECT_EQ(r.document->symbols, doc.symbols);
    EXPECT_EQ(r.document->numGrids, 1);
    EXPECT_EQ(r.document->records, doc.records);

    PuzzleDocument empty;
    empty.numGrids = 5;
    empty.symbols = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    const std::string emptyText = files::formatPuzzle(empty);
    EXPECT_EQ(std::count(emptyText.begin(), emptyText.end(), '\n'), 10); // exactly ten lines
    const auto back = parsePuzzle(emptyText);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.document->symbols, empty.symbols);
    EXPECT_TRUE(back.document->records.empty());
}

TEST(PuzzleFile, ReadsFieldsSeparatedByCommasOrLineEnds)
{
    using files::PuzzleRecord;
    const std::vector<PuzzleRecord> two = {{0, 0, 2, 4}, {0, 3, 0, 8}};
    struct Case {
        std::string text;
        int numGrids;
        std::vector<PuzzleRecord> records;
    };
    const std::vector<Case> cases = {
        {"1\n2\n3\n4\n5\n6\n7\n8\n9\n 5 \n\n4, 8,0 ,3\n\n", 5, {{4, 8, 0, 3}}}, // LF, unquoted, blanks
        {kHeader + "1\r\n0,0\r\n2,4\r\n0,3,0\r\n\r\n8\r\n", 1, two},                // records over lines
        {kHeader + "1\r\n0,0,2,4,0,3,0,8\r\n", 1, two},                            // two on one line
        {"\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",1,0,0,2,4\r\n0,3,0,8", 1, two},
        // Any count but 5 is the standard board.
        {kHeader + "0\r\n0,0,2,4\r\n0,3,0,8\r\n", 1, two},
        {kHeader + "2\r\n", 1, {}},
        {kHeader + "7\r\n0,0,2,4\r\n0,3,0,8\r\n", 1, two},
        {kHeader + "-3\r\n", 1, {}},
    };
    for (const Case& c : cases) {
        const auto r = parsePuzzle(c.text);
        ASSERT_TRUE(r.ok()) << c.text << "\n" << r.error.describe();
        EXPECT_EQ(r.document->numGrids, c.numGrids) << c.text;
        EXPECT_EQ(r.document->records, c.records) << c.text;
    }
}

TEST(PuzzleFile, RejectsEveryMalformedFileWithItsLine)
{
    expectError("", 0, "empty");
    expectError("\"1\"\r\n\"2\"\r\n\"3\"\r\n", 4, "ends inside the symbol list");
    expectError(kHeader, 10, "ends before the number of grids");
    expectError("\"1\"\r\n\"\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n", 2, "empty");
    expectError("\"1\"\r\n\"1\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n", 2, "repeats");
    expectError("\"1\"\r\n\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n", 2, "empty");
    expectError(kHeader + "\r\n0,0,0,0\r\n", 10, "number of grids is not a number");
    expectError(kHeader + "x\r\n", 10, "not a number");
    expectError(kHeader + "1\r\n9,0,0,0\r\n", 11, "grid 9");
    expectError(kHeader + "1\r\n3,0,0,0\r\n", 11, "grid 3"); // a grid the board does not have
    expectError(kHeader + "5\r\n5,0,0,0\r\n", 11, "grid 5");
    expectError(kHeader + "1\r\n0,-1,0,0\r\n", 11, "column -1");
    expectError(kHeader + "1\r\n0,0,10,0\r\n", 11, "row 10");
    expectError(kHeader + "1\r\n0,0,0,12\r\n", 11, "value index 12");
    expectError(kHeader + "1\r\n0,0,0,-1\r\n", 11, "value index -1");
    expectError(kHeader + "7\r\n0,0,0,0\r\n1,0,0,0\r\n", 12, "grid 1"); // the count made it standard
    expectError(kHeader + "1\r\n0,0,0\r\n", 11, "ends inside a record");
    expectError(kHeader + "1\r\n0,0,0,0,0\r\n", 11, "ends inside a record");
    expectError(kHeader + "1\r\n0,0,0,0\r\n0\r\n0,0\r\n", 12, "ends inside a record");
    expectError(kHeader + "1\r\n0,0\r\n2,12\r\n", 12, "value index 12"); // the field's own line
    expectError(kHeader + "1\r\n0,0\r\n,2,4\r\n", 12, "row is not a number");
    expectError(kHeader + "1\r\n0,0,2,4,0,9,0,8\r\n", 11, "column 9");
    expectError(kHeader + "1\r\n0,0,0,\r\n", 11, "value is not a number");
    expectError(kHeader + "1\r\n0,a,0,0\r\n", 11, "column is not a number");
    expectError(kHeader + "1\r\n0,0,0,99999999999\r\n", 11, "not a number");
    expectError(kHeader + "1\r\n0,0,0,0\r\n" + std::string(1 << 20, '1') + "\r\n", 12, "too long");
    expectError(kHeader + "1\r\n0,0\0,0,0\r\n"s, 0, "binary");
    expectError(kHeader + "1\r\n0,0,0,\xff\r\n", 11, "not a number");
}
