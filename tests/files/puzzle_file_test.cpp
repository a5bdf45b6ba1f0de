// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "bad_puzzle_files.h"
#include "puzzle_file.h"
#include "puzzle_input.h"

using files::parsePuzzle;
using files::PuzzleRecord;

TEST(PuzzleFile, WritesTheLayoutAndReadsItBack)
{
    files::PuzzleDocument standard;
    standard.records = {{0, 0, 2, 4}, {0, 3, 0, 8}};
    EXPECT_EQ(files::formatPuzzle(standard), symbolLines() + "1\r\n0,0,2,4\r\n0,3,0,8\r\n");
    files::PuzzleDocument samurai;
    samurai.numGrids = 5;
    samurai.symbols = {"0", "A", "Z", "5", "?", "#", "*", "+", "!"};
    samurai.records = {{4, 8, 8, 8}, {0, 6, 6, 0}};
    for (const files::PuzzleDocument& doc : {standard, samurai}) {
        const auto r = parsePuzzle(files::formatPuzzle(doc));
        ASSERT_TRUE(r.ok()) << r.error.describe();
        EXPECT_EQ(r.document->symbols, doc.symbols);
        EXPECT_EQ(r.document->numGrids, doc.numGrids);
        EXPECT_EQ(r.document->records, doc.records);
    }
}

TEST(PuzzleFile, ReadsFieldsSeparatedByCommasOrLineEnds)
{
    const std::vector<PuzzleRecord> two = {{0, 0, 2, 4}, {0, 3, 0, 8}};
    const struct {
        std::string text;
        int numGrids;
        std::vector<PuzzleRecord> records;
    } cases[] = {
        {"1\n2\n3\n4\n5\n6\n7\n8\n9\n 5 \n\n4, 8,0 ,3\n\n", 5, {{4, 8, 0, 3}}}, // LF, unquoted, blanks
        {symbolLines() + "1\r\n0,0\r\n2,4\r\n0,3,0\r\n\r\n8\r\n", 1, two},      // records over lines
        {symbolLines() + "1\r\n0,0,2,4,0,3,0,8\r\n", 1, two},                   // two on one line
        {"\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",1,0,0,2,4\r\n0,3,0,8", 1, two},
        // Any count but 5 is the standard board.
        {symbolLines() + "7\r\n0,0,2,4\r\n0,3,0,8\r\n", 1, two},
        {symbolLines() + "-3\r\n", 1, {}},
        // A cell given again with its value is listed once.
        {symbolLines() + "1\r\n0,3,0,8\r\n0,0,2,4\r\n0,3,0,8\r\n", 1, {{0, 3, 0, 8}, {0, 0, 2, 4}}},
    };
    for (const auto& c : cases) {
        const auto r = parsePuzzle(c.text);
        ASSERT_TRUE(r.ok()) << c.text << "\n" << r.error.describe();
        EXPECT_EQ(r.document->numGrids, c.numGrids) << c.text;
        EXPECT_EQ(r.document->records, c.records) << c.text;
    }
}

// Whole, and handed over in pieces that split line ends, quotes and the
// byte order mark.
TEST(PuzzleFile, RefusesEveryMalformedFileNamingItsLineAndTakesTheRest)
{
    auto inPieces = [](const std::string& text) {
        files::PuzzleFileReader reader;
        for (std::size_t k = 0; k < text.size(); k += 7) reader.feed(std::string_view(text).substr(k, 7));
        return reader.finish();
    };
    for (const BadPuzzleFile& c : badPuzzleFiles())
        for (const auto& r : {parsePuzzle(c.text), inPieces(c.text), files::parsePuzzleText(c.text).result}) {
            ASSERT_FALSE(r.ok()) << c.name;
            EXPECT_EQ(r.error.line, c.line) << c.name << ": " << r.error.describe();
            EXPECT_NE(r.error.reason.find(c.fault), std::string::npos) << c.name << ": " << r.error.describe();
        }
    for (const ReadablePuzzleFile& c : readablePuzzleFiles()) {
        EXPECT_TRUE(parsePuzzle(c.text).ok()) << c.name << ": " << parsePuzzle(c.text).error.describe();
        EXPECT_TRUE(inPieces("\xEF\xBB\xBF" + c.text).ok()) << c.name;
    }
}

TEST(SymbolTable, LookupsAreExactAndStayInTheTable)
{
    const files::SymbolTable t({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    EXPECT_EQ(t.symbolToIndex("I"), 8);
    for (const char* s : {"a", "", "AB", "J"}) EXPECT_EQ(t.symbolToIndex(s), -1) << s;
    EXPECT_EQ(t.indexToSymbol(4), "E");
    for (int idx : {-1, 9, 1000}) EXPECT_EQ(t.indexToSymbol(idx), "") << idx;
}

// A pasted text: a puzzle file, one line, or a 9x9 block as printed.
TEST(PuzzleText, TakesALineABlockOrAFileAndNamesTheFaultOfAnythingElse)
{
    const std::string row = "53..7....";
    std::string plain, ruled;
    for (int r = 0; r < 9; ++r) {
        plain += row + "\r\n";
        ruled += "5 3 . | . 7 . | 0 0 0  \n" + std::string(r % 3 == 2 ? "------+-------+------\n" : "");
    }
    const std::string line(81, '.');
    const struct {
        std::string text;
        int numGrids, records, line;
        const char* fault;
    } cases[] = {
        {line.substr(1) + "5", 1, 1, 0, nullptr},
        {"\n  " + std::string(400, '.') + "7....\t\n\n", 5, 1, 0, nullptr},
        {plain, 1, 27, 0, nullptr},
        {"# from a magazine\n" + ruled, 1, 27, 0, nullptr},
        {symbolLines() + "5\r\n4,0,0,5\r\n", 5, 1, 0, nullptr},
        {"", 0, 0, 0, "empty"},
        {" \r\n# nothing\n", 0, 0, 0, "empty"},
        {"\n\xEF\xBB\xBF \n", 0, 0, 0, "empty"},
        {line + "5", 0, 0, 1, "82 characters"},
        {"\n" + line + "\n" + line, 0, 0, 2, "more than one line"},
        {plain.substr(11), 0, 0, 0, "8 rows"},
        {plain + row, 0, 0, 10, "more than 9 rows"},
        {"53..7.....\n" + plain, 0, 0, 1, "has 10 cells"},
        {plain.substr(0, 33) + "x" + plain.substr(34), 0, 0, 4, "'x' is not a digit"},
    };
    for (const auto& c : cases) {
        const files::PuzzleText t = files::parsePuzzleText(c.text);
        if (!c.fault) {
            ASSERT_TRUE(t.result.ok()) << c.text << "\n" << t.result.error.describe();
            EXPECT_EQ(t.result.document->numGrids, c.numGrids) << c.text;
            EXPECT_EQ(t.result.document->records.size(), static_cast<std::size_t>(c.records)) << c.text;
            continue;
        }
        ASSERT_FALSE(t.result.ok()) << c.text;
        EXPECT_EQ(t.result.error.line, c.line) << t.result.error.describe();
        EXPECT_NE(t.result.error.reason.find(c.fault), std::string::npos) << t.result.error.describe();
    }
}
