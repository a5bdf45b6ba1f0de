// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour_sets.h"

namespace mainwindow {

using engine::rgb;

const std::vector<ColourSet>& colourSets()
{
    // Roles: working cell, known cell, text, grid lines, hints. Dark keeps
    // light text on dark cells; High contrast uses a sky blue for hints, far
    // from the red of a wrong entry for every common colour blindness.
    static const std::vector<ColourSet> sets{
        {"Corvel", files::defaultColours(), false},
        {"Dark", {rgb(34, 36, 40), rgb(72, 76, 86), rgb(236, 236, 236), rgb(150, 156, 166), rgb(0, 92, 140)}, true},
        {"High contrast", {rgb(255, 255, 255), rgb(200, 200, 200), rgb(0, 0, 0), rgb(0, 0, 0), rgb(86, 180, 233)}, true},
    };
    return sets;
}

const ColourSet* colourSetOf(const files::Colours& colours)
{
    for (const ColourSet& s : colourSets())
        if (s.colours == colours) return &s;
    return nullptr;
}

} // namespace mainwindow
