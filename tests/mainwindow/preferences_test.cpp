// SPDX-License-Identifier: GPL-3.0-or-later
// The Preferences dialog through the window: the nine symbol boxes, the
// colours and how the board takes them.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

#include "colour.h"
#include "colour_sets.h"
#include "frm_settings.h"
#include "window_fixture.h"

namespace {

using mainwindow::frmSettings;

class PreferencesTest : public WindowTest {
protected:
    // Runs the next Preferences dialog through the script.
    void script(std::function<void(frmSettings&)> f)
    {
        dialogs.modalScripts.push_back([f](QDialog& dialog) { f(static_cast<frmSettings&>(dialog)); });
    }
    static void tick(frmSettings& s, int box, bool on = true)
    {
        s.cbSymbol[static_cast<std::size_t>(box)]->setChecked(on);
    }
    static bool enabled(frmSettings& s, int box) { return s.cbSymbol[static_cast<std::size_t>(box)]->isEnabled(); }
};

TEST_F(PreferencesTest, SymbolsAreChosenNineAtATimeAndComeInBoxOrder)
{
    auto& win = start();
    // Cancel, and the dialog closed without a button, keep all that was
    // chosen in it; a cancelled colour chooser keeps the swatch.
    dialogs.colourAnswers.push_back(engine::rgb(1, 2, 3));
    script([](frmSettings& s) {
        s.lblColours[4]->click();
        EXPECT_EQ(s.swatchColour(4), engine::rgb(1, 2, 3));
        s.lblColours[3]->click(); // no scripted colour left: cancelled
        EXPECT_EQ(s.swatchColour(3), 0u);
        tick(s, 0, false);
        tick(s, 20);
        s.btnCancel->click();
    });
    win.mnuPreferences->trigger();
    win.mnuPreferences->trigger(); // no script: the dialog is closed
    EXPECT_EQ(win.currentSettings(), files::Settings{});

    script([](frmSettings& s) {
        EXPECT_TRUE(s.frmSymbolFrame->isEnabled());
        for (int i = 0; i < 36; ++i) {
            EXPECT_EQ(s.cbSymbol[static_cast<std::size_t>(i)]->isChecked(), i < 9) << i;
            EXPECT_EQ(enabled(s, i), i < 9) << i;
        }
        tick(s, 4, false); // eight ticked: every box live, no OK
        for (int i = 0; i < 36; ++i) EXPECT_TRUE(enabled(s, i)) << i;
        EXPECT_FALSE(s.btnOK->isEnabled());
        tick(s, 9); // "0" makes nine again
        EXPECT_TRUE(s.btnOK->isEnabled());
        EXPECT_FALSE(enabled(s, 4));
        QTest::mouseClick(s.btnOK, Qt::LeftButton);
    });
    win.mnuPreferences->trigger();
    EXPECT_EQ(win.symbols.symbols(), (files::SymbolTable::Symbols{"1", "2", "3", "4", "6", "7", "8", "9", "0"}));

    // Symbols as a file may leave them: any order and lower case come back
    // as capitals in box order; one that no box carries keeps OK off.
    const files::SymbolTable::Symbols letters{"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    const struct {
        files::SymbolTable::Symbols before;
        bool ok;
    } cases[] = {{{"1", "2", "3", "4", "5", "6", "7", "8", "*"}, false},
                 {{"B", "A", "C", "D", "E", "F", "G", "H", "I"}, true},
                 {{"a", "b", "c", "d", "e", "f", "g", "h", "i"}, true}};
    for (const auto& c : cases) {
        win.symbols.setSymbols(c.before);
        script([&](frmSettings& s) {
            EXPECT_EQ(s.btnOK->isEnabled(), c.ok);
            (c.ok ? s.btnOK : s.btnCancel)->click();
        });
        win.mnuPreferences->trigger();
        EXPECT_EQ(win.symbols.symbols(), c.ok ? letters : c.before);
    }
    // Closing writes what was chosen.
    win.close();
    EXPECT_EQ(readFile(settingsFile()), files::formatSettings(win.currentSettings()));
}

TEST_F(PreferencesTest, SymbolsAreLockedWhileAnyCellHoldsText)
{
    auto& win = start();
    type(80, "5");
    script([](frmSettings& s) {
        EXPECT_FALSE(s.frmSymbolFrame->isEnabled());
        for (QCheckBox* b : s.cbSymbol) EXPECT_FALSE(b->isEnabled() || b->isChecked());
        s.btnOK->click();
    });
    win.mnuPreferences->trigger();
    EXPECT_EQ(win.symbols.symbols(), files::SymbolTable::defaults());
    // The Samurai board counts every grid in use.
    win.mnuSamurai_Click();
    EXPECT_TRUE(win.gridsEmpty());
    type(368, "1");
    EXPECT_FALSE(win.gridsEmpty());
}

TEST_F(PreferencesTest, RecolouringKeepsWhatEachCellIs)
{
    using namespace files;
    const engine::Colour blue = engine::rgb(200, 200, 255);
    // New colours by role; roles not named keep theirs.
    const struct {
        const char* name;
        std::vector<std::pair<ColourRole, engine::Colour>> changes;
    } cases[] = {
        {"new known-cell and text colours", {{kKnownCell, blue}, {kTextColour, engine::rgb(0, 0, 128)}}},
        {"all three turned round", {{kWorkingCell, kKnown}, {kKnownCell, kHint}, {kHints, kWorking}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& win = start();
        load(puzzles::kEasy);
        // A hint, a right and a wrong entry, and the givens.
        const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
        const int hinted = g[0].cell, entry = g[1].cell, wrong = g[2].cell;
        win.cellEventsOn = false;
        win.grids[0].assignValue(hinted % 9, hinted / 9, g[0].right, true);
        win.cellEventsOn = true;
        type(entry, g[1].right);
        type(wrong, g[2].wrong);
        ASSERT_TRUE(background(hinted) == kHint && background(wrong) == kRed);
        Colours expected = win.colours;
        for (const auto& [role, colour] : c.changes) {
            expected[static_cast<std::size_t>(role)] = colour;
            dialogs.colourAnswers.push_back(colour);
        }
        script([&](frmSettings& s) {
            for (const auto& change : c.changes) QTest::mouseClick(s.lblColours[change.first], Qt::LeftButton);
            s.btnOK->click();
        });
        win.mnuPreferences->trigger();
        ASSERT_EQ(win.colours, expected);
        for (std::size_t k = 0; k < 81; ++k) {
            const int i = cellOf(k);
            const engine::Colour want = i == wrong                 ? kRed
                                        : i == hinted              ? expected[kHints]
                                        : puzzles::kEasy[k] != '.' ? expected[kKnownCell]
                                                                   : expected[kWorkingCell];
            EXPECT_EQ(background(i), want) << "cell " << i;
        }
        EXPECT_EQ(win.grids[3].inputColour(), expected[kKnownCell]);
        EXPECT_EQ(cell(300)->textColour(), expected[kTextColour]);

        // Reset keeps every given and only the givens.
        click(win.imgPartClear);
        for (std::size_t k = 0; k < 81; ++k)
            EXPECT_EQ(text(cellOf(k)), puzzles::kEasy[k] == '.' ? "" : std::string(1, puzzles::kEasy[k])) << k;
    }
}

TEST_F(PreferencesTest, ColourSetsKeepTextReadableAndMarkWrongEntriesAndHintsByShape)
{
    using platform::contrastRatio;
    const auto& sets = mainwindow::colourSets();
    for (std::size_t k = 0; k < sets.size(); ++k) {
        SCOPED_TRACE(std::string(sets[k].name));
        auto& win = start();
        load(puzzles::kEasy);
        const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
        const int given = cellOf(puzzles::kEasy.find_first_not_of('.')), hinted = g[0].cell, entry = g[1].cell,
                  wrong = g[2].cell;
        win.cellEventsOn = false;
        win.grids[0].assignValue(hinted % 9, hinted / 9, g[0].right, true);
        win.cellEventsOn = true;
        type(entry, g[1].right);
        type(wrong, g[2].wrong);
        script([k](frmSettings& s) {
            EXPECT_EQ(s.cbColourSet->currentIndex(), 1) << "the board's colours are Corvel's";
            for (std::size_t down = 0; down < k; ++down) QTest::keyClick(s.cbColourSet, Qt::Key_Down);
            s.btnOK->click();
        });
        win.mnuPreferences->trigger();
        ASSERT_EQ(win.colours, sets[k].colours);
        EXPECT_EQ(win.mnuShapeMarks->isChecked(), sets[k].marksByShape);
        // Every symbol and mark is drawn at least 4.5:1 against its cell,
        // also under the shade of the focused cell's units; and so is the
        // status line against the window.
        for (const int i : {given, hinted, entry, wrong}) {
            platform::CellOverlay shaded;
            shaded.unitShade = true;
            const QColor text = cell(i)->drawnTextColour(), plain = cell(i)->drawnBackground();
            cell(i)->setOverlay(shaded);
            const QColor shade = cell(i)->drawnBackground();
            EXPECT_EQ(plain, platform::toQColor(background(i)));
            EXPECT_GE(contrastRatio(text, shade), 4.5) << i;
        }
        EXPECT_GE(contrastRatio(win.lblStatus1->palette().color(QPalette::WindowText),
                                win.centralWidget()->palette().color(QPalette::Window)),
                  4.5);
        // With the shapes on, a wrong entry and a hint look different from
        // the same cells without them; an ordinary entry does not.
        const bool on = win.mnuShapeMarks->isChecked();
        std::vector<QImage> looks[2];
        for (const bool marks : {on, !on}) {
            win.mnuShapeMarks->setChecked(marks);
            for (const int i : {wrong, hinted, entry}) looks[marks].push_back(cell(i)->grab().toImage());
        }
        EXPECT_TRUE(looks[0][0] != looks[1][0] && looks[0][1] != looks[1][1] && looks[0][2] == looks[1][2]);
    }
    // The shapes' switch is kept for the next start.
    w->mnuShapeMarks->setChecked(true);
    EXPECT_TRUE(start().mnuShapeMarks->isChecked());
}

} // namespace
