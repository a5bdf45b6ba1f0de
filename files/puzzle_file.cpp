#include "puzzle_file.h"

#include <charconv>

namespace files {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Splits text into lines without their LF or CR LF ends.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

std::optional<int> parseInt(std::string_view field)
{
    field = trimBlanks(field);
    if (field.empty() || field.size() > 6) return std::nullopt;
    int value = 0;
    const char* begin = field.data();
    // A leading '+' is allowed, but not before a '-' ("+-5" is no number).
    if (*begin == '+' && field.size() > 1 && field[1] != '-') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size()) return std::nullopt;
    return value;
}

PuzzleParseResult fail(int line, std::string reason)
{
    PuzzleParseResult r;
    r.error = {line, std::move(reason)};
    return r;
}

} // namespace

std::string PuzzleParseError::describe() const
{
    return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
}

bool looksLikePuzzleFile(std::string_view text)
{
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
        static_cast<unsigned char>(text[2]) == 0xBF)
        text.remove_prefix(3);
    text = trimBlanks(text);
    return !text.empty() && text.front() == '"';
}

PuzzleParseResult parsePuzzle(std::string_view text)
{
    if (text.empty()) return fail(0, "the file is empty");
    if (text.find('\0') != std::string_view::npos) return fail(0, "the file holds binary data");
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
        static_cast<unsigned char>(text[2]) == 0xBF)
        text.remove_prefix(3);
    const std::vector<std::string_view> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > kMaxPuzzleLine) return fail(static_cast<int>(i + 1), "the line is too long");

    PuzzleDocument doc;
    for (int k = 0; k < SymbolTable::kSymbols; ++k) {
        if (static_cast<std::size_t>(k) >= lines.size())
            return fail(k + 1, "the file ends inside the symbol list (nine symbol lines are needed)");
        std::string_view field = trimBlanks(lines[static_cast<std::size_t>(k)]);
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
        doc.symbols[static_cast<std::size_t>(k)] = std::string(field);
    }
    if (auto problem = SymbolTable::problemWith(doc.symbols)) return fail(problem->index + 1, problem->reason);

    if (lines.size() < 10) return fail(10, "the file ends before the number of grids");
    const auto numGrids = parseInt(lines[9]);
    if (!numGrids) return fail(10, "the number of grids is not a number");
    if (*numGrids != 1 && *numGrids != 5) return fail(10, "the number of grids must be 1 or 5");
    doc.numGrids = *numGrids;

    for (std::size_t i = 10; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const std::string_view line = lines[i];
        if (trimBlanks(line).empty()) continue;
        std::string_view fields[4];
        int n = 0;
        std::string_view rest = line;
        for (;;) {
            const std::size_t comma = rest.find(',');
            if (n == 4) return fail(lineNo, "a record has more than four fields");
            fields[n++] = rest.substr(0, comma);
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        if (n != 4) return fail(lineNo, "a record needs four fields: grid, column, row, value");
        int v[4];
        static const char* const names[4] = {"grid", "column", "row", "value"};
        for (int f = 0; f < 4; ++f) {
            const auto x = parseInt(fields[f]);
            if (!x) return fail(lineNo, std::string("the ") + names[f] + " is not a number");
            v[f] = *x;
        }
        if (v[0] < 0 || v[0] >= doc.numGrids)
            return fail(lineNo, "grid " + std::to_string(v[0]) + " is not on a board of " + std::to_string(doc.numGrids) +
                                    (doc.numGrids == 1 ? " grid" : " grids"));
        if (v[1] < 0 || v[1] > 8) return fail(lineNo, "column " + std::to_string(v[1]) + " is outside 0..8");
        if (v[2] < 0 || v[2] > 8) return fail(lineNo, "row " + std::to_string(v[2]) + " is outside 0..8");
        if (v[3] < 0 || v[3] > 8) return fail(lineNo, "value index " + std::to_string(v[3]) + " is outside 0..8");
        doc.records.push_back({v[0], v[1], v[2], v[3]});
    }
    PuzzleParseResult r;
    r.document = std::move(doc);
    return r;
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
