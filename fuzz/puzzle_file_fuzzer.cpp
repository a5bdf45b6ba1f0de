// Any text given to the puzzle file reader: it either reports a line and a
// reason or gives a document that a board can take, and that the writer
// turns into a text reading back to the same document.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "puzzle_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)files::looksLikePuzzleFile(text);
    const files::PuzzleParseResult r = files::parsePuzzle(text);
    if (!r.ok()) {
        FUZZ_REQUIRE(!r.error.reason.empty());
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        FUZZ_REQUIRE(r.error.line >= 0 && r.error.line <= std::max(lines + 1, 10));
        FUZZ_REQUIRE(!r.error.describe().empty());
        return 0;
    }
    const files::PuzzleDocument& doc = *r.document;
    FUZZ_REQUIRE(doc.numGrids == 1 || doc.numGrids == 5);
    FUZZ_REQUIRE(!files::SymbolTable::problemWith(doc.symbols));
    for (const files::PuzzleRecord& rec : doc.records) {
        FUZZ_REQUIRE(rec.grid >= 0 && rec.grid < doc.numGrids);
        FUZZ_REQUIRE(rec.col >= 0 && rec.col <= 8 && rec.row >= 0 && rec.row <= 8);
        FUZZ_REQUIRE(rec.val >= 0 && rec.val <= 8);
    }
    // Every number the reader took is written as a plain decimal.
    std::string_view body = text;
    if (body.size() >= 3 && body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
    const auto lines = fuzzcheck::lines(body);
    FUZZ_REQUIRE(lines.size() >= 10 && fuzzcheck::isDecimal(lines[9]));
    for (std::size_t i = 10; i < lines.size(); ++i) {
        if (fuzzcheck::isBlank(lines[i])) continue;
        std::string_view rest = lines[i];
        for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest.remove_prefix(comma + 1))
            FUZZ_REQUIRE(fuzzcheck::isDecimal(rest.substr(0, comma)));
        FUZZ_REQUIRE(fuzzcheck::isDecimal(rest));
    }

    const std::string written = files::formatPuzzle(doc);
    FUZZ_REQUIRE(files::looksLikePuzzleFile(written));
    const files::PuzzleParseResult back = files::parsePuzzle(written);
    FUZZ_REQUIRE(back.ok());
    FUZZ_REQUIRE(back.document->symbols == doc.symbols);
    FUZZ_REQUIRE(back.document->numGrids == doc.numGrids);
    FUZZ_REQUIRE(back.document->records == doc.records);
    return 0;
}
