#include "settings.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
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

namespace fs = std::filesystem;

const char* const kHeaders[] = {"[Colours]", "[Symbols]", "[Rating]"};

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
    if (!isSettingsText(f.text))
        return leave(name +
                     " holds none of the sections [Colours], [Symbols] and [Rating]: it is not Corvel's settings "
                     "file, so it was left as it is.");
    return f;
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

bool isSettingsText(const std::string& text)
{
    for (const std::string& line : splitLines(text)) {
        const std::string t = trim(line);
        for (const char* header : kHeaders)
            if (t == header) return true;
    }
    return false;
}

SettingsRead readSettings(const std::string& dir, const Settings& initial)
{
    const Found found = inspect(settingsPath(dir));
    if (!found.exists || !found.leaveAlone.empty()) {
        SettingsRead r;
        r.settings = initial;
        r.fileFound = found.exists;
        r.leftAlone = !found.leaveAlone.empty();
        r.problem = found.leaveAlone;
        return r;
    }
    return parseSettings(found.text, initial);
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

    // The new text goes beside the file, into a name nothing else holds
    // ("x" opens only a file it creates), and then takes the file's place.
    std::FILE* out = nullptr;
    for (int n = 0; n < 100 && !out; ++n) {
        fs::path candidate = target;
        candidate += n == 0 ? std::string(".tmp") : "." + std::to_string(n) + ".tmp";
        out = std::fopen(candidate.c_str(), "wbx");
        if (out) temp = candidate;
        else if (errno != EEXIST) break;
    }
    if (!out) return failed("cannot create a temporary file beside " + target.string());
    const std::string text = formatSettings(s);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) return failed("cannot write " + temp.string());
    std::error_code ec;
    if (found.exists) {
        const fs::perms kept = fs::status(target, ec).permissions();
        if (!ec) fs::permissions(temp, kept, fs::perm_options::replace, ec);
        if (ec) return failed("cannot give " + temp.string() + " the permissions of " + target.string());
    }
    fs::rename(temp, target, ec);
    if (ec) return failed("cannot replace " + target.string() + ": " + ec.message());
    return true;
}

} // namespace files
