// SPDX-License-Identifier: GPL-3.0-or-later
// Pencil marks, Undo and Redo, and highlighting: keys pressed in the cells of
// the shown window, its menu items and picture buttons.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QScreen>
#include <QSignalSpy>
#include <algorithm>
#include <random>
#include <set>

#include "board_speech.h"
#include "candidate_grid.h"

#include "colour.h"
#include "frm_generate.h"
#include "game_state.h"
#include "random_source.h"
#include "window_fixture.h"

namespace {

using mainwindow::cellIndex;
using mainwindow::kCellCount;

class PlayTest : public WindowTest {
protected:
    // Shown and active, so that keys reach the menus' shortcuts and focus
    // changes reach the cells.
    mainwindow::frmMain& play(bool samurai = false)
    {
        start(samurai);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return *w;
    }
    mainwindow::GameState& game() const { return w->game(); }
    void key(int i, char k, Qt::KeyboardModifiers m = {}) const
    {
        k == '\b' ? QTest::keyClick(cell(i), Qt::Key_Backspace) : QTest::keyClick(cell(i), k, m);
    }
    void undo(int i) const { QTest::keySequence(cell(i), game().mnuUndo->shortcut()); }
    void redo(int i) const { QTest::keySequence(cell(i), game().mnuRedo->shortcut()); }
    // The marks the cells draw, a comma after each cell's.
    std::string drawnMarks(const std::vector<int>& cells) const
    {
        std::string s;
        for (int i : cells) {
            for (const QString& m : cell(i)->overlay().marks) s += m.toStdString();
            s += ",";
        }
        return s;
    }
    // Every cell's text and background, and the marks it draws.
    std::vector<std::string> board(bool marks = true) const
    {
        std::vector<std::string> b;
        for (int i = 0; i < kCellCount; ++i)
            b.push_back(text(i) + "|" + std::to_string(background(i)) + (marks ? "|" + drawnMarks({i}) : ""));
        return b;
    }
    // What the cells draw of an explained step, checked against the
    // solution: a filled cell shows its solution's symbol, and no removed
    // candidate is the solution's.
    struct StepShown {
        int pattern = 0, fills = 0, removed = 0;
        bool sound = true;
        bool operator==(const StepShown&) const = default;
    };
    StepShown stepShown(const std::string& solution) const
    {
        StepShown n;
        std::set<int> seen;
        for (std::size_t k = 0; k < solution.size(); ++k) {
            if (!seen.insert(cellOf(k)).second) continue;
            const platform::CellOverlay& o = cell(cellOf(k))->overlay();
            const QString right(QChar(solution[k]));
            n.pattern += o.stepRole == platform::StepRole::Pattern;
            if (o.stepRole == platform::StepRole::Fill) {
                ++n.fills;
                n.sound = n.sound && o.stepMarks.at(static_cast<std::size_t>(solution[k] - '1')) == right;
            }
            for (const QString& m : o.removedMarks) {
                n.removed += !m.isEmpty();
                n.sound = n.sound && m != right;
            }
        }
        return n;
    }
    void explain(int focus) const { QTest::keyClick(cell(focus), Qt::Key_F2); }
    std::vector<int> where(bool platform::CellOverlay::*flag) const
    {
        std::vector<int> v;
        for (int i = 0; i < kCellCount; ++i)
            if (cell(i)->overlay().*flag) v.push_back(i);
        return v;
    }
};

TEST_F(PlayTest, MarksAreNeverEntriesAndAnEntryTakesItsMarkFromItsUnitsInEveryGrid)
{
    auto& win = play(true);
    // Cell 60 is grid 0's (6, 6) and the centre's (0, 0); the first five
    // cells share a unit with it, the last three none.
    const int shared = 60, a = cellIndex(0, 0, 6);
    const std::vector<int> cells = {a, cellIndex(0, 8, 8), cellIndex(4, 4, 0), cellIndex(4, 0, 8),
                                    cellIndex(1, 0, 6), cellIndex(0, 0, 0), cellIndex(1, 3, 6), cellIndex(4, 4, 4)};
    dialogs.saveAnswers = {path("before.sdk"), path("after.sdk")};
    win.mnuSaveAs->trigger();
    const auto before = board(false);

    // N switches Notes, in the menu and the status line alike; typed symbols
    // then toggle marks. Ctrl+symbol marks without Notes.
    key(a, 'n');
    EXPECT_TRUE(game().mnuNotes->isChecked() && game().notesToggle->isChecked());
    for (char k : {'4', '7', '5', '7'}) key(a, k);
    QTest::mouseClick(game().notesToggle, Qt::LeftButton);
    EXPECT_FALSE(game().mnuNotes->isChecked());
    for (int i : cells) i != a ? key(i, '4', Qt::ControlModifier) : void();
    EXPECT_EQ(drawnMarks(cells), "45,4,4,4,4,4,4,4,");
    // No text or colour changed, and the file holds what it held before.
    EXPECT_EQ(board(false), before);
    win.mnuSaveAs->trigger();
    EXPECT_EQ(readFile(path("after.sdk")), readFile(path("before.sdk")));
    EXPECT_TRUE(dialogs.messages.empty());

    // An entry takes its mark from its units in both grids; Undo gives it back.
    key(shared, '4');
    EXPECT_EQ(drawnMarks(cells), "5,,,,,4,4,4,");
    undo(shared);
    EXPECT_EQ(text(shared) + drawnMarks(cells), "45,4,4,4,4,4,4,4,");
    // An entry hides its cell's marks and takes none; deleting it shows them.
    key(a, '9');
    key(a, '3', Qt::ControlModifier);
    EXPECT_EQ(drawnMarks({a}), ",");
    key(a, '\b');
    EXPECT_EQ(drawnMarks({a}), "45,");

    // A board of letters with N: N types N, Ctrl+A marks A.
    win.imgClear_MouseUp(0);
    EXPECT_EQ(drawnMarks(cells), ",,,,,,,,");
    win.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "N"});
    key(a, 'n');
    key(shared, 'a', Qt::ControlModifier);
    EXPECT_EQ(text(a) + drawnMarks({shared}), "NA,");
    EXPECT_FALSE(game().mnuNotes->isChecked());
}

