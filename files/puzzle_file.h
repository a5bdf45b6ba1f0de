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

// A whole puzzle file: the nine symbols, the board (1 grid, or 5 for the
// Samurai board) and one record per filled cell.
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

// Longest line the reader accepts: far more than every record of a Samurai
// board written on one line.
constexpr std::size_t kMaxPuzzleLine = 1 << 16;

// Parses and checks a whole file before anyone applies it. The file is a
// sequence of fields separated by commas or line ends: nine usable, distinct
// symbols (quoted or not), the number of grids (5 is the Samurai board, any
// other number the standard board), then records of four integers each, the
// grid on the board and column, row and value index in 0..8. A record may span
// lines and a line may hold several records. Lines may end in CR LF or LF;
// blank lines between records are skipped, a blank header line is an empty
// field. An error names the line of the field at fault.
PuzzleParseResult parsePuzzle(std::string_view text);

// The file text of a document: CR LF lines, symbols quoted, records as given.
std::string formatPuzzle(const PuzzleDocument& doc);

// True when the text looks like a puzzle file rather than a list of puzzle
// lines: its first line starts with a double quote.
bool looksLikePuzzleFile(std::string_view text);

} // namespace files
