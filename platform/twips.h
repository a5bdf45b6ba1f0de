// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// A rectangle in twips (1/1440 inch).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// The one conversion from twips to screen pixels, through the logical DPI.
class Twips {
public:
    static constexpr double kTwipsPerInch = 1440.0;

    explicit Twips(double logicalDpi = 96.0);
    // The primary screen's vertical logical DPI (96 when there is no screen).
    static Twips ofPrimaryScreen();

    int toPixels(double twips) const;
    // The same conversion with everything `factor` times as large: how the
    // window zooms. Fonts given in points follow through the same factor.
    Twips scaled(double factor) const { return Twips(dpi_ * factor); }

private:
    double dpi_;
};

// Board coordinates (twips inside the board frame) to pixels. A position is
// split into whole cell pitches from the board's origin and a rest, and each
// part is converted on its own, so every pitch is the same whole number of
// pixels: cells stay evenly spaced and lines land in the same gap pixels in
// both directions, whatever the DPI.
class BoardMapping {
public:
    BoardMapping() = default;
    BoardMapping(Twips twips, int originX, int originY, int pitch);

    int x(double twipsX) const { return axis(twipsX, originX_); }
    int y(double twipsY) const { return axis(twipsY, originY_); }
    int length(double twips) const { return twips_.toPixels(twips); }
    // A cell's side in pixels: its own size, but small enough to leave a gap
    // of at least kMinGapPixels to the next cell for a thick line.
    int cellLength(double twips) const;
    static constexpr int kMinGapPixels = 2;
    const Twips& twips() const { return twips_; }

private:
    int axis(double t, int origin) const;

    Twips twips_;
    int originX_ = 0;
    int originY_ = 0;
    int pitch_ = 1;
};

// Height of the primary screen in pixels (0 when there is no screen).
int screenHeightPixels();

} // namespace platform
