#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "commands.h"
#include "plain_board.h"
#include "puzzle_file.h"
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
