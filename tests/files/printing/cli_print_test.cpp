#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "commands.h"
#include "pdf_test_support.h"

namespace {

const std::string kStandardPuzzle =
    "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n0,0,2,4\r\n0,3,0,8\r\n";

class CliPrint : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string out, err;

    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    std::string write(const char* name, const std::string& text) const
    {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    int run(std::vector<std::string> args, const std::string& stdinText = {})
    {
        args.insert(args.begin(), "print");
        std::istringstream in(stdinText);
        std::ostringstream o, e;
        const int status = cli::runCli(args, {in, o, e});
        out = o.str();
        err = e.str();
        return status;
    }
};

} // namespace

TEST_F(CliPrint, WritesAOnePagePdfInEitherLayout)
{
    const std::string puzzle = write("p.sdk", kStandardPuzzle);
    for (const char* layout : {"large", "small"}) {
        const std::string pdf = path(layout) + ".pdf";
        ASSERT_EQ(run({puzzle, "--layout", layout, "-o", pdf}), cli::kExitOk) << err;
        EXPECT_TRUE(err.empty()) << err;
        const std::string bytes = fileBytes(pdf);
        EXPECT_TRUE(looksLikePdf(bytes)) << layout;
        EXPECT_EQ(pdfPageCount(bytes), 1) << layout;
    }
    // A Samurai puzzle as a line from standard input, with the --layout= form.
    std::string line(405, '.');
    line[0] = '5';
    line[81 + 80] = '9';
    const std::string samurai = path("samurai.pdf");
    ASSERT_EQ(run({"-", "--layout=small", "--output", samurai}, line + "\n"), cli::kExitOk) << err;
    EXPECT_EQ(pdfPageCount(fileBytes(samurai)), 1);
}

TEST_F(CliPrint, BadArgumentsGiveTheUsageAndWriteNothing)
{
    const std::string puzzle = write("p.sdk", kStandardPuzzle);
    const std::string pdf = path("out.pdf");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {puzzle},
        {puzzle, "--layout", "large"},
        {puzzle, "-o", pdf},
        {puzzle, "--layout", "medium", "-o", pdf},
        {puzzle, "--layout"},
        {puzzle, "--layout", "large", "-o"},
        {puzzle, "--layout", "large", "--layout", "small", "-o", pdf},
        {puzzle, puzzle, "--layout", "large", "-o", pdf},
        {puzzle, "--layout", "large", "-o", pdf, "--colour"},
        {puzzle, "--layout", "large", "-o", "-"},
        {"--layout", "large", "-o", pdf},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(run(args), cli::kExitBadInput) << args.size();
        EXPECT_NE(err.find("usage: corvel-cli print"), std::string::npos) << err;
        EXPECT_TRUE(out.empty());
    }
    EXPECT_TRUE(fileBytes(pdf).empty());
}

TEST_F(CliPrint, BadPuzzlesAndTargetsAreRefusedAndKeepTheFiles)
{
    const std::string pdf = write("old.pdf", "keep me");
    // A malformed puzzle file names the file and the line.
    const std::string broken = write("broken.sdk", kStandardPuzzle + "0,9,0,0\r\n");
    EXPECT_EQ(run({broken, "--layout", "large", "-o", pdf}), cli::kExitBadInput);
    EXPECT_NE(err.find("broken.sdk:13"), std::string::npos) << err;
    // Two puzzles in one input.
    const std::string two = write("two.txt", std::string(81, '.') + "\n" + std::string(81, '.') + "\n");
    EXPECT_EQ(run({two, "--layout", "large", "-o", pdf}), cli::kExitBadInput);
    EXPECT_NE(err.find("print takes one"), std::string::npos) << err;
    // A Samurai line whose shared cell disagrees between two grids.
    std::string clash(405, '.');
    clash[6 * 9 + 6] = '1';      // grid 0 (6, 6)
    clash[4 * 81 + 0] = '2';     // the centre's (0, 0): the same cell
    const std::string clashing = write("clash.txt", clash + "\n");
    EXPECT_EQ(run({clashing, "--layout", "small", "-o", pdf}), cli::kExitBadInput);
    EXPECT_NE(err.find("disagree"), std::string::npos) << err;
    // The output may not overwrite the puzzle it prints.
    const std::string puzzle = write("p.sdk", kStandardPuzzle);
    EXPECT_EQ(run({puzzle, "--layout", "small", "-o", puzzle}), cli::kExitBadInput);
    EXPECT_EQ(fileBytes(puzzle), kStandardPuzzle);
    // A folder that cannot take the file.
    EXPECT_EQ(run({puzzle, "--layout", "small", "-o", path("missing/out.pdf")}), cli::kExitBadInput);
    EXPECT_NE(err.find("cannot write"), std::string::npos) << err;

    EXPECT_EQ(fileBytes(pdf), "keep me");
}

TEST_F(CliPrint, TheProgramItselfPrintsWithoutAScreen)
{
    // The real executable, which makes its own off-screen GUI object.
    const std::string puzzle = write("p.sdk", kStandardPuzzle);
    const std::string pdf = path("cli.pdf");
    const std::string command =
        "env -u DISPLAY -u QT_QPA_PLATFORM '" CORVEL_CLI_EXE "' print '" + puzzle + "' --layout large -o '" + pdf + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string bytes = fileBytes(pdf);
    EXPECT_TRUE(looksLikePdf(bytes));
    EXPECT_EQ(pdfPageCount(bytes), 1);
}
