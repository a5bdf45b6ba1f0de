// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace engine {

// 32-bit colour, red in the low byte, then green, then blue.
using Colour = std::uint32_t;

constexpr Colour rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// What a grid needs of a cell on the board: its text, its background and its
// visibility. The window's text boxes implement it; tests and the command-line
// tool use PlainCell.
class CellControl {
public:
    virtual ~CellControl() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual Colour background() const = 0;
    virtual void setBackground(Colour colour) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

// A cell that only remembers what it was told.
class PlainCell final : public CellControl {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    Colour background() const override { return background_; }
    void setBackground(Colour colour) override { background_ = colour; }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }

private:
    std::string text_;
    Colour background_ = 0xFFFFFF;
    bool visible_ = true;
};

} // namespace engine
