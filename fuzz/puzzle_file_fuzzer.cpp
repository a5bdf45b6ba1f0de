// SPDX-License-Identifier: GPL-3.0-or-later
// Any text given to the puzzle file reader, whole and in two pieces with the
// same verdict: it either reports a line and a reason or gives a document
// that a board can take, with at most one record for every four numbers after
// the header, one value for every board position, and that the writer turns
// into a text reading back to the same document. A text it takes is taken
// for a puzzle file by corvel-cli too, and by Paste.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "puzzle_file.h"
#include "puzzle_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const files::PuzzleParseResult r = files::parsePuzzle(text);
    const std::size_t cut = size > 0 ? data[0] % size : 0;
    files::PuzzleFileReader pieces;
    pieces.feed(text.substr(0, cut));
    pieces.feed(text.substr(cut));
    const files::PuzzleParseResult split = pieces.finish();
    FUZZ_REQUIRE(split.ok() == r.ok() && split.error.line == r.error.line && split.error.reason == r.error.reason);
    FUZZ_REQUIRE(!r.ok() || split.document->records == r.document->records);
    // corvel-cli decides on the first bytes, as the whole would.
    if (const auto early = files::looksLikePuzzleFile(text.substr(0, cut), false))
        FUZZ_REQUIRE(*early == files::looksLikePuzzleFile(text, true));
    // Pasted, a puzzle file gets the reader's verdict, and any other text a
    // board's givens or a reason.
    const files::PuzzleText pasted = files::parsePuzzleText(text);
    if (pasted.format == files::InputFormat::PuzzleFile)
        FUZZ_REQUIRE(pasted.result.ok() == r.ok() && pasted.result.error.reason == r.error.reason);
    else if (pasted.result.ok())
        FUZZ_REQUIRE((pasted.result.document->numGrids == 1 || pasted.result.document->numGrids == 5) &&
                     pasted.result.document->records.size() <= 405);
    else
        FUZZ_REQUIRE(!pasted.result.error.reason.empty());
    if (!r.ok()) {
        FUZZ_REQUIRE(!r.error.reason.empty());
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        FUZZ_REQUIRE(r.error.line >= 0 && r.error.line <= std::max(lines + 1, 10));
        FUZZ_REQUIRE(!r.error.describe().empty());
        return 0;
    }
    const files::PuzzleDocument& doc = *r.document;
    FUZZ_REQUIRE(files::looksLikePuzzleFile(text, true) == true);
    FUZZ_REQUIRE(doc.numGrids == 1 || doc.numGrids == 5);
    FUZZ_REQUIRE(!files::SymbolTable::problemWith(doc.symbols));
    std::array<int, engine::kBoardSide * engine::kBoardSide> valueAt;
    valueAt.fill(-1);
    for (const files::PuzzleRecord& rec : doc.records) {
        FUZZ_REQUIRE(rec.grid >= 0 && rec.grid < doc.numGrids);
        FUZZ_REQUIRE(rec.col >= 0 && rec.col <= 8 && rec.row >= 0 && rec.row <= 8);
        FUZZ_REQUIRE(rec.val >= 0 && rec.val <= 8);
        int& v = valueAt[static_cast<std::size_t>(engine::boardRow(rec.grid, rec.row) * engine::kBoardSide +
                                                  engine::boardCol(rec.grid, rec.col))];
        FUZZ_REQUIRE(v < 0 || v == rec.val);
        v = rec.val;
    }
    // The text is nine symbols, the count and four decimal numbers per record,
    // split at commas and line ends; blank lines between records do not count.
    std::string_view body = text;
    if (body.size() >= 3 && body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
    std::vector<std::string_view> fields;
    for (std::string_view line : fuzzcheck::lines(body)) {
        if (fields.size() >= 10 && fuzzcheck::isBlank(line)) continue;
        std::size_t comma;
        for (; (comma = line.find(',')) != std::string_view::npos; line.remove_prefix(comma + 1))
            fields.push_back(line.substr(0, comma));
        fields.push_back(line);
    }
    FUZZ_REQUIRE(fields.size() >= 10 + 4 * doc.records.size() && (fields.size() - 10) % 4 == 0);
    for (std::size_t i = 9; i < fields.size(); ++i) FUZZ_REQUIRE(fuzzcheck::isDecimal(fields[i]));
    FUZZ_REQUIRE((doc.numGrids == 5) == (std::stoll(std::string(fields[9])) == 5));

    const std::string written = files::formatPuzzle(doc);
    FUZZ_REQUIRE(files::looksLikePuzzleFile(written, true) == true);
    const files::PuzzleParseResult back = files::parsePuzzle(written);
    FUZZ_REQUIRE(back.ok());
    FUZZ_REQUIRE(back.document->symbols == doc.symbols);
    FUZZ_REQUIRE(back.document->numGrids == doc.numGrids);
    FUZZ_REQUIRE(back.document->records == doc.records);
    return 0;
}
