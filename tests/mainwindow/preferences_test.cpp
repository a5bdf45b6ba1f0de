#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

#include "frm_settings.h"
#include "play_fixture.h"

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

// A real press and release on a swatch of the Preferences dialog.
void clickSwatch(frmSettings& s, int role)
{
    QPushButton* b = s.lblColours[static_cast<std::size_t>(role)];
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, b->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(b, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, b->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(b, &release);
}

TEST_F(PlayTest, RecolouringKeepsWhatEachCellIs)
{
    using files::kHints;
    using files::kKnownCell;
    using files::kWorkingCell;
    const engine::Colour blue = engine::rgb(200, 200, 255);
    // New colours by role; roles not named keep theirs.
    const struct {
        const char* name;
        std::vector<std::pair<files::ColourRole, engine::Colour>> changes;
    } cases[] = {
        {"new known-cell and text colours", {{kKnownCell, blue}, {files::kTextColour, engine::rgb(0, 0, 128)}}},
        {"known cell and hints swapped", {{kKnownCell, kHint}, {kHints, kKnown}}},
        {"working and known cell swapped", {{kWorkingCell, kKnown}, {kKnownCell, kWorking}}},
        {"working cell and hints swapped", {{kWorkingCell, kHint}, {kHints, kWorking}}},
        {"all three turned round", {{kWorkingCell, kKnown}, {kKnownCell, kHint}, {kHints, kWorking}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& win = startPlay();
        load(win, puzzles::kEasy);
        const auto gaps = missing(puzzles::kEasy, puzzles::kEasySolution);
        click(win.imgStart);
        click(win.imgHint);
        click(win.imgStart); // Stop: back in Setup with one hint on the board
        ASSERT_EQ(win.mode, mainwindow::kSetup);
        int hinted = -1;
        std::vector<std::pair<int, std::string>> open; // the gaps the hint left
        for (const auto& gap : gaps)
            if (background(win, gap.first) == kHint)
                hinted = gap.first;
            else
                open.push_back(gap);
        ASSERT_GE(hinted, 0);
        const int entry = open[0].first, wrong = open[1].first;
        type(win, entry, QString::fromStdString(open[0].second));
        type(win, wrong, QString::fromStdString(wrongFor(open[1].second)));
        ASSERT_EQ(background(win, wrong), kRed);
        ASSERT_EQ(background(win, entry), kWorking);

        files::Colours expected = win.colours;
        for (const auto& [role, colour] : c.changes) {
            expected[static_cast<std::size_t>(role)] = colour;
            dialogs.colourAnswers.push_back(colour);
        }
        const auto changes = c.changes;
        script(dialogs, [changes](frmSettings& s) {
            for (const auto& change : changes) clickSwatch(s, change.first);
            s.btnOK->click();
        });
        win.mnuPreferences->trigger();
        ASSERT_EQ(win.colours, expected);

        for (int k = 0; k < 81; ++k) {
            const int cell = cellOf(0, k);
            const bool given = puzzles::kEasy[static_cast<std::size_t>(k)] != '0';
            const engine::Colour want = cell == wrong    ? kRed
                                        : cell == hinted ? expected[kHints]
                                        : given          ? expected[kKnownCell]
                                                         : expected[kWorkingCell];
            EXPECT_EQ(background(win, cell), want) << "cell " << cell;
        }
        EXPECT_EQ(win.grids[3].inputColour(), expected[kKnownCell]);
        EXPECT_EQ(win.textCells[300]->textColour(), expected[files::kTextColour]);

        // Reset keeps every given and only the givens.
        click(win.imgPartClear);
        for (int k = 0; k < 81; ++k) {
            const char given = puzzles::kEasy[static_cast<std::size_t>(k)];
            EXPECT_EQ(textOf(win, cellOf(0, k)), given == '0' ? std::string() : std::string(1, given)) << k;
        }
    }
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
