// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_dialogs.h"

#include <QDialog>

namespace platform {

namespace {
template <class T> T next(std::deque<T>& queue, const T& fallback)
{
    if (queue.empty()) return fallback;
    const T answer = queue.front();
    queue.pop_front();
    return answer;
}
} // namespace

MessageAnswer ScriptedDialogs::message(QWidget*, const QString& text, MessageIcon icon, MessageButtons buttons)
{
    messages.push_back({text, icon, buttons});
    return next(messageAnswers, MessageAnswer::Ok);
}

std::optional<QString> ScriptedDialogs::openFileName(QWidget*, const QString&, const QString& filter,
                                                     const QString& startFolder)
{
    fileFilters.push_back(filter);
    fileDialogStarts.push_back(startFolder);
    return next(openAnswers, std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::saveFileName(QWidget*, const QString&, const QString& filter,
                                                     const QString& startName)
{
    fileFilters.push_back(filter);
    fileDialogStarts.push_back(startName);
    return next(saveAnswers, std::optional<QString>());
}

std::optional<engine::Colour> ScriptedDialogs::chooseColour(QWidget*, engine::Colour)
{
    return next(colourAnswers, std::optional<engine::Colour>());
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter&)
{
    return next(printerAnswers, false);
}

void ScriptedDialogs::showHelp(QWidget*, const QString& path)
{
    helpFiles.push_back(path);
}

int ScriptedDialogs::runModal(QDialog& dialog)
{
    ++modalDialogsRun;
    dialog.setResult(QDialog::Rejected);
    auto script = next(modalScripts, std::function<void(QDialog&)>());
    if (script)
        script(dialog);
    else
        dialog.reject();
    return dialog.result();
}

} // namespace platform
