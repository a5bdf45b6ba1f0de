// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>
#include <vector>

#include "settings.h"

namespace mainwindow {

// A ready-made choice of the five board colours, offered in Preferences.
// Choosing one writes ordinary colours, as if each were picked by hand.
struct ColourSet {
    std::string_view name;
    files::Colours colours;
    // The set is meant for eyes that need more than colour: wrong entries and
    // hints are then also marked by shape.
    bool marksByShape = false;
};

const std::vector<ColourSet>& colourSets();
// The set whose colours these are, or nullptr for the user's own.
const ColourSet* colourSetOf(const files::Colours& colours);

} // namespace mainwindow
