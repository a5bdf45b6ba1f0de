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
int runPrint(const std::vector<std::string>& args, CommandIo io);
int runRate(const std::vector<std::string>& args, CommandIo io);
int runExplain(const std::vector<std::string>& args, CommandIo io);

// The text of `corvel-cli --help`.
std::string helpText();

// Dispatches argv[1..] to a command.
int runCli(const std::vector<std::string>& args, CommandIo io);

} // namespace cli
