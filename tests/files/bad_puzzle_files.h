// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// Puzzle files that every reader must refuse: the parser names the line and
// the fault, corvel-cli gives both with status 2, and the window's Open says
// so and leaves the board and the symbols as they were.
struct BadPuzzleFile {
    const char* name;
    std::string text;
    int line; // 0 for the file as a whole
    const char* fault;
};

// The nine digit symbols, one quoted per line, with symbol k replaced.
inline std::string symbolLines(int k = -1, const std::string& symbol = "")
{
    std::string s;
    for (int i = 0; i < 9; ++i) s += "\"" + (i == k ? symbol : std::string(1, char('1' + i))) + "\"\r\n";
    return s;
}

inline std::vector<BadPuzzleFile> badPuzzleFiles()
{
    const std::string one = symbolLines() + "1\r\n", five = symbolLines() + "5\r\n";
    using namespace std::string_literals;
    return {
        {"empty", "", 0, "empty"},
        {"binary", one + "0,0\0,0,0\r\n"s, 0, "binary"},
        {"short header", "\"1\"\r\n\"2\"\r\n\"3\"\r\n", 4, "ends inside the symbol list"},
        {"blank symbol line", symbolLines().replace(5, 5, "\r\n") + "1\r\n", 2, "symbol 2 is empty"},
        {"repeated symbol", symbolLines(1, "1") + "1\r\n", 2, "symbol 2 repeats symbol 1"},
        {"lower-case symbol", symbolLines(3, "a") + "1\r\n", 4, "symbol 4 is a lower-case letter"},
        {"two-character symbol", symbolLines(3, "12") + "1\r\n", 4, "symbol 4 is longer"},
        {"quote as a symbol", symbolLines(3, "\"") + "1\r\n", 4, "symbol 4 is not a printable"},
        {"control character", symbolLines(3, "\x01") + "1\r\n", 4, "symbol 4 is not a printable"},
        {"no grid count", symbolLines(), 10, "ends before the number of grids"},
        {"blank grid count", symbolLines() + "\r\n0,0,0,0\r\n", 10, "number of grids is not a number"},
        {"grid -1", one + "-1,0,0,0\r\n", 11, "grid -1"},
        {"grid 1 of a standard board", one + "1,0,0,0\r\n", 11, "grid 1"},
        {"grid -1 of a Samurai board", five + "-1,0,0,0\r\n", 11, "grid -1"},
        {"grid 5 of a Samurai board", five + "5,0,0,0\r\n", 11, "grid 5"},
        {"grid 1 after a count of 7", symbolLines() + "7\r\n0,0,0,0\r\n1,0,0,0\r\n", 12, "grid 1"},
        {"column -1", one + "0,-1,0,0\r\n", 11, "column -1"},
        {"column 9", one + "0,9,0,0\r\n", 11, "column 9"},
        {"row -1", one + "0,0,-1,0\r\n", 11, "row -1"},
        {"row 9", one + "0,0,9,0\r\n", 11, "row 9"},
        {"value -1", one + "0,0,0,-1\r\n", 11, "value index -1"},
        {"value 9", one + "0,0,0,9\r\n", 11, "value index 9"},
        {"a bad record after a good one on its line", one + "0,0,2,4,0,9,0,8\r\n", 11, "column 9"},
        {"a bad field on the record's second line", one + "0,0\r\n2,12\r\n", 12, "value index 12"},
        {"three fields", one + "0,0,0\r\n", 11, "ends inside a record"},
        {"five fields", one + "0,0,0,0,0\r\n", 11, "ends inside a record"},
        {"an empty field", one + "0,0,0,\r\n", 11, "value is not a number"},
        {"a letter", one + "0,a,0,0\r\n", 11, "column is not a number"},
        {"a number beyond int", one + "0,0,0,99999999999\r\n", 11, "not a number"},
        {"a byte beyond ASCII", one + "0,0,0,\xff\r\n", 11, "not a number"},
        {"a line far too long", one + "0,0,0,0\r\n" + std::string(1 << 20, '1') + "\r\n", 12, "too long"},
        {"one cell given two values", one + "0,3,0,8\r\n0,0,2,4\r\n0,3,0,2\r\n", 13,
         "line 11 and line 13 give column 3, row 0 of grid 0 different values"},
        {"a shared cell given two values through its grids", five + "4,0,0,5\r\n0,6,6,4\r\n", 12,
         "line 11 and line 12 give one shared cell different values"},
    };
}

// Puzzle files that every reader takes, and one cell each must then show:
// its grid, column, row and value index.
struct ReadablePuzzleFile {
    const char* name;
    std::string text;
    int grid, col, row, val;
};

inline std::vector<ReadablePuzzleFile> readablePuzzleFiles()
{
    const std::string one = symbolLines() + "1\r\n", five = symbolLines() + "5\r\n";
    return {
        {"symbols without quotes", "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\nI\r\n1\r\n0,3,0,8\r\n", 0, 3, 0, 8},
        {"one cell given twice alike", one + "0,3,0,8\r\n0,3,0,8\r\n", 0, 3, 0, 8},
        {"a shared cell through its corner grid only", five + "0,6,6,4\r\n", 4, 0, 0, 4},
        {"a shared cell through the centre only", five + "4,8,8,2\r\n", 3, 2, 2, 2},
        {"a shared cell through both grids alike", five + "3,2,2,2\r\n4,8,8,2\r\n", 3, 2, 2, 2},
    };
}
