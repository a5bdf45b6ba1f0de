// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <optional>

#include "cell_control.h"

class QDialog;
class QPrinter;
class QWidget;

namespace platform {

// The three styles of message box.
enum class MessageIcon { Critical, Exclamation, None };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// Every message box, standard dialog and modal dialog of the program goes
// through this interface, so that tests can answer them without a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;
    // A file name, or nothing when the user cancels. filter is in Qt's form,
    // e.g. "Sudoku Puzzle (*.sdk)"; the dialog starts in startFolder.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                                const QString& startFolder) = 0;
    // startName is the name the dialog starts with: a file's path, or a
    // folder to start in.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                                const QString& startName) = 0;
    // A colour, or nothing when the chooser is cancelled.
    virtual std::optional<engine::Colour> chooseColour(QWidget* parent, engine::Colour initial) = 0;
    // Lets the user pick and set up a printer; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Opens a help file at its contents.
    virtual void showHelp(QWidget* parent, const QString& path) = 0;
    // Runs one of the program's own dialogs modally; returns its result code
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int runModal(QDialog& dialog) = 0;
};

// The caption of every message box.
QString messageCaption();

} // namespace platform
