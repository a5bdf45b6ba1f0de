// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <ostream>

#include "commands.h"
#include "corvel_version.h"

namespace cli {

std::string helpText()
{
    return R"(Usage: corvel-cli COMMAND [OPTIONS] FILE
       corvel-cli help COMMAND    (or COMMAND --help): that command's usage

Solves, counts, hints, generates and prints Sudoku puzzles, standard (9x9)
and Samurai (five overlapping 9x9 grids).

Commands:
  solve [--moves] FILE   print the solved puzzle in the input's format; with
                         --moves, every move the solver recorded instead, one
                         record line "grid,col,row,value-index" each
  count FILE             print the number of solutions of each puzzle:
                         0, 1 or 2 (two or more)
  hint [--why] FILE      print the move the window's Hint would give, as one
                         record line; nothing when the board is complete;
                         with --why, a line saying which rule places it
  generate [OPTIONS]     write new puzzles with exactly one solution (one
                         standard Easy puzzle when no option is given):
                         [--board standard|samurai]
                         [--level easy|testing|very-difficult]
                         [--seed N] [--count K] [--jobs J] [--format sdk|line]
                         [--rating BAND|LO-HI]: generate until the rating
                         falls in the band or range (e.g. diabolical, 4.0-6.0);
                         --level is then optional (chosen to suit the rating)
  print FILE --layout large|small -o OUT.pdf
                         draw the puzzle as it would be printed, into a PDF
  rate [--jobs J] FILE   rate each puzzle by the hardest technique a player
                         needs: one line "RATING BAND TECHNIQUE" each ("-"
                         when it has no solution or more than one); bands
                         Easy < 1.5, Medium < 2.5, Hard < 5.0, Fiendish
                         < 7.0, Diabolical
  explain FILE           the logical path of one puzzle, one step a line:
                         rating, technique, placements and removals (records
                         "grid,col,row,value-index" separated by spaces, or
                         "-") and a sentence, separated by tabs
  --help                 show this text
  --version              show the version and the licence

FILE is a puzzle file (.sdk) or a text file of one puzzle per line; "-" reads
standard input. It is a puzzle file when its first field is a symbol.
  .sdk   nine lines with the symbols (in double quotes, as Corvel writes them,
         or bare), a line with the number of grids (5 Samurai, any other
         number standard), then one line "grid,col,row,value-index" per filled
         cell (columns, rows and value indices 0..8); commas and line ends
         both separate the fields. A cell listed twice, or a shared cell
         listed under both grids, must be given the same value.
  lines  81 characters for a standard puzzle or 405 for a Samurai puzzle
         (grids 0 top left, 1 top right, 2 bottom left, 3 bottom right and
         4 centre, 81 characters each, row by row; a shared cell appears in two
         grids and must agree, a given in one grid and empty in the other
         included); 1-9 for a given, "." or "0" for an empty cell.
         Blank lines and lines starting with "#" are skipped.

For several puzzles, solve prints one line per puzzle ("-" when it has no
solution) and count one count per line. Puzzles are answered as they are
read, so a bad line ends the output there, with its message.

Exit status: 0 solved or counted, 1 no solution, 2 bad input or usage.
)";
}

namespace {

constexpr const char* kFileNote =
    "FILE is a puzzle file (.sdk) or a text file of puzzle lines; \"-\" reads standard input.\n";

const struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&, CommandIo);
    const char* usage; // ends with a line break
    bool readsFile;
} kCommands[] = {
    {"solve", runSolve,
     "Usage: corvel-cli solve [--moves] FILE\n"
     "Prints the solved puzzle in the input's format, one line per puzzle for a\n"
     "file of puzzle lines (\"-\" for a puzzle without a solution); with --moves,\n"
     "every move the solver recorded instead, one line \"grid,col,row,value-index\" each.\n",
     true},
    {"count", runCount,
     "Usage: corvel-cli count FILE\n"
     "Prints the number of solutions of each puzzle, one per line: 0, 1 or 2 (two or more).\n",
     true},
    {"hint", runHint,
     "Usage: corvel-cli hint [--why] FILE\n"
     "Prints the move the window's Hint would give, as one line \"grid,col,row,value-index\";\n"
     "nothing when the board is complete. With --why, a line saying which rule places it.\n",
     true},
    {"generate", runGenerate, kGenerateUsage, false},
    {"print", runPrintProgram, kPrintUsage, true},
    {"rate", runRate,
     "Usage: corvel-cli rate [--jobs J] FILE\n"
     "Rates each puzzle by the hardest technique a player needs, one line\n"
     "\"RATING BAND TECHNIQUE\" each (\"-\" when it has no solution or more than one);\n"
     "bands Easy < 1.5, Medium < 2.5, Hard < 5.0, Fiendish < 7.0, Diabolical. --jobs J\n"
     "rates on J threads.\n",
     true},
    {"explain", runExplain,
     "Usage: corvel-cli explain FILE\n"
     "The logical path of one puzzle, one step a line, fields separated by tabs: the\n"
     "step's rating, the technique, what it places and what it removes (records\n"
     "\"grid,col,row,value-index\" separated by spaces, or \"-\") and a sentence.\n",
     true},
};

const Command* findCommand(const std::string& name)
{
    for (const Command& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

void showUsage(const Command& c, std::ostream& out)
{
    out << c.usage;
    if (c.readsFile) out << kFileNote;
}

bool isHelp(const std::string& a) { return a == "--help" || a == "-h"; }

} // namespace

std::string commandUsage(const std::string& name)
{
    const Command* c = findCommand(name);
    return c ? c->usage : "";
}

int runCli(const std::vector<std::string>& args, CommandIo io)
{
    if (args.empty()) {
        io.err << "corvel-cli: no command given (try corvel-cli --help)\n";
        return kExitBadInput;
    }
    const std::string& cmd = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (cmd == "--version") {
        io.out << "corvel-cli " << corvel::kVersion << "\n" << corvel::kLicence << "\n";
        return kExitOk;
    }
    if (isHelp(cmd) || (cmd == "help" && rest.empty())) {
        io.out << helpText();
        return kExitOk;
    }
    if (cmd == "help") {
        const Command* c = findCommand(rest[0]);
        if (!c || rest.size() > 1) {
            io.err << "corvel-cli help: " << (c ? "one command at a time" : "no command '" + rest[0] + "'")
                   << " (try corvel-cli --help)\n";
            return kExitBadInput;
        }
        showUsage(*c, io.out);
        return kExitOk;
    }
    const Command* c = findCommand(cmd);
    if (!c) {
        io.err << "corvel-cli: unknown command '" << cmd << "' (try corvel-cli --help)\n";
        return kExitBadInput;
    }
    if (std::any_of(rest.begin(), rest.end(), isHelp)) {
        showUsage(*c, io.out);
        return kExitOk;
    }
    return c->run(rest, io);
}

} // namespace cli
