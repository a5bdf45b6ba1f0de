// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "cell_control.h"
#include "symbol_table.h"

namespace files {

// The five colour roles, in the order the settings file lists them.
enum ColourRole { kWorkingCell = 0, kKnownCell = 1, kTextColour = 2, kGridLines = 3, kHints = 4 };
constexpr int kColourRoles = 5;
using Colours = std::array<engine::Colour, kColourRoles>;

Colours defaultColours();

// What the settings file holds.
struct Settings {
    Colours colours = defaultColours();
    SymbolTable::Symbols symbols = SymbolTable::defaults();
    int savedRating = 0;
    bool operator==(const Settings&) const = default;
};

// The outcome of reading a settings file. Values read before an error stay
// in `settings`; sections the file lacks keep the values passed in.
struct SettingsRead {
    Settings settings;
    bool settingsError = false;
    // False also for an empty file, which is what a crash can leave.
    bool fileFound = false;
    // The file is there but is not Corvel's to read or replace: it holds a
    // line outside Corvel's three sections, is no regular file, or cannot be
    // read. Nothing was taken from it, and saveSettings will not write over it.
    bool leftAlone = false;
    // The file holds exactly what saveSettings writes for `settings`, so
    // there is nothing to write back.
    bool asWritten = false;
    std::string problem; // why the file was rejected or left alone; empty when fine
};

inline constexpr const char* kSettingsFileName = "settings.ini";

// The settings file inside dir, joined with the platform's separator.
std::string settingsPath(const std::string& dir);

// Reads the settings text: the "[Colours]", "[Symbols]" and "[Rating]"
// sections wherever they stand; other lines are skipped. A colour below 0 or
// beyond 24 bits, a value that is not a number, an empty symbol, a missing
// value, or symbols a board cannot use (files::SymbolTable::problemWith) set
// settingsError.
SettingsRead parseSettings(const std::string& text, const Settings& initial);

// The whole file text, CRLF line ends.
std::string formatSettings(const Settings& s);

// 0 when every non-blank line of the text belongs to Corvel's sections:
// a "[Colours]", "[Symbols]" or "[Rating]" header, each at most once, and the
// value lines that follow it (five, nine and one, whatever they hold).
// Otherwise the number of the first line that does not, counted from 1: the
// file belongs to someone else.
std::size_t foreignSettingsLine(const std::string& text);

// Reads dir's settings file. A missing file is no error: the values passed
// in stay, and fileFound is false. A file that is not Corvel's is left alone
// (see SettingsRead::leftAlone).
SettingsRead readSettings(const std::string& dir, const Settings& initial);

// Writes dir's settings file whole, through a temporary file beside it that
// is flushed to disk and then replaces it; or leaves the old one in place and
// returns false with a reason. A file that is not Corvel's settings file, or
// that nobody may write, is never replaced. One that Corvel cannot read (a bad
// value) is first kept beside it as settings.ini.bak (or settings.ini.N.bak
// when that name holds something else). Temporary files that an interrupted
// save left behind are removed. A symbolic link is written through: the file
// it points to is replaced, keeping its permissions, and the link stays.
bool saveSettings(const std::string& dir, const Settings& s, std::string* error = nullptr);

} // namespace files
