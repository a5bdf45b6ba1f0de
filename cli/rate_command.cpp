#include <charconv>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

#include "commands.h"
#include "exact_counter.h"
#include "puzzle_input.h"
#include "rater.h"

namespace cli {

namespace {

using files::Puzzle;

// The puzzles of one input, all read before any is rated.
struct PuzzleInput {
    files::PuzzleInput read;
    std::vector<Puzzle> puzzles;
    const std::string& name = read.name;
};

constexpr int kMaxJobs = 64;

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

// Rates one puzzle: uniqueness steps only when it has exactly one solution.
Rated ratePuzzle(const Puzzle& p, engine::ExactCounter& counter, logic::Rater& unique, logic::Rater& general)
{
    Rated out;
    logic::CandidateGrid g(logic::Geometry::forGrids(p.doc.numGrids == 5 ? 5 : 1));
    const int n = loadPuzzle(p, g) ? solutions(p, counter) : 0;
    if (n == 0) return out;
    out.rating = (n == 1 ? unique : general).rate(g);
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

bool readInput(const std::string& cmd, const std::string& file, std::istream& in, PuzzleInput& input, std::ostream& err)
{
    std::string error;
    const auto keep = [&input](const Puzzle& p, bool) { input.puzzles.push_back(p); };
    if (files::readPuzzleInput(file, in, input.read, keep, error)) return true;
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
    PuzzleInput input;
    if (!readInput("rate", o.file, io.in, input, io.err)) return kExitBadInput;
    std::vector<Rated> results(input.puzzles.size());
    const int jobs = std::min<int>(o.jobs.value_or(1), static_cast<int>(std::max<std::size_t>(1, results.size())));
    // Puzzle i goes to thread i % jobs; each thread has its own raters.
    auto worker = [&](int j) {
        engine::ExactCounter counter;
        logic::Rater unique(logic::RaterOptions{true}), general(logic::RaterOptions{false});
        for (std::size_t i = static_cast<std::size_t>(j); i < results.size(); i += static_cast<std::size_t>(jobs))
            results[i] = ratePuzzle(input.puzzles[i], counter, unique, general);
    };
    if (jobs == 1) {
        worker(0);
    } else {
        std::vector<std::thread> threads;
        for (int j = 0; j < jobs; ++j) threads.emplace_back(worker, j);
        for (std::thread& t : threads) t.join();
    }
    int status = kExitOk;
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
    return status;
}

int runExplain(const std::vector<std::string>& args, CommandIo io)
{
    RateOptions o;
    if (!parseArgs("explain", args, false, o, io.err)) return kExitBadInput;
    PuzzleInput input;
    if (!readInput("explain", o.file, io.in, input, io.err)) return kExitBadInput;
    if (input.puzzles.size() != 1) {
        io.err << "corvel-cli explain: " << input.name << " holds " << input.puzzles.size()
               << " puzzles; explain takes one\n";
        return kExitBadInput;
    }
    const Puzzle& p = input.puzzles.front();
    const logic::Geometry& geo = logic::Geometry::forGrids(p.doc.numGrids == 5 ? 5 : 1);
    logic::CandidateGrid g(geo);
    engine::ExactCounter counter;
    const int n = loadPuzzle(p, g) ? solutions(p, counter) : 0;
    if (n == 0) {
        io.err << "corvel-cli explain: " << input.name << ": the puzzle has no solution\n";
        return kExitNoSolution;
    }
    const std::string symbols = symbolChars(p.doc);
    logic::Rater rater(logic::RaterOptions{n == 1});
    std::ostringstream text;
    const logic::Rating r = rater.rate(g, [&](const logic::CandidateGrid&, const logic::Step& s) {
        text << formatRating(s.rating) << "\t" << logic::techniqueName(s.technique) << "\t"
             << records(geo, s.placements, s.numPlacements) << "\t" << records(geo, s.eliminations, s.numEliminations)
             << "\t" << logic::describeStep(geo, s, symbols) << "\n";
    });
    io.out << text.str();
    return r.solved ? kExitOk : kExitNoSolution;
}

} // namespace cli
