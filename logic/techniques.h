// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "candidate_grid.h"
#include "step.h"

namespace logic {

// The chain techniques' working memory; some finders also keep there what
// they learnt of earlier positions.
class ChainFinder;

// Every finder looks at the position and, when its pattern is there, fills
// step with one instance of it (the easiest it finds) and returns true. A
// finder never changes the position and allocates nothing.

// Singles.
bool findFullHouse(const CandidateGrid& g, Step& step);
bool findHiddenSingleBox(const CandidateGrid& g, Step& step);
bool findHiddenSingleLine(const CandidateGrid& g, Step& step);
bool findNakedSingle(const CandidateGrid& g, Step& step);

// Locked candidates: a value of a box confined to one line (pointing), or of
// a line confined to one box (claiming). Direct pointing counts only when the
// removals leave a hidden single of that value in a box, which it then places.
bool findPointing(const CandidateGrid& g, Step& step);
bool findClaiming(const CandidateGrid& g, Step& step);
bool findDirectPointing(const CandidateGrid& g, Step& step);
// The same three, skipping the values that memory (the chain techniques'
// working memory) knows to give nothing.
bool findPointing(const CandidateGrid& g, Step& step, ChainFinder& memory);
bool findClaiming(const CandidateGrid& g, Step& step, ChainFinder& memory);
bool findDirectPointing(const CandidateGrid& g, Step& step, ChainFinder& memory);
// After removing `removed` (cells) for value v, a box through one of the
// removed cells with one place left for v: that place (its box in unit), or -1.
// The direct steps count only when they leave such a single.
int hiddenSingleAfter(const CandidateGrid& g, const CellSet& removed, int v, int& unit);

// Naked and hidden subsets of size 2..4 within one unit; the direct hidden
// pair and triple count only when their removals leave a hidden single in a
// box.
bool findNakedSubset(const CandidateGrid& g, int size, Step& step);
bool findHiddenSubset(const CandidateGrid& g, int size, Step& step);
bool findDirectHiddenSubset(const CandidateGrid& g, int size, Step& step);
// The same, skipping the units that memory (the chain techniques' working
// memory) knows to give nothing.
bool findNakedSubset(const CandidateGrid& g, int size, Step& step, ChainFinder& memory);
bool findHiddenSubset(const CandidateGrid& g, int size, Step& step, ChainFinder& memory);
bool findDirectHiddenSubset(const CandidateGrid& g, int size, Step& step, ChainFinder& memory);

// Basic fish of size 2 (X-Wing), 3 (Swordfish) and 4 (Jellyfish) on the rows
// and columns of one grid.
bool findFish(const CandidateGrid& g, int size, Step& step);
// The same, skipping the values that memory (the chain techniques' working
// memory) knows to give nothing.
bool findFish(const CandidateGrid& g, int size, Step& step, ChainFinder& memory);

// XY-Wing and XYZ-Wing; and the larger wings of 4 and 5 cells holding as many
// values, all but one of which see each other wherever they lie.
bool findXYWing(const CandidateGrid& g, Step& step);
bool findXYZWing(const CandidateGrid& g, Step& step);
bool findXYWing(const CandidateGrid& g, Step& step, ChainFinder& memory);
bool findXYZWing(const CandidateGrid& g, Step& step, ChainFinder& memory);
bool findBigWing(const CandidateGrid& g, int size, Step& step);
// The same, skipping the pivots that memory (the chain techniques' working
// memory) knows to give nothing.
bool findBigWing(const CandidateGrid& g, int size, Step& step, ChainFinder& memory);
constexpr int kWXYZRating = 55;
constexpr int kVWXYZRating = 63;

// Two strong links of one value joined by a weak link: Skyscraper (two
// parallel lines), Two-String Kite (a row and a column meeting in a box) and
// Turbot Fish (any other pair).
bool findSingleDigitPattern(const CandidateGrid& g, Technique kind, Step& step);
// The same, skipping the values that memory knows to give nothing.
bool findSingleDigitPattern(const CandidateGrid& g, Technique kind, Step& step, ChainFinder& memory);

// Patterns that hold only on a puzzle known to have one solution: unique
// rectangles and the bivalue universal grave.
bool findUniqueRectangle(const CandidateGrid& g, Step& step);
bool findBug(const CandidateGrid& g, Step& step);
// The grave with several three-valued cells sharing their extra value.
bool findBugTwo(const CandidateGrid& g, Step& step);

// Chains of strong and weak links; the rating grows with the length. X-chains
// keep to one value; forcing chains mix values and cells; cell and unit
// forcing chains follow every candidate of a cell or every place of a value in
// a unit to one conclusion; dynamic forcing chains follow an assumption
// through the singles it forces.
bool findXChain(const CandidateGrid& g, Step& step, ChainFinder& chains);
// A loop of bivalue cells linked by equal values.
bool findYCycle(const CandidateGrid& g, Step& step);
bool findYCycle(const CandidateGrid& g, Step& step, ChainFinder& memory);
bool findForcingChain(const CandidateGrid& g, Step& step, ChainFinder& chains);
bool findMultipleForcingChain(const CandidateGrid& g, Step& step, ChainFinder& chains);
bool findDynamicForcingChain(const CandidateGrid& g, Step& step, ChainFinder& chains);
// The last resort: a candidate whose assumption leaves no solution at all.
bool findTrial(const CandidateGrid& g, Step& step, ChainFinder& chains);

// Chain search rating: 0.1 more for every length threshold passed
// (4, 6, 8, 12, 16, 24, 32, ...), in tenths.
int lengthBonus(int length);

// Applies a step's placements and eliminations to the position: false when
// that changed nothing.
bool applyStep(CandidateGrid& g, const Step& step);


} // namespace logic