TEST_F(PlayTest, UndoAndRedoPutEntriesBackCheckedAndGivensAndHintsInTheirColours)
{
    auto& win = play();
    load(puzzles::kEasy);
    const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
    // Each step: keys pressed in one cell, which Undo takes back and Redo
    // puts back, colours and marks and all; a red entry comes back red. The
    // last one is a hint, whose Undo leaves it counted.
    const struct {
        const char* name;
        int cell;
        std::vector<char> keys;
    } steps[] = {{"a right entry", g[0].cell, {g[0].right[0]}},
                 {"a wrong entry", g[1].cell, {g[1].wrong[0]}},
                 {"a red entry replaced", g[1].cell, {g[1].right[0]}},
                 {"an entry deleted", g[0].cell, {'\b'}},
                 {"a given typed over", 2, {'5'}},
                 {"a mark", g[2].cell, {'n', g[2].right[0], 'n'}},
                 {"a hint", g[3].cell, {}}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.keys.empty()) {
            click(win.imgPartClear);
            click(win.imgStart);
        }
        const auto before = board();
        for (char k : s.keys) key(s.cell, k);
        if (s.keys.empty()) click(win.imgHint);
        const auto after = board();
        ASSERT_NE(after, before);
        undo(s.cell);
        EXPECT_EQ(board(), before);
        redo(s.cell);
        EXPECT_EQ(board(), after);
    }
    EXPECT_EQ(win.hintsUsed, 1);
    // The status line gives the hint's reason until the hint is undone.
    EXPECT_NE(win.lblStatus1->text().toStdString(), "Solving mode");
    undo(g[3].cell);
    EXPECT_EQ(win.lblStatus1->text().toStdString(), "Solving mode");
    // A hint typed over comes back as a hint (so Reset takes it away).
    redo(g[3].cell);
    int h = 0;
    while (h < kCellCount && background(h) != kHint) ++h;
    ASSERT_LT(h, kCellCount);
    const auto hinted = board();
    key(h, text(h) == "1" ? '2' : '1');
    undo(h);
    EXPECT_EQ(board(), hinted);
}

