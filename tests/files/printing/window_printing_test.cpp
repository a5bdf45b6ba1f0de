#include <QAction>
#include <QPrinter>

#include "pdf_test_support.h"
#include "window_fixture.h"

namespace {

using PrintingWindow = WindowTest;

std::vector<std::string> allTexts(const mainwindow::frmMain& w)
{
    std::vector<std::string> texts;
    for (const platform::TextCell* c : w.textCells) texts.push_back(static_cast<const engine::CellControl&>(*c).text());
    return texts;
}

} // namespace

TEST_F(PrintingWindow, CancellingThePrintDialogPrintsNothingAndSaysNothing)
{
    mainwindow::frmMain& w = start();
    put(w, 0, "5");
    const auto before = allTexts(w);
    for (QAction* item : {w.mnuPrintLarge, w.mnuPrintSmall}) {
        dialogs.printerAnswers = {false};
        item->trigger();
        EXPECT_TRUE(dialogs.printerAnswers.empty()) << "the print dialog was not shown";
    }
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(allTexts(w), before);
    EXPECT_EQ(w.mnuPrintLarge->shortcut(), QKeySequence(QKeySequence::Print));
}

TEST_F(PrintingWindow, PrintsOnlyInSetupMode)
{
    mainwindow::frmMain& w = start();
    for (int mode : {mainwindow::kSolving, mainwindow::kAutoSolving, mainwindow::kGenerating}) {
        w.mode = mode;
        dialogs.printerAnswers = {false};
        w.mnuPrintLarge_Click();
        w.mnuPrintSmall_Click();
        EXPECT_EQ(dialogs.printerAnswers.size(), 1u) << mode;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintingWindow, PrintsTheBoardOnOnePageAndChangesNothing)
{
    mainwindow::frmMain& w = start();
    w.mnuSamurai_Click();
    put(w, 0, "5");
    put(w, 200, "9");
    const auto before = allTexts(w);
    for (const auto& [scale, size] : {std::pair{1.5, 18}, std::pair{1.0, 12}}) {
        const QString file = dir.filePath(QStringLiteral("page%1.pdf").arg(size));
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        ASSERT_TRUE(w.printBoardOn(printer, scale, size));
        const std::string pdf = fileBytes(file.toStdString());
        EXPECT_TRUE(looksLikePdf(pdf));
        EXPECT_EQ(pdfPageCount(pdf), 1);
    }
    EXPECT_EQ(allTexts(w), before);
    EXPECT_EQ(w.numGrids, 5);
    EXPECT_TRUE(dialogs.messages.empty());
}
