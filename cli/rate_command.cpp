// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <charconv>
#include <functional>
#include <memory>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

#include "commands.h"
#include "exact_counter.h"
#include "puzzle_input.h"
#include "rater.h"

namespace cli {

using files::Puzzle;
using files::PuzzleInput;

namespace {

constexpr int kMaxJobs = 64;
// Puzzles rated together before their lines are written: the input is read
// a batch at a time, so memory stays bounded whatever its size.
constexpr std::size_t kBatch = 256;

// The puzzle's givens as a candidate grid; false when two givens clash.
bool loadPuzzle(const Puzzle& p, logic::CandidateGrid& g)
{
    for (const files::PuzzleRecord& r : p.doc.records) {
        const int c = g.geo().cell(r.grid, r.col, r.row);
        if (g.value(c) == r.val) continue;
        if (!g.place(c, r.val)) return false;
    }
    return true;
}

// The number of solutions, 0, 1 or 2 (two or more).
int solutions(const Puzzle& p, engine::ExactCounter& counter)
{
    counter.clear(p.doc.numGrids == 5 ? 5 : 1);
    for (const files::PuzzleRecord& r : p.doc.records) counter.setGiven(r.grid, r.col, r.row, r.val);
    return counter.count();
}

// The first character of every symbol, as the sentences write values.
std::string symbolChars(const files::PuzzleDocument& doc)
{
    std::string s;
    for (const std::string& sym : doc.symbols) s += sym.empty() ? '?' : sym[0];
    return s;
}

struct Rated {
    bool ok = false;
    logic::Rating rating;
};

// Rates one puzzle with exactly one solution. Every step keeps every solution,
// so a puzzle with more than one is never finished by any path: it gets no
// rating, at once.
Rated ratePuzzle(const Puzzle& p, engine::ExactCounter& counter, logic::Rater& rater)
{
    Rated out;
    logic::CandidateGrid g(logic::Geometry::forGrids(p.doc.numGrids == 5 ? 5 : 1));
    const int n = loadPuzzle(p, g) ? solutions(p, counter) : 0;
    if (n != 1) return out;
    out.rating = rater.rate(g);
    out.ok = out.rating.solved;
    return out;
}

std::string formatRating(int tenths)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

struct RateOptions {
    std::string file;
    std::optional<int> jobs;
    bool option = false;
};

bool parseArgs(const std::string& cmd, const std::vector<std::string>& args, bool allowJobs, RateOptions& o,
               std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (allowJobs && (a == "--jobs" || a.rfind("--jobs=", 0) == 0)) {
            std::string value;
            if (a == "--jobs") {
                if (i + 1 >= args.size()) {
                    err << "corvel-cli " << cmd << ": --jobs needs a value\n";
                    return false;
                }
                value = args[++i];
            } else {
                value = a.substr(7);
            }
            int v = 0;
            const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
            if (o.jobs || ec != std::errc() || ptr != value.data() + value.size() || v < 1 || v > kMaxJobs) {
                err << "corvel-cli " << cmd << ": invalid --jobs '" << value << "' (a whole number from 1 to 64, once)\n";
                return false;
            }
            o.jobs = v;
        } else if (a.size() > 1 && a[0] == '-') {
            err << "corvel-cli " << cmd << ": unknown option '" << a << "' (try corvel-cli --help)\n";
            return false;
        } else if (!o.file.empty()) {
            err << "corvel-cli " << cmd << ": more than one FILE given\n";
            return false;
        } else {
            o.file = a;
        }
    }
    if (o.file.empty()) {
        err << "corvel-cli " << cmd << ": no FILE given (use - for standard input)\n";
        return false;
    }
    return true;
}

// Reads the input, handing each puzzle over as it comes; false, with the
// message, on a fault (after the puzzles before it were handed over).
bool readInput(const std::string& cmd, const std::string& file, std::istream& in, PuzzleInput& input,
               const std::function<void(const Puzzle&)>& onPuzzle, std::ostream& err)
{
    std::string error;
    if (files::readPuzzleInput(file, in, input, [&](const Puzzle& p, bool) { onPuzzle(p); }, error)) return true;
    err << "corvel-cli " << cmd << ": " << error << "\n";
    return false;
}

// "grid,col,row,value-index" records, space-separated, or "-".
template <class List> std::string records(const logic::Geometry& geo, const List& list, int n)
{
    if (n == 0) return "-";
    std::string s;
    for (int i = 0; i < n; ++i) {
        const logic::CellPlace& at = geo.place[list[i].cell];
        s += (i ? " " : "") + std::to_string(at.grid) + "," + std::to_string(at.col) + "," + std::to_string(at.row) +
             "," + std::to_string(list[i].value);
    }
    return s;
}

} // namespace