TEST_F(PlayTest, NothingChangesTheHistoryWhileAnUndoOrRedoRuns)
{
    // An Undo or a Redo puts an entry back, and its check yields; a command
    // runs inside that yield. The history afterwards: how many steps it
    // keeps, and how many of them are done.
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    const int mark = g[1].cell;
    const struct {
        const char* name;
        bool solving, redo;
        std::function<void()> inner;
        int kept, done;
    } cases[] = {
        {"Stop in an Undo", true, false, [&] { click(w->imgStart); }, 0, 0},
        {"Stop in a Redo", true, true, [&] { click(w->imgStart); }, 0, 0},
        {"Clear in an Undo", false, false, [&] { click(w->imgClear); }, 0, 0},
        {"Clear in a Redo", false, true, [&] { click(w->imgClear); }, 0, 0},
        {"a board switch in an Undo", false, false, [&] { w->mnuSamurai->trigger(); }, 0, 0},
        {"a board switch in a Redo", false, true, [&] { w->mnuSamurai->trigger(); }, 0, 0},
        // The hint or the mark replaces what was undone.
        {"Hint in an Undo", true, false, [&] { click(w->imgHint); }, 2, 2},
        {"Hint in a Redo", true, true, [&] { click(w->imgHint); }, 3, 3},
        {"a mark in an Undo", true, false, [&] { key(mark, '4', Qt::ControlModifier); }, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& win = play();
        load(puzzles::kHard);
        if (c.solving) click(win.imgStart);
        // What comes back is the right symbol, so that a hint can follow.
        for (char k : c.redo ? g[0].wrong + g[0].right : g[0].right + "\b") key(g[0].cell, k);
        if (c.redo) undo(g[0].cell);
        ranInner = false;
        duringNextYield(c.inner);
        c.redo ? redo(g[0].cell) : undo(g[0].cell);
        ASSERT_TRUE(ranInner);
        EXPECT_EQ(game().history().count(), c.kept);
        EXPECT_EQ(game().history().index(), c.done);
        // What is left undoes and redoes as it says.
        const auto now = board();
        redo(g[0].cell);
        EXPECT_EQ(board(), now);
        if (c.kept == 0) continue;
        undo(g[0].cell);
        EXPECT_NE(board(), now);
        redo(g[0].cell);
        EXPECT_EQ(board(), now);
        expectIdle(false);
    }
}

TEST_F(PlayTest, AnEntryTypedWhileAHintIsCheckedIsAnEntry)
{
    auto& win = play();
    load(puzzles::kHard);
    click(win.imgStart);
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    // A wrong symbol typed during the hint's check; a cell of its units
    // holds that symbol's mark.
    const Gap& typed = g[0];
    int marked = -1;
    for (const Gap& o : g)
        if (o.cell != typed.cell && mainwindow::unitsOf(typed.cell, 1)[static_cast<std::size_t>(o.cell)]) marked = o.cell;
    key(marked, typed.wrong[0], Qt::ControlModifier);
    ranInner = false;
    duringNextYield([&] { key(typed.cell, typed.wrong[0]); });
    click(win.imgHint);
    ASSERT_TRUE(ranInner);
    // Checked, recorded, and it took its mark; the hint went elsewhere.
    EXPECT_EQ(text(typed.cell) + "|" + std::to_string(background(typed.cell)), typed.wrong + "|" + std::to_string(kRed));
    EXPECT_EQ(game().marks(marked), 0);
    EXPECT_EQ(win.hintsUsed, 1);
    int hinted = 0;
    for (const Gap& o : g) hinted += background(o.cell) == kHint && text(o.cell) == o.right;
    EXPECT_EQ(hinted, 1);
    EXPECT_EQ(game().history().count(), 3);
    // Undo takes back the hint, then the entry, which gives the mark back.
    undo(typed.cell);
    undo(typed.cell);
    EXPECT_EQ(text(typed.cell), "");
    EXPECT_NE(game().marks(marked), 0);

    // The player fills the very cell the hint was about to fill: the hint
    // is worked out again and goes elsewhere.
    const auto hintCells = [&] {
        std::vector<int> v;
        for (const Gap& o : g)
            if (background(o.cell) == kHint) v.push_back(o.cell);
        return v;
    };
    click(win.imgHint);
    const int target = hintCells().at(0);
    undo(target);
    ranInner = false;
    duringNextYield([&] {
        for (const Gap& o : g)
            if (o.cell == target) key(target, o.right[0]);
    });
    click(win.imgHint);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(background(target), kWorking);
    EXPECT_EQ(hintCells().size(), 1u);
    expectIdle(false);
}

TEST_F(PlayTest, NewPuzzlesEmptyMarksAndHistoryAndNothingIsUndoneDuringARun)
{
    auto& win = play();
    load(puzzles::kEasy);
    dialogs.saveAnswers.push_back(path("easy.sdk"));
    win.mnuSaveAs->trigger();
    win.generatorRandom = std::make_shared<generator::SeededRandom>(3);
    dialogs.modalScripts.push_back([](QDialog& d) { dynamic_cast<mainwindow::frmGenerate&>(d).btnCreate->click(); });
    int yields = 0, undoableInRun = 0;
    win.solver.yield = [&, old = win.solver.yield] {
        ++yields;
        undoableInRun += game().mnuUndo->isEnabled();
        old();
    };
    const struct {
        const char* name;
        std::function<void()> run;
        bool marksStay, historyStays;
    } commands[] = {
        {"Start", [&] { click(win.imgStart); }, true, false},
        {"Stop", [&] { click(win.imgStart); }, true, false},
        {"Get Solution", [&] { click(win.imgFindSolution); }, true, false},
        {"Clear", [&] { click(win.imgClear); }, false, false},
        {"Reset", [&] { click(win.imgPartClear); }, false, false},
        {"Open", [&] { dialogs.openAnswers.push_back(path("easy.sdk")), win.mnuOpen->trigger(); }, false, false},
        {"Paste",
         [&] {
             QGuiApplication::clipboard()->setText(QString::fromStdString(puzzles::kHard));
             win.mnuPastePuzzle->trigger();
         },
         false, false},
        {"Generate", [&] { win.mnuGenerate->trigger(); }, false, false},
        {"View", [&] { win.mnuSamurai->trigger(); }, false, false},
    };
    char mark = '1';
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        // Cell 40 gets an entry typed and deleted, and a mark.
        for (char k : {'5', '\b'}) key(40, k);
        key(40, mark++, Qt::ControlModifier);
        ASSERT_TRUE(game().history().count() > 0 && game().mnuUndo->isEnabled());
        c.run();
        // The Undo key undoes nothing the history has forgotten, not even in
        // the cell's own line edit.
        const auto now = board();
        if (!c.historyStays) undo(40);
        EXPECT_EQ(board(), now);
        EXPECT_EQ(game().marks(40) != 0, c.marksStay);
        EXPECT_EQ(game().history().count() > 0, c.historyStays);
        EXPECT_EQ(game().mnuUndo->isEnabled(), c.historyStays);
    }
    EXPECT_TRUE(yields > 0 && undoableInRun == 0);
}

