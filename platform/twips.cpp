// SPDX-License-Identifier: GPL-3.0-or-later
#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace platform {

Twips::Twips(double logicalDpi) : dpi_(logicalDpi > 0 ? logicalDpi : 96.0) {}

Twips Twips::ofPrimaryScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchY() : 96.0);
}

int Twips::toPixels(double twips) const
{
    return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch));
}

BoardMapping::BoardMapping(Twips twips, int originX, int originY, int pitch)
    : twips_(twips), originX_(originX), originY_(originY), pitch_(pitch > 0 ? pitch : 1)
{
}

int BoardMapping::axis(double t, int origin) const
{
    const double d = t - origin;
    const double k = std::floor(d / pitch_);
    const double rest = d - k * pitch_;
    return twips_.toPixels(origin) + static_cast<int>(k) * twips_.toPixels(pitch_) + twips_.toPixels(rest);
}

int BoardMapping::cellLength(double twips) const
{
    const int own = twips_.toPixels(twips);
    const int room = twips_.toPixels(pitch_) - kMinGapPixels;
    return own < room ? own : room;
}

int screenHeightPixels()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

} // namespace platform
