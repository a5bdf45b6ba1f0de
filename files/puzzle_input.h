#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "plain_board.h"
#include "puzzle_file.h"
#include "symbol_table.h"

namespace files {

enum class InputFormat { PuzzleFile, Lines };

// One puzzle read from the input: its board, symbols and givens.
struct Puzzle {
    int line = 0;   // line of the input it came from (1 for a puzzle file)
    int length = 0; // characters of its line (81 or 405); 0 for a puzzle file
    PuzzleDocument doc;
};

struct PuzzleInput {
    std::string name; // the file name as given, or "<stdin>"
    InputFormat format = InputFormat::Lines;
    std::vector<Puzzle> puzzles;
};

// Largest input read; far more than any list of puzzles needs.
constexpr std::size_t kMaxInputBytes = 256u << 20;

// Reads FILE ("-" for standard input) and checks all of it. On failure returns
// false with a one-line message naming the file, the line and the reason.
bool readPuzzleInput(const std::string& path, std::istream& in, PuzzleInput& out, std::string& error);

// Parses puzzle lines (81 or 405 characters; 1-9 given, '.' or '0' empty;
// blank lines and '#' lines skipped).
bool parsePuzzleLines(const std::string& text, std::vector<Puzzle>& out, int& errorLine, std::string& reason);

// Puts a puzzle's givens on the board (emptied first, switched to the puzzle's
// grid count). Returns false when two givens for one shared cell disagree.
bool loadGivens(engine::PlainBoard& board, const Puzzle& puzzle);

// The board as a puzzle line of the given length (digits, '.' for empty).
std::string boardAsLine(const engine::PlainBoard& board, const SymbolTable& symbols);

// The board as a document: every non-empty cell, grid by grid, column by
// column, row by row (shared cells once under each grid).
PuzzleDocument boardAsDocument(const engine::PlainBoard& board, const SymbolTable& symbols);

} // namespace files
