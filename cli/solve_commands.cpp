#include <iostream>
#include <memory>

#include "board_solving.h"
#include "hint_reason.h"
#include "commands.h"
#include "puzzle_input.h"

namespace cli {

using engine::HintOutcome;
using files::InputFormat;
using files::Puzzle;
using files::PuzzleInput;

namespace {

struct FileArgs {
    std::string file;
    bool option = false; // the command's one option was given
};

// Parses "[OPTION] FILE" where option names the command's one option, if any
// (--moves for solve, --why for hint).
bool parseFileArgs(const std::string& cmd, const std::vector<std::string>& args, const char* option, FileArgs& out,
                   std::ostream& err)
{
    for (const std::string& a : args) {
        if (option && a == option) {
            out.option = true;
        } else if (a.size() > 1 && a[0] == '-' ) {
            err << "corvel-cli " << cmd << ": unknown option '" << a << "' (try corvel-cli --help)\n";
            return false;
        } else if (!out.file.empty()) {
            err << "corvel-cli " << cmd << ": more than one FILE given\n";
            return false;
        } else {
            out.file = a;
        }
    }
    if (out.file.empty()) {
        err << "corvel-cli " << cmd << ": no FILE given (use - for standard input)\n";
        return false;
    }
    return true;
}

std::string recordLine(const engine::Assignment& m)
{
    return std::to_string(m.grid) + "," + std::to_string(m.col) + "," + std::to_string(m.row) + "," +
           std::to_string(m.val);
}

// Everything a command needs for one run: the input, a board, a solver and
// the counter.
struct Run {
    PuzzleInput input;
    std::unique_ptr<engine::PlainBoard> board = std::make_unique<engine::PlainBoard>();
    std::unique_ptr<engine::Solver> solver = std::make_unique<engine::Solver>();
    engine::ExactCounter counter;

    bool open(const std::string& cmd, const std::string& file, std::istream& in, std::ostream& err)
    {
        std::string error;
        if (files::readPuzzleInput(file, in, input, error)) return true;
        err << "corvel-cli " << cmd << ": " << error << "\n";
        return false;
    }
    std::string where(const Puzzle& p) const { return input.name + ":" + std::to_string(p.line); }
};

} // namespace

int runSolve(const std::vector<std::string>& args, CommandIo io)
{
    FileArgs fa;
    if (!parseFileArgs("solve", args, "--moves", fa, io.err)) return kExitBadInput;
    Run run;
    if (!run.open("solve", fa.file, io.in, io.err)) return kExitBadInput;
    int status = kExitOk;
    for (const Puzzle& p : run.input.puzzles) {
        const files::SymbolTable symbols(p.doc.symbols);
        const bool solved = files::loadGivens(*run.board, p) && engine::solveBoard(*run.solver, *run.board, symbols);
        if (!solved) {
            status = kExitNoSolution;
            io.err << "corvel-cli solve: " << run.where(p) << ": no solution\n";
            if (run.input.format == InputFormat::Lines && !fa.option) io.out << "-\n";
            continue;
        }
        if (fa.option) {
            for (int k = 0; k < run.solver->moves.numMoves; ++k) io.out << recordLine(run.solver->moves[k]) << "\n";
        } else if (run.input.format == InputFormat::Lines) {
            io.out << files::boardAsLine(*run.board, symbols) << "\n";
        } else {
            io.out << files::formatPuzzle(files::boardAsDocument(*run.board, symbols));
        }
    }
    return status;
}

int runCount(const std::vector<std::string>& args, CommandIo io)
{
    FileArgs fa;
    if (!parseFileArgs("count", args, nullptr, fa, io.err)) return kExitBadInput;
    Run run;
    if (!run.open("count", fa.file, io.in, io.err)) return kExitBadInput;
    for (const Puzzle& p : run.input.puzzles) {
        const files::SymbolTable symbols(p.doc.symbols);
        const int n = files::loadGivens(*run.board, p) ? engine::countSolutions(run.counter, *run.board, symbols) : 0;
        io.out << n << "\n";
    }
    return kExitOk;
}

int runHint(const std::vector<std::string>& args, CommandIo io)
{
    FileArgs fa;
    if (!parseFileArgs("hint", args, "--why", fa, io.err)) return kExitBadInput;
    Run run;
    if (!run.open("hint", fa.file, io.in, io.err)) return kExitBadInput;
    const bool several = run.input.puzzles.size() > 1;
    int status = kExitOk;
    for (const Puzzle& p : run.input.puzzles) {
        const files::SymbolTable symbols(p.doc.symbols);
        engine::Assignment move;
        const HintOutcome h =
            files::loadGivens(*run.board, p) ? engine::hintFor(*run.solver, *run.board, symbols, move) : HintOutcome::CannotComplete;
        switch (h) {
        case HintOutcome::Move:
            io.out << recordLine(move) << "\n";
            if (fa.option)
                io.out << engine::hintReasonText(move, symbols.indexToSymbol(move.val), run.board->numGrids) << "\n";
            break;
        case HintOutcome::Complete:
            if (several) io.out << "\n";
            break;
        case HintOutcome::CannotComplete:
            status = kExitNoSolution;
            io.err << "corvel-cli hint: " << run.where(p) << ": the entries cannot be completed\n";
            if (several) io.out << "-\n";
            break;
        }
    }
    return status;
}

} // namespace cli
