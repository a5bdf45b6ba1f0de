// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

#include "bad_puzzle_files.h"
#include "commands.h"
#include "pdf_test_support.h"

namespace {

const std::string kPuzzle = symbolLines() + "1\r\n0,0,2,4\r\n0,3,0,8\r\n";

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
    int run(const std::vector<std::string>& args, const std::string& stdinText = {})
    {
        std::istringstream in(stdinText);
        std::ostringstream o, e;
        const int status = cli::runPrint(args, {in, o, e});
        out = o.str();
        err = e.str();
        return status;
    }
};

} // namespace

TEST_F(CliPrint, WritesAOnePagePdfInEitherLayout)
{
    const std::string puzzle = write("p.sdk", kPuzzle);
    for (const char* layout : {"large", "small"}) {
        const std::string pdf = path(layout) + ".pdf";
        ASSERT_EQ(run({puzzle, "--layout", layout, "-o", pdf}), cli::kExitOk) << err;
        EXPECT_TRUE(err.empty()) << err;
        EXPECT_TRUE(isOnePagePdf(fileBytes(pdf))) << layout;
    }
    // A Samurai puzzle as a line from standard input, with the --layout= form.
    std::string line(405, '.');
    line[0] = '5';
    line[81 + 80] = '9';
    const std::string samurai = path("samurai.pdf");
    ASSERT_EQ(run({"-", "--layout=small", "--output", samurai}, line + "\n"), cli::kExitOk) << err;
    EXPECT_TRUE(isOnePagePdf(fileBytes(samurai)));
}

TEST_F(CliPrint, BadArgumentsPuzzlesAndTargetsAreRefusedAndWriteNothing)
{
    const std::string puzzle = write("p.sdk", kPuzzle);
    const std::string pdf = write("old.pdf", "keep me");
    const std::vector<std::vector<std::string>> usage = {
        {puzzle},
        {puzzle, "--layout", "large"},
        {puzzle, "--layout", "medium", "-o", pdf},
        {puzzle, "--layout"},
        {puzzle, "--layout", "large", "--layout", "small", "-o", pdf},
        {puzzle, puzzle, "--layout", "large", "-o", pdf},
        {puzzle, "--layout", "large", "-o", pdf, "--colour"},
        {puzzle, "--layout", "large", "-o", "-"},
        {"--layout", "large", "-o", pdf},
        {puzzle, "--layout", "small", "-o", puzzle}, // would overwrite the puzzle it prints
    };
    for (const auto& args : usage) {
        EXPECT_EQ(run(args), cli::kExitBadInput) << args.size();
        EXPECT_NE(err.find("Usage: corvel-cli print"), std::string::npos) << err;
        EXPECT_TRUE(out.empty());
    }
    // A Samurai line whose shared cell disagrees between two grids.
    std::string clash(405, '.');
    clash[6 * 9 + 6] = '1'; // grid 0 (6, 6)
    clash[4 * 81] = '2';    // the centre's (0, 0): the same cell
    const struct {
        std::string input, output, fault;
    } bad[] = {
        {write("broken.sdk", kPuzzle + "0,9,0,0\r\n"), pdf, "broken.sdk:13"},
        {write("two.txt", std::string(81, '.') + "\n" + std::string(81, '.') + "\n"), pdf, "print takes one"},
        {write("clash.txt", clash + "\n"), pdf, "disagree"},
        {puzzle, path("missing/out.pdf"), "cannot write"},
    };
    for (const auto& c : bad) {
        EXPECT_EQ(run({c.input, "--layout", "large", "-o", c.output}), cli::kExitBadInput) << c.fault;
        EXPECT_NE(err.find(c.fault), std::string::npos) << err;
    }
    EXPECT_EQ(fileBytes(pdf), "keep me");
    EXPECT_EQ(fileBytes(puzzle), kPuzzle);
}

TEST_F(CliPrint, TheProgramItselfPrintsWithoutAScreen)
{
    // The real executable, which makes its own off-screen GUI object.
    const std::string puzzle = write("p.sdk", kPuzzle);
    const std::string pdf = path("cli.pdf");
    const std::string cli = "env -u DISPLAY -u QT_QPA_PLATFORM '" CORVEL_CLI_EXE "' print ";
    const std::string command = cli + "- --layout large -o '" + pdf + "' < '" + puzzle + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(isOnePagePdf(fileBytes(pdf)));
    // The printing program's exit status is corvel-cli's.
    const int status = std::system((cli + "'" + puzzle + "' --layout medium -o '" + pdf + "' 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
}