TEST_F(PlayTest, TheFocusedCellsSymbolAndUnitsAreHighlightedWithoutABackgroundChanging)
{
    // Cell 62 is grid 0's (8, 6) and the centre's (2, 0): 21 cells of grid 0
    // and 12 more of the centre's row and column are shaded, which run on
    // into grid 1; `in` is shaded, `out` not.
    const struct {
        bool samurai;
        const std::string& puzzle;
        int focus;
        std::size_t shaded;
        int in, out;
    } cases[] = {{false, puzzles::kEasy, 2, 21, cellIndex(0, 2, 8), cellIndex(0, 3, 3)},
                 {true, puzzles::kSamurai, 62, 33, cellIndex(1, 2, 6), cellIndex(1, 3, 6)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.samurai);
        auto& win = play(c.samurai);
        load(c.puzzle);
        const auto before = board();
        ASSERT_FALSE(text(c.focus).empty());
        QTest::mouseClick(cell(c.focus), Qt::LeftButton);
        const std::vector<int> shaded = where(&platform::CellOverlay::unitShade);
        EXPECT_EQ(shaded.size(), c.shaded);
        std::vector<int> same;
        for (int i = 0; i < kCellCount; ++i)
            if (i != c.focus && text(i) == text(c.focus)) same.push_back(i);
        EXPECT_TRUE(same.size() > 1 && where(&platform::CellOverlay::sameSymbol) == same);
        // The shade is drawn over the background, which stays as it was.
        EXPECT_EQ(board(), before);
        const QImage picture = win.gbCells->grab().toImage();
        auto plain = [&](int i) {
            return picture.pixel(cell(i)->geometry().topLeft() + QPoint(4, 4)) == platform::toQColor(background(i)).rgb();
        };
        EXPECT_TRUE(!plain(c.in) && plain(c.out));

        // Deleting the symbol leaves the units shaded and no cell framed.
        key(c.focus, '\b');
        EXPECT_TRUE(where(&platform::CellOverlay::unitShade) == shaded &&
                    where(&platform::CellOverlay::sameSymbol).empty());
        // Highlighting off: nothing; it stays off at the next start.
        game().mnuHighlighting->trigger();
        EXPECT_TRUE(where(&platform::CellOverlay::unitShade).empty());
        EXPECT_FALSE(play().game().mnuHighlighting->isChecked());
        w->game().mnuHighlighting->trigger();
    }
}

