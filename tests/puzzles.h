// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Puzzles with their one solution, row by row ('.' empty); a Samurai puzzle
// is its grids 0 to 4 one after another.
namespace puzzles {
// A standard puzzle that propagation alone solves.
inline const std::string kEasy = "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
inline const std::string kEasySolution =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
// A standard puzzle that needs search.
inline const std::string kHard = "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..";
inline const std::string kHardSolution =
    "145327698839654127672918543496185372218473956753296481367542819984761235521839764";
inline const std::string kSamurai =
    ".82.7...54....86....1..2......6..9.2.2.....64.3....7....7.89..63....6..8.......4..5.24......."
    "5.9.63...1.74.5...7.2...6......97.4...8..19...7..1..3....87.167.2.....1.4.96.........83....5."
    ".1..31.4........9..7..6..1...8.835.2.....57..3..64..31...41..8...77..54.......1..9.2.3489.6.5"
    "2.5..........6.42..........5.2........745..13..672.9....8.6..3..4...81677...823.18..6.4.7.32."
    "1.56..6...9.41..83..67...1.......";
inline const std::string kSamuraiSolution =
    "682973415493518627571462893714635982825791364936824751247189536359246178168357249351246789472"
    "589163896137425513792648628451397749368251984673512235914876167825934318479652579126483426358"
    "917731845296852693174964217538183562749295784361647931825413289567729546138856173942134892675"
    "265714389978365421341927856582631794697458213536721984178469235249358167765982341891634572324"
    "175698652897413483516729917243856";

// Position k of a puzzle line as grid, column and row.
inline int gridOf(std::size_t k) { return static_cast<int>(k / 81); }
inline int colOf(std::size_t k) { return static_cast<int>(k % 9); }
inline int rowOf(std::size_t k) { return static_cast<int>(k % 81 / 9); }
// Position of (col, row) of grid g in a puzzle line.
inline std::size_t at(int g, int col, int row) { return static_cast<std::size_t>(81 * g + 9 * row + col); }
} // namespace puzzles
