// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
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
            err << "corvel-cli " << cmd << ": unknown option '" << a << "' (try corvel-cli help " << cmd << ")\n";
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

    // Reads the input and answers each puzzle as it comes; false, with the
    // message, on a fault (after the answers to the puzzles before it).
    bool each(const std::string& cmd, const std::string& file, CommandIo io,
              const std::function<void(const Puzzle&, bool several)>& answer)
    {
        std::string error;
        if (files::readPuzzleInput(file, io.in, input, answer, error)) return true;
        io.err << "corvel-cli " << cmd << ": " << error << "\n";
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
    int status = kExitOk;
    const bool read = run.each("solve", fa.file, io, [&](const Puzzle& p, bool) {
        const files::SymbolTable symbols(p.doc.symbols);
        files::loadGivens(*run.board, p);
        if (!engine::solveBoard(*run.solver, *run.board, symbols)) {
            status = kExitNoSolution;
            io.err << "corvel-cli solve: " << run.where(p) << ": no solution\n";
            if (run.input.format == InputFormat::Lines && !fa.option) io.out << "-\n";
            return;
        }
        if (fa.option) {
            for (int k = 0; k < run.solver->moves.numMoves; ++k) io.out << recordLine(run.solver->moves[k]) << "\n";
        } else if (run.input.format == InputFormat::Lines) {
            io.out << files::boardAsLine(*run.board, symbols) << "\n";
        } else {
            io.out << files::formatPuzzle(files::boardAsDocument(*run.board, symbols));
        }
    });
    return read ? status : kExitBadInput;
}

int runCount(const std::vector<std::string>& args, CommandIo io)
{
    FileArgs fa;
    if (!parseFileArgs("count", args, nullptr, fa, io.err)) return kExitBadInput;
    Run run;
    const bool read = run.each("count", fa.file, io, [&](const Puzzle& p, bool) {
        files::loadGivens(*run.board, p);
        io.out << engine::countSolutions(run.counter, *run.board, files::SymbolTable(p.doc.symbols)) << "\n";
    });
    return read ? kExitOk : kExitBadInput;
}

int runHint(const std::vector<std::string>& args, CommandIo io)
{
    FileArgs fa;
    if (!parseFileArgs("hint", args, "--why", fa, io.err)) return kExitBadInput;
    Run run;
    int status = kExitOk;
    const bool read = run.each("hint", fa.file, io, [&](const Puzzle& p, bool several) {
        const files::SymbolTable symbols(p.doc.symbols);
        files::loadGivens(*run.board, p);
        engine::Assignment move;
        switch (engine::hintFor(*run.solver, *run.board, symbols, move)) {
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
    });
    return read ? status : kExitBadInput;
}

} // namespace cli
