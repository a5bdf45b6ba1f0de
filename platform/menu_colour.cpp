// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_colour.h"

#include <QMenu>

#include "colour.h"

namespace platform {

bool applyMenuBarColour(QMenuBar* bar, engine::Colour colour)
{
    if (!bar) return false;
    const QString name = toQColor(colour).name();
    // A style sheet holds on every style, unlike the palette, which some
    // styles ignore for menus; it also reaches every submenu.
    bar->setStyleSheet(QStringLiteral("QMenuBar { background-color: %1; }"
                                      "QMenuBar::item { background: transparent; padding: 3px 8px; }"
                                      "QMenuBar::item:selected { background-color: %2; }"
                                      "QMenu { background-color: %1; border: 1px solid %3; }"
                                      "QMenu::item { padding: 3px 24px 3px 24px; }"
                                      "QMenu::item:selected { background-color: %2; }"
                                      "QMenu::item:disabled { color: #8a8d90; }")
                           .arg(name, toQColor(colour).darker(112).name(), toQColor(colour).darker(140).name()));
    return true;
}

} // namespace platform
