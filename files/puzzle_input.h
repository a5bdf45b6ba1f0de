// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "plain_board.h"
#include "puzzle_file.h"
#include "symbol_table.h"

namespace files {

enum class InputFormat { PuzzleFile, Lines };

// One puzzle read from the input: its board, symbols and givens.
struct Puzzle {
    int line = 0; // line of the input it came from (1 for a puzzle file)
    PuzzleDocument doc;
};

// Reads puzzle lines handed over in pieces: 81 characters for a standard
// puzzle or 405 for a Samurai one (grids 0 to 4), 1-9 for a given, '.' or '0'
// for an empty cell; blank lines and lines starting with '#' are skipped. The
// two characters of a shared Samurai cell must agree. Each puzzle goes to
// onPuzzle as soon as its line is read; the first fault ends the reading.
class PuzzleLinesReader {
public:
    explicit PuzzleLinesReader(std::function<void(Puzzle&&)> onPuzzle);
    void feed(std::string_view bytes);
    void finish();
    bool failed() const { return failed_; }
    const PuzzleParseError& error() const { return error_; }
    // True while nothing but blanks and line ends has been read.
    bool blank() const { return blank_; }

private:
    void line(const LineCutter::Line& l);
    void fail(int line, std::string reason);

    std::function<void(Puzzle&&)> onPuzzle_;
    LineCutter cutter_{512}; // a Samurai line, its byte order mark and more
    std::size_t bytes_ = 0;
    bool blank_ = true;
    bool failed_ = false;
    PuzzleParseError error_;
};

// A whole text of puzzle lines into out; false with the line and the reason
// of the first fault.
bool parsePuzzleLines(std::string_view text, std::vector<Puzzle>& out, int& errorLine, std::string& reason);

// A puzzle handed over as one text (pasted): a puzzle file, one puzzle line,
// or a block of nine rows of nine cells, '1'-'9' for a given and '.' or '0'
// for an empty cell, spaced and ruled as puzzles are often printed
// ("5 3 . | . 7 . | . . ." with lines of '-', '+' and '=' between the boxes).
// A puzzle file brings its symbols; a line or a block holds value indices
// ('1' is value index 0) and leaves the symbols to the reader.
struct PuzzleText {
    PuzzleParseResult result;
    InputFormat format = InputFormat::Lines;
};
PuzzleText parsePuzzleText(std::string_view text);

// What readPuzzleInput learnt of its input.
struct PuzzleInput {
    std::string name; // the file name as given, or "<stdin>"
    InputFormat format = InputFormat::Lines;
    int puzzles = 0;
};

// Reads FILE ("-" for standard input): a puzzle file when it starts as one
// (looksLikePuzzleFile), otherwise puzzle lines. The input is read a piece at
// a time and each puzzle handed to onPuzzle(puzzle, several) once it is
// checked, several telling whether the input holds more than one: a puzzle
// waits until the next one is read or the input ends. Only that puzzle and
// one piece of the input are held, whatever the input's size. On a fault
// returns false with a one-line message naming the file, the line and the
// reason; the puzzles before it have been handed over.
bool readPuzzleInput(const std::string& path, std::istream& in, PuzzleInput& input,
                     const std::function<void(const Puzzle&, bool several)>& onPuzzle, std::string& error);

// Puts a puzzle's givens on the board (emptied first, switched to the puzzle's
// grid count).
void loadGivens(engine::PlainBoard& board, const Puzzle& puzzle);

// The board as a puzzle line (digits, '.' for empty).
std::string boardAsLine(const engine::PlainBoard& board, const SymbolTable& symbols);

// The board as a document: every non-empty cell, grid by grid, column by
// column, row by row (shared cells once under each grid).
PuzzleDocument boardAsDocument(const engine::PlainBoard& board, const SymbolTable& symbols);

} // namespace files
