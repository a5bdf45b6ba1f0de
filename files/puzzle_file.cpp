#include "puzzle_file.h"

#include <array>
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

// One field of the file and the line it is on (1-based).
struct Field {
    std::string_view text;
    int line = 0;
};

// Hands out the fields of a file in order. Fields are separated by commas and
// by line ends, so one record may span lines and one line may hold several
// records. An empty field between two commas is a field like any other; a
// blank line is one empty field where blankLineIsField is set (the header,
// where every line counts) and is skipped otherwise (between records).
class FieldReader {
public:
    explicit FieldReader(const std::vector<std::string_view>& lines) : lines_(lines) {}

    std::optional<Field> next(bool blankLineIsField)
    {
        while (!inLine_) {
            if (nextLine_ >= lines_.size()) return std::nullopt;
            rest_ = lines_[nextLine_++];
            if (!blankLineIsField && trimBlanks(rest_).empty()) continue;
            inLine_ = true;
        }
        const std::size_t comma = rest_.find(',');
        const Field f{trimBlanks(rest_.substr(0, comma)), static_cast<int>(nextLine_)};
        if (comma == std::string_view::npos)
            inLine_ = false;
        else
            rest_.remove_prefix(comma + 1);
        return f;
    }

private:
    const std::vector<std::string_view>& lines_;
    std::size_t nextLine_ = 0;
    std::string_view rest_;
    bool inLine_ = false;
};

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

    const int afterLastLine = static_cast<int>(lines.size()) + 1;
    FieldReader fields(lines);
    PuzzleDocument doc;
    std::array<int, SymbolTable::kSymbols> symbolLines{};
    for (std::size_t k = 0; k < doc.symbols.size(); ++k) {
        const std::optional<Field> f = fields.next(true);
        if (!f) return fail(afterLastLine, "the file ends inside the symbol list (nine symbols are needed)");
        std::string_view symbol = f->text;
        if (symbol.size() >= 2 && symbol.front() == '"' && symbol.back() == '"')
            symbol = symbol.substr(1, symbol.size() - 2);
        doc.symbols[k] = std::string(symbol);
        symbolLines[k] = f->line;
    }
    if (auto problem = SymbolTable::problemWith(doc.symbols))
        return fail(symbolLines[static_cast<std::size_t>(problem->index)], problem->reason);

    // 5 is the Samurai board; any other count is the standard board.
    const std::optional<Field> count = fields.next(true);
    if (!count) return fail(afterLastLine, "the file ends before the number of grids");
    const auto numGrids = parseInt(count->text);
    if (!numGrids) return fail(count->line, "the number of grids is not a number");
    doc.numGrids = *numGrids == 5 ? 5 : 1;

    static const char* const names[4] = {"grid", "column", "row", "value"};
    while (const std::optional<Field> first = fields.next(false)) {
        Field f[4] = {*first};
        for (int k = 1; k < 4; ++k) {
            const std::optional<Field> more = fields.next(false);
            if (!more) return fail(first->line, "the file ends inside a record (grid, column, row and value are needed)");
            f[k] = *more;
        }
        int v[4];
        for (int k = 0; k < 4; ++k) {
            const auto x = parseInt(f[k].text);
            if (!x) return fail(f[k].line, std::string("the ") + names[k] + " is not a number");
            v[k] = *x;
        }
        if (v[0] < 0 || v[0] >= doc.numGrids)
            return fail(f[0].line, "grid " + std::to_string(v[0]) + " is not on " +
                                       (doc.numGrids == 5 ? "the Samurai board (grids 0 to 4)"
                                                          : "the standard board (grid 0 only)"));
        if (v[1] < 0 || v[1] > 8) return fail(f[1].line, "column " + std::to_string(v[1]) + " is outside 0..8");
        if (v[2] < 0 || v[2] > 8) return fail(f[2].line, "row " + std::to_string(v[2]) + " is outside 0..8");
        if (v[3] < 0 || v[3] > 8) return fail(f[3].line, "value index " + std::to_string(v[3]) + " is outside 0..8");
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
