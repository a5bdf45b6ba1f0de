// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPrinter>

#include "pdf_test_support.h"
#include "window_fixture.h"

TEST_F(WindowTest, PrintingAsksForAPrinterOnlyInSetupModeAndCancelledSaysNothing)
{
    auto& win = start();
    EXPECT_EQ(win.mnuPrintLarge->shortcut(), QKeySequence(QKeySequence::Print));
    for (int mode : {mainwindow::kSetup, mainwindow::kSolving, mainwindow::kAutoSolving, mainwindow::kGenerating})
        for (QAction* item : {win.mnuPrintLarge, win.mnuPrintSmall}) {
            win.mode = mode;
            dialogs.printerAnswers = {false}; // the print dialog is cancelled
            item->trigger();
            EXPECT_EQ(dialogs.printerAnswers.empty(), mode == mainwindow::kSetup) << mode;
        }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, PrintsTheBoardOnOnePageAndChangesNothing)
{
    auto& win = start(true);
    type(0, "5");
    type(200, "9");
    const auto before = texts();
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("page.pdf"));
    ASSERT_TRUE(win.printBoardOn(printer, 1.5, 18)); // Print Large
    EXPECT_TRUE(isOnePagePdf(fileBytes(path("page.pdf").toStdString())));
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_TRUE(dialogs.messages.empty());
}
