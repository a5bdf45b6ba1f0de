// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour.h"

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

} // namespace platform
