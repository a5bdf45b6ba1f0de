// SPDX-License-Identifier: GPL-3.0-or-later
#include "rater.h"

#include "techniques.h"

namespace logic {

namespace {

using Finder = bool (*)(const CandidateGrid&, Step&, ChainFinder&);

struct FinderEntry {
    Technique technique; // the technique the finder is named by
    int minRating;       // the least rating the finder can give, tenths
    bool needsUnique;
    Finder find;
};

// Every finder, by the least rating it gives.
constexpr FinderEntry kFinders[] = {
    {Technique::FullHouse, 10, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findFullHouse(g, s); }},
    {Technique::HiddenSingleBox, 12, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSingleBox(g, s); }},
    {Technique::HiddenSingleLine, 15, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSingleLine(g, s); }},
    {Technique::DirectPointing, 17, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findDirectPointing(g, s, c); }},
    {Technique::DirectHiddenPair, 20, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findDirectHiddenSubset(g, 2, s, c); }},
    {Technique::NakedSingle, 23, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findNakedSingle(g, s); }},
    {Technique::DirectHiddenTriple, 25, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findDirectHiddenSubset(g, 3, s, c); }},
    {Technique::Pointing, 26, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findPointing(g, s, c); }},
    {Technique::Claiming, 28, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findClaiming(g, s, c); }},
    {Technique::NakedPair, 30, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findNakedSubset(g, 2, s, c); }},
    {Technique::XWing, 32, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findFish(g, 2, s, c); }},
    {Technique::HiddenPair, 34, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findHiddenSubset(g, 2, s, c); }},
    {Technique::NakedTriple, 36, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findNakedSubset(g, 3, s, c); }},
    {Technique::Swordfish, 38, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findFish(g, 3, s, c); }},
    {Technique::HiddenTriple, 40, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findHiddenSubset(g, 3, s, c); }},
    {Technique::Skyscraper, 40, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findSingleDigitPattern(g, Technique::Skyscraper, s, c); }},
    {Technique::TwoStringKite, 41, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findSingleDigitPattern(g, Technique::TwoStringKite, s, c); }},
    {Technique::XYWing, 42, false, [](const CandidateGrid& g, Step& s, ChainFinder& m) { return findXYWing(g, s, m); }},
    {Technique::TurbotFish, 42, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findSingleDigitPattern(g, Technique::TurbotFish, s, c); }},
    {Technique::XYZWing, 44, false, [](const CandidateGrid& g, Step& s, ChainFinder& m) { return findXYZWing(g, s, m); }},
    {Technique::WXYZWing, kWXYZRating, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findBigWing(g, 4, s, c); }},
    {Technique::VWXYZWing, kVWXYZRating, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findBigWing(g, 5, s, c); }},
    {Technique::UniqueRectangle, 45, true, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findUniqueRectangle(g, s); }},
    {Technique::NakedQuad, 50, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findNakedSubset(g, 4, s, c); }},
    {Technique::Jellyfish, 52, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findFish(g, 4, s, c); }},
    {Technique::HiddenQuad, 54, false, [](const CandidateGrid& g, Step& s, ChainFinder& c) { return findHiddenSubset(g, 4, s, c); }},
    {Technique::Bug, 56, true, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findBug(g, s); }},
    {Technique::BugTwo, 57, true, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findBugTwo(g, s); }},
    {Technique::XChain, 66, false, findXChain},
    {Technique::YCycle, 66, false, [](const CandidateGrid& g, Step& s, ChainFinder& m) { return findYCycle(g, s, m); }},
    {Technique::ForcingChain, 70, false, findForcingChain},
    {Technique::CellForcingChain, 80, false, findMultipleForcingChain},
    {Technique::DynamicForcingChain, 85, false, findDynamicForcingChain},
    {Technique::Trial, 100, false, findTrial},
};

} // namespace

bool findTechnique(Technique t, const CandidateGrid& g, Step& step, ChainFinder& chains)
{
    if (t == Technique::UnitForcingChain) t = Technique::CellForcingChain; // one finder does both
    chains.setRatingBelow(1000);
    for (const FinderEntry& f : kFinders)
        if (f.technique == t) return f.find(g, step, chains);
    return false;
}

Band bandOf(int rating)
{
    if (rating < 15) return Band::Easy;
    if (rating < 25) return Band::Medium;
    if (rating < 50) return Band::Hard;
    if (rating < 70) return Band::Fiendish;
    return Band::Diabolical;
}

std::string_view bandName(Band b)
{
    constexpr std::string_view names[] = {"Easy", "Medium", "Hard", "Fiendish", "Diabolical"};
    return names[static_cast<int>(b)];
}

bool Rater::nextStep(const CandidateGrid& g, Step& step)
{
    if (g.unsolved() == 0) return false;
    bool found = false;
    Step candidate;
    for (const FinderEntry& f : kFinders) {
        if (found && f.minRating >= step.rating) continue;
        if (f.needsUnique && !options_.unique) continue;
        if (f.technique == Technique::Trial && !options_.trial) continue;
        chains_.setRatingBelow(found ? step.rating : 1000);
        if (!f.find(g, candidate, chains_) || !candidate.proves()) continue;
        if (!found || candidate.rating < step.rating) {
            step = candidate;
            found = true;
        }
    }
    chains_.setRatingBelow(1000);
    return found;
}

Rating Rater::rate(CandidateGrid g, const StepFn& onStep, const std::atomic<bool>* stop)
{
    Rating result;
    if (g.broken()) return result;
    Step step;
    while (g.unsolved() > 0) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            result.stopped = true;
            return result;
        }
        if (!nextStep(g, step)) return result;
        if (onStep) onStep(g, step);
        // Every finder proves something new; should one ever fail to, the
        // rating ends unsolved rather than take the same step for ever.
        if (!applyStep(g, step)) return result;
        ++result.steps;
        ++result.used[static_cast<int>(step.technique)];
        if (step.rating > result.rating) {
            result.rating = step.rating;
            result.hardest = step.technique;
        }
    }
    result.solved = true;
    return result;
}

} // namespace logic
