// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour.h"

#include <algorithm>
#include <cmath>

namespace platform {

QColor toQColor(engine::Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

engine::Colour fromQColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return engine::rgb(static_cast<unsigned>(rgb.red()), static_cast<unsigned>(rgb.green()),
                       static_cast<unsigned>(rgb.blue()));
}

double relativeLuminance(const QColor& c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& text, const QColor& background)
{
    if (contrastRatio(text, background) >= kMinTextContrast) return text;
    const QColor black(0, 0, 0), white(255, 255, 255);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

} // namespace platform
