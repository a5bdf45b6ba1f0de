#include "settings.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
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

SettingsRead readSettings(const std::string& dir, const Settings& initial)
{
    std::ifstream in(settingsPath(dir), std::ios::binary);
    if (!in) {
        SettingsRead r;
        r.settings = initial;
        return r;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        SettingsRead r;
        r.settings = initial;
        r.fileFound = true;
        r.settingsError = true;
        r.problem = "the file cannot be read";
        return r;
    }
    return parseSettings(text.str(), initial);
}

bool saveSettings(const std::string& dir, const Settings& s, std::string* error)
{
    namespace fs = std::filesystem;
    const fs::path target = settingsPath(dir);
    const fs::path temp = fs::path(target).concat(".tmp");
    auto failed = [&](const std::string& why) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        if (error) *error = why;
        return false;
    };
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return failed("cannot create " + temp.string());
        const std::string text = formatSettings(s);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) return failed("cannot write " + temp.string());
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) return failed("cannot replace " + target.string() + ": " + ec.message());
    return true;
}

} // namespace files