// A standard puzzle, and the position where its easiest step is an X-Wing
// on 4 in rows 1 and 4, removing 4 from r2c1 and r5c4.
const std::string kWingPuzzle = "..1.....8.6.1..5.......3..4..5..61.7....1.9..8....54..74................93.74.6.5";
const std::string kWingPosition = ".91..7368.6.1..579587..3214.25..618767..1.952819275436746..2891152..9743938741625";
const std::string kWingSolution = "291457368364128579587963214425396187673814952819275436746532891152689743938741625";

TEST_F(PlayTest, ExplainNextStepMarksTheEasiestStepOnEitherBoardAndChangesNothing)
{
    // The X-Wing is reached by the player's entries in a game; the Samurai
    // puzzle is explained in Setup, from its givens.
    const struct {
        bool samurai;
        const std::string &puzzle, &position, &solution;
        const char* technique;
        StepShown shown;
    } cases[] = {{false, kWingPuzzle, kWingPosition, kWingSolution, "X-Wing", {4, 0, 2, true}},
                 {true, puzzles::kSamurai, puzzles::kSamurai, puzzles::kSamuraiSolution, "Hidden Single",
                  {0, 1, 0, true}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.technique);
        auto& win = play(c.samurai);
        load(c.puzzle);
        if (c.puzzle != c.position) {
            click(win.imgStart);
            // A typed-in puzzle is rated at Start.
            EXPECT_TRUE(shownRating().endsWith(ratingOf(c.puzzle))) << shownRating().toStdString();
            for (std::size_t k = 0; k < c.position.size(); ++k)
                if (c.puzzle[k] != c.position[k]) type(cellOf(k), std::string(1, c.position[k]));
        }
        const int focus = cellOf(c.puzzle.find('.'));
        QTest::mouseClick(cell(focus), Qt::LeftButton);
        key(focus, '5', Qt::ControlModifier); // a pencil mark, which the step ignores
        const auto before = board();
        const int history = game().history().count(), hints = win.hintsUsed;
        QSignalSpy said(&win.speech(), &mainwindow::BoardSpeech::announced);
        explain(focus);
        EXPECT_TRUE(win.lblStatus1->text().startsWith(QStringLiteral("Next step: ") + c.technique))
            << win.lblStatus1->text().toStdString();
        const QString sentence = win.lblStatus1->toolTip();
        EXPECT_TRUE(sentence.contains(c.technique));
        // The whole sentence is spoken, and shown in a balloon where the
        // status line had to shorten it (the X-Wing's, not the single's).
        EXPECT_TRUE(said.count() == 1 && said.at(0).at(0).toString() == sentence);
        EXPECT_EQ(win.aids().balloonText(), c.samurai ? QString() : sentence);
        if (!c.samurai) {
            // Under the window, as wide, and with it when it moves; over its
            // foot where the screen ends.
            const auto* balloon = win.findChild<QLabel*>(QStringLiteral("stepBalloon"));
            win.move(win.pos() + QPoint(30, 20));
            EXPECT_EQ(balloon->geometry().topLeft(), win.frameGeometry().bottomLeft() + QPoint(0, 1));
            EXPECT_EQ(balloon->width(), win.frameGeometry().width());
            EXPECT_EQ(balloon->font(), win.lblStatus1->font());
            win.move(win.x(), win.screen()->availableGeometry().bottom() - win.frameGeometry().height());
            EXPECT_EQ(balloon->geometry().bottom(), win.geometry().bottom());
            // Never over another program's window.
            QWidget other;
            other.show();
            other.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
            EXPECT_TRUE(win.aids().balloonText().isEmpty());
            win.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&win));
            EXPECT_EQ(win.aids().balloonText(), sentence);
            // Zoomed by hand, its text grows with the status line's.
            const double points = win.lblStatus1->font().pointSizeF();
            win.resize(win.size() * 5 / 4);
            QTest::qWait(50);
            EXPECT_GT(win.lblStatus1->font().pointSizeF(), points);
            EXPECT_TRUE(balloon->font() == win.lblStatus1->font() && win.aids().balloonText() == sentence);
        }
        EXPECT_EQ(stepShown(c.solution), c.shown);
        // Drawn over the cells: no text, colour, mark, history or hint count changed.
        EXPECT_EQ(board(), before);
        EXPECT_TRUE(game().history().count() == history && win.hintsUsed == hints);
        // A focus move ends it, and so does another command.
        const int next = cellOf(c.puzzle.rfind('.'));
        QTest::mouseClick(cell(next), Qt::LeftButton);
        EXPECT_EQ(stepShown(c.solution), StepShown{});
        EXPECT_TRUE(win.lblStatus1->toolTip().isEmpty() && win.aids().balloonText().isEmpty());
        explain(next);
        EXPECT_NE(stepShown(c.solution), StepShown{});
        win.mnuRealTimeCheck->trigger();
        EXPECT_TRUE(stepShown(c.solution) == StepShown{} && win.lblStatus1->toolTip().isEmpty() &&
                    win.aids().balloonText().isEmpty());
    }
}

