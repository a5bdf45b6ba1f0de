#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

#include "frm_settings.h"
#include "window_fixture.h"

namespace {

using mainwindow::frmSettings;

// Runs the next Preferences dialog through the script, then OK or Cancel.
void script(platform::ScriptedDialogs& d, std::function<void(frmSettings&)> f)
{
    d.modalScripts.push_back([f](QDialog& dialog) { f(static_cast<frmSettings&>(dialog)); });
}

TEST_F(WindowTest, NineBoxRule)
{
    auto& win = start();
    script(dialogs, [](frmSettings& s) {
        EXPECT_TRUE(s.frmSymbolFrame->isEnabled());
        for (int i = 0; i < 36; ++i) {
            EXPECT_EQ(s.cbSymbol[static_cast<std::size_t>(i)]->isChecked(), i < 9) << i;
            EXPECT_EQ(s.cbSymbol[static_cast<std::size_t>(i)]->isEnabled(), i < 9) << i;
        }
        EXPECT_TRUE(s.btnOK->isEnabled());
        s.cbSymbol[4]->setChecked(false); // eight ticked: all boxes live, no OK
        for (QCheckBox* b : s.cbSymbol) EXPECT_TRUE(b->isEnabled());
        EXPECT_FALSE(s.btnOK->isEnabled());
        s.cbSymbol[35]->setChecked(true); // "Z" makes nine again
        EXPECT_TRUE(s.btnOK->isEnabled());
        EXPECT_FALSE(s.cbSymbol[4]->isEnabled());
        s.btnOK->click();
    });
    win.mnuPreferences_Click();
    EXPECT_EQ(dialogs.modalDialogsRun, 1);
    const files::SymbolTable::Symbols expected{"1", "2", "3", "4", "6", "7", "8", "9", "Z"};
    EXPECT_EQ(win.symbols.symbols(), expected);
}

TEST_F(WindowTest, ChosenSymbolsComeBackInBoxOrder)
{
    auto& win = start();
    win.symbols.setSymbols({"B", "A", "C", "D", "E", "F", "G", "H", "I"});
    script(dialogs, [](frmSettings& s) { s.btnOK->click(); });
    win.mnuPreferences_Click();
    const files::SymbolTable::Symbols expected{"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    EXPECT_EQ(win.symbols.symbols(), expected);
}

TEST_F(WindowTest, SymbolsAreLockedWhileAnyCellHoldsText)
{
    auto& win = start();
    put(win, 80, "5");
    dialogs.colourAnswers.push_back(engine::rgb(10, 20, 30));
    script(dialogs, [](frmSettings& s) {
        EXPECT_FALSE(s.frmSymbolFrame->isEnabled());
        for (QCheckBox* b : s.cbSymbol) {
            EXPECT_FALSE(b->isEnabled());
            EXPECT_FALSE(b->isChecked());
        }
        s.lblColours[0]->click();
        EXPECT_EQ(s.swatchColour(0), engine::rgb(10, 20, 30));
        s.btnOK->click();
    });
    win.mnuPreferences_Click();
    EXPECT_EQ(win.symbols.symbols(), files::SymbolTable::defaults());
    EXPECT_EQ(win.colours[0], engine::rgb(10, 20, 30));
    // The Samurai board counts every grid in use.
    win.mnuSamurai_Click();
    EXPECT_TRUE(win.gridsEmpty());
    put(win, 368, "1");
    EXPECT_FALSE(win.gridsEmpty());
}

TEST_F(WindowTest, RecolouringKeepsHintAndRedCells)
{
    auto& win = start();
    const engine::Colour red = engine::rgb(255, 0, 0);
    put(win, 0, "1");
    win.grids[0].validate(); // cell 0 becomes a given
    win.textCells[1]->setBackground(win.colours[files::kHints]);
    win.textCells[2]->setBackground(red);
    const engine::Colour newKnown = engine::rgb(200, 200, 255);
    const engine::Colour newText = engine::rgb(0, 0, 128);
    dialogs.colourAnswers = {newKnown, newText};
    script(dialogs, [](frmSettings& s) {
        s.lblColours[1]->click();
        s.lblColours[2]->click();
        s.btnOK->click();
    });
    win.mnuPreferences_Click();
    EXPECT_EQ(win.textCells[0]->background(), newKnown);
    EXPECT_EQ(win.textCells[1]->background(), engine::rgb(0, 192, 0));
    EXPECT_EQ(win.textCells[2]->background(), red);
    EXPECT_EQ(win.textCells[3]->background(), engine::rgb(255, 255, 255));
    EXPECT_EQ(win.textCells[300]->textColour(), newText);
    EXPECT_EQ(win.grids[2].inputColour(), newKnown);
    EXPECT_TRUE(win.grids[0].isGiven(0, 0));
}

TEST_F(WindowTest, CancelOrAClosedChooserChangesNothing)
{
    auto& win = start();
    script(dialogs, [](frmSettings& s) {
        s.lblColours[3]->click(); // the chooser is cancelled (no scripted colour)
        EXPECT_EQ(s.swatchColour(3), 0u);
        s.cbSymbol[0]->setChecked(false);
        s.cbSymbol[20]->setChecked(true);
        s.btnCancel->click();
    });
    win.mnuPreferences_Click();
    EXPECT_EQ(win.symbols.symbols(), files::SymbolTable::defaults());
    EXPECT_EQ(win.colours, files::defaultColours());
    // No script at all: the dialog is closed, which is a cancel.
    win.mnuPreferences_Click();
    EXPECT_EQ(win.colours, files::defaultColours());
}

TEST_F(WindowTest, PreferencesSurviveARestart)
{
    auto& win = start();
    dialogs.colourAnswers.push_back(engine::rgb(1, 2, 3));
    script(dialogs, [](frmSettings& s) {
        for (int i = 0; i < 9; ++i) s.cbSymbol[static_cast<std::size_t>(i)]->setChecked(false);
        for (int i = 10; i < 19; ++i) s.cbSymbol[static_cast<std::size_t>(i)]->setChecked(true);
        s.lblColours[4]->click();
        s.btnOK->click();
    });
    win.mnuPreferences_Click();
    win.close();
    auto& again = start();
    const files::SymbolTable::Symbols letters{"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    EXPECT_EQ(again.symbols.symbols(), letters);
    EXPECT_EQ(again.colours[files::kHints], engine::rgb(1, 2, 3));
    EXPECT_EQ(again.grids[0].hintColour(), engine::rgb(1, 2, 3));
}

TEST(SettingsDialog, ATableThatMatchesFewerBoxesBlocksOk)
{
    platform::ScriptedDialogs d;
    frmSettings s(d, nullptr);
    s.initialise();
    s.setInitialSymbols({"1", "2", "3", "4", "5", "6", "7", "8", "*"});
    int ticked = 0;
    for (QCheckBox* b : s.cbSymbol) ticked += b->isChecked() ? 1 : 0;
    EXPECT_EQ(ticked, 8);
    EXPECT_FALSE(s.btnOK->isEnabled());
    // Lower-case symbols tick their capitals.
    s.setInitialSymbols({"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    EXPECT_TRUE(s.cbSymbol[10]->isChecked());
    EXPECT_TRUE(s.btnOK->isEnabled());
}

} // namespace
