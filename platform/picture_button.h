// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QWidget>
#include <array>

#include "twips.h"

namespace platform {

// How one picture of a button is drawn.
enum class PictureLook { Released, Pressed, Greyed };

// One picture of a button: a label drawn by the program in one look.
class PictureElement : public QWidget {
    Q_OBJECT
public:
    explicit PictureElement(QWidget* parent);

    void setPicture(const QString& label, PictureLook look);
    const QString& label() const { return label_; }
    PictureLook look() const { return look_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString label_;
    PictureLook look_ = PictureLook::Released;
};

// A command button made of six pictures stacked at one place; only the
// visible ones show, the last visible one on top. A press reports the index of
// the top visible picture, and the release reports that same index, even when
// the press itself swapped the pictures.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kElements = 6;

    explicit PictureButton(QWidget* parent);

    PictureElement& element(int i) { return *elements_.at(static_cast<std::size_t>(i)); }
    const PictureElement& element(int i) const { return *elements_.at(static_cast<std::size_t>(i)); }
    void setElementVisible(int i, bool visible);
    bool isElementVisible(int i) const { return !element(i).isHidden(); }
    // Index of the top visible picture, or -1.
    int topVisible() const;

    void setElementToolTip(int i, const QString& tip) { element(i).setToolTip(tip); }
    QString elementToolTip(int i) const { return element(i).toolTip(); }

    // A press and release of the top picture without the mouse: Space or
    // Enter while the button has the focus, or a screen reader's press.
    void press();

    const TwipsRect& twipsGeometry() const { return twipsRect_; }
    void setTwipsGeometry(const TwipsRect& r) { twipsRect_ = r; }

signals:
    void mouseDown(int index);
    void mouseUp(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::array<PictureElement*, kElements> elements_{};
    int pressed_ = -1;
    TwipsRect twipsRect_;
};

} // namespace platform