TEST_F(PlayTest, ExplainNextStepSaysSoOfAWrongEntryAndRunsInsideAnEntryCheck)
{
    auto& win = play();
    load(puzzles::kHard);
    click(win.imgStart);
    const auto gap = gaps(puzzles::kHard, puzzles::kHardSolution);
    const int other = gap[1].cell;
    // A wrong entry, red with Entry Checking on and not with it off.
    for (const bool checking : {true, false}) {
        if (!checking) win.mnuRealTimeCheck->trigger();
        type(gap[0].cell, gap[0].wrong);
        EXPECT_EQ(background(gap[0].cell) == kRed, checking);
        explain(other);
        EXPECT_TRUE(win.lblStatus1->toolTip().startsWith("Your board has a wrong entry;"));
        EXPECT_EQ(stepShown(puzzles::kHardSolution), StepShown{});
        type(gap[0].cell, "");
        EXPECT_EQ(win.lblStatus1->toolTip(), QString()) << "a change ends it";
    }
    win.mnuRealTimeCheck->trigger();

    // From inside the check of a new entry: the board with that entry.
    QString inside;
    duringNextYield([&] {
        explain(other);
        inside = win.lblStatus1->toolTip();
    });
    type(gap[0].cell, gap[0].right);
    EXPECT_TRUE(ranInner);
    EXPECT_TRUE(inside.startsWith("Next step")) << inside.toStdString();
    EXPECT_EQ(background(gap[0].cell), kWorking);
    EXPECT_TRUE(stepShown(puzzles::kHardSolution).sound);
    expectIdle(false);
}

} // namespace

