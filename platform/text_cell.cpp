// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_cell.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

#include "accessible_controls.h"
#include "colour.h"

namespace platform {

namespace {

// Violet for a step's pattern (apart from the blue of the focus), green for
// the cell it fills.
QColor stepColour(StepRole role)
{
    return role == StepRole::Fill ? QColor(0, 145, 60) : QColor(130, 45, 200);
}

} // namespace

TextCell::TextCell(int index, QWidget* parent) : QLineEdit(parent), index_(index)
{
    // Before anything below asks for the cell's accessible interface.
    installAccessibleControls();
    setMaxLength(1);
    setAlignment(Qt::AlignCenter);
    setFrame(false);
    setAutoFillBackground(true);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPointSizeF(8.25);
    setFont(f);
    applyPalette();
    connect(this, &QLineEdit::textChanged, this, [this] {
        emit changed(index_);
        announceValue();
    });
}

void TextCell::announceValue()
{
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* me = QAccessible::queryAccessibleInterface(this);
    if (!me) return;
    QAccessibleValueChangeEvent event(this, me->text(QAccessible::Value));
    QAccessible::updateAccessibility(&event);
}

std::string TextCell::text() const
{
    return QLineEdit::text().toStdString();
}

void TextCell::setText(const std::string& text)
{
    QLineEdit::setText(QString::fromStdString(text));
}

void TextCell::setBackground(engine::Colour colour)
{
    const bool changed = colour != background_;
    background_ = colour;
    applyPalette();
    if (changed) announceValue();
}

void TextCell::setTextColour(engine::Colour colour)
{
    textColour_ = colour;
    applyPalette();
}

void TextCell::setFontPointSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

QColor TextCell::drawnTextColour() const
{
    return readableOn(toQColor(textColour_), toQColor(background_));
}

QColor TextCell::drawnBackground() const
{
    const QColor plain = toQColor(background_);
    if (!overlay_.unitShade) return plain;
    // A light wash of the highlight colour.
    const QColor h = palette().color(QPalette::Highlight);
    const double a = 40 / 255.0;
    QColor shaded;
    shaded.setRgbF(plain.redF() + (h.redF() - plain.redF()) * a, plain.greenF() + (h.greenF() - plain.greenF()) * a,
                   plain.blueF() + (h.blueF() - plain.blueF()) * a);
    return contrastRatio(drawnTextColour(), shaded) >= kMinTextContrast ? shaded : plain;
}

void TextCell::setShapeMarks(bool on, engine::Colour wrong, engine::Colour hint)
{
    if (on == shapeMarks_ && wrong == wrongColour_ && hint == hintColour_) return;
    shapeMarks_ = on;
    wrongColour_ = wrong;
    hintColour_ = hint;
    update();
}

void TextCell::applyPalette()
{
    QPalette p = palette();
    const QColor bg = toQColor(background_);
    const QColor fg = toQColor(textColour_);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, bg);
        p.setColor(group, QPalette::Window, bg);
        p.setColor(group, QPalette::Text, fg);
    }
    setPalette(p);
}

void TextCell::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(index_, event->key(), event->modifiers());
    // A cell holds one character: a symbol typed into a filled cell replaces
    // what it holds (a line edit would refuse it as too long).
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        selectAll();
    QLineEdit::keyPressEvent(event);
}

void TextCell::setOverlay(const CellOverlay& overlay)
{
    if (overlay == overlay_) return;
    const bool marksChanged = overlay.marks != overlay_.marks;
    overlay_ = overlay;
    update();
    if (marksChanged) announceValue();
}