int runRate(const std::vector<std::string>& args, CommandIo io)
{
    RateOptions o;
    if (!parseArgs("rate", args, true, o, io.err)) return kExitBadInput;
    const int jobs = o.jobs.value_or(1);
    // Each thread keeps its own counter and rater for the whole input;
    // puzzle i of a batch goes to thread i % jobs.
    struct Worker {
        engine::ExactCounter counter;
        logic::Rater rater{logic::RaterOptions{true}};
    };
    std::vector<std::unique_ptr<Worker>> workers;
    for (int j = 0; j < jobs; ++j) workers.push_back(std::make_unique<Worker>());
    std::vector<Puzzle> batch;
    std::vector<Rated> results;
    int status = kExitOk;
    const auto flush = [&] {
        results.assign(batch.size(), Rated{});
        const int used = std::min<int>(jobs, static_cast<int>(batch.size()));
        auto work = [&](int j) {
            Worker& w = *workers[static_cast<std::size_t>(j)];
            for (std::size_t i = static_cast<std::size_t>(j); i < batch.size(); i += static_cast<std::size_t>(used))
                results[i] = ratePuzzle(batch[i], w.counter, w.rater);
        };
        if (used <= 1) {
            if (used == 1) work(0);
        } else {
            std::vector<std::thread> threads;
            for (int j = 0; j < used; ++j) threads.emplace_back(work, j);
            for (std::thread& t : threads) t.join();
        }
        for (const Rated& r : results) {
            if (!r.ok) {
                io.out << "-\n";
                status = kExitNoSolution;
                continue;
            }
            // A board already complete needs no technique.
            io.out << formatRating(r.rating.rating) << " " << logic::bandName(logic::bandOf(r.rating.rating)) << " "
                   << (r.rating.steps > 0 ? logic::techniqueName(r.rating.hardest) : "-") << "\n";
        }
        batch.clear();
    };
    PuzzleInput input;
    const bool read = readInput("rate", o.file, io.in, input, [&](const Puzzle& p) {
        batch.push_back(p);
        if (batch.size() >= kBatch) flush();
    }, io.err);
    flush();
    return read ? status : kExitBadInput;
}

int runExplain(const std::vector<std::string>& args, CommandIo io)
{
    RateOptions o;
    if (!parseArgs("explain", args, false, o, io.err)) return kExitBadInput;
    PuzzleInput input;
    std::optional<Puzzle> first;
    std::size_t count = 0;
    if (!readInput("explain", o.file, io.in, input, [&](const Puzzle& q) {
            if (count++ == 0) first = q;
        }, io.err))
        return kExitBadInput;
    if (count != 1) {
        io.err << "corvel-cli explain: " << input.name << " holds " << count << " puzzles; explain takes one\n";
        return kExitBadInput;
    }
    const Puzzle& p = *first;
    const logic::Geometry& geo = logic::Geometry::forGrids(p.doc.numGrids == 5 ? 5 : 1);
    logic::CandidateGrid g(geo);
    engine::ExactCounter counter;
    const int n = loadPuzzle(p, g) ? solutions(p, counter) : 0;
    if (n == 0) {
        io.err << "corvel-cli explain: " << input.name << ": the puzzle has no solution\n";
        return kExitNoSolution;
    }
    const std::string symbols = symbolChars(p.doc);
    // With more than one solution the path goes as far as logic does, without
    // trials (which could not finish it), and says why it stops there.
    logic::Rater rater(logic::RaterOptions{n == 1, n == 1});
    std::ostringstream text;
    const logic::Rating r = rater.rate(g, [&](const logic::CandidateGrid&, const logic::Step& s) {
        text << formatRating(s.rating) << "\t" << logic::techniqueName(s.technique) << "\t"
             << records(geo, s.placements, s.numPlacements) << "\t" << records(geo, s.eliminations, s.numEliminations)
             << "\t" << logic::describeStep(geo, s, symbols) << "\n";
    });
    io.out << text.str();
    if (n > 1) io.err << "corvel-cli explain: " << input.name << ": the puzzle has more than one solution\n";
    return r.solved ? kExitOk : kExitNoSolution;
}

} // namespace cli
