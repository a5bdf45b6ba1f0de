// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace files {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A whole decimal number; nothing for an empty field, other characters, or
// a number beyond int.
std::optional<int> parseInt(std::string_view field)
{
    field = trimBlanks(field);
    if (field.empty()) return std::nullopt;
    int value = 0;
    const char* begin = field.data();
    // A leading '+' is allowed, but not before a '-' ("+-5" is no number).
    if (*begin == '+' && field.size() > 1 && field[1] != '-') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size()) return std::nullopt;
    return value;
}

std::string cellName(int grid, int col, int row)
{
    return "column " + std::to_string(col) + ", row " + std::to_string(row) + " of grid " + std::to_string(grid);
}

} // namespace

void LineCutter::take(std::string_view piece)
{
    if (piece.empty()) return;
    if (const std::size_t k = piece.find_last_not_of(" \t\r"); k != std::string_view::npos) trimmed_ = length_ + k + 1;
    // One byte more than kept, so that a CR ending a line of `keep` bytes is seen.
    if (text_.size() <= keep_) text_.append(piece.substr(0, keep_ + 1 - text_.size()));
    binary_ = binary_ || std::memchr(piece.data(), '\0', piece.size()) != nullptr;
    length_ += piece.size();
    endsInCr_ = piece.back() == '\r';
}

LineCutter::Line LineCutter::current() const
{
    Line l;
    l.length = length_ - (endsInCr_ ? 1 : 0);
    l.text = std::string_view(text_).substr(0, std::min(l.length, keep_));
    l.trimmed = trimmed_;
    l.binary = binary_;
    l.number = number_ + 1;
    return l;
}

void LineCutter::next()
{
    text_.clear();
    length_ = trimmed_ = 0;
    endsInCr_ = binary_ = false;
    ++number_;
}

std::string PuzzleParseError::describe() const
{
    return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
}

std::optional<bool> looksLikePuzzleFile(std::string_view start, bool complete)
{
    if (!complete && start.size() < kByteOrderMark.size() && kByteOrderMark.substr(0, start.size()) == start)
        return std::nullopt;
    if (start.substr(0, kByteOrderMark.size()) == kByteOrderMark) start.remove_prefix(kByteOrderMark.size());
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return complete ? std::optional(false) : std::nullopt;
    if (start[first] == '"') return true;
    const std::size_t after = start.find_first_not_of(" \t\r", first + 1);
    if (after == std::string_view::npos) return complete ? std::optional(true) : std::nullopt;
    return start[after] == ',' || start[after] == '\n';
}

PuzzleFileReader::PuzzleFileReader() = default;

void PuzzleFileReader::fail(int line, std::string reason)
{
    if (failed_) return;
    failed_ = true;
    error_ = {line, std::move(reason)};
}

void PuzzleFileReader::feed(std::string_view bytes)
{
    if (failed_) return;
    const bool tooLarge = bytes.size() > kMaxInputBytes - bytes_;
    if (tooLarge) bytes = bytes.substr(0, kMaxInputBytes - bytes_);
    bytes_ += bytes.size();
    cutter_.feed(bytes, [&](const LineCutter::Line& l) { line(l); });
    if (tooLarge) fail(0, "the file is larger than 256 MiB");
}

