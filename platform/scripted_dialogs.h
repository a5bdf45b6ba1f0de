// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "dialogs.h"

namespace platform {

// Dialogs for tests: every request is recorded and answered from a queue of
// scripted answers. An empty queue gives OK for messages and "cancelled" for
// everything else.
class ScriptedDialogs final : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                        const QString& startFolder) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                        const QString& startName) override;
    std::optional<engine::Colour> chooseColour(QWidget* parent, engine::Colour initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void showHelp(QWidget* parent, const QString& path) override;
    // Hands the dialog to the next script (which may tick, type and press
    // buttons); with no script the dialog is rejected.
    int runModal(QDialog& dialog) override;

    std::vector<Message> messages;
    std::vector<QString> fileFilters;
    // Where each file dialog started, Open and Save As in turn: a folder, or
    // the name a Save As dialog offered.
    std::vector<QString> fileDialogStarts;
    std::vector<QString> helpFiles;
    int modalDialogsRun = 0;

    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<engine::Colour>> colourAnswers;
    std::deque<bool> printerAnswers;
    std::deque<std::function<void(QDialog&)>> modalScripts;
};

} // namespace platform
