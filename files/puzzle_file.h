// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "samurai.h"
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

// Largest input any puzzle reader takes: far more than any list of puzzles
// needs. Readers never hold their input whole, so this bounds time, not memory.
constexpr std::size_t kMaxInputBytes = 256u << 20;

// Cuts bytes handed over in pieces into lines ending in LF. Only the first
// `keep` bytes of a line are held, so a line of any length costs no more
// memory; it is handed over with its whole length.
class LineCutter {
public:
    struct Line {
        std::string_view text;     // without the LF and one CR before it; at most `keep` bytes
        std::size_t length = 0;    // of the whole line, without the LF and that CR
        std::size_t trimmed = 0;   // the length without trailing blanks, tabs and CRs
        bool binary = false;       // the line holds a zero byte
        int number = 0;            // 1-based
    };

    explicit LineCutter(std::size_t keep) : keep_(keep) {}

    // Hands every line that the bytes complete to onLine(const Line&).
    template <class OnLine> void feed(std::string_view bytes, OnLine&& onLine)
    {
        while (!bytes.empty()) {
            const std::size_t nl = bytes.find('\n');
            take(bytes.substr(0, nl));
            if (nl == std::string_view::npos) return;
            onLine(current());
            next();
            bytes.remove_prefix(nl + 1);
        }
    }
    // The end of the input: its last line, when that does not end in LF.
    template <class OnLine> void finish(OnLine&& onLine)
    {
        if (length_ == 0) return;
        onLine(current());
        next();
    }
    // Lines handed over so far.
    int lines() const { return number_; }

private:
    void take(std::string_view piece);
    Line current() const;
    void next();

    std::size_t keep_;
    std::string text_;
    std::size_t length_ = 0;
    std::size_t trimmed_ = 0;
    bool endsInCr_ = false;
    bool binary_ = false;
    int number_ = 0;
};

// Reads a puzzle file handed over in pieces and checks all of it before
// anyone applies it; memory stays bounded whatever the file's size. The file
// is a sequence of fields separated by commas or line ends: nine usable,
// distinct symbols (in double quotes or not), the number of grids (5 is the
// Samurai board, any other number the standard board), then records of four
// integers each, the grid on the board and column, row and value index in
// 0..8. A record may span lines and a line may hold several records. Lines may
// end in CR LF or LF; blank lines between records are skipped, a blank header
// line is an empty field. A cell may be given more than once, and a shared
// Samurai cell through either grid or both, as long as every record gives it
// the same value; the document lists each (grid, column, row) once, in the
// order of first mention. The first fault in reading order is the verdict, and
// names its line.
class PuzzleFileReader {
public:
    PuzzleFileReader();
    void feed(std::string_view bytes);
    // True once a fault is found: nothing that follows changes the verdict.
    bool failed() const { return failed_; }
    // The end of the file: the document, or its first fault.
    PuzzleParseResult finish();

private:
    struct Number {
        std::optional<int> value;
        int line = 0;
    };
    // The first record that gave a board position its value.
    struct Given {
        int val = -1;
        int line = 0;
        int grid = 0, col = 0, row = 0;
    };

    void line(const LineCutter::Line& l);
    void field(std::string_view text, int line);
    void record();
    void fail(int line, std::string reason);

    LineCutter cutter_{kMaxPuzzleLine};
    std::size_t bytes_ = 0;
    bool failed_ = false;
    PuzzleParseError error_;
    int fields_ = 0; // fields read so far
    PuzzleDocument doc_;
    std::array<int, SymbolTable::kSymbols> symbolLines_{};
    std::array<Number, 4> record_{};
    std::array<Given, engine::kBoardSide * engine::kBoardSide> given_{};
    std::array<bool, engine::kSamuraiGrids * 81> listed_{};
};

// The whole text through PuzzleFileReader.
PuzzleParseResult parsePuzzle(std::string_view text);

// The file text of a document: CR LF lines, symbols quoted, records as given.
std::string formatPuzzle(const PuzzleDocument& doc);

// Whether a text that starts with `start` is a puzzle file rather than a list
// of puzzle lines: it is when its first field that is not blank is a symbol,
// one character or anything in double quotes, as every puzzle file's first
// line is and no puzzle line is. Nothing when `start` does not tell yet and
// more may follow (complete false).
std::optional<bool> looksLikePuzzleFile(std::string_view start, bool complete);

} // namespace files
