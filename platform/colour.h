// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>

#include "cell_control.h"

namespace platform {

// Between the board's 32-bit colours (red in the low byte) and Qt's colours.
QColor toQColor(engine::Colour c);
engine::Colour fromQColor(const QColor& c);

} // namespace platform
