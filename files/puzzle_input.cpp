// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle_input.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <system_error>

namespace files {

namespace {

std::string describeByte(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 33 && c < 127) return std::string("'") + ch + "'";
    static const char* hex = "0123456789ABCDEF";
    return std::string("byte 0x") + hex[c >> 4] + hex[c & 15];
}

std::string cellName(std::size_t k)
{
    const std::size_t cell = k % 81;
    return "column " + std::to_string(cell % 9) + ", row " + std::to_string(cell / 9) + " of grid " +
           std::to_string(k / 81);
}

} // namespace

PuzzleLinesReader::PuzzleLinesReader(std::function<void(Puzzle&&)> onPuzzle) : onPuzzle_(std::move(onPuzzle)) {}

void PuzzleLinesReader::fail(int line, std::string reason)
{
    if (failed_) return;
    failed_ = true;
    error_ = {line, std::move(reason)};
}

void PuzzleLinesReader::feed(std::string_view bytes)
{
    if (failed_) return;
    const bool tooLarge = bytes.size() > kMaxInputBytes - bytes_;
    if (tooLarge) bytes = bytes.substr(0, kMaxInputBytes - bytes_);
    bytes_ += bytes.size();
    cutter_.feed(bytes, [&](const LineCutter::Line& l) { line(l); });
    if (tooLarge) fail(0, "the input is larger than 256 MiB");
}

void PuzzleLinesReader::finish()
{
    cutter_.finish([&](const LineCutter::Line& l) { line(l); });
}

void PuzzleLinesReader::line(const LineCutter::Line& l)
{
    if (failed_) return;
    std::string_view line = l.text.substr(0, l.trimmed);
    std::size_t length = l.trimmed;
    blank_ = blank_ && length == 0;
    if (l.number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") {
        line.remove_prefix(3);
        length -= 3;
    }
    if (length == 0 || line.front() == '#') return;
    if (length != 81 && length != 405)
        return fail(l.number, "a puzzle line has " + std::to_string(length) +
                                  " characters; 81 (standard) or 405 (Samurai) are needed");
    Puzzle p;
    p.line = l.number;
    p.doc.numGrids = length == 81 ? 1 : 5;
    p.doc.records.reserve(length);
    // The first character seen at each board position: a shared cell is one
    // position of two grids, and its two characters must agree.
    std::array<std::int16_t, engine::kBoardSide * engine::kBoardSide> firstAt;
    firstAt.fill(-1);
    for (std::size_t k = 0; k < length; ++k) {
        const char ch = line[k] == '0' ? '.' : line[k];
        if (ch != '.' && (ch < '1' || ch > '9'))
            return fail(l.number, "character " + std::to_string(k + 1) + " is " + describeByte(ch) +
                                      ", not a digit 1-9, '.' or '0'");
        const int g = static_cast<int>(k / 81), col = static_cast<int>(k % 9), row = static_cast<int>(k % 81 / 9);
        std::int16_t& first = firstAt[static_cast<std::size_t>(engine::boardRow(g, row) * engine::kBoardSide +
                                                               engine::boardCol(g, col))];
        if (first < 0) {
            first = static_cast<std::int16_t>(k);
        } else if (const char was = line[static_cast<std::size_t>(first)] == '0' ? '.' : line[static_cast<std::size_t>(first)];
                   was != ch) {
            const auto j = static_cast<std::size_t>(first);
            return fail(l.number, "characters " + std::to_string(j + 1) + " and " + std::to_string(k + 1) +
                                      " are one shared cell (" + cellName(j) + " and " + cellName(k) +
                                      ") and disagree: " + describeByte(was) + " and " + describeByte(ch));
        }
        if (ch != '.') p.doc.records.push_back({g, col, row, ch - '1'});
    }
    onPuzzle_(std::move(p));
}

bool parsePuzzleLines(std::string_view text, std::vector<Puzzle>& out, int& errorLine, std::string& reason)
{
    PuzzleLinesReader reader([&](Puzzle&& p) { out.push_back(std::move(p)); });
    reader.feed(text);
    reader.finish();
    errorLine = reader.error().line;
    reason = reader.error().reason;
    return !reader.failed();
}

