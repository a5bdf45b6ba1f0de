// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "commands.h"
#include "plain_board.h"
#include "puzzle_file.h"
#include "rater.h"
#include "solution_counter.h"

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun generate(std::vector<std::string> args)
{
    args.insert(args.begin(), "generate");
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::runCli(args, {in, out, err});
    return {status, out.str(), err.str()};
}

} // namespace

TEST(GenerateCommand, BadArgumentsExitTwoWithUsage)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--board", "huge", "--level", "easy"},
        {"--board", "standard", "--level", "hard"},
        {"--board", "standard", "--level", "easy", "--count", "0"},
        {"--board", "standard", "--level", "easy", "--count", "100001"},
        {"--board", "standard", "--level", "easy", "--jobs", "2x"},
        {"--board", "standard", "--level", "easy", "--seed", "18446744073709551616"},
        {"--board", "standard", "--level", "easy", "--format", "pdf"},
        {"--board", "standard", "--level", "easy", "--seed"},
        {"--board", "standard", "--board", "samurai", "--level", "easy"},
        {"--board", "standard", "--level", "easy", "extra"},
        {"--board", "standard", "--rating", "extreme"},
        {"--board", "standard", "--rating", "6.0-4.0"},
        {"--board", "standard", "--rating", "4.00-5"},
        {"--board", "standard", "--rating", "4-"},
        {"--board", "standard", "--rating", "hard", "--rating", "easy"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun r = generate(args);
        EXPECT_EQ(r.status, cli::kExitBadInput);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("Usage: corvel-cli generate"), std::string::npos);
    }
}

TEST(GenerateCommand, LinesAreUniqueAndReproducible)
{
    // The same seed gives the same puzzles whatever the number of jobs, and
    // the first puzzle of a seed is the generator's puzzle of that seed.
    const std::string seed68 = "53892.........85794.9.1..3.65.3..781..3..1..2.2..64.....57861....2..3.4..16...857\n";
    const struct {
        std::vector<std::string> args;
        std::size_t lines, size;
        std::string out;
    } runs[] = {
        {{"--board", "standard", "--level", "testing", "--seed", "42", "--count", "4", "--format", "line"}, 4, 81, ""},
        {{"--seed=42", "--jobs", "2", "--format=line", "--count", "4", "--level", "testing", "--board", "standard"}, 4, 81, ""},
        {{"--board", "samurai", "--level", "very-difficult", "--seed", "3", "--format", "line"}, 1, 405, ""},
        {{"--board", "standard", "--level", "easy", "--seed", "68", "--format", "line"}, 1, 81, seed68},
        {{"--seed", "68", "--format", "line"}, 1, 81, seed68}, // standard and Easy unless told
    };
    for (const auto& run : runs) {
        const CliRun r = generate(run.args);
        ASSERT_EQ(r.status, cli::kExitOk) << r.err;
        EXPECT_TRUE(r.err.empty()); // no progress line: standard error is not a terminal
        ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), static_cast<long>(run.lines));
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);) {
            ASSERT_EQ(line.size(), run.size);
            EXPECT_EQ(countLine(line), 1) << line;
        }
        if (!run.out.empty()) EXPECT_EQ(r.out, run.out);
    }
    EXPECT_EQ(generate(runs[0].args).out, generate(runs[1].args).out);
}

TEST(GenerateCommand, SdkOutputReadsBackAsThePuzzle)
{
    const CliRun r = generate({"--board", "samurai", "--level", "easy", "--seed", "8"});
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    const files::PuzzleParseResult parsed = files::parsePuzzle(r.out);
    ASSERT_TRUE(parsed.ok()) << parsed.error.describe();
    EXPECT_EQ(parsed.document->numGrids, 5);
    engine::PlainBoard board;
    board.numGrids = 5;
    const files::SymbolTable symbols(parsed.document->symbols);
    for (const auto& rec : parsed.document->records)
        board.cell(rec.grid, rec.col, rec.row).setText(symbols.indexToSymbol(rec.val));
    EXPECT_EQ(countBoardSolutions(board, symbols), 1);

    const CliRun line = generate({"--board", "samurai", "--level", "easy", "--seed", "8", "--format", "line"});
    EXPECT_EQ(line.out, puzzleLine(board, symbols) + "\n");
}

TEST(GenerateCommand, RatedPuzzlesLieInTheirBandAndAnUnreachableOneSaysSo)
{
    // Every puzzle has one solution (the suite's counter) and a rating in
    // the band or range asked for (the rater); a level given is kept.
    const struct {
        std::vector<std::string> args;
        int lo, hi, count;
    } runs[] = {
        {{"--board", "standard", "--rating", "diabolical", "--seed", "5", "--count", "2"}, 70, 200, 2},
        {{"--board", "standard", "--rating", "Easy", "--level", "testing", "--seed", "9"}, 0, 14, 1},
        {{"--board", "standard", "--rating", "4-6", "--seed", "2", "--jobs", "2", "--count", "2"}, 40, 60, 2},
        {{"--board", "samurai", "--rating", "hard", "--seed", "4"}, 25, 49, 1},
    };
    logic::Rater rater;
    for (const auto& run : runs) {
        SCOPED_TRACE(testing::PrintToString(run.args));
        std::vector<std::string> args = run.args;
        args.insert(args.end(), {"--format", "line"});
        const CliRun r = generate(args);
        ASSERT_EQ(r.status, cli::kExitOk) << r.err;
        std::istringstream lines(r.out);
        int n = 0;
        for (std::string line; std::getline(lines, line); ++n) {
            EXPECT_EQ(countLine(line), 1) << line;
            logic::CandidateGrid g(logic::Geometry::forGrids(line.size() == 405 ? 5 : 1));
            ASSERT_TRUE(g.loadLine(line));
            const logic::Rating rating = rater.rate(g);
            EXPECT_TRUE(rating.solved && rating.rating >= run.lo && rating.rating <= run.hi) << rating.rating;
        }
        EXPECT_EQ(n, run.count);
    }
    // No step rates above 10.0: a range beyond it ends at once.
    const CliRun none = generate({"--board", "standard", "--rating", "12-20", "--seed", "1"});
    EXPECT_EQ(none.status, cli::kExitNoSolution);
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(none.err, "corvel-cli generate: puzzle 1: no puzzle rated 12.0-20.0 found in 0 attempts\n");
}
