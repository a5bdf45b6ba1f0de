#include "puzzle_input.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <system_error>

namespace files {

namespace {

bool readAll(std::istream& in, std::string& text, std::string& error)
{
    text.clear();
    char buf[1 << 16];
    while (in) {
        in.read(buf, sizeof buf);
        text.append(buf, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxInputBytes) {
            error = "the input is larger than 256 MiB";
            return false;
        }
    }
    if (in.bad()) {
        error = "cannot be read";
        return false;
    }
    return true;
}

std::string describeByte(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 33 && c < 127) return std::string("'") + ch + "'";
    static const char* hex = "0123456789ABCDEF";
    return std::string("byte 0x") + hex[c >> 4] + hex[c & 15];
}

} // namespace

bool parsePuzzleLines(const std::string& text, std::vector<Puzzle>& out, int& errorLine, std::string& reason)
{
    std::size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) nl = text.size();
        std::string_view line(text.data() + pos, nl - pos);
        pos = nl + 1;
        ++lineNo;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (lineNo == 1 && line.size() >= 3 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        if (line.empty() || line.front() == '#') continue;
        if (line.size() != 81 && line.size() != 405) {
            errorLine = lineNo;
            reason = "a puzzle line has " + std::to_string(line.size()) +
                     " characters; 81 (standard) or 405 (Samurai) are needed";
            return false;
        }
        Puzzle p;
        p.line = lineNo;
        p.length = static_cast<int>(line.size());
        p.doc.numGrids = line.size() == 81 ? 1 : 5;
        for (std::size_t k = 0; k < line.size(); ++k) {
            const char ch = line[k];
            if (ch == '.' || ch == '0') continue;
            if (ch < '1' || ch > '9') {
                errorLine = lineNo;
                reason = "character " + std::to_string(k + 1) + " is " + describeByte(ch) +
                         ", not a digit 1-9, '.' or '0'";
                return false;
            }
            const int g = static_cast<int>(k / 81), cell = static_cast<int>(k % 81);
            p.doc.records.push_back({g, cell % 9, cell / 9, ch - '1'});
        }
        out.push_back(std::move(p));
    }
    return true;
}

bool readPuzzleInput(const std::string& path, std::istream& in, PuzzleInput& out, std::string& error)
{
    out = PuzzleInput{};
    out.name = path == "-" ? "<stdin>" : path;
    auto fail = [&](int line, const std::string& reason) {
        error = out.name + (line > 0 ? ":" + std::to_string(line) : "") + ": " + reason;
        return false;
    };
    std::string text, readError;
    if (path == "-") {
        if (!readAll(in, text, readError)) return fail(0, readError);
    } else {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) return fail(0, "is a directory");
        std::ifstream file(path, std::ios::binary);
        if (!file) return fail(0, "cannot be opened");
        if (!readAll(file, text, readError)) return fail(0, readError);
    }
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) return fail(0, "the input is empty");

    if (looksLikePuzzleFile(text)) {
        out.format = InputFormat::PuzzleFile;
        const PuzzleParseResult r = parsePuzzle(text);
        if (!r.ok()) return fail(r.error.line, r.error.reason);
        Puzzle p;
        p.line = 1;
        p.doc = *r.document;
        out.puzzles.push_back(std::move(p));
        return true;
    }
    out.format = InputFormat::Lines;
    int line = 0;
    std::string reason;
    if (!parsePuzzleLines(text, out.puzzles, line, reason)) return fail(line, reason);
    if (out.puzzles.empty()) return fail(0, "the input holds no puzzle");
    return true;
}

bool loadGivens(engine::PlainBoard& board, const Puzzle& puzzle)
{
    const SymbolTable symbols(puzzle.doc.symbols);
    board.clear();
    board.numGrids = puzzle.doc.numGrids;
    bool agree = true;
    for (const PuzzleRecord& r : puzzle.doc.records) {
        engine::CellControl& cell = board.cell(r.grid, r.col, r.row);
        const std::string& sym = symbols.indexToSymbol(r.val);
        if (!cell.text().empty() && cell.text() != sym) agree = false;
        cell.setText(sym);
    }
    return agree;
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
