#include "text_cell.h"

#include <QKeyEvent>
#include <QPainter>

#include "colour.h"

namespace platform {

TextCell::TextCell(int index, QWidget* parent) : QLineEdit(parent), index_(index)
{
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
    connect(this, &QLineEdit::textChanged, this, [this] { emit changed(index_); });
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
    background_ = colour;
    applyPalette();
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

// Draws the cell itself: its background, the symbol centred in the whole cell
// (a line edit keeps room for its cursor, which pushes one character off
// centre), and a frame in the highlight colour while the cell has the focus.
void TextCell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(background_));
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight));
        const int w = std::max(2, width() / 14);
        pen.setWidth(w);
        p.setPen(pen);
        p.drawRect(rect().adjusted(w / 2, w / 2, -(w + 1) / 2, -(w + 1) / 2));
    }
    p.setPen(toQColor(textColour_));
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, QLineEdit::text());
}

} // namespace platform
