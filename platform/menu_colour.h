// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMenuBar>

#include "cell_control.h"

namespace platform {

// Makes the colour the background of the menu bar and of all its menus.
// Returns false when there is no menu bar to colour.
bool applyMenuBarColour(QMenuBar* bar, engine::Colour colour);

} // namespace platform
