// SPDX-License-Identifier: GPL-3.0-or-later
// The Generate dialog and command, driven through scripted modal dialogs.
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

#include "frm_generate.h"
#include "plain_board.h"
#include "random_source.h"
#include "rater.h"
#include "solution_counter.h"
#include "window_fixture.h"

namespace {

using mainwindow::frmGenerate;

// A script that picks options in the Generate dialog and presses a button.
std::function<void(QDialog&)> choose(bool samurai, int level, bool create = true)
{
    return [=](QDialog& d) {
        auto& g = dynamic_cast<frmGenerate&>(d);
        (samurai ? g.rbSamurai : g.rb9x9)->click();
        (level == 1 ? g.rbEasy : level == 2 ? g.rbTesting : g.rbImpossible)->click();
        (create ? g.btnCreate : g.btnCancel)->click();
    };
}

// A script that asks for a rating band (0 Easy .. 4 Diabolical) with the
// arrow keys, checks that the levels grey out, and creates; limits, when set,
// bound the search.
std::function<void(QDialog&)> chooseBand(bool samurai, int band, std::optional<generator::RatedLimits> limits = {})
{
    return [=](QDialog& d) {
        auto& g = dynamic_cast<frmGenerate&>(d);
        (samurai ? g.rbSamurai : g.rb9x9)->click();
        g.cbRating->setFocus();
        for (int i = 0; i <= band; ++i) QTest::keyClick(g.cbRating, Qt::Key_Down);
        EXPECT_FALSE(g.frmDifficulty->isEnabled());
        g.ratedLimits = limits;
        g.btnCreate->click();
        EXPECT_EQ(g.getBand(), band);
    };
}

class GenerateTest : public WindowTest {
protected:
    mainwindow::frmMain& startSeeded(std::uint64_t seed)
    {
        auto& win = start();
        win.generatorRandom = std::make_shared<generator::SeededRandom>(seed);
        return win;
    }
    // The cells that hold a symbol, and the number of the board's solutions
    // (up to two) by the suite's own counter.
    int givens() const
    {
        const auto t = texts();
        return static_cast<int>(t.size() - std::count(t.begin(), t.end(), std::string()));
    }
    void copyBoard(engine::PlainBoard& board) const
    {
        board.numGrids = w->numGrids;
        for (int g = 0; g < w->numGrids; ++g)
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r) board.cell(g, c, r).setText(text(mainwindow::cellIndex(g, c, r)));
    }
    int solutions() const
    {
        engine::PlainBoard board;
        copyBoard(board);
        return countBoardSolutions(board, w->symbols);
    }
    // The board's rating by the rater, tenths.
    int rating() const
    {
        engine::PlainBoard board;
        copyBoard(board);
        logic::CandidateGrid g(logic::Geometry::forGrids(w->numGrids));
        EXPECT_TRUE(g.loadLine(puzzleLine(board, w->symbols)));
        return logic::Rater().rate(g).rating;
    }
};

TEST_F(GenerateTest, CancelOrCloseChangesNothingAndTheOptionsSayBoardAndLevel)
{
    auto& win = startSeeded(1);
    type(mainwindow::cellIndex(0, 3, 4), "7");
    win.currentFile = "kept.sdk";
    const std::vector<std::string> before = texts();
    dialogs.modalScripts.push_back(choose(true, 3, false));
    for (int i = 0; i < 2; ++i) win.mnuGenerate->trigger(); // Cancel, then closed without a button
    EXPECT_EQ(dialogs.modalDialogsRun, 2);
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(win.currentFile, "kept.sdk");
    EXPECT_TRUE(dialogs.messages.empty());
    expectIdle();
    for (const auto& [samurai, level] : {std::pair{false, 2}, std::pair{true, 3}, std::pair{true, 1}}) {
        frmGenerate g(nullptr);
        EXPECT_TRUE(g.rb9x9->isChecked() && g.rbEasy->isChecked());
        choose(samurai, level)(g);
        EXPECT_TRUE(!g.getCancel() && g.getType() == (samurai ? 2 : 1) && g.getRating() == level);
    }
}

