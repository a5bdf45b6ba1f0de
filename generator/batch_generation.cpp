// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_generation.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "plain_board.h"
#include "plain_generator_board.h"

namespace generator {

GeneratedPuzzle generateOne(const BatchRequest& request, int index, engine::Solver&, Generator& generator,
                            SeededRandom& random)
{
    GeneratedPuzzle out;
    out.numGrids = request.puzzleType == 1 ? 1 : engine::kSamuraiGrids;
    random.seed(request.seed, static_cast<std::uint64_t>(index));
    generator.stats = {};

    const files::SymbolTable symbols;
    engine::PlainBoard board;
    PlainGeneratorBoard target(board, symbols);
    if (request.target) {
        SteadyClock clock;
        RatedGenerator rated(generator, clock);
        generator.keepGenerating = true;
        const RatedResult r =
            rated.generate(target, request.puzzleType, request.rating, *request.target, {}, request.limits);
        out.tries = 1;
        out.confirmed = r.end == RatedEnd::Found;
        out.outOfReach = r.end == RatedEnd::OutOfReach;
        out.rating = r.rating;
        out.attempts = r.attempts;
    }
    const int tries = request.target ? 0 : std::max(1, request.maxTries);
    for (int t = 0; t < tries && !out.confirmed; ++t) {
        ++out.tries;
        board.clear();
        generator.keepGenerating = true;
        generator.generatePuzzle(target, request.puzzleType, request.rating);
        out.confirmed = board.numGrids == out.numGrids && generator.testPuzzle(target);
    }
    for (int g = 0; g < out.numGrids; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = symbols.symbolToIndex(board.cell(g, c, r).text());
                out.values[static_cast<std::size_t>(g)][static_cast<std::size_t>(r * 9 + c)] =
                    static_cast<std::int8_t>(board.cell(g, c, r).text().empty() ? -1 : v);
            }
    out.stats = generator.stats;
    return out;
}

std::vector<GeneratedPuzzle> generateBatch(const BatchRequest& request, const ProgressFn& progress)
{
    const int count = std::max(0, request.count);
    std::vector<GeneratedPuzzle> results(static_cast<std::size_t>(count));
    std::atomic<int> next{0};
    std::mutex progressMutex;
    int done = 0;

    auto worker = [&] {
        engine::Solver solver;
        SeededRandom random;
        SteadyClock clock;
        Generator generator(solver, random, clock);
        for (int i = next++; i < count; i = next++) {
            results[static_cast<std::size_t>(i)] = generateOne(request, i, solver, generator, random);
            if (progress) {
                const std::lock_guard<std::mutex> lock(progressMutex);
                progress(++done, count);
            }
        }
    };

    const int jobs = std::clamp(request.jobs, 1, std::max(1, count));
    if (jobs == 1) {
        worker();
        return results;
    }
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(jobs));
    for (int j = 0; j < jobs; ++j) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
    return results;
}

} // namespace generator
