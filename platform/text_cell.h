// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLineEdit>
#include <array>
#include <cstdint>
#include <string>

#include "cell_control.h"
#include "twips.h"

class QPainter;

namespace platform {

// A cell's part in a step the program explains: one of the pattern's cells,
// or the cell the step fills.
enum class StepRole : std::uint8_t { None, Pattern, Fill };

// What a cell draws over its background to help the player. The background
// colour itself never changes for it: it keeps telling givens, entries, hints
// and wrong entries apart.
struct CellOverlay {
    // Pencil marks: the symbol noted at each place of a 3x3 arrangement
    // (index 0 top left, 8 bottom right); empty where there is none.
    std::array<QString, 9> marks;
    // The cell holds the symbol of the focused cell: a frame.
    bool sameSymbol = false;
    // The cell lies in a row, column or box of the focused cell: a light shade.
    bool unitShade = false;
    // An explained step: a frame in the role's colour, the symbols it is
    // about (the pattern's candidates, or the value it places) in that colour,
    // and the candidates it removes struck out; at the places of the marks.
    StepRole stepRole = StepRole::None;
    std::array<QString, 9> stepMarks;
    std::array<QString, 9> removedMarks;
    bool operator==(const CellOverlay&) const = default;
};

class TextCell;

// Words a cell for a screen reader: where it is (its accessible name) and
// what it holds (its accessible value). The window knows both.
class CellWording {
public:
    virtual ~CellWording() = default;
    virtual QString spokenName(const TextCell& cell) const = 0;
    virtual QString spokenValue(const TextCell& cell) const = 0;
};

// One board cell: a single-line, one-character, centred text box that the
// grids see as an engine::CellControl. Its place is kept in twips; the board
// frame turns it into pixels. Use the QLineEdit base for Qt's own text API.
class TextCell : public QLineEdit, public engine::CellControl {
    Q_OBJECT
public:
    TextCell(int index, QWidget* parent);

    int index() const { return index_; }

    // engine::CellControl
    std::string text() const override;
    void setText(const std::string& text) override;
    engine::Colour background() const override { return background_; }
    void setBackground(engine::Colour colour) override;
    // The control's own visibility flag, whether or not its window shows.
    bool isVisible() const override { return !isHidden(); }
    void setVisible(bool visible) override { QLineEdit::setVisible(visible); }

    engine::Colour textColour() const { return textColour_; }
    void setTextColour(engine::Colour colour);
    void setFontPointSize(double points);

    // The colour the cell's symbol and marks are drawn in: the text colour,
    // unless it would not stand out from the background.
    QColor drawnTextColour() const;
    // The colour the cell is filled with: its background, shaded when it
    // lies in the focused cell's units, unless the shade would make the
    // symbol hard to read.
    QColor drawnBackground() const;

    // Wrong entries and hints marked by shape as well as by colour: a cell
    // of background `wrong` is struck through, one of `hint` gets a corner.
    void setShapeMarks(bool on, engine::Colour wrong, engine::Colour hint);
    bool shapeMarked() const { return shapeMarks_ && (background_ == wrongColour_ || background_ == hintColour_); }

    const CellOverlay& overlay() const { return overlay_; }
    void setOverlay(const CellOverlay& overlay);

    const TwipsRect& twipsGeometry() const { return twipsRect_; }
    void setTwipsGeometry(const TwipsRect& r) { twipsRect_ = r; }

    // Accessibility (accessible_controls.h): what a screen reader says.
    const CellWording* wording() const { return wording_; }
    void setWording(const CellWording* wording) { wording_ = wording; }
    // Tells a screen reader that what the cell holds (its text, colour or
    // marks) has changed.
    void announceValue();

signals:
    // Every key pressed while the cell has the focus, before the cell acts on it.
    void keyDown(int index, int key, Qt::KeyboardModifiers modifiers);
    // The text changed, by typing or by the program.
    void changed(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyPalette();
    void paintMarks(QPainter& p);
    void paintShapeMark(QPainter& p, int lineWidth);

    int index_;
    engine::Colour background_ = 0xFFFFFF;
    engine::Colour textColour_ = 0;
    TwipsRect twipsRect_;
    CellOverlay overlay_;
    const CellWording* wording_ = nullptr;
    bool shapeMarks_ = false;
    engine::Colour wrongColour_ = 0;
    engine::Colour hintColour_ = 0;
};

} // namespace platform