// The marks of every empty cell against the candidates the technique engine
// works out on its own for the board's entries and givens.
class CandidatesTest : public PlayTest {
protected:
    std::string marksAgainstCandidates() const
    {
        const std::string board = line();
        logic::CandidateGrid g(logic::Geometry::forGrids(w->numGrids));
        if (!g.loadLine(board)) return "the board does not load";
        std::string wrong;
        for (std::size_t k = 0; k < board.size(); ++k)
            if (board[k] == '.' &&
                game().marks(cellOf(k)) != g.cand(g.geo().cell(puzzles::gridOf(k), puzzles::colOf(k), puzzles::rowOf(k))))
                wrong += std::to_string(k) + " ";
        return wrong;
    }
    // The nth candidate of a cell as if it were empty, by the same count.
    char candidate(int i, int nth) const
    {
        std::string board = line();
        for (std::size_t k = 0; k < board.size(); ++k)
            if (cellOf(k) == i) board[k] = '.';
        logic::CandidateGrid g(logic::Geometry::forGrids(w->numGrids));
        g.loadLine(board);
        for (std::size_t k = 0; k < board.size(); ++k)
            if (cellOf(k) == i)
                for (int v = 0; v < 9; ++v)
                    if (g.has(g.geo().cell(puzzles::gridOf(k), puzzles::colOf(k), puzzles::rowOf(k)), v) && nth-- == 0)
                        return static_cast<char>('1' + v);
        return '?';
    }
    void press(const QAction* a, int focus) const { QTest::keySequence(cell(focus), a->shortcut()); }
};

TEST_F(CandidatesTest, FillInNotesEveryCandidateOnEitherBoardAsOneStep)
{
    std::mt19937 random(19);
    for (const auto& [puzzle, solution] : {std::pair{puzzles::kHard, puzzles::kHardSolution},
                                           std::pair{puzzles::kSamurai, puzzles::kSamuraiSolution}}) {
        play(puzzle.size() == 405);
        load(puzzle);
        // Some of the solution typed in, and a mark of the player's.
        std::vector<Gap> g = gaps(puzzle, solution);
        std::shuffle(g.begin(), g.end(), random);
        for (std::size_t n = 0; n < g.size() / 3; ++n) w->cellEventsOn = false, type(g[n].cell, g[n].right);
        w->cellEventsOn = true;
        key(g.back().cell, g.back().wrong[0], Qt::ControlModifier);
        press(game().mnuFillCandidates, g.back().cell);
        EXPECT_EQ(marksAgainstCandidates(), "");
        undo(g.back().cell);
        EXPECT_EQ(drawnMarks({g.back().cell}), g.back().wrong + ",");
        redo(g.back().cell);
        press(game().mnuClearMarks, g.back().cell);
        for (int i = 0; i < kCellCount; ++i) ASSERT_EQ(game().marks(i), 0) << i;
        undo(g.back().cell);
        EXPECT_EQ(marksAgainstCandidates(), "");
    }
}

TEST_F(CandidatesTest, KeptUpToDateThroughEntriesDeletionsUndoAndRedoAndRemembered)
{
    auto& win = play(true);
    load(puzzles::kSamurai);
    game().mnuKeepCandidates->trigger();
    press(game().mnuFillCandidates, 60);
    // Shared cell 60, a cell of its centre-grid row, and one of its box.
    const std::vector<Gap> g = gaps(puzzles::kSamurai, puzzles::kSamuraiSolution);
    const int shared = 60, row = cellIndex(4, 5, 0), box = cellIndex(0, 7, 7);
    ASSERT_TRUE(text(shared).empty() && text(row).empty() && text(box).empty());
    // Each step types the cell's first or second candidate, or deletes (-1).
    const std::vector<std::pair<int, int>> steps = {{shared, 0}, {row, 0}, {shared, 1}, {shared, -1},
                                                    {box, 0},    {row, -1}, {box, -1}};
    for (const auto& [i, nth] : steps) {
        key(i, nth < 0 ? '\b' : candidate(i, nth));
        EXPECT_EQ(marksAgainstCandidates(), "") << i << " " << nth;
    }
    for (std::size_t n = 0; n < steps.size(); ++n) {
        undo(box);
        EXPECT_EQ(marksAgainstCandidates(), "") << n;
    }
    for (std::size_t n = 0; n < steps.size(); ++n) redo(box);
    EXPECT_EQ(marksAgainstCandidates(), "");

    // Inside an entry check's yield, as one step that the check survives.
    win.mnuRealTimeCheck->setChecked(true);
    duringNextYield([&] { press(game().mnuClearMarks, box); });
    type(g[0].cell, g[0].wrong);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(background(g[0].cell), kRed);
    for (int i = 0; i < kCellCount; ++i) ASSERT_EQ(game().marks(i), 0) << i;

    // Off, a deletion gives nothing back; the choice outlives the window.
    game().mnuKeepCandidates->trigger();
    press(game().mnuFillCandidates, shared);
    key(shared, '1');
    key(shared, '\b');
    EXPECT_NE(marksAgainstCandidates(), "");
    play();
    EXPECT_FALSE(game().mnuKeepCandidates->isChecked());
    game().mnuKeepCandidates->trigger();
    play();
    EXPECT_TRUE(game().mnuKeepCandidates->isChecked());
}

