#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands.h"

namespace {

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

const std::string kHeader = "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n";
const std::string kEasy = "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
const std::string kEasySolution = "483921657967345821251876493548132976729564138136798245372689514814253769695417382";

std::string firstLine(const std::string& name)
{
    std::ifstream f(std::string(CORVEL_REPO_DATA) + "/" + name);
    std::string line;
    std::getline(f, line);
    return line;
}

// The puzzle as a .sdk document with letters for symbols.
std::string asSdk(const std::string& line)
{
    std::string text = "\"A\"\r\n\"B\"\r\n\"C\"\r\n\"D\"\r\n\"E\"\r\n\"F\"\r\n\"G\"\r\n\"H\"\r\n\"I\"\r\n";
    text += line.size() == 405 ? "5\r\n" : "1\r\n";
    for (std::size_t g = 0; g < line.size() / 81; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const char ch = line[g * 81 + static_cast<std::size_t>(r * 9 + c)];
                if (ch >= '1' && ch <= '9')
                    text += std::to_string(g) + "," + std::to_string(c) + "," + std::to_string(r) + "," + std::to_string(ch - '1') + "\r\n";
            }
    return text;
}

} // namespace

TEST(CliSolve, SolvesLinesAndPuzzleFilesInTheirOwnFormat)
{
    Result r = run({"solve", "-"}, kEasy + "\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kEasySolution + "\n");

    r = run({"solve", "-"}, asSdk(kEasy));
    ASSERT_EQ(r.status, 0) << r.err;
    // Same symbols, every cell listed, the values of the solution.
    EXPECT_EQ(r.out.substr(0, 30), "\"A\"\r\n\"B\"\r\n\"C\"\r\n\"D\"\r\n\"E\"\r\n\"F\"\r\n");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 10 + 81);
    EXPECT_NE(r.out.find("\r\n0,0,0,3\r\n"), std::string::npos); // (0, 0) holds 4: index 3

    const std::string samurai = firstLine("samurai_small.txt");
    ASSERT_EQ(samurai.size(), 405u);
    r = run({"solve", "-"}, samurai + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string solved = r.out.substr(0, 405);
    EXPECT_EQ(solved.find('.'), std::string::npos);
    for (std::size_t k = 0; k < 405; ++k)
        if (samurai[k] != '.') EXPECT_EQ(solved[k], samurai[k]) << k;
    // The shared cells agree: grid 0's bottom-right box is the centre's top-left.
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(solved[static_cast<std::size_t>((6 + b) * 9 + 6 + a)], solved[static_cast<std::size_t>(4 * 81 + b * 9 + a)]);
    EXPECT_EQ(run({"count", "-"}, asSdk(samurai)).out, "1\n");
    r = run({"solve", "-"}, asSdk(samurai));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 10 + 405);
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

    // Samurai givens that disagree in a shared cell have no solution.
    std::string samurai = firstLine("samurai_small.txt");
    const std::size_t inGrid0 = 6 * 9 + 6, inCentre = 4 * 81;
    samurai[inGrid0] = '1';
    samurai[inCentre] = '2';
    EXPECT_EQ(run({"count", "-"}, samurai + "\n").out, "0\n");
    EXPECT_EQ(run({"solve", "-"}, samurai + "\n").status, 1);
}

TEST(CliSolve, MovesAndHintShowTheEnginesOrder)
{
    Result moves = run({"solve", "--moves", "-"}, kEasy + "\n");
    ASSERT_EQ(moves.status, 0);
    const std::string first = moves.out.substr(0, moves.out.find('\n'));
    Result hint = run({"hint", "-"}, kEasy + "\n");
    EXPECT_EQ(hint.status, 0);
    EXPECT_EQ(hint.out, first + "\n"); // the hint is the solve's first move
    EXPECT_EQ(std::count(moves.out.begin(), moves.out.end(), '\n'), 81 - 32); // one per empty cell

    EXPECT_EQ(run({"hint", "-"}, kEasySolution + "\n").out, ""); // complete: nothing
    std::string wrong = kEasySolution;
    std::swap(wrong[0], wrong[1]);
    const Result bad = run({"hint", "-"}, wrong + "\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
}

TEST(CliSolve, BadInputAndUsageAreStatusTwoWithAMessage)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"\"1\"\r\n\"2\"\r\n", "<stdin>:3"},
        {"\"1\"\r\n\"\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n", "<stdin>:2"},
        {kHeader + "x\r\n", "<stdin>:10"},
        {kHeader + "1\r\n9,0,0,0\r\n", "<stdin>:11"},
        {kHeader + "1\r\n3,0,0,0\r\n", "grid 3"},
        {kHeader + "1\r\n0,-1,0,0\r\n", "column -1"},
        {kHeader + "1\r\n0,0,10,0\r\n", "row 10"},
        {kHeader + "1\r\n0,0,0,12\r\n", "value index 12"},
        {kHeader + "1\r\n0,0,0\r\n", "ends inside a record"},
        {kHeader + "1\r\nx,0,0,0\r\n", "not a number"},
        {kHeader + "1\r\n" + std::string(1 << 20, '0') + "\r\n", "too long"},
        {std::string(1 << 20, '1') + "\n", "1048576 characters"},
        {std::string(81, '\0') + "\n", "byte 0x00"},
        {kEasy.substr(0, 80) + "x\n", "character 81"},
        {kEasy.substr(0, 40) + "\n", "40 characters"},
        {"\x89PNG\r\n\x1a\n" + std::string(100, '\x01'), "<stdin>:1"},
    };
    for (const auto& [input, fragment] : cases)
        for (const char* cmd : {"solve", "count", "hint"}) {
            const Result r = run({cmd, "-"}, input);
            EXPECT_EQ(r.status, 2) << cmd << " " << fragment;
            EXPECT_EQ(r.out, "") << cmd << " " << fragment;
            EXPECT_NE(r.err.find(fragment), std::string::npos) << cmd << ": " << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }

    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"solve"}).status, 2);
    EXPECT_EQ(run({"solve", "a", "b"}).status, 2);
    EXPECT_EQ(run({"count", "--moves", "-"}).status, 2);
    EXPECT_EQ(run({"solve", "/nonexistent/corvel/puzzle.sdk"}).status, 2);
    const Result dir = run({"count", std::filesystem::temp_directory_path().string()});
    EXPECT_EQ(dir.status, 2);
    EXPECT_NE(dir.err.find("is a directory"), std::string::npos);
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("corvel-cli"), std::string::npos);
}
