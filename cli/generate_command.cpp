// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <charconv>
#include <iostream>
#include <optional>
#include <random>

#include "batch_generation.h"
#include "commands.h"
#include "puzzle_input.h"

namespace cli {

namespace {

constexpr int kMaxCount = 100000;
constexpr int kMaxJobs = 64;

struct GenerateOptions {
    std::optional<int> puzzleType;
    std::optional<int> rating;
    std::optional<std::uint64_t> seed;
    std::optional<int> count;
    std::optional<int> jobs;
    std::optional<bool> lines;
    std::optional<generator::RatingTarget> target;
};

bool parseUnsigned(const std::string& text, std::uint64_t& out)
{
    if (text.empty() || text[0] == '+' || text[0] == '-') return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool parseRange(const std::string& text, int lo, int hi, int& out)
{
    std::uint64_t v = 0;
    if (!parseUnsigned(text, v) || v < static_cast<std::uint64_t>(lo) || v > static_cast<std::uint64_t>(hi))
        return false;
    out = static_cast<int>(v);
    return true;
}

// Reads the options; on a fault returns false with the reason.
bool parseOptions(const std::vector<std::string>& args, GenerateOptions& o, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool haveValue = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            haveValue = true;
        }
        const bool known = name == "--board" || name == "--level" || name == "--seed" || name == "--count" ||
                           name == "--jobs" || name == "--format" || name == "--rating";
        if (!known) {
            error = "unknown argument '" + args[i] + "'";
            return false;
        }
        if (!haveValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        auto bad = [&](const char* what) {
            error = "invalid " + name + " '" + value + "' (" + what + ")";
            return false;
        };
        auto repeated = [&] {
            error = name + " given twice";
            return false;
        };
        if (name == "--board") {
            if (o.puzzleType) return repeated();
            if (value == "standard")
                o.puzzleType = 1;
            else if (value == "samurai")
                o.puzzleType = 2;
            else
                return bad("standard or samurai");
        } else if (name == "--level") {
            if (o.rating) return repeated();
            if (value == "easy")
                o.rating = 1;
            else if (value == "testing")
                o.rating = 2;
            else if (value == "very-difficult")
                o.rating = 3;
            else
                return bad("easy, testing or very-difficult");
        } else if (name == "--seed") {
            if (o.seed) return repeated();
            std::uint64_t v = 0;
            if (!parseUnsigned(value, v)) return bad("a whole number from 0 to 18446744073709551615");
            o.seed = v;
        } else if (name == "--count") {
            if (o.count) return repeated();
            int v = 0;
            if (!parseRange(value, 1, kMaxCount, v)) return bad("a whole number from 1 to 100000");
            o.count = v;
        } else if (name == "--jobs") {
            if (o.jobs) return repeated();
            int v = 0;
            if (!parseRange(value, 1, kMaxJobs, v)) return bad("a whole number from 1 to 64");
            o.jobs = v;
        } else if (name == "--rating") {
            if (o.target) return repeated();
            o.target = generator::parseRatingTarget(value);
            if (!o.target) return bad("a band: easy, medium, hard, fiendish or diabolical, or a range LO-HI such as 4.0-6.0");
        } else {
            if (o.lines) return repeated();
            if (value == "sdk")
                o.lines = false;
            else if (value == "line")
                o.lines = true;
            else
                return bad("sdk or line");
        }
    }
    return true;
}

// Puts a generated puzzle on a board so that the puzzle writers can read it.
void showOnBoard(const generator::GeneratedPuzzle& p, engine::PlainBoard& board, const files::SymbolTable& symbols)
{
    board.clear();
    board.numGrids = p.numGrids;
    for (int g = 0; g < p.numGrids; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = p.value(g, c, r);
                if (v >= 0) board.cell(g, c, r).setText(symbols.indexToSymbol(v));
            }
}

} // namespace

int runGenerate(const std::vector<std::string>& args, CommandIo io)
{
    GenerateOptions o;
    std::string error;
    if (!parseOptions(args, o, error)) {
        io.err << "corvel-cli generate: " << error << "\n" << kGenerateUsage;
        return kExitBadInput;
    }

    generator::BatchRequest request;
    request.puzzleType = o.puzzleType.value_or(1); // standard
    // Easy, unless a rating asks for a level chosen to suit it (0).
    request.rating = o.rating.value_or(o.target ? 0 : 1);
    request.target = o.target;
    request.count = o.count.value_or(1);
    request.jobs = o.jobs.value_or(1);
    if (o.seed) {
        request.seed = *o.seed;
    } else {
        std::random_device device;
        request.seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }

    // A progress line only for a person watching a terminal.
    const bool showProgress = request.count > 1 && &io.err == &std::cerr && isatty(STDERR_FILENO) == 1;
    generator::ProgressFn progress;
    if (showProgress)
        progress = [&io](int done, int total) {
            io.err << "\rgenerated " << done << " of " << total << (done == total ? "\n" : "") << std::flush;
        };

    const std::vector<generator::GeneratedPuzzle> puzzles = generator::generateBatch(request, progress);

    const files::SymbolTable symbols;
    engine::PlainBoard board;
    int failed = 0;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const generator::GeneratedPuzzle& p = puzzles[i];
        if (p.outOfReach) {
            ++failed;
            io.err << "corvel-cli generate: puzzle " << (i + 1) << ": no puzzle rated "
                   << generator::describeTarget(*request.target) << " found in " << p.attempts << " attempts\n";
            continue;
        }
        if (!p.confirmed) {
            ++failed;
            io.err << "corvel-cli generate: puzzle " << (i + 1) << " failed the final check " << p.tries
                   << " times; left out\n";
            continue;
        }
        showOnBoard(p, board, symbols);
        if (o.lines.value_or(false))
            io.out << files::boardAsLine(board, symbols) << "\n";
        else
            io.out << files::formatPuzzle(files::boardAsDocument(board, symbols));
    }
    io.out.flush();
    return failed ? kExitNoSolution : kExitOk;
}

} // namespace cli
