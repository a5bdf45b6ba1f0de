// The Generate dialog and command, driven through scripted modal dialogs.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "cell_numbering.h"
#include "frm_generate.h"
#include "plain_board.h"
#include "play_fixture.h"
#include "random_source.h"

namespace {

using mainwindow::frmGenerate;

// A script that picks options in the Generate dialog and presses a button.
std::function<void(QDialog&)> choose(bool samurai, int level, bool create = true)
{
    return [=](QDialog& d) {
        auto& g = dynamic_cast<frmGenerate&>(d);
        (samurai ? g.rbSamurai : g.rb9x9)->setChecked(true);
        (level == 1 ? g.rbEasy : level == 2 ? g.rbTesting : g.rbImpossible)->setChecked(true);
        (create ? g.btnCreate : g.btnCancel)->click();
    };
}

class GenerateTest : public PlayTest {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    mainwindow::frmMain& startSeeded(std::uint64_t seed)
    {
        auto& win = start();
        win.generatorRandom = std::make_shared<generator::SeededRandom>(seed);
        return win;
    }

    std::vector<std::string> allTexts() const
    {
        std::vector<std::string> t;
        for (int i = 0; i < mainwindow::kCellCount; ++i) t.push_back(textOf(*w, i));
        return t;
    }

    // Givens on the grids in use (a shared cell counts once per grid).
    int givens() const
    {
        int n = 0;
        for (int g = 0; g < w->numGrids; ++g)
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r) n += !textOf(*w, mainwindow::cellIndex(g, c, r)).empty();
        return n;
    }

    // Counts the board's solutions (up to two) on a board of its own.
    int solutions() const
    {
        engine::PlainBoard board;
        board.numGrids = w->numGrids;
        for (int g = 0; g < w->numGrids; ++g)
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r) board.cell(g, c, r).setText(textOf(*w, mainwindow::cellIndex(g, c, r)));
        board.loadForSearch([this](const std::string& s) { return w->symbolToIndex(s); });
        engine::Solver solver;
        solver.searching = true;
        solver.numSolutions = 0;
        solver.runFCFFP(board.grids, board.numGrids, false, true);
        return solver.numSolutions;
    }

    void expectSetupAtRest()
    {
        EXPECT_EQ(w->mode, mainwindow::kSetup);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(w->timStopwatch->isActive());
        EXPECT_FALSE(w->generationRunning);
        EXPECT_TRUE(w->imgStart->isElementVisible(0));
        EXPECT_FALSE(w->imgStart->isElementVisible(4));
        EXPECT_TRUE(w->mnuFile->menuAction()->isEnabled());
    }
};

TEST_F(GenerateTest, TheDialogOpensOnItsDefaultsAndReadsItsOptions)
{
    frmGenerate d(nullptr);
    EXPECT_EQ(d.windowTitle(), "Puzzle Generator");
    EXPECT_TRUE(d.rb9x9->isChecked());
    EXPECT_TRUE(d.rbEasy->isChecked());
    EXPECT_FALSE(d.getCancel());
    EXPECT_EQ(d.btnCreate->text(), "Create Puzzle");
    EXPECT_EQ(d.btnCancel->text(), "Cancel");
    EXPECT_EQ(d.btnCreate->nextInFocusChain(), d.btnCancel);

    const struct {
        bool samurai;
        int level;
        int type, rating;
    } picks[] = {{false, 1, 1, 1}, {false, 2, 1, 2}, {true, 3, 2, 3}, {true, 1, 2, 1}};
    for (const auto& p : picks) {
        frmGenerate g(nullptr);
        choose(p.samurai, p.level)(g);
        EXPECT_FALSE(g.getCancel());
        EXPECT_EQ(g.getType(), p.type);
        EXPECT_EQ(g.getRating(), p.rating);
        EXPECT_EQ(g.result(), QDialog::Accepted);
    }
    frmGenerate cancelled(nullptr);
    cancelled.btnCancel->click();
    EXPECT_TRUE(cancelled.getCancel());
    frmGenerate closed(nullptr);
    closed.show();
    closed.close();
    EXPECT_TRUE(closed.getCancel());
}

TEST_F(GenerateTest, CancelOrCloseLeavesEverythingAsItWas)
{
    auto& win = startSeeded(1);
    win.cellEventsOn = false;
    put(win, mainwindow::cellIndex(0, 3, 4), "7");
    win.cellEventsOn = true;
    win.currentFile = "kept.sdk";
    const std::vector<std::string> before = allTexts();

    bool sawDefaults = true;
    // The first use picks other options, then cancels; every later use opens
    // on the defaults again.
    dialogs.modalScripts.push_back(choose(true, 3, false));
    dialogs.modalScripts.push_back([&](QDialog& d) {
        auto& g = dynamic_cast<frmGenerate&>(d);
        sawDefaults = g.rb9x9->isChecked() && g.rbEasy->isChecked();
        d.show();
        d.close();
    });
    win.mnuGenerate->trigger();
    win.mnuGenerate_Click();
    win.mnuGenerate_Click(); // no script: the dialog is dismissed
    EXPECT_EQ(dialogs.modalDialogsRun, 3);
    EXPECT_TRUE(sawDefaults);
    EXPECT_EQ(allTexts(), before);
    EXPECT_EQ(win.currentFile, "kept.sdk");
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_TRUE(dialogs.messages.empty());
    expectSetupAtRest();
}

