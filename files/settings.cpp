// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace files {

namespace {

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A whole decimal integer with blanks around it, or false.
bool parseInteger(const std::string& value, long long& out)
{
    const std::string t = trim(value);
    if (t.empty()) return false;
    const char* begin = t.data();
    // A leading '+' is allowed, but not before a '-' ("+-5" is no number).
    if (*begin == '+' && t.size() > 1 && t[1] != '-') ++begin;
    const auto [end, ec] = std::from_chars(begin, t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size();
}

namespace fs = std::filesystem;

// Corvel's sections and the value lines that follow each header.
struct Section {
    const char* header;
    std::size_t values;
};
constexpr Section kSections[] = {{"[Colours]", kColourRoles}, {"[Symbols]", SymbolTable::kSymbols}, {"[Rating]", 1}};

// A save writes "settings.ini.corvel-save-" and eight hex digits beside the
// file first; a file of that name that holds nothing but settings lines and
// has lain there a while is what an interrupted save left.
constexpr const char* kTempMark = ".corvel-save-";
constexpr std::size_t kTempDigits = 8;
constexpr auto kLeftoverAge = std::chrono::minutes(1);

// Corvel's own file is about a hundred bytes; a file far larger is not one,
// and is not read into memory whole.
constexpr std::uintmax_t kMaxSettingsBytes = 1 << 20;

// The file a path names once symbolic links are followed.
bool followLinks(const fs::path& start, fs::path& out, std::string& why)
{
    fs::path p = start;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (fs::symlink_status(p, ec).type() != fs::file_type::symlink) {
            out = p;
            return true;
        }
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) {
            why = "the link " + p.string() + " cannot be followed: " + ec.message();
            return false;
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    why = "the symbolic links from " + start.string() + " go round in a loop";
    return false;
}

// What stands at a settings path, links followed: nothing, Corvel's file with
// its text, or a file to leave alone and why.
struct Found {
    bool exists = false;
    std::string text;
    std::string leaveAlone;
};

Found inspect(const fs::path& file)
{
    Found f;
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (st.type() == fs::file_type::not_found) return f;
    f.exists = true;
    const std::string name = file.string();
    auto leave = [&f](const std::string& why) {
        f.leaveAlone = why;
        return f;
    };
    if (ec) return leave(name + " cannot be examined (" + ec.message() + "), so it was left as it is.");
    if (!fs::is_regular_file(st)) return leave(name + " is not a regular file, so it was left as it is.");
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > kMaxSettingsBytes)
        return leave(name + " is far too large to be Corvel's settings file, so it was left as it is.");
    std::ifstream in(file, std::ios::binary);
    if (!in) return leave(name + " cannot be read, so it was left as it is.");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return leave(name + " cannot be read, so it was left as it is.");
    f.text = text.str();
    if (const std::size_t line = foreignSettingsLine(f.text))
        return leave(name + " is not Corvel's settings file: its line " + std::to_string(line) +
                     " is not part of the sections [Colours], [Symbols] and [Rating], each given once. It was "
                     "left as it is.");
    return f;
}

// Creates the file p, which must not exist yet ("x"), with the text, flushed
// to disk. 0, EEXIST when the name is taken, or another error number.
int writeNewFile(const fs::path& p, const std::string& text)
{
    std::FILE* out = std::fopen(p.c_str(), "wbx");
    if (!out) return errno;
    bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0 &&
              ::fsync(::fileno(out)) == 0;
    ok = std::fclose(out) == 0 && ok;
    if (ok) return 0;
    std::error_code ignored;
    fs::remove(p, ignored);
    return EIO;
}

bool isTempName(const std::string& name, const std::string& prefix)
{
    return name.size() == prefix.size() + kTempDigits && name.starts_with(prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// Removes what interrupted saves of target left beside it: never a link, a
// file another save may still be writing, or one holding anything else.
void removeLeftovers(const fs::path& target)
{
    const std::string prefix = target.filename().string() + kTempMark;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const auto old = fs::file_time_type::clock::now() - kLeftoverAge;
    std::vector<fs::path> leftovers;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (!isTempName(p.filename().string(), prefix)) continue;
        std::error_code bad;
        if (fs::symlink_status(p, bad).type() != fs::file_type::regular || fs::last_write_time(p, bad) > old || bad)
            continue;
        const Found f = inspect(p);
        if (f.leaveAlone.empty()) leftovers.push_back(p);
    }
    for (const fs::path& p : leftovers) fs::remove(p, ec);
}

// Keeps text, the file Corvel could not read, as target.bak beside it, or
// target.N.bak when that name holds something else.
bool keepBackup(const fs::path& target, const std::string& text, std::string& why)
{
    for (int n = 0; n < 100; ++n) {
        fs::path name = target;
        name += n == 0 ? std::string(".bak") : "." + std::to_string(n) + ".bak";
        const int err = writeNewFile(name, text);
        if (err == 0) return true;
        if (err != EEXIST) break;
        const Found there = inspect(name);
        if (there.leaveAlone.empty() && there.text == text) return true; // kept already
    }
    why = "cannot keep a copy of " + target.string() + ", which Corvel could not read, beside it";
    return false;
}

} // namespace

Colours defaultColours()
{
    return {engine::rgb(255, 255, 255), engine::rgb(224, 224, 224), engine::rgb(0, 0, 0), engine::rgb(0, 0, 0),
            engine::rgb(0, 192, 0)};
}

std::string settingsPath(const std::string& dir)
{
    return (std::filesystem::path(dir) / kSettingsFileName).string();
}

SettingsRead parseSettings(const std::string& text, const Settings& initial)
{
    SettingsRead r;
    r.settings = initial;
    r.fileFound = true;
    const std::vector<std::string> lines = splitLines(text);
    std::size_t at = 0;
    auto fail = [&r](const std::string& why) {
        r.settingsError = true;
        r.problem = why;
        return r;
    };
    // The next value line, or false at the end of the text.
    auto nextValue = [&](std::string& value) {
        if (at >= lines.size()) return false;
        value = lines[at++];
        return true;
    };

    while (at < lines.size()) {
        const std::string header = trim(lines[at++]);
        std::string value;
        if (header == "[Colours]") {
            for (int role = 0; role < kColourRoles; ++role) {
                long long c = 0;
                if (!nextValue(value)) return fail("the colours end early");
                if (!parseInteger(value, c)) return fail("colour " + std::to_string(role + 1) + " is not a number");
                if (c < 0 || c > 0xFFFFFF)
                    return fail("colour " + std::to_string(role + 1) + " is outside 0 to 16777215");
                r.settings.colours[static_cast<std::size_t>(role)] = static_cast<engine::Colour>(c);
            }
        } else if (header == "[Symbols]") {
            SymbolTable::Symbols symbols = r.settings.symbols;
            for (int k = 0; k < SymbolTable::kSymbols; ++k) {
                if (!nextValue(value)) return fail("the symbols end early");
                const std::string s = trim(value);
                if (s.empty()) return fail("symbol " + std::to_string(k + 1) + " is empty");
                symbols[static_cast<std::size_t>(k)] = s;
            }
            if (const auto problem = SymbolTable::problemWith(symbols)) return fail(problem->reason);
            r.settings.symbols = symbols;
        } else if (header == "[Rating]") {
            long long rating = 0;
            if (!nextValue(value)) return fail("the rating is missing");
            if (!parseInteger(value, rating) || rating < -32768 || rating > 32767)
                return fail("the rating is not a number from -32768 to 32767");
            r.settings.savedRating = static_cast<int>(rating);
        }
    }
    return r;
}

std::string formatSettings(const Settings& s)
{
    std::string out;
    auto line = [&out](const std::string& l) { out += l + "\r\n"; };
    line("[Colours]");
    for (engine::Colour c : s.colours) line(std::to_string(c));
    line("[Symbols]");
    for (const std::string& sym : s.symbols) line(sym);
    line("[Rating]");
    line(std::to_string(s.savedRating));
    return out;
}

std::size_t foreignSettingsLine(const std::string& text)
{
    const std::vector<std::string> lines = splitLines(text);
    bool seen[std::size(kSections)] = {};
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const std::string t = trim(lines[at]);
        if (t.empty()) continue;
        const auto* section =
            std::find_if(std::begin(kSections), std::end(kSections), [&t](const Section& s) { return t == s.header; });
        if (section == std::end(kSections) || seen[section - kSections]) return at + 1;
        seen[section - kSections] = true;
        at += section->values; // the value lines, whatever they hold
    }
    return 0;
}

