// Pencil marks, Undo and Redo, and highlighting: keys pressed in the cells of
// the shown window, its menu items and picture buttons.
#include <QCheckBox>
#include <QSettings>

#include "colour.h"
#include "frm_generate.h"
#include "game_state.h"
#include "random_source.h"
#include "window_fixture.h"

namespace {

using mainwindow::cellIndex;

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
    void key(int i, char k, Qt::KeyboardModifiers m = {}) const { QTest::keyClick(cell(i), k, m); }
    void undo(int i) const { QTest::keySequence(cell(i), game().mnuUndo->shortcut()); }
    void redo(int i) const { QTest::keySequence(cell(i), game().mnuRedo->shortcut()); }
    // The marks a cell draws, in order.
    std::string drawnMarks(int i) const
    {
        std::string s;
        for (const QString& m : cell(i)->overlay().marks) s += m.toStdString();
        return s;
    }
    std::vector<engine::Colour> backgrounds() const
    {
        std::vector<engine::Colour> b;
        for (int i = 0; i < mainwindow::kCellCount; ++i) b.push_back(background(i));
        return b;
    }
    // Every cell's text, background and drawn marks.
    std::vector<std::string> board() const
    {
        std::vector<std::string> b;
        for (int i = 0; i < mainwindow::kCellCount; ++i)
            b.push_back(text(i) + "|" + std::to_string(background(i)) + "|" + drawnMarks(i));
        return b;
    }
    std::vector<int> where(bool platform::CellOverlay::*flag) const
    {
        std::vector<int> v;
        for (int i = 0; i < mainwindow::kCellCount; ++i)
            if (cell(i)->overlay().*flag) v.push_back(i);
        return v;
    }
};

TEST_F(PlayTest, MarksAreNotedInEmptyCellsAndAreNeverEntries)
{
    auto& win = play();
    load(puzzles::kEasy);
    const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
    const int a = g[0].cell, b = g[1].cell, given = 2;
    dialogs.saveAnswers = {path("before.sdk"), path("after.sdk")};
    win.mnuSaveAs->trigger();
    const auto colours = backgrounds();

    // N switches Notes, in the menu and the status line alike; typed symbols
    // then toggle marks, in a given nothing. Ctrl+symbol marks without Notes.
    key(a, 'n');
    EXPECT_TRUE(game().mnuNotes->isChecked() && game().notesToggle->isChecked());
    for (char k : {'3', '7', '1', '7'}) key(a, k);
    key(given, '5');
    QTest::mouseClick(game().notesToggle, Qt::LeftButton);
    EXPECT_FALSE(game().mnuNotes->isChecked());
    key(b, '9', Qt::ControlModifier);
    key(b, '2', Qt::ControlModifier);
    EXPECT_EQ(drawnMarks(a), "13");
    EXPECT_EQ(drawnMarks(b), "29");
    EXPECT_EQ(text(a) + text(b) + text(given), "3");
    // No check ran (it would have loaded the entries into the grid model), no
    // colour changed, and the file holds what it held before.
    EXPECT_EQ(engine::Solver::getTotalInstantiations(win.grids, 1), 0);
    EXPECT_EQ(backgrounds(), colours);
    win.mnuSaveAs->trigger();
    EXPECT_EQ(readFile(path("after.sdk")), readFile(path("before.sdk")));
    EXPECT_TRUE(dialogs.messages.empty());

    // An entry hides the cell's marks; deleting it shows them again.
    key(a, '4');
    EXPECT_EQ(drawnMarks(a), "");
    QTest::keyClick(cell(a), Qt::Key_Backspace);
    EXPECT_EQ(drawnMarks(a), "13");

    // A board of letters with N: N types N, Ctrl+A marks A.
    win.imgClear_MouseUp(0);
    EXPECT_EQ(drawnMarks(a) + drawnMarks(b), "");
    win.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "N"});
    key(a, 'n');
    key(b, 'a', Qt::ControlModifier);
    EXPECT_EQ(text(a) + drawnMarks(b), "NA");
    EXPECT_FALSE(game().mnuNotes->isChecked());
}

TEST_F(PlayTest, AnEntryTakesItsMarkFromItsUnitsInEveryGridThatHoldsIt)
{
    auto& win = play(true);
    win.mnuRealTimeCheck->trigger();
    // Cell 60 is grid 0's (6, 6) and the centre's (0, 0).
    const int shared = 60;
    const std::vector<int> units = {cellIndex(0, 0, 6), cellIndex(0, 8, 8), cellIndex(4, 4, 0),
                                    cellIndex(4, 0, 8), cellIndex(1, 0, 6)};
    const std::vector<int> others = {cellIndex(0, 0, 0), cellIndex(1, 3, 6), cellIndex(4, 4, 4)};
    for (int i : units) key(i, '4', Qt::ControlModifier);
    for (int i : others) key(i, '4', Qt::ControlModifier);
    key(units[0], '5', Qt::ControlModifier);
    key(shared, '4');
    for (int i : units) EXPECT_EQ(drawnMarks(i), i == units[0] ? "5" : "") << i;
    for (int i : others) EXPECT_EQ(drawnMarks(i), "4") << i;
    // Undoing the entry gives the marks back.
    undo(shared);
    EXPECT_EQ(text(shared), "");
    for (int i : units) EXPECT_EQ(drawnMarks(i), i == units[0] ? "45" : "4") << i;
}

