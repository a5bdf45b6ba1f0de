// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "colour.h"

namespace platform {

MessageAnswer QtDialogs::message(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(messageCaption());
    box.setText(text);
    switch (icon) {
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<QString> QtDialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                              const QString& startFolder)
{
    const QString name = QFileDialog::getOpenFileName(parent, caption, startFolder, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                               const QString& startName)
{
    // The caller asks before replacing an existing file, so the user is asked
    // once, about the name it will really write.
    const QString name =
        QFileDialog::getSaveFileName(parent, caption, startName, filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<engine::Colour> QtDialogs::chooseColour(QWidget* parent, engine::Colour initial)
{
    const QColor c = QColorDialog::getColor(toQColor(initial), parent);
    if (!c.isValid()) return std::nullopt;
    return fromQColor(c);
}

bool QtDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::showHelp(QWidget* parent, const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        message(parent, QObject::tr("The help file %1 was not found.").arg(info.absoluteFilePath()),
                MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
        message(parent, QObject::tr("No viewer could open the help file %1.").arg(info.absoluteFilePath()),
                MessageIcon::Exclamation, MessageButtons::Ok);
}

int QtDialogs::runModal(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace platform
