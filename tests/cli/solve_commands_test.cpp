// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "bad_puzzle_files.h"
#include "commands.h"
#include "puzzles.h"

namespace {

using puzzles::kEasy;
using puzzles::kEasySolution;
using puzzles::kSamurai;
using puzzles::kSamuraiSolution;

struct Result {
    int status;
    std::string out, err;
};

Result run(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::runCli(args, {in, out, err});
    return {status, out.str(), err.str()};
}

long lines(const std::string& s) { return std::count(s.begin(), s.end(), '\n'); }

// The puzzle as a .sdk document with letters for symbols.
std::string asSdk(const std::string& line)
{
    std::string text = "\"A\"\r\n\"B\"\r\n\"C\"\r\n\"D\"\r\n\"E\"\r\n\"F\"\r\n\"G\"\r\n\"H\"\r\n\"I\"\r\n";
    text += line.size() == 405 ? "5\r\n" : "1\r\n";
    for (std::size_t g = 0; g < line.size() / 81; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if (const char ch = line[puzzles::at(static_cast<int>(g), c, r)]; ch != '.')
                    text += std::to_string(g) + "," + std::to_string(c) + "," + std::to_string(r) + "," +
                            std::to_string(ch - '1') + "\r\n";
    return text;
}

} // namespace

TEST(CliSolve, SolvesLinesAndPuzzleFilesInTheirOwnFormat)
{
    EXPECT_EQ(run({"solve", "-"}, kEasy + "\n").out, kEasySolution + "\n");
    EXPECT_EQ(run({"solve", "-"}, kSamurai + "\n").out, kSamuraiSolution + "\n");
    for (const std::string& puzzle : {kEasy, kSamurai}) {
        const Result r = run({"solve", "-"}, asSdk(puzzle));
        ASSERT_EQ(r.status, 0) << r.err;
        // Same symbols, every cell listed (shared cells under both grids).
        EXPECT_EQ(r.out.substr(0, 30), "\"A\"\r\n\"B\"\r\n\"C\"\r\n\"D\"\r\n\"E\"\r\n\"F\"\r\n");
        EXPECT_EQ(lines(r.out), 10 + static_cast<long>(puzzle.size()));
        EXPECT_EQ(run({"count", "-"}, asSdk(puzzle)).out, "1\n");
    }
    EXPECT_NE(run({"solve", "-"}, asSdk(kEasy)).out.find("\r\n0,0,0,3\r\n"), std::string::npos); // (0, 0) holds 4
}

TEST(CliSolve, SeveralPuzzlesGiveOneLineEachAndNoSolutionIsStatusOne)
{
    std::string dup = kEasy;
    dup[0] = '3'; // a second 3 in row 0
    Result r = run({"solve", "-"}, "# a comment\n" + kEasy + "\r\n\n" + dup + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kEasySolution + "\n-\n");
    EXPECT_NE(r.err.find("<stdin>:4: no solution"), std::string::npos) << r.err;

    r = run({"count", "-"}, kEasy + "\n" + dup + "\n" + std::string(81, '.') + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1\n0\n2\n");

    // Answered as read: a bad line ends the output there.
    r = run({"count", "-"}, kEasy + "\n" + kEasy + "\nx\n" + kEasy + "\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "1\n1\n");
    EXPECT_NE(r.err.find("<stdin>:3: a puzzle line has 1 characters"), std::string::npos) << r.err;
}

TEST(CliSolve, AHintIsTheSolvesFirstMoveOnEitherBoard)
{
    for (const std::string& puzzle : {kEasy, kSamurai}) {
        const Result moves = run({"solve", "--moves", "-"}, puzzle + "\n");
        ASSERT_EQ(moves.status, 0);
        if (puzzle.size() == 81) EXPECT_EQ(lines(moves.out), std::count(puzzle.begin(), puzzle.end(), '.'));
        const Result hint = run({"hint", "-"}, puzzle + "\n");
        EXPECT_EQ(hint.status, 0);
        EXPECT_EQ(hint.out, moves.out.substr(0, moves.out.find('\n') + 1));
    }
    // The solved Samurai board but one cell: of a corner grid, and one it
    // shares with the centre (in the line under both grids, and named in
    // the hint under either).
    const struct {
        std::vector<std::size_t> at;
        std::vector<std::string> records;
    } cases[] = {{{puzzles::at(3, 7, 3)}, {"3,7,3,"}},
                 {{puzzles::at(1, 1, 7), puzzles::at(4, 7, 1)}, {"1,1,7,", "4,7,1,"}}};
    for (const auto& c : cases) {
        std::string puzzle = kSamuraiSolution;
        for (std::size_t k : c.at) puzzle[k] = '.';
        const Result hint = run({"hint", "-"}, puzzle + "\n");
        EXPECT_EQ(hint.status, 0) << hint.err;
        const std::string value = std::to_string(kSamuraiSolution[c.at[0]] - '1') + "\n";
        EXPECT_TRUE(hint.out == c.records.front() + value || hint.out == c.records.back() + value) << hint.out;
    }

    // --why adds the rule that placed the hinted move, one kind per row.
    const std::string boxOnly = ".23......456......789......" + std::string(54, '.');
    const struct {
        std::string puzzle, out;
    } why[] = {
        {kEasy, "0,5,0,0\nOnly cell left for 1 in its row.\n"},
        {kSamurai, "4,2,4,0\nOnly cell left for 1 in its column (centre grid).\n"},
        {boxOnly, "0,0,0,0\nOnly cell left for 1 in its box.\n"},
        {std::string(81, '.'), "0,0,0,0\nSolver's trial: no rule forces 1.\n"},
        {std::string(405, '.'), "4,0,0,0\nSolver's trial: no rule forces 1.\n"},
    };
    for (const auto& c : why) EXPECT_EQ(run({"hint", "--why", "-"}, c.puzzle + "\n").out, c.out);

    EXPECT_EQ(run({"hint", "-"}, kEasySolution + "\n").out, ""); // complete: nothing
    std::string wrong = kEasySolution;
    std::swap(wrong[0], wrong[1]);
    const Result bad = run({"hint", "-"}, wrong + "\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
}

TEST(CliSolve, BadInputAndUsageAreStatusTwoWithAMessageAndEveryReadableFileIsRead)
{
    std::vector<BadPuzzleFile> cases = badPuzzleFiles();
    const std::vector<BadPuzzleFile> lineCases = {
        {"a puzzle line far too long", std::string(1 << 20, '1') + "\n", 1, "1048576 characters"},
        {"a zero byte", std::string(81, '\0') + "\n", 1, "byte 0x00"},
        {"a letter", kEasy.substr(0, 80) + "x\n", 1, "character 81"},
        {"a short line", kEasy.substr(0, 40) + "\n", 1, "40 characters"},
        {"a picture", "\x89PNG\r\n\x1a\n" + std::string(100, '\x01'), 1, "has 4 characters"},
        {"a shared cell given in one grid only", kSamurai.substr(0, 60) + "5" + kSamurai.substr(61), 1,
         "characters 61 and 325 are one shared cell"},
    };
    cases.insert(cases.end(), lineCases.begin(), lineCases.end());
    for (const BadPuzzleFile& c : cases)
        for (const char* cmd : {"solve", "count", "hint"}) {
            SCOPED_TRACE(std::string(cmd) + ": " + c.name);
            const Result r = run({cmd, "-"}, c.text);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            const std::string where = c.line > 0 ? "<stdin>:" + std::to_string(c.line) + ": " : "<stdin>: ";
            EXPECT_NE(r.err.find(where), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.fault), std::string::npos) << r.err;
            EXPECT_EQ(lines(r.err), 1) << r.err;
        }

    for (const ReadablePuzzleFile& c : readablePuzzleFiles()) {
        const Result r = run({"solve", "-"}, c.text);
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
        const std::string record = std::to_string(c.grid) + "," + std::to_string(c.col) + "," + std::to_string(c.row) +
                                   "," + std::to_string(c.val) + "\r\n";
        EXPECT_NE(r.out.find(record), std::string::npos) << c.name;
    }

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate"},
                                               {"solve"},
                                               {"solve", "a", "b"},
                                               {"count", "--moves", "-"},
                                               {"help", "frobnicate"},
                                               {"help", "solve", "count"},
                                               {"solve", "/nonexistent/corvel/puzzle.sdk"}})
        EXPECT_EQ(run(args).status, 2) << args.size();
    // This test program has no printing program beside it to run.
    const Result print = run({"print", "-", "--layout", "large", "-o", "x.pdf"});
    EXPECT_EQ(print.status, 2);
    EXPECT_NE(print.err.find("corvel-cli print: cannot run "), std::string::npos) << print.err;
    const Result dir = run({"count", std::filesystem::temp_directory_path().string()});
    EXPECT_EQ(dir.status, 2);
    EXPECT_NE(dir.err.find("is a directory"), std::string::npos);
    // The whole usage, or one command's however asked.
    const struct {
        std::vector<std::string> args;
        std::string starts;
    } help[] = {
        {{"--help"}, "Usage: corvel-cli COMMAND"},
        {{"help"}, "Usage: corvel-cli COMMAND"},
        {{"help", "solve"}, "Usage: corvel-cli solve [--moves] FILE\n"},
        {{"count", "--help"}, "Usage: corvel-cli count FILE\n"},
        {{"hint", "-", "-h"}, "Usage: corvel-cli hint"},
        {{"help", "generate"}, "Usage: corvel-cli generate"},
        {{"print", "p.sdk", "--help"}, "Usage: corvel-cli print"},
    };
    for (const auto& c : help) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, 0) << c.starts;
        EXPECT_EQ(r.out.rfind(c.starts, 0), 0u) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

TEST(CliRate, RatesAndExplainsBothBoardsInEitherFormat)
{
    std::string clash = kEasy;
    clash[0] = clash[2]; // two givens 3 in row 1
    // A generated Samurai puzzle whose hardest step is a cell's forcing chains,
    // tried before a unit's of the same rating.
    const std::string cellChains =
        ".2..4...7...35.....9.....64..92.1.....4.......5.9..8.31.6............3..3..7....."
        ".196....74....7.81..........7....6.8.......3.5...3..................9..2......94."
        ".9.23..............6..7...8.3..69..74...8...1...........4.1.7..25.6............69"
        ".......1....5.9..637....8...1...3.....51.23692............6..5.........27..94...."
        ".....8...3...........3.........5..1.4..2...3.......4......6........9......81..37.";
    // Two solutions each: logic alone goes a few steps into the standard one;
    // the sparse Samurai one kept the rater's trials busy for over ten minutes.
    const std::string several = "...5.1.9.1...9..539....7....4.8...7.......5.8.817.5.3.......2............76..8...";
    const std::string sparseSamurai =
        "2...7................5....1......1.....1....6......4.......1...81.2..........3..2"
        "...............4...................................1...........................3."
        "....1.....................1.........................1.........5.7...3............"
        ".............154.......3.........6..................3....6......................."
        "............1.......2......9....3.........................................14.....";
    const struct {
        std::string input, out;
        int status;
    } rows[] = {
        {kEasy + "\n", "1.2 Easy Hidden Single\n", 0},
        {asSdk(kEasy), "1.2 Easy Hidden Single\n", 0},
        {puzzles::kHard + "\n", "10.0 Diabolical Trial\n", 0},
        {kSamurai + "\n", "1.5 Medium Hidden Single\n", 0},
        {asSdk(kSamurai), "1.5 Medium Hidden Single\n", 0},
        {cellChains + "\n", "8.4 Diabolical Cell Forcing Chains\n", 0},
        {kEasySolution + "\n", "0.0 Easy -\n", 0},
        {kEasy + "\n" + clash + "\n", "1.2 Easy Hidden Single\n-\n", 1},
        {several + "\n" + sparseSamurai + "\n", "-\n-\n", 1},
    };
    for (const auto& r : rows) {
        const Result one = run({"rate", "-"}, r.input);
        EXPECT_EQ(one.out, r.out) << r.input;
        EXPECT_EQ(one.status, r.status) << r.input;
        EXPECT_EQ(run({"rate", "--jobs", "3", "-"}, r.input).out, r.out);
    }

    // Every empty cell is filled exactly once along the path, in the record
    // each line names; the sentences use the puzzle's symbols and name the
    // grid on the Samurai board.
    for (const std::string& puzzle : {kSamurai, kEasy}) {
        const Result r = run({"explain", "-"}, asSdk(puzzle));
        ASSERT_EQ(r.status, 0) << r.err;
        std::istringstream lines(r.out);
        std::string solved = puzzle;
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> f;
            std::istringstream fields(line);
            for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
            ASSERT_EQ(f.size(), 5u) << line;
            const std::size_t places = f[4].find("places ");
            ASSERT_NE(places, std::string::npos) << line; // these puzzles need singles only
            EXPECT_TRUE(f[4][places + 7] >= 'A' && f[4][places + 7] <= 'I') << line;
            EXPECT_EQ(f[4][places + 12], puzzle.size() == 405 ? 'g' : 'r') << line;
            std::istringstream placed(f[2]);
            for (std::string rec; placed >> rec && rec != "-";) {
                int g, c, row, v;
                ASSERT_EQ(std::sscanf(rec.c_str(), "%d,%d,%d,%d", &g, &c, &row, &v), 4) << rec;
                char& at = solved[puzzles::at(g, c, row)];
                EXPECT_EQ(at, '.') << rec;
                at = static_cast<char>('1' + v);
            }
        }
        // A shared cell is named under its corner grid, so its centre copy stays empty.
        if (puzzle.size() == 81) EXPECT_EQ(std::count(solved.begin(), solved.end(), '.'), 0);
    }

    // With more than one solution the path stops where logic does, with no
    // trial, and says why.
    const Result partial = run({"explain", "-"}, several + "\n");
    EXPECT_EQ(partial.status, 1);
    EXPECT_EQ(std::count(partial.out.begin(), partial.out.end(), '\n'), 3) << partial.out;
    EXPECT_EQ(partial.out.find("Trial"), std::string::npos);
    EXPECT_EQ(partial.err, "corvel-cli explain: <stdin>: the puzzle has more than one solution\n");

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"rate"}, {"rate", "--jobs", "0", "-"}, {"rate", "--jobs", "-"}, {"explain", "--jobs", "2", "-"}})
        EXPECT_EQ(run(args, kEasy + "\n").status, 2);
    EXPECT_EQ(run({"explain", "-"}, kEasy + "\n" + kEasy + "\n").status, 2);
}