TEST_F(GenerateTest, GeneratedPuzzlesHaveOneSolutionAndAFailedFinalCheckSaysSo)
{
    auto& win = startSeeded(20240611);
    win.currentFile = "old.sdk";
    dialogs.modalScripts.push_back(choose(false, 1));
    win.mnuGenerate->trigger();
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_TRUE(givens() >= 38 && givens() <= 40) << givens();
    EXPECT_EQ(solutions(), 1);
    EXPECT_EQ(win.currentFile, "");
    expectIdle();
    // Generate ends with its puzzle rated: the rating shows as it returns.
    const QLabel& label = *win.aids().lblRating;
    EXPECT_FALSE(win.aids().ratingPending());
    EXPECT_TRUE(label.text().endsWith(ratingOf(line()))) << label.text().toStdString();
    dialogs.modalScripts.push_back(choose(true, 2));
    win.mnuGenerate->trigger();
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_EQ(solutions(), 1);
    EXPECT_FALSE(win.aids().ratingPending());
    EXPECT_TRUE(label.text().endsWith(ratingOf(line()))) << label.text().toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
    expectIdle();

    // A failed final check says so and keeps the givens. On a standard board
    // only the final check marks its solver run; cutting that run short
    // makes the check fail without a Stop.
    const auto outer = win.solver.yield;
    win.solver.yield = [&] {
        outer();
        if (win.solverRunning && win.mode == mainwindow::kGenerating) win.solver.searching = false;
    };
    dialogs.modalScripts.push_back(choose(false, 1));
    win.mnuGenerate->trigger();
    expectMessage("Failed to generate - please try again", platform::MessageIcon::None);
    EXPECT_GE(givens(), 38);
    expectIdle();
}

