#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symbol_table.h"

namespace files {

// One filled cell of a puzzle file: grid index, column, row, value index.
struct PuzzleRecord {
    int grid = 0;
    int col = 0;
    int row = 0;
    int val = 0;
    bool operator==(const PuzzleRecord&) const = default;
};

// A whole puzzle file: the nine symbols, the number of grids (1 or 5) and one
// record per filled cell.
struct PuzzleDocument {
    SymbolTable::Symbols symbols = SymbolTable::defaults();
    int numGrids = 1;
    std::vector<PuzzleRecord> records;
};

struct PuzzleParseError {
    int line = 0; // 1-based line of the fault, 0 for the file as a whole
    std::string reason;
    std::string describe() const;
};

struct PuzzleParseResult {
    std::optional<PuzzleDocument> document;
    PuzzleParseError error; // meaningful when document is empty
    bool ok() const { return document.has_value(); }
};

// Longest line the reader accepts; a puzzle file's lines are a few characters.
constexpr std::size_t kMaxPuzzleLine = 4096;

// Parses and checks a whole file before anyone applies it: nine usable, distinct
// symbols (quoted or not), a grid count of 1 or 5, then records of exactly four
// integers with the grid below the grid count and column, row and value index
// in 0..8. Lines may end in CR LF or LF; blank record lines are skipped.
PuzzleParseResult parsePuzzle(std::string_view text);

// The file text of a document: CR LF lines, symbols quoted, records as given.
std::string formatPuzzle(const PuzzleDocument& doc);

// True when the text looks like a puzzle file rather than a list of puzzle
// lines: its first line starts with a double quote.
bool looksLikePuzzleFile(std::string_view text);

} // namespace files
