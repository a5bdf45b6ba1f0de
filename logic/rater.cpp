#include "rater.h"

#include "techniques.h"

namespace logic {

namespace {

using Finder = bool (*)(const CandidateGrid&, Step&, ChainFinder&);

struct FinderEntry {
    int minRating; // the least rating the finder can give, tenths
    bool needsUnique;
    Finder find;
};

// Every finder, by the least rating it gives.
constexpr FinderEntry kFinders[] = {
    {10, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findFullHouse(g, s); }},
    {12, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSingleBox(g, s); }},
    {15, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSingleLine(g, s); }},
    {17, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findDirectPointing(g, s); }},
    {19, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findDirectClaiming(g, s); }},
    {20, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findDirectHiddenSubset(g, 2, s); }},
    {23, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findNakedSingle(g, s); }},
    {25, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findDirectHiddenSubset(g, 3, s); }},
    {26, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findPointing(g, s); }},
    {28, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findClaiming(g, s); }},
    {30, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findNakedSubset(g, 2, s); }},
    {32, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findFish(g, 2, s); }},
    {34, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSubset(g, 2, s); }},
    {36, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findNakedSubset(g, 3, s); }},
    {38, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findFish(g, 3, s); }},
    {40, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSubset(g, 3, s); }},
    {40, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findSingleDigitPattern(g, Technique::Skyscraper, s); }},
    {41, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findSingleDigitPattern(g, Technique::TwoStringKite, s); }},
    {42, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findXYWing(g, s); }},
    {42, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findSingleDigitPattern(g, Technique::TurbotFish, s); }},
    {44, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findXYZWing(g, s); }},
    {kWWingRating, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findWWing(g, s); }},
    {kWXYZRating, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findBigWing(g, 4, s); }},
    {kVWXYZRating, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findBigWing(g, 5, s); }},
    {45, true, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findUniqueRectangle(g, s); }},
    {50, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findNakedSubset(g, 4, s); }},
    {52, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findFish(g, 4, s); }},
    {54, false, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findHiddenSubset(g, 4, s); }},
    {56, true, [](const CandidateGrid& g, Step& s, ChainFinder&) { return findBug(g, s); }},
    {66, false, findXChain},
    {70, false, findForcingChain},
    {80, false, findMultipleForcingChain},
    {85, false, findDynamicForcingChain},
    {100, false, findTrial},
};

} // namespace

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
        if (!f.find(g, candidate, chains_) || !candidate.proves()) continue;
        if (!found || candidate.rating < step.rating) {
            step = candidate;
            found = true;
        }
    }
    return found;
}

Rating Rater::rate(CandidateGrid g, const std::function<void(const CandidateGrid&, const Step&)>& onStep)
{
    Rating result;
    if (g.broken()) return result;
    Step step;
    while (g.unsolved() > 0) {
        if (!nextStep(g, step)) return result;
        if (onStep) onStep(g, step);
        applyStep(g, step);
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