bool readPuzzleInput(const std::string& path, std::istream& in, PuzzleInput& input,
                     const std::function<void(const Puzzle&, bool several)>& onPuzzle, std::string& error)
{
    input = PuzzleInput{};
    input.name = path == "-" ? "<stdin>" : path;
    auto fail = [&](int line, const std::string& reason) {
        error = input.name + (line > 0 ? ":" + std::to_string(line) : "") + ": " + reason;
        return false;
    };
    std::ifstream file;
    std::istream* source = &in;
    if (path != "-") {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) return fail(0, "is a directory");
        file.open(path, std::ios::binary);
        if (!file) return fail(0, "cannot be opened");
        source = &file;
    }

    // A puzzle waits for the next one, or the end, to learn whether it is
    // the only one.
    std::optional<Puzzle> waiting;
    auto arrive = [&](Puzzle&& p) {
        if (waiting) onPuzzle(*waiting, true);
        waiting = std::move(p);
        ++input.puzzles;
    };
    std::optional<PuzzleFileReader> fileReader;
    std::optional<PuzzleLinesReader> linesReader;
    auto failed = [&] { return fileReader ? fileReader->failed() : linesReader && linesReader->failed(); };

    // The first bytes, held until they tell the format. A puzzle file tells
    // within its first line, which is never longer than kMaxPuzzleLine.
    std::string start;
    auto decide = [&](bool complete) {
        const std::optional<bool> isFile = looksLikePuzzleFile(start, complete);
        if (!isFile && start.size() <= kMaxPuzzleLine + 8) return;
        input.format = isFile.value_or(false) ? InputFormat::PuzzleFile : InputFormat::Lines;
        if (input.format == InputFormat::PuzzleFile) {
            fileReader.emplace();
            fileReader->feed(start);
        } else {
            linesReader.emplace(arrive);
            linesReader->feed(start);
        }
        std::string().swap(start);
    };
    std::vector<char> buffer(1 << 16);
    while (*source && !failed()) {
        source->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(source->gcount()));
        if (fileReader)
            fileReader->feed(piece);
        else if (linesReader)
            linesReader->feed(piece);
        else {
            start.append(piece);
            decide(false);
        }
    }
    if (source->bad()) return fail(0, "cannot be read");
    if (!fileReader && !linesReader) decide(true);

    if (fileReader) {
        const PuzzleParseResult r = fileReader->finish();
        if (!r.ok()) return fail(r.error.line, r.error.reason);
        Puzzle p;
        p.line = 1;
        p.doc = *r.document;
        input.puzzles = 1;
        onPuzzle(p, false);
        return true;
    }
    linesReader->finish();
    if (waiting) onPuzzle(*waiting, input.puzzles > 1);
    if (linesReader->failed()) return fail(linesReader->error().line, linesReader->error().reason);
    if (linesReader->blank()) return fail(0, "the input is empty");
    if (input.puzzles == 0) return fail(0, "the input holds no puzzle");
    return true;
}

namespace {

bool isBlockSeparator(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '|' || ch == '-' || ch == '+' || ch == '=';
}

} // namespace

PuzzleText parsePuzzleText(std::string_view text)
{
    PuzzleText out;
    auto fail = [&](int line, std::string reason) {
        out.result.error = {line, std::move(reason)};
        return out;
    };
    if (looksLikePuzzleFile(text, true).value_or(false)) {
        out.format = InputFormat::PuzzleFile;
        out.result = parsePuzzle(text);
        return out;
    }
    if (text.size() > kMaxInputBytes) return fail(0, "the text is larger than 256 MiB");
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    // The lines that hold something: their numbers and text without the
    // blanks around it.
    std::vector<std::pair<int, std::string_view>> lines;
    int number = 0;
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t nl = text.find('\n', from);
        if (nl == std::string_view::npos) nl = text.size();
        std::string_view l = text.substr(from, nl - from);
        from = nl + 1;
        ++number;
        const std::size_t first = l.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || l[first] == '#') continue;
        l = l.substr(first, l.find_last_not_of(" \t\r") - first + 1);
        lines.emplace_back(number, l);
    }
    if (lines.empty()) return fail(0, "the text is empty");

    std::string cells;
    if (lines.size() == 1) {
        cells = lines[0].second;
    } else {
        int rows = 0;
        for (const auto& [n, l] : lines) {
            std::string row;
            for (const char ch : l) {
                if ((ch >= '1' && ch <= '9') || ch == '.' || ch == '0')
                    row += ch;
                else if (!isBlockSeparator(ch))
                    return fail(n, describeByte(ch) + " is not a digit 1-9, '.', '0' or a separator of a block's "
                                                      "cells (a blank, '|', '-', '+' or '=')");
            }
            if (row.empty()) continue; // a rule between boxes
            if (row.size() == 81 || row.size() == 405)
                return fail(n, "the text holds more than one line; one puzzle is needed");
            if (row.size() != 9)
                return fail(n, "a row of the block has " + std::to_string(row.size()) + " cells; 9 are needed");
            if (++rows > 9) return fail(n, "the block has more than 9 rows");
            cells += row;
        }
        if (rows < 9) return fail(0, "the block has " + std::to_string(rows) + " rows; 9 are needed");
    }
    std::vector<Puzzle> puzzles;
    int errorLine = 0;
    std::string reason;
    if (!parsePuzzleLines(cells, puzzles, errorLine, reason))
        return fail(lines.size() == 1 ? lines[0].first : 0, reason);
    // A line the line reader skips (a byte-order mark alone) holds no puzzle.
    if (puzzles.empty()) return fail(0, "the text is empty");
    out.result.document = std::move(puzzles.front().doc);
    return out;
}

void loadGivens(engine::PlainBoard& board, const Puzzle& puzzle)
{
    const SymbolTable symbols(puzzle.doc.symbols);
    board.clear();
    board.numGrids = puzzle.doc.numGrids;
    for (const PuzzleRecord& r : puzzle.doc.records)
        board.cell(r.grid, r.col, r.row).setText(symbols.indexToSymbol(r.val));
}

std::string boardAsLine(const engine::PlainBoard& board, const SymbolTable& symbols)
{
    std::string line;
    line.reserve(static_cast<std::size_t>(81 * board.numGrids));
    for (int g = 0; g < board.numGrids; ++g)
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c) {
                const int v = symbols.symbolToIndex(board.cell(g, c, r).text());
                line += v < 0 ? '.' : static_cast<char>('1' + v);
            }
    return line;
}

PuzzleDocument boardAsDocument(const engine::PlainBoard& board, const SymbolTable& symbols)
{
    PuzzleDocument doc;
    doc.symbols = symbols.symbols();
    doc.numGrids = board.numGrids;
    for (int g = 0; g < board.numGrids; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = symbols.symbolToIndex(board.cell(g, c, r).text());
                if (v >= 0) doc.records.push_back({g, c, r, v});
            }
    return doc;
}

} // namespace files
