// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_export.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "painter_page_surface.h"

namespace platform {

namespace {

// Keeps Qt's notes about the environment (no runtime folder, no session)
// off a command-line tool's error output; real failures come back as errors.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
}

// A GUI application for the fonts, made only when the program has none.
struct PrivateGui {
    QtMessageHandler previous = nullptr; // nullptr: Qt's own handler
    std::unique_ptr<QGuiApplication> app;
    ~PrivateGui()
    {
        app.reset();
        qInstallMessageHandler(previous);
    }
};

std::unique_ptr<PrivateGui> guiForPainting(std::string& error)
{
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            error = "a non-GUI application object is running";
        return nullptr;
    }
    // A command-line run never needs a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "corvel-cli";
    static char* argv[] = {name, nullptr};
    auto gui = std::make_unique<PrivateGui>();
    gui->previous = qInstallMessageHandler(quietMessages);
    gui->app = std::make_unique<QGuiApplication>(argc, argv);
    return gui;
}

} // namespace

bool writePuzzlePdf(const std::string& path, const files::PrintBoard& board, files::PrintLayout layout,
                    std::string& error)
{
    error.clear();
    const std::unique_ptr<PrivateGui> gui = guiForPainting(error);
    if (!error.empty()) return false;

    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Corvel"));
        writer.setTitle(QStringLiteral("Sudoku puzzle"));
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0)); // page units start at the paper's corner
        PainterPageSurface page(writer);
        if (!page.started()) {
            error = "cannot start a PDF page for " + path;
            file.cancelWriting();
            return false;
        }
        drawn = files::printPuzzle(page, board, layout);
    }
    if (!drawn) {
        file.cancelWriting();
        error = "drawing the page into " + path + " failed";
        return false;
    }
    if (!file.commit()) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace platform