// What a screen reader finds through Qt's accessibility interfaces, and what
// it is told as the game goes on.
TEST_F(PlayTest, CellsButtonsAndStatusLineSpeakAndVerdictsAndHintsAreAnnounced)
{
    auto speak = [](QObject* o, QAccessible::Text t) { return QAccessible::queryAccessibleInterface(o)->text(t); };
    // What was announced since the last call; the announcement label's
    // accessible name holds the last of it.
    QStringList said;
    auto announced = [&] {
        if (!said.isEmpty()) EXPECT_EQ(speak(w->speech().lblAnnouncement, QAccessible::Name), said.back());
        return std::exchange(said, {});
    };

    auto& win = play(true);
    QObject::connect(&win.speech(), &mainwindow::BoardSpeech::announced, [&](const QString& t) { said << t; });
    load(puzzles::kSamurai);
    const int shared = 60, given = cellIndex(4, 3, 0), hinted = cellIndex(0, 0, 0);
    EXPECT_EQ(speak(cell(shared), QAccessible::Name),
              "top-left grid, row 7, column 7, centre grid, row 1, column 1");
    EXPECT_EQ(speak(cell(given), QAccessible::Name) + " / " + speak(cell(given), QAccessible::Value),
              "centre grid, row 1, column 4 / 7, given");
    key(shared, '4', Qt::ControlModifier);
    key(shared, '7', Qt::ControlModifier);
    EXPECT_EQ(speak(cell(shared), QAccessible::Value), "empty, marks 4 7");

    // A wrong entry is said in the cell's value and announced.
    key(shared, '1');
    EXPECT_EQ(speak(cell(shared), QAccessible::Value), "1, wrong entry");
    EXPECT_EQ(announced(), QStringList{"Wrong entry: 1 at " + speak(cell(shared), QAccessible::Name)});
    key(shared, '\b');

    // Buttons: named by their picture, described by its tooltip, pressed
    // through the interface or with Space, greyed when their picture is.
    QAccessibleInterface* start = QAccessible::queryAccessibleInterface(win.imgStart);
    EXPECT_EQ(start->role(), QAccessible::Button);
    EXPECT_EQ(start->text(QAccessible::Name) + " / " + start->text(QAccessible::Description),
              "Start Game! / Start solving the puzzle");
    start->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    EXPECT_EQ(start->text(QAccessible::Name), "Stop");
    // Tab goes on from the last cell to the buttons.
    cell(kCellCount - 1)->setFocus();
    QTest::keyClick(cell(kCellCount - 1), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), win.imgHint);
    QTest::keyClick(win.imgHint, Qt::Key_Space);
    ASSERT_EQ(win.hintsUsed, 1);
    EXPECT_EQ(announced(), QStringList{"Hint: " + QString::fromStdString(game().hintReason())});
    int hints = 0;
    for (int i = 0; i < kCellCount; ++i) hints += speak(cell(i), QAccessible::Value).endsWith(", hint");
    EXPECT_EQ(hints, 1);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(win.imgFindSolution)->state().disabled);
    click(win.imgStart);
    for (QLabel* l : {win.lblStatus1, win.lblStatus2}) {
        EXPECT_EQ(speak(l, QAccessible::Name), l->text());
        EXPECT_TRUE(speak(l, QAccessible::Description).startsWith("Status line"));
    }

    // A standard board's cells need no grid.
    win.mnuStd9x9->trigger();
    EXPECT_EQ(speak(cell(hinted), QAccessible::Name) + " / " + speak(cell(hinted), QAccessible::Value),
              "row 1, column 1 / empty");
}