// Draws the cell itself: its background, the overlays of the play aids, the
// symbol centred in the whole cell (a line edit keeps room for its cursor,
// which pushes one character off centre) or else its pencil marks, and a
// frame in the highlight colour while the cell has the focus.
void TextCell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), drawnBackground());
    const QColor highlight = palette().color(QPalette::Highlight);
    const int w = std::max(2, width() / 14);
    if (overlay_.sameSymbol) {
        QPen pen(QColor(235, 140, 0));
        pen.setWidth(w);
        p.setPen(pen);
        p.drawRect(rect().adjusted(w / 2, w / 2, -(w + 1) / 2, -(w + 1) / 2));
    }
    if (overlay_.stepRole != StepRole::None) {
        // A step's cells are empty, so this frame and the same-symbol one
        // never meet; the focus frame goes over it.
        QPen pen(stepColour(overlay_.stepRole));
        pen.setWidth(w);
        p.setPen(pen);
        p.drawRect(rect().adjusted(w / 2, w / 2, -(w + 1) / 2, -(w + 1) / 2));
    }
    if (hasFocus()) {
        QPen pen(highlight);
        pen.setWidth(w);
        p.setPen(pen);
        p.drawRect(rect().adjusted(w / 2, w / 2, -(w + 1) / 2, -(w + 1) / 2));
    }
    p.setPen(drawnTextColour());
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, QLineEdit::text());
    paintMarks(p);
    if (shapeMarked()) paintShapeMark(p, w);
}

// A wrong entry: a stroke across the cell from corner to corner, behind which
// the symbol stays legible. A hint: a triangle in the top right corner.
void TextCell::paintShapeMark(QPainter& p, int lineWidth)
{
    const QColor ink = drawnTextColour();
    p.setRenderHint(QPainter::Antialiasing);
    if (background_ == wrongColour_) {
        QPen pen(ink);
        pen.setWidthF(std::max(1.5, lineWidth * 0.75));
        p.setPen(pen);
        const int m = lineWidth + 1;
        p.drawLine(QPoint(m, height() - 1 - m), QPoint(width() - 1 - m, m));
    } else {
        const int side = std::max(5, width() / 4);
        const QPoint corner(width(), 0);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygon({corner, corner - QPoint(side, 0), corner + QPoint(0, side)}));
    }
}

// Pencil marks: small symbols in the text colour, each at its place of a 3x3
// arrangement inside the cell. An explained step's symbols take the place of
// the marks: its own in its colour and bold, those it removes red and struck.
void TextCell::paintMarks(QPainter& p)
{
    const QRect area = rect().adjusted(1, 1, -1, -1);
    QFont small = font();
    small.setBold(false);
    // A line as high as a place: marks of neighbouring rows never touch.
    small.setPixelSize(std::max(7, area.height() / 3));
    p.setFont(small);
    // A step's symbols are larger and bold, to be read at a glance.
    QFont bold = small;
    bold.setBold(true);
    bold.setPixelSize(std::max(8, area.height() / 2));
    const QColor text = drawnTextColour();
    // A step's symbols keep clear of the frame round the cell.
    const int inset = std::max(2, width() / 14) + 1;
    const QRect stepArea = rect().adjusted(inset, inset, -inset, -inset);
    auto placeOf = [](const QRect& r, int k) {
        return QRect(r.left() + r.width() * (k % 3) / 3, r.top() + r.height() * (k / 3) / 3, r.width() / 3,
                     r.height() / 3);
    };
    for (int k = 0; k < 9; ++k) {
        const auto at = static_cast<std::size_t>(k);
        if (!overlay_.removedMarks[at].isEmpty()) {
            const QRect place = placeOf(stepArea, k);
            const QColor red(215, 0, 0);
            p.setFont(bold);
            p.setPen(red);
            p.drawText(place, Qt::AlignCenter | Qt::TextDontClip, overlay_.removedMarks[at]);
            QPen strike(red);
            strike.setWidthF(std::max(1.5, area.width() / 24.0));
            p.setPen(strike);
            p.drawLine(place.bottomLeft(), place.topRight());
        } else if (!overlay_.stepMarks[at].isEmpty()) {
            p.setFont(bold);
            p.setPen(stepColour(overlay_.stepRole));
            p.drawText(placeOf(stepArea, k), Qt::AlignCenter | Qt::TextDontClip, overlay_.stepMarks[at]);
        } else if (!overlay_.marks[at].isEmpty()) {
            p.setFont(small);
            p.setPen(text);
            p.drawText(placeOf(area, k), Qt::AlignCenter | Qt::TextDontClip, overlay_.marks[at]);
        }
    }
}

} // namespace platform
