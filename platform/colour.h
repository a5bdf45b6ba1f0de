// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>

#include "cell_control.h"

namespace platform {

// Between the board's 32-bit colours (red in the low byte) and Qt's colours.
QColor toQColor(engine::Colour c);
engine::Colour fromQColor(const QColor& c);

// Contrast of text against its background as the web's accessibility
// guidelines measure it: from 1 (the same) to 21 (black on white). Normal
// text wants kMinTextContrast at least.
constexpr double kMinTextContrast = 4.5;
double relativeLuminance(const QColor& c);
double contrastRatio(const QColor& a, const QColor& b);
// The colour to draw text in on a background: `text` when it stands out
// enough, else black or white, whichever stands out more.
QColor readableOn(const QColor& text, const QColor& background);

} // namespace platform
