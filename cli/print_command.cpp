// SPDX-License-Identifier: GPL-3.0-or-later
// corvel-cli print FILE --layout large|small -o OUT.pdf: the page the
// window's Print command sends to the printer, written into a PDF file.
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>

#include "commands.h"
#include "plain_board.h"
#include "print_layout.h"
#include "pdf_export.h"
#include "puzzle_input.h"

namespace cli {

namespace {

struct PrintArgs {
    std::string file;
    std::string layout;
    std::string output;
};

bool usageError(std::ostream& err, const std::string& why)
{
    err << "corvel-cli print: " << why << "\n" << kPrintUsage;
    return false;
}

// Parses FILE, --layout VALUE (or --layout=VALUE) and -o/--output VALUE.
bool parsePrintArgs(const std::vector<std::string>& args, PrintArgs& out, std::ostream& err)
{
    bool haveLayout = false, haveOutput = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        auto takeValue = [&](const std::string& name, std::string& into, bool& seen) {
            if (seen) return usageError(err, name + " given twice");
            seen = true;
            if (k + 1 >= args.size()) return usageError(err, name + " needs a value");
            into = args[++k];
            return true;
        };
        if (a == "--layout") {
            if (!takeValue("--layout", out.layout, haveLayout)) return false;
        } else if (a.rfind("--layout=", 0) == 0) {
            if (haveLayout) return usageError(err, "--layout given twice");
            haveLayout = true;
            out.layout = a.substr(9);
        } else if (a == "-o" || a == "--output") {
            if (!takeValue(a, out.output, haveOutput)) return false;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(err, "unknown option '" + a + "'");
        } else if (!out.file.empty()) {
            return usageError(err, "more than one FILE given");
        } else {
            out.file = a;
        }
    }
    if (out.file.empty()) return usageError(err, "no FILE given (use - for standard input)");
    if (!haveLayout) return usageError(err, "no --layout given");
    if (out.layout != "large" && out.layout != "small")
        return usageError(err, "--layout must be large or small, not '" + out.layout + "'");
    if (!haveOutput) return usageError(err, "no output file given (-o OUT.pdf)");
    if (out.output.empty() || out.output == "-") return usageError(err, "-o needs a file name");
    std::error_code ec;
    if (out.file != "-" && std::filesystem::equivalent(out.file, out.output, ec))
        return usageError(err, "the output file is the puzzle file itself");
    return true;
}

} // namespace

int runPrint(const std::vector<std::string>& args, CommandIo io)
{
    PrintArgs pa;
    if (!parsePrintArgs(args, pa, io.err)) return kExitBadInput;

    // One puzzle: the first is kept, the others only counted.
    files::PuzzleInput input;
    std::optional<files::Puzzle> puzzle;
    std::string error;
    if (!files::readPuzzleInput(pa.file, io.in, input, [&](const files::Puzzle& p, bool) { if (!puzzle) puzzle = p; },
                                error)) {
        io.err << "corvel-cli print: " << error << "\n";
        return kExitBadInput;
    }
    if (input.puzzles != 1) {
        io.err << "corvel-cli print: " << input.name << " holds " << input.puzzles << " puzzles; print takes one\n";
        return kExitBadInput;
    }
    const auto board = std::make_unique<engine::PlainBoard>();
    files::loadGivens(*board, *puzzle);
    const files::PrintBoard page = files::PrintBoard::fromGrids(board->grids, board->numGrids);
    const files::PrintLayout layout = pa.layout == "large" ? files::kLargePrint : files::kSmallPrint;
    if (!platform::writePuzzlePdf(pa.output, page, layout, error)) {
        io.err << "corvel-cli print: " << error << "\n";
        return kExitBadInput;
    }
    return kExitOk;
}

} // namespace cli
