// SPDX-License-Identifier: GPL-3.0-or-later
// Any text given to the settings reader: it either flags an error with a
// reason or gives colours, symbols and a rating the window can use, which the
// writer turns into a text reading back to the same settings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const files::Settings initial;
    const files::SettingsRead r = files::parseSettings(text, initial);
    FUZZ_REQUIRE(r.fileFound);
    // Whatever happened, the values in hand stay usable.
    for (engine::Colour c : r.settings.colours) FUZZ_REQUIRE(c <= 0xFFFFFFu);
    FUZZ_REQUIRE(r.settings.savedRating >= -32768 && r.settings.savedRating <= 32767);
    FUZZ_REQUIRE(!files::SymbolTable::problemWith(r.settings.symbols));
    if (r.settingsError) {
        FUZZ_REQUIRE(!r.problem.empty());
        return 0;
    }
    FUZZ_REQUIRE(r.problem.empty());
    // Every number the reader took is written as a plain decimal: walk the
    // sections the way the file lays them out.
    const auto lines = fuzzcheck::lines(text);
    for (std::size_t at = 0; at < lines.size();) {
        std::string_view header = lines[at++];
        while (!header.empty() && (header.front() == ' ' || header.front() == '\t')) header.remove_prefix(1);
        while (!header.empty() && (header.back() == ' ' || header.back() == '\t')) header.remove_suffix(1);
        const std::size_t numbers = header == "[Colours]" ? 5 : header == "[Rating]" ? 1 : 0;
        for (std::size_t k = 0; k < numbers && at < lines.size(); ++k) FUZZ_REQUIRE(fuzzcheck::isDecimal(lines[at++]));
        if (header == "[Symbols]") at += 9;
    }
    // What Corvel writes, it takes for its own.
    FUZZ_REQUIRE(files::foreignSettingsLine(files::formatSettings(r.settings)) == 0);
    const files::SettingsRead back = files::parseSettings(files::formatSettings(r.settings), files::Settings{});
    FUZZ_REQUIRE(!back.settingsError);
    FUZZ_REQUIRE(back.settings == r.settings);
    return 0;
}