TEST_F(PlayTest, UndoAndRedoPutEntriesBackCheckedAndGivensAndHintsInTheirColours)
{
    auto& win = play();
    load(puzzles::kEasy);
    const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
    // Each step: keys pressed in one cell, which Undo takes back and Redo
    // puts back, colours and marks and all. A red entry comes back red.
    const struct {
        const char* name;
        int cell;
        std::vector<char> keys;
    } steps[] = {{"a right entry", g[0].cell, {g[0].right[0]}},
                 {"a wrong entry", g[1].cell, {g[1].wrong[0]}},
                 {"a red entry replaced", g[1].cell, {g[1].right[0]}},
                 {"an entry deleted", g[0].cell, {'\b'}},
                 {"a given typed over", 2, {'5'}},
                 {"a mark", g[2].cell, {'n', g[2].right[0], 'n'}}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        const auto before = board();
        for (char k : s.keys) k == '\b' ? QTest::keyClick(cell(s.cell), Qt::Key_Backspace) : key(s.cell, k);
        const auto after = board();
        ASSERT_NE(after, before);
        undo(s.cell);
        EXPECT_EQ(board(), before);
        redo(s.cell);
        EXPECT_EQ(board(), after);
    }

    // A hint: Undo empties its cell in its colour; the hint stays counted.
    click(win.imgPartClear);
    click(win.imgStart);
    const auto before = board();
    const auto emptyCells = texts();
    click(win.imgHint);
    const auto after = board();
    int hinted = 0;
    while (text(hinted) == emptyCells[static_cast<std::size_t>(hinted)]) ++hinted;
    undo(hinted);
    EXPECT_TRUE(board() == before && win.hintsUsed == 1);
    redo(hinted);
    EXPECT_TRUE(board() == after && background(hinted) == kHint && win.hintsUsed == 1);
}

TEST_F(PlayTest, NewPuzzlesEmptyMarksAndHistoryAndNothingIsUndoneDuringARun)
{
    auto& win = play();
    load(puzzles::kEasy);
    // Cell 40 gets a mark before each command, emptied first if need be.
    dialogs.saveAnswers.push_back(path("easy.sdk"));
    win.mnuSaveAs->trigger();
    win.generatorRandom = std::make_shared<generator::SeededRandom>(3);
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
        {"Get Solution", [&] { click(win.imgFindSolution); }, true, true},
        {"Clear", [&] { click(win.imgClear); }, false, false},
        {"Reset", [&] { click(win.imgPartClear); }, false, false},
        {"Open", [&] { dialogs.openAnswers.push_back(path("easy.sdk")), win.mnuOpen->trigger(); }, false, false},
        {"Generate",
         [&] {
             dialogs.modalScripts.push_back([](QDialog& d) { dynamic_cast<mainwindow::frmGenerate&>(d).btnCreate->click(); });
             win.mnuGenerate->trigger();
         },
         false, false},
        {"View", [&] { win.mnuSamurai->trigger(); }, false, false},
    };
    char mark = '1';
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        key(40, '5');
        QTest::keyClick(cell(40), Qt::Key_Backspace);
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
    // Cell 62 is grid 0's (8, 6) and the centre's (2, 0): its units run on
    // into grids 1 and 2 through the centre's row and column.
    const struct {
        bool samurai;
        const std::string& puzzle;
        int focus;
        std::size_t shaded;
        std::vector<int> in, out;
    } cases[] = {{false, puzzles::kEasy, 2, 21, {cellIndex(0, 2, 8), cellIndex(0, 8, 0)}, {cellIndex(0, 3, 3)}},
                 {true, puzzles::kSamurai, 62, 33, {cellIndex(1, 2, 6), cellIndex(2, 8, 2)},
                  {cellIndex(1, 3, 6), cellIndex(2, 8, 3)}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.samurai);
        auto& win = play(c.samurai);
        load(c.puzzle);
        const auto colours = backgrounds();
        ASSERT_FALSE(text(c.focus).empty());
        QTest::mouseClick(cell(c.focus), Qt::LeftButton);
        const std::vector<int> shaded = where(&platform::CellOverlay::unitShade);
        EXPECT_EQ(shaded.size(), c.shaded);
        for (int i : c.in) EXPECT_TRUE(cell(i)->overlay().unitShade) << i;
        for (int i : c.out) EXPECT_FALSE(cell(i)->overlay().unitShade) << i;
        std::vector<int> same;
        for (int i = 0; i < mainwindow::kCellCount; ++i)
            if (i != c.focus && text(i) == text(c.focus)) same.push_back(i);
        EXPECT_TRUE(same.size() > 1 && where(&platform::CellOverlay::sameSymbol) == same);
        EXPECT_EQ(backgrounds(), colours);
        // The shade is drawn over the background, which stays as it was.
        const QImage picture = win.gbCells->grab().toImage();
        auto drawn = [&](int i) { return picture.pixel(cell(i)->geometry().topLeft() + QPoint(4, 4)); };
        auto plain = [&](int i) { return platform::toQColor(background(i)).rgb(); };
        EXPECT_NE(drawn(c.in[0]), plain(c.in[0]));
        EXPECT_EQ(drawn(c.out[0]), plain(c.out[0]));

        // Deleting the symbol leaves the units shaded and no cell framed.
        QTest::keyClick(cell(c.focus), Qt::Key_Backspace);
        EXPECT_TRUE(where(&platform::CellOverlay::unitShade) == shaded &&
                    where(&platform::CellOverlay::sameSymbol).empty());
        // Highlighting off: nothing; it stays off at the next start.
        game().mnuHighlighting->trigger();
        EXPECT_TRUE(where(&platform::CellOverlay::unitShade).empty());
        EXPECT_FALSE(play().game().mnuHighlighting->isChecked());
        w->game().mnuHighlighting->trigger();
    }
}

} // namespace
