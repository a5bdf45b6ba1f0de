// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "dialogs.h"

namespace platform {

// Dialogs as the user sees them: Qt's message boxes and standard dialogs.
class QtDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                        const QString& startFolder) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                        const QString& startName) override;
    std::optional<engine::Colour> chooseColour(QWidget* parent, engine::Colour initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void showHelp(QWidget* parent, const QString& path) override;
    int runModal(QDialog& dialog) override;
};

} // namespace platform