TEST_F(GenerateTest, AGeneratedPuzzleOfEachBoardHasExactlyOneSolution)
{
    auto& win = startSeeded(20240611);
    win.currentFile = "old.sdk";

    dialogs.modalScripts.push_back(choose(false, 1));
    win.mnuGenerate_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_GE(givens(), 38);
    EXPECT_LE(givens(), 40);
    EXPECT_EQ(solutions(), 1);
    EXPECT_EQ(win.currentFile, "");
    EXPECT_TRUE(win.keepGenerating);
    expectSetupAtRest();

    dialogs.modalScripts.push_back(choose(true, 2));
    win.mnuGenerate_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_EQ(solutions(), 1);
    expectSetupAtRest();
}

TEST_F(GenerateTest, AFailedFinalCheckSaysSoAndKeepsTheGivens)
{
    auto& win = startSeeded(3);
    // On a standard board only the final check marks its solver run; cutting
    // that run short makes the check fail without a Stop.
    const auto outer = win.solver.yield;
    win.solver.yield = [&] {
        if (outer) outer();
        if (win.solverRunning && win.mode == mainwindow::kGenerating) win.solver.searching = false;
    };
    dialogs.modalScripts.push_back(choose(false, 1));
    win.mnuGenerate_Click();
    win.solver.yield = outer;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Failed to generate - please try again");
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::None);
    EXPECT_GE(givens(), 38);
    expectSetupAtRest();
}

TEST_F(GenerateTest, StopLeavesAnEmptyBoardAndNoMessageAndTheCommandsWaitForTheGenerator)
{
    for (const bool samurai : {false, true}) {
        SCOPED_TRACE(samurai ? "Samurai" : "standard");
        auto& win = startSeeded(7);
        win.cellEventsOn = false;
        put(win, mainwindow::cellIndex(0, 0, 0), "5");
        win.cellEventsOn = true;
        dialogs.openAnswers.clear();
        dialogs.fileFilters.clear();

        // Each command the user may try while the stopped generation is
        // still unwinding: none of them may run.
        const std::vector<std::pair<const char*, std::function<void()>>> commands = {
            {"a click on Start", [&] { click(win.imgStart); }},
            {"a release on Start's live picture", [&] { emit win.imgStart->mouseUp(0); }},
            {"Generate from the menu", [&] { win.mnuGenerate->trigger(); }},
            {"Generate called", [&] { win.mnuGenerate_Click(); }},
            {"Open from the menu", [&] { win.mnuOpen->trigger(); }},
            {"Open called", [&] { win.mnuOpen_Click(); }},
        };
        int yields = 0;
        bool busyPointer = false, stopShown = false, fileMenuOff = false;
        QString status, stoppingStatus;
        std::vector<int> startAfterStop;
        const auto outer = win.solver.yield;
        win.solver.yield = [&] {
            if (outer) outer();
            if (++yields != 3) return;
            busyPointer = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            stopShown = win.imgStart->isElementVisible(3);
            fileMenuOff = !win.mnuFile->menuAction()->isEnabled();
            status = win.lblStatus1->text();
            click(win.imgStart); // Stop
            EXPECT_EQ(win.mode, mainwindow::kSetup);
            startAfterStop = visibleElements(win.imgStart);
            stoppingStatus = win.lblStatus1->text();
            EXPECT_FALSE(win.mnuFile->menuAction()->isEnabled());
            EXPECT_FALSE(win.mnuOpen->isEnabled());
            EXPECT_FALSE(win.mnuGenerate->isEnabled());
            EXPECT_TRUE(win.imgFindSolution->isElementVisible(2));
            for (const auto& [name, command] : commands) {
                SCOPED_TRACE(name);
                dialogs.openAnswers.push_back(path("never.sdk"));
                const int dialogsBefore = dialogs.modalDialogsRun;
                command();
                dialogs.openAnswers.clear();
                EXPECT_EQ(dialogs.modalDialogsRun, dialogsBefore);
                EXPECT_TRUE(dialogs.fileFilters.empty());
                EXPECT_EQ(win.mode, mainwindow::kSetup);
                EXPECT_FALSE(win.timStopwatch->isActive());
            }
        };
        dialogs.modalScripts.push_back(choose(samurai, 1));
        win.mnuGenerate_Click();
        win.solver.yield = outer;

        EXPECT_GE(yields, 3);
        EXPECT_TRUE(busyPointer);
        EXPECT_TRUE(stopShown);
        EXPECT_TRUE(fileMenuOff);
        EXPECT_TRUE(status.startsWith(QStringLiteral("Corvel is generating a puzzle >"))) << status.toStdString();
        EXPECT_EQ(startAfterStop, std::vector<int>{2}) << "Start is greyed until the generator returns";
        EXPECT_EQ(stoppingStatus, QStringLiteral("Stopping the puzzle generator"));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_FALSE(win.keepGenerating);
        EXPECT_EQ(win.numGrids, 1);
        EXPECT_EQ(givens(), 0);
        expectSetupAtRest();
        EXPECT_EQ(visibleElements(win.imgStart), std::vector<int>{0});
        EXPECT_TRUE(win.mnuOpen->isEnabled());
        EXPECT_TRUE(win.mnuGenerate->isEnabled());
        EXPECT_EQ(win.lblStatus1->text(), QStringLiteral("Setup Mode"));
        EXPECT_EQ(win.lblStatus3->text(), QString());
    }
}

} // namespace
