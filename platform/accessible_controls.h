// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Lets screen readers see the board's own controls: a text cell by the name
// and value its CellWording gives, a picture button as a button named by its
// top picture, greyed when that is greyed, that can be pressed. Installed once;
// every call after the first does nothing.
void installAccessibleControls();

} // namespace platform
