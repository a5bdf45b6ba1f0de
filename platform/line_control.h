// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "cell_control.h"

namespace platform {

// A straight line on the board frame, given by its two end points in twips.
// The frame paints it; a vertical line has x1 == x2, a horizontal one y1 == y2.
struct LineControl {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    engine::Colour colour = 0;
    int widthPixels = 1;
    bool visible = false;
};

} // namespace platform
