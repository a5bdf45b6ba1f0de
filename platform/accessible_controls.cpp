// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessible_controls.h"

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>

#include "picture_button.h"
#include "text_cell.h"

namespace platform {

namespace {

class CellAccessible : public QAccessibleWidget {
public:
    explicit CellAccessible(TextCell* cell) : QAccessibleWidget(cell, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* cell = static_cast<const TextCell*>(widget());
        const CellWording* wording = cell->wording();
        if (wording && t == QAccessible::Name) return wording->spokenName(*cell);
        if (wording && t == QAccessible::Value) return wording->spokenValue(*cell);
        if (t == QAccessible::Value) return cell->QLineEdit::text();
        return QAccessibleWidget::text(t);
    }
};

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(PictureButton* b) : QAccessibleWidget(b, QAccessible::Button) {}

    // The pictures are the button's looks, not parts of it.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const auto* b = static_cast<const PictureButton*>(widget());
        const int top = b->topVisible();
        if (top < 0) return QAccessibleWidget::text(t);
        // Pictures 0..2 show the command, 3..5 its Stop; the tooltip of the
        // first of each three says what it does.
        if (t == QAccessible::Name) return b->element(top).label();
        if (t == QAccessible::Description) return b->elementToolTip(top / 3 * 3);
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto* b = static_cast<const PictureButton*>(widget());
        s.disabled = s.disabled || b->topVisible() < 0 || b->element(b->topVisible()).look() == PictureLook::Greyed;
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction()) static_cast<PictureButton*>(widget())->press();
    }
};

QAccessibleInterface* controlFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("platform::TextCell")) return new CellAccessible(static_cast<TextCell*>(object));
    if (className == QLatin1String("platform::PictureButton"))
        return new ButtonAccessible(static_cast<PictureButton*>(object));
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlFactory);
        return true;
    }();
    (void)installed;
}

} // namespace platform