SettingsRead readSettings(const std::string& dir, const Settings& initial)
{
    const Found found = inspect(settingsPath(dir));
    if (found.text.empty() || !found.leaveAlone.empty()) {
        SettingsRead r;
        r.settings = initial;
        r.fileFound = !found.leaveAlone.empty();
        r.leftAlone = r.fileFound;
        r.problem = found.leaveAlone;
        return r;
    }
    SettingsRead r = parseSettings(found.text, initial);
    r.asWritten = !r.settingsError && found.text == formatSettings(r.settings);
    return r;
}

bool saveSettings(const std::string& dir, const Settings& s, std::string* error)
{
    fs::path temp;
    auto failed = [&](const std::string& why) {
        std::error_code ignored;
        if (!temp.empty()) fs::remove(temp, ignored);
        if (error) *error = why;
        return false;
    };
    fs::path target;
    std::string why;
    if (!followLinks(settingsPath(dir), target, why)) return failed(why);
    const Found found = inspect(target);
    if (!found.leaveAlone.empty()) return failed(found.leaveAlone);
    std::error_code ec;
    const fs::perms kept = found.exists ? fs::status(target, ec).permissions() : fs::perms::none;
    if (ec) return failed("cannot examine " + target.string() + ": " + ec.message());
    constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (found.exists && (kept & kWrite) == fs::perms::none)
        return failed(target.string() + " is read-only, so it was left as it is.");
    removeLeftovers(target);

    // The new text goes beside the file, into a name nothing else holds, and
    // then takes the file's place.
    const std::string text = formatSettings(s);
    std::random_device random;
    int err = EEXIST;
    for (int n = 0; n < 100 && err == EEXIST; ++n) {
        char digits[kTempDigits + 1];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(random()));
        fs::path candidate = target;
        candidate += std::string(kTempMark) + digits;
        err = writeNewFile(candidate, text);
        if (err == 0) temp = candidate;
    }
    if (temp.empty()) return failed("cannot write a temporary file beside " + target.string());
    if (found.exists) {
        fs::permissions(temp, kept, fs::perm_options::replace, ec);
        if (ec) return failed("cannot give " + temp.string() + " the permissions of " + target.string());
    }
    if (!found.text.empty() && parseSettings(found.text, Settings{}).settingsError &&
        !keepBackup(target, found.text, why))
        return failed(why);
    fs::rename(temp, target, ec);
    if (ec) return failed("cannot replace " + target.string() + ": " + ec.message());
    return true;
}

} // namespace files