TEST_F(GenerateTest, StopLeavesAnEmptyBoardAndTheCommandsWaitForTheGenerator)
{
    for (const bool samurai : {false, true}) {
        SCOPED_TRACE(samurai ? "Samurai" : "standard");
        auto& win = startSeeded(7);
        type(0, "5");
        // Each command the user may try while the stopped generation is
        // still unwinding: none of them may run.
        const std::vector<std::function<void()>> commands = {
            [&] { click(win.imgStart); }, [&] { emit win.imgStart->mouseUp(0); }, [&] { win.mnuGenerate_Click(); },
            [&] { win.mnuOpen_Click(); }};
        int yields = 0;
        const auto outer = win.solver.yield;
        win.solver.yield = [&] {
            outer();
            if (++yields != 3) return;
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            for (const auto& [seconds, marks] : {std::pair{0, ">"}, std::pair{7, ">>>>>>>>"}, std::pair{8, ">"}}) {
                win.elapsedSeconds = seconds;
                win.updateStatus();
                expectShows(QStringLiteral("Corvel is generating a puzzle ") + marks, "", "", {3, 2, 2, 2, 2});
            }
            EXPECT_EQ(win.imgStart->elementToolTip(3), "Stop the puzzle generator");
            click(win.imgStart); // Stop
            EXPECT_EQ(win.mode, mainwindow::kSetup);
            // Start is greyed, and Open and Generate wait, until the generator returns.
            expectShows("Stopping the puzzle generator", "", "", {2, 2, 2, 2, 2});
            EXPECT_FALSE(win.mnuOpen->isEnabled() || win.mnuGenerate->isEnabled());
            for (const auto& command : commands) {
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
        win.mnuGenerate->trigger();
        EXPECT_GE(yields, 3);
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_FALSE(win.keepGenerating);
        EXPECT_EQ(win.numGrids, 1);
        EXPECT_EQ(givens(), 0);
        expectIdle();
        EXPECT_EQ(win.lblStatus1->text(), "Setup Mode");
        EXPECT_EQ(win.lblStatus3->text(), QString());
    }
}

TEST_F(GenerateTest, ARatingBandGeneratesUntilFoundShowsProgressAndSaysWhenOutOfReach)
{
    auto& win = startSeeded(5);
    // Progress shows in the status line while the search runs; the puzzle
    // found has one solution, a rating in its band, and says so.
    bool progressShown = false;
    const auto outer = win.solver.yield;
    win.solver.yield = [&] {
        outer();
        progressShown = progressShown || win.lblStatus1->text().contains(QStringLiteral("Diabolical: 2 generated, "));
    };
    for (const bool samurai : {false, true}) {
        dialogs.modalScripts.push_back(chooseBand(samurai, 4));
        win.mnuGenerate->trigger();
        EXPECT_EQ(win.numGrids, samurai ? 5 : 1);
        EXPECT_EQ(solutions(), 1);
        const int r = rating();
        EXPECT_GE(r, 70);
        // The generator's rating shows at once, with nothing rated again.
        EXPECT_EQ(win.aids().shownRating(), r);
        EXPECT_EQ(win.lblStatus1->text(), QStringLiteral("Setup Mode  (rated %1.%2 Diabolical)").arg(r / 10).arg(r % 10));
        EXPECT_TRUE(dialogs.messages.empty());
        expectIdle();
    }
    EXPECT_TRUE(progressShown);

    // A band not found within the limits says so and leaves an empty board.
    dialogs.modalScripts.push_back(chooseBand(false, 4, generator::RatedLimits{2, 60}));
    win.mnuGenerate->trigger();
    expectMessage("No Diabolical puzzle was found (2 generated); please try another rating.",
                  platform::MessageIcon::Exclamation);
    EXPECT_EQ(givens(), 0);
    expectIdle();
}

TEST_F(GenerateTest, StopWhileTheGeneratedPuzzleIsRatedKeepsThePuzzleAndItsRatingFollows)
{
    auto& win = startSeeded(11);
    // The rating's first step shows at once, inside Generate's wait for it.
    win.aids().setInterimAfter(std::chrono::milliseconds(0));
    bool stopped = false;
    QObject::connect(&win.aids(), &mainwindow::TechniqueAids::ratingShown, &win, [&] {
        if (stopped || win.mode != mainwindow::kGenerating) return;
        stopped = true;
        EXPECT_TRUE(win.aids().ratingPending());
        click(win.imgStart); // Stop
        EXPECT_EQ(win.mode, mainwindow::kSetup);
        // Another generation asked for here does not start.
        const int dialogsBefore = dialogs.modalDialogsRun;
        dialogs.modalScripts.push_back(choose(false, 1));
        win.mnuGenerate_Click();
        EXPECT_EQ(dialogs.modalDialogsRun, dialogsBefore);
        dialogs.modalScripts.clear();
    });
    dialogs.modalScripts.push_back(choose(true, 3));
    win.mnuGenerate->trigger();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_EQ(solutions(), 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.lblStatus1->text(), "Setup Mode");
    EXPECT_TRUE(shownRating().endsWith(ratingOf(line()))) << shownRating().toStdString();
    expectIdle();
}

TEST_F(GenerateTest, StopEndsARatedGenerationFromInsideAYield)
{
    auto& win = startSeeded(3);
    int yields = 0;
    const auto outer = win.solver.yield;
    win.solver.yield = [&] {
        outer();
        if (++yields != 40) return;
        click(win.imgStart); // Stop
        EXPECT_EQ(win.mode, mainwindow::kSetup);
        // A second rated generation asked for inside the yield does not start.
        dialogs.modalScripts.push_back(chooseBand(false, 2));
        const int dialogsBefore = dialogs.modalDialogsRun;
        win.mnuGenerate_Click();
        EXPECT_EQ(dialogs.modalDialogsRun, dialogsBefore);
        dialogs.modalScripts.clear();
    };
    dialogs.modalScripts.push_back(chooseBand(false, 4));
    win.mnuGenerate->trigger();
    // The search ends with the attempt it stopped: a few yields more while
    // that attempt's solver run unwinds, not the next attempts'.
    EXPECT_GE(yields, 40);
    EXPECT_LE(yields, 50);
    EXPECT_FALSE(win.keepGenerating);
    EXPECT_EQ(givens(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.lblStatus1->text(), "Setup Mode");
    expectIdle();
}

} // namespace