void PuzzleFileReader::line(const LineCutter::Line& l)
{
    if (failed_) return;
    if (l.binary) return fail(0, "the file holds binary data");
    if (l.length > kMaxPuzzleLine) return fail(l.number, "the line is too long");
    std::string_view text = l.text;
    if (l.number == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    // A blank line is one empty field in the header, where every line counts,
    // and nothing between records.
    if (trimBlanks(text).empty()) {
        if (fields_ < SymbolTable::kSymbols + 1) field({}, l.number);
        return;
    }
    for (;;) {
        const std::size_t comma = text.find(',');
        field(trimBlanks(text.substr(0, comma)), l.number);
        if (failed_ || comma == std::string_view::npos) return;
        text.remove_prefix(comma + 1);
    }
}

void PuzzleFileReader::field(std::string_view text, int line)
{
    const int k = fields_++;
    if (k < SymbolTable::kSymbols) {
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
        doc_.symbols[static_cast<std::size_t>(k)] = std::string(text);
        symbolLines_[static_cast<std::size_t>(k)] = line;
        if (k + 1 == SymbolTable::kSymbols)
            if (auto problem = SymbolTable::problemWith(doc_.symbols))
                fail(symbolLines_[static_cast<std::size_t>(problem->index)], problem->reason);
        return;
    }
    if (k == SymbolTable::kSymbols) {
        // 5 is the Samurai board; any other count is the standard board.
        const auto numGrids = parseInt(text);
        if (!numGrids) return fail(line, "the number of grids is not a number");
        doc_.numGrids = *numGrids == 5 ? 5 : 1;
        return;
    }
    const auto at = static_cast<std::size_t>((k - SymbolTable::kSymbols - 1) % 4);
    record_[at] = {parseInt(text), line};
    if (at == 3) record();
}

void PuzzleFileReader::record()
{
    static const char* const names[4] = {"grid", "column", "row", "value"};
    int v[4];
    for (int k = 0; k < 4; ++k) {
        if (!record_[k].value) return fail(record_[k].line, std::string("the ") + names[k] + " is not a number");
        v[k] = *record_[k].value;
    }
    const int g = v[0], col = v[1], row = v[2], val = v[3];
    if (g < 0 || g >= doc_.numGrids)
        return fail(record_[0].line, "grid " + std::to_string(g) + " is not on " +
                                         (doc_.numGrids == 5 ? "the Samurai board (grids 0 to 4)"
                                                             : "the standard board (grid 0 only)"));
    if (col < 0 || col > 8) return fail(record_[1].line, "column " + std::to_string(col) + " is outside 0..8");
    if (row < 0 || row > 8) return fail(record_[2].line, "row " + std::to_string(row) + " is outside 0..8");
    if (val < 0 || val > 8) return fail(record_[3].line, "value index " + std::to_string(val) + " is outside 0..8");

    // One board position per cell, so a shared cell is the same position
    // through either of its grids.
    const int line = record_[0].line;
    Given& first = given_[static_cast<std::size_t>(engine::boardRow(g, row) * engine::kBoardSide + engine::boardCol(g, col))];
    if (first.line > 0 && first.val != val) {
        const std::string lines = "line " + std::to_string(first.line) + " and line " + std::to_string(line);
        if (first.grid == g)
            return fail(line, lines + " give " + cellName(g, col, row) + " different values");
        return fail(line, lines + " give one shared cell different values (" + cellName(first.grid, first.col, first.row) +
                              " is " + cellName(g, col, row) + ")");
    }
    if (first.line == 0) first = {val, line, g, col, row};
    bool& listed = listed_[static_cast<std::size_t>(g * 81 + col * 9 + row)];
    if (!listed) doc_.records.push_back({g, col, row, val});
    listed = true;
}

PuzzleParseResult PuzzleFileReader::finish()
{
    cutter_.finish([&](const LineCutter::Line& l) { line(l); });
    PuzzleParseResult r;
    const int afterLastLine = cutter_.lines() + 1;
    if (!failed_ && bytes_ == 0) fail(0, "the file is empty");
    if (!failed_ && fields_ < SymbolTable::kSymbols)
        fail(afterLastLine, "the file ends inside the symbol list (nine symbols are needed)");
    if (!failed_ && fields_ == SymbolTable::kSymbols) fail(afterLastLine, "the file ends before the number of grids");
    if (!failed_ && (fields_ - SymbolTable::kSymbols - 1) % 4 != 0)
        fail(record_[0].line, "the file ends inside a record (grid, column, row and value are needed)");
    if (failed_)
        r.error = error_;
    else
        r.document = doc_;
    return r;
}

PuzzleParseResult parsePuzzle(std::string_view text)
{
    PuzzleFileReader reader;
    reader.feed(text);
    return reader.finish();
}

std::string formatPuzzle(const PuzzleDocument& doc)
{
    std::string out;
    for (const std::string& s : doc.symbols) out += "\"" + s + "\"\r\n";
    out += std::to_string(doc.numGrids) + "\r\n";
    for (const PuzzleRecord& r : doc.records)
        out += std::to_string(r.grid) + "," + std::to_string(r.col) + "," + std::to_string(r.row) + "," +
               std::to_string(r.val) + "\r\n";
    return out;
}

} // namespace files
