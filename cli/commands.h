// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Exit statuses of corvel-cli.
constexpr int kExitOk = 0;
constexpr int kExitNoSolution = 1;
constexpr int kExitBadInput = 2;

// Each command takes its arguments (without the command name), reads FILE or
// standard input, writes results to out and one-line errors to err, and
// returns the exit status.
struct CommandIo {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

int runSolve(const std::vector<std::string>& args, CommandIo io);
int runCount(const std::vector<std::string>& args, CommandIo io);
int runHint(const std::vector<std::string>& args, CommandIo io);
int runGenerate(const std::vector<std::string>& args, CommandIo io);
// Draws the PDF in this process (Qt Gui): the printing program's whole work.
int runPrint(const std::vector<std::string>& args, CommandIo io);
int runRate(const std::vector<std::string>& args, CommandIo io);
int runExplain(const std::vector<std::string>& args, CommandIo io);

// corvel-cli print: runs the printing program, corvel-cli-print, so that
// corvel-cli itself starts without loading Qt. Its output goes straight to
// this process's standard output and error; returns its exit status.
int runPrintProgram(const std::vector<std::string>& args, CommandIo io);

// The usage of the commands that print it on their own errors.
inline constexpr char kGenerateUsage[] =
    "Usage: corvel-cli generate [--board standard|samurai] [--level easy|testing|very-difficult]\n"
    "                           [--seed N] [--count K] [--jobs J] [--format sdk|line]\n"
    "                           [--rating easy|medium|hard|fiendish|diabolical|LO-HI]\n"
    "Writes new puzzles with exactly one solution: K of them (1 when not given), on\n"
    "a standard board at the Easy level unless --board and --level say otherwise,\n"
    "as .sdk documents or as puzzle lines. The same seed gives the same puzzles.\n"
    "With --rating, puzzles are generated until one's rating falls in the band or\n"
    "range (e.g. diabolical, 4.0-6.0); --level is then chosen to suit it.\n";
inline constexpr char kPrintUsage[] =
    "Usage: corvel-cli print FILE --layout large|small -o OUT.pdf\n"
    "Draws the puzzle as File > Print prints it, on one A4 page of a PDF file.\n";

// The usage of one command, as `corvel-cli help COMMAND` shows it; empty
// for an unknown command.
std::string commandUsage(const std::string& name);

// The text of `corvel-cli --help`.
std::string helpText();

// Dispatches argv[1..] to a command.
int runCli(const std::vector<std::string>& args, CommandIo io);

} // namespace cli
