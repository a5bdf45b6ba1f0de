// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "board_frame.h"
#include "clock.h"
#include "cross_grid.h"
#include "dialogs.h"
#include "line_control.h"
#include "picture_button.h"
#include "puzzle_file.h"
#include "settings.h"
#include "solver.h"
#include "status_text.h"
#include "symbol_table.h"
#include "text_cell.h"
#include "throttled_yield.h"
#include "twips.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QSettings;
class QTimer;

namespace generator {
class RandomSource;
}

namespace mainwindow {

class BoardSpeech;
class frmFinish;
class frmHelp;
class GameJournal;
class GameState;
class TechniqueAids;

// What the window takes from outside: the dialogs, the clock, and the few
// things a test or a screenshot run sets differently from a real start.
struct Services {
    platform::Dialogs* dialogs = nullptr;
    const platform::Clock* clock = nullptr;
    // How long the splash shows at least; 0 skips the wait (tests).
    int splashMilliseconds = 3000;
    // The screen height in pixels; the primary screen's when not set.
    std::optional<int> screenHeightPixels;
    // Directory of the settings file; the current directory when not set.
    std::optional<std::string> appDir;
    // An ini file for the options (Highlighting, the folder of the last
    // puzzle file); Qt's per-user settings of Corvel when not set. Never
    // settings.ini.
    std::optional<std::string> optionsFile;
    // The folder of the journal of games; $CORVEL_JOURNAL_DIR, else the
    // per-user data folder, when not set.
    std::optional<std::string> journalDir;
};

// The main window: the board, the command buttons, the status line and the
// menus, and all the state of a game. Its handlers keep the names of the
// controls and events they serve. The implementation is split by concern:
// startup.cpp, controls.cpp, layout.cpp, modes_status.cpp, preferences.cpp,
// commands.cpp, entry.cpp, navigation.cpp, generate_command.cpp, files_menu.cpp,
// clipboard.cpp; pencil marks, Undo and Redo and highlighting are in
// GameState; the rating and Explain Next Step in TechniqueAids; the journal of
// games in GameJournal; what a screen reader hears in BoardSpeech.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kCells = 369;
    static constexpr int kGridLines = 15;
    static constexpr int kBlanks = 9;
    static constexpr engine::Colour kFrameColour = engine::rgb(213, 216, 218);
    // Around dark cells the window turns dark as well.
    static constexpr engine::Colour kDarkFrameColour = engine::rgb(52, 55, 60);
    static constexpr engine::Colour kGridLineStartColour = engine::rgb(64, 64, 64);
    static constexpr engine::Colour kBlankStartColour = engine::rgb(255, 128, 128);
    static constexpr int kLargeCell = 435;
    static constexpr int kSmallCell = 315;

    explicit frmMain(Services services, QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- Start-up and closing (startup.cpp) ----
    void Form_Load();
    void showSplashScreen();
    void Form_Unload();
    // The options kept between runs beside settings.ini's choices
    // (Services::optionsFile).
    std::unique_ptr<QSettings> options() const;

    // ---- Board layouts (layout.cpp) ----
    void positionCells();
    void setLargeCells();
    void setSmallCells();
    void setGridLines();
    void mnuStd9x9_Click();
    void mnuSamurai_Click();
    int screenHeightPixels() const;

    // ---- Zoom (layout.cpp) ----
    // Everything on the window is drawn `scale()` times its normal size; 1 is
    // the normal size and the smallest. The window can be resized by hand,
    // which picks the largest scale that fits; the scale is kept in options().
    static constexpr double kMaxScale = 4.0;
    double scale() const { return scale_; }
    void setScale(double scale);
    void mnuZoomIn_Click();
    void mnuZoomOut_Click();
    void mnuActualSize_Click();
    // The size the window's contents take at a scale (without the menu bar).
    QSize layoutPixels(double scale) const;
    // The largest scale whose contents fit into `room`, at least 1.
    double scaleToFit(QSize room) const;

    // ---- Modes and status line (modes_status.cpp) ----
    void updateButtons();
    // Greys Open and Generate while the board's grids or solver are in use.
    void updateBoardCommands();
    void updateStatus();
    void timStopwatch_Timer();
    bool entryChecking() const;
    // "Entry Checking": the menu item has already flipped its tick.
    void mnuRealTimeCheck_Click();
    // Opens a finish dialog for the current hints and time, without blocking.
    frmFinish* showFinish();

    // ---- Symbols, colours and preferences (preferences.cpp) ----
    void applyColours(bool recolourOnly);
    // The window's colour around the board: dark when the cells are dark.
    engine::Colour frameColour() const;
    // Wrong entries and hints marked by shape as well (Settings menu).
    bool shapeMarks() const;
    bool gridsEmpty() const;
    void mnuPreferences_Click();
    const std::string& indexToSymbol(int idx) const { return symbols.indexToSymbol(idx); }
    int symbolToIndex(const std::string& s) const { return symbols.symbolToIndex(s); }
    files::Settings currentSettings() const;
    // Writes the settings file; a file that cannot be written, or that is
    // left alone, is reported only when reportFailure is set, and never
    // stops the program.
    bool writeSettings(bool reportFailure);

    // ---- Commands (commands.cpp) ----
    void imgStart_MouseDown(int index);
    void imgStart_MouseUp(int index);
    void imgFindSolution_MouseDown(int index);
    void imgFindSolution_MouseUp(int index);
    void imgHint_MouseDown(int index);
    void imgHint_MouseUp(int index);
    void imgClear_MouseDown(int index);
    void imgClear_MouseUp(int index);
    void imgPartClear_MouseDown(int index);
    void imgPartClear_MouseUp(int index);
    // Opens ./corvel.HLP when there is one; otherwise Corvel's own help.
    void mnuHelp_Click();
    // Corvel's name, version and licence, and the Qt it runs on.
    void mnuAbout_Click();
    // Corvel's own help window: one, made at the first Help, kept when closed.
    frmHelp* helpWindow = nullptr;

    // ---- Cell entry and checking (entry.cpp), navigation (navigation.cpp) ----
    void textCells_Change(int index);
    // The check and the finish test of a text cell `index` took: steps that
    // run the solver. Nothing when the cell holds another text by now.
    void judgeEntry(int index, const std::string& text, bool eventsOn);
    void textCells_KeyDown(int index, int keyCode, Qt::KeyboardModifiers shift);
    bool entriesConsistent();
    bool puzzleComplete();
    void giveHint();

    // ---- Generate command (generate_command.cpp) ----
    // Virtual so that a test can stand in for the generator.
    virtual void mnuGenerate_Click();

    // ---- Puzzle files (files_menu.cpp) ----
    void mnuOpen_Click();
    // Open's work once a name is chosen (also for a file named at start-up):
    // the file onto the board, or Open's message when it cannot be read.
    void openPuzzleFile(const QString& name);
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Where Open and Save As start: the folder of the puzzle file last read
    // or written, else the user's documents folder, else the home folder.
    QString fileDialogFolder() const;
    // Reads a puzzle file onto the board, which changes only when the whole
    // file is sound; otherwise sets puzzleReadError, says why in *reason and
    // returns false.
    bool readPuzzle(const QString& fileName, QString* reason = nullptr);
    bool puzzleReadError = false; // the last puzzle file read was refused
    // Puts a sound puzzle on the board as Open does, with its symbols or
    // (withSymbols false) in the symbols in force.
    void applyPuzzle(const files::PuzzleDocument& doc, bool withSymbols);

    // ---- Puzzles through the clipboard (clipboard.cpp) ----
    // The givens (every entry while there are none) as a puzzle line and as
    // puzzle-file text.
    void mnuCopyPuzzle_Click();
    // A puzzle file, a puzzle line or a 9x9 block from the clipboard onto
    // the board, checked as Open checks a file; a game in progress ends
    // first if the player agrees.
    void mnuPastePuzzle_Click();
    // The MIME type of the puzzle-file text on the clipboard.
    static const QString kPuzzleMimeType;
    // Writes the board to the file, replacing it only once the new text is
    // complete; a failure is reported in a message box and returns false.
    bool writePuzzle(const QString& fileName);

    // ---- Printing (printing.cpp) ----
    void mnuPrintLarge_Click();
    void mnuPrintSmall_Click();
    // Shows the print dialog, then prints the board on one page; a cancelled
    // dialog or a failing printer ends it without a word.
    void printPuzzle(double scale, int fontSize);
    // Draws the board onto a printer already set up; false when it failed.
    bool printBoardOn(QPrinter& printer, double scale, int fontSize);

    // ---- Geometry in twips (layout.cpp) ----
    int windowWidthTwips() const { return windowWidth_; }
    int windowHeightTwips() const { return windowHeight_; }
    const platform::TwipsRect& gbCellsTwips() const { return gbRect_; }
    const platform::TwipsRect& statusTwips(int label) const { return statusRect_.at(static_cast<std::size_t>(label)); }
    // Converts every control's twips geometry to pixels and sizes the window.
    void applyGeometry();
    const platform::Twips& twips() const { return twips_; }

    // ---- State (names as the rest of the program uses them) ----
    engine::GridSlots grids;
    int numGrids = 1;
    int gridSize = 9;
    int cellSize = kSmallCell;
    int cellGap = 25;
    engine::Solver solver; // holds the move list `moves` with `numMoves`
    files::Colours colours = files::defaultColours();
    files::Colours previousColours = files::defaultColours();
    files::SymbolTable symbols;
    int savedRating = 0;
    int mode = kSetup;
    bool cellEventsOn = true;
    std::string currentFile;
    // The file dialog's name: the last one chosen in Save As, where the next
    // Save As starts; Open empties it.
    QString dlgFileName;
    bool settingsError = false;
    // Why the settings file found at start-up is not Corvel's to replace (it
    // belongs to someone else, or cannot be read); empty when it may be
    // written. Such a file is never written, and closing says so once.
    std::string settingsLeftAlone;
    // The values settings.ini holds: as read without error, or as last
    // written; empty while the file is missing, bad or not yet written.
    // Closing writes only when the values in force differ.
    std::optional<files::Settings> settingsOnDisk;
    // Set before Form_Load when the settings have no folder to live in (the
    // user is told why): the defaults are used and nothing is written.
    bool noSettingsFolder = false;
    // Seconds on the stopwatch; 32 bits, like the finish dialog's time.
    std::int32_t elapsedSeconds = 0;
    int hintsUsed = 0;
    std::string appDir;
    bool solverRunning = false;
    bool keepGenerating = false;
    // True while the Generate command runs the generator.
    bool generationRunning = false;
    // The generator's random source, made at the first generation (time
    // mixed) unless a test put a seeded one here.
    std::shared_ptr<generator::RandomSource> generatorRandom;
    // Solver runs over the board in progress, counting those started inside
    // another run's yield (board_run.h).
    int boardRunsActive = 0;
    // The solver of the Get Solution run in progress, which Stop stops.
    engine::Solver* solutionRunSolver = nullptr;
    // The solver's yield: the event loop at most every few milliseconds.
    ThrottledYield yieldThrottle;

    // ---- Controls ----
    std::array<platform::TextCell*, kCells> textCells{};
    std::array<platform::LineControl, kGridLines> gridLines{};
    std::array<platform::LineControl, kBlanks> blanks{};
    platform::BoardFrame* gbCells = nullptr;
    platform::PictureButton* imgStart = nullptr;
    platform::PictureButton* imgHint = nullptr;
    platform::PictureButton* imgClear = nullptr;
    platform::PictureButton* imgPartClear = nullptr;
    platform::PictureButton* imgFindSolution = nullptr;
    QLabel* lblStatus1 = nullptr;
    QLabel* lblStatus2 = nullptr;
    QLabel* lblStatus3 = nullptr;
    QTimer* timStopwatch = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuGenerate = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrintLarge = nullptr;
    QAction* mnuPrintSmall = nullptr;
    QMenu* mnuSettings = nullptr;
    QAction* mnuPreferences = nullptr;
    QAction* mnuRealTimeCheck = nullptr;
    QAction* mnuShapeMarks = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuStd9x9 = nullptr;
    QAction* mnuSamurai = nullptr;
    QAction* mnuCopyPuzzle = nullptr;
    QAction* mnuPastePuzzle = nullptr;
    QAction* mnuZoomIn = nullptr;
    QAction* mnuZoomOut = nullptr;
    QAction* mnuActualSize = nullptr;
    QMenu* mnuHelpMenu = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    platform::Dialogs& dialogs() { return *services_.dialogs; }
    const platform::Clock& clock() const { return *services_.clock; }
    const Services& services() const { return services_; }

    // True after Form_Load has run.
    bool loaded() const { return loaded_; }

    // Pencil marks, Undo and Redo, highlighting (game_state.h).
    GameState& game() { return *game_; }
    // The puzzle's rating and Explain Next Step (technique_aids.h).
    TechniqueAids& aids() { return *aids_; }
    // The game under way in the journal, the Games and Statistics windows
    // (game_journal.h).
    GameJournal& journal() { return *journal_; }
    // What a screen reader hears (board_speech.h).
    BoardSpeech& speech() { return *speech_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // controls.cpp
    void createTemplateControls();
    void createMenus();
    void createButtons();
    void createStatusLine();
    void createCells(int from, int to);
    void connectCell(platform::TextCell* cell);
    // clipboard.cpp: Copy Puzzle and Paste Puzzle in the Edit menu.
    void createClipboardCommands();

    // layout.cpp
    void setCellSize(int newSize, double fontPoints);
    void growWindowAndFrame(int dw, int dh);
    void updateGridAreas();
    void applyTabOrder();
    int windowX(int twipsX) const;
    int windowY(int twipsY) const;
    QRect toWindowPixels(const platform::TwipsRect& r) const;
    void applyFonts();
    void centreContents();
    void fitScaleToWindow();
    // The largest scale at which the window fits on its screen (at least 1).
    double screenScale() const;
    // Keeps the scale in options() when it differs from the one kept there.
    void rememberScale();

    Services services_;
    // The screen's own conversion, and twips_ = that at the scale in force.
    platform::Twips screenTwips_;
    platform::Twips twips_;
    double scale_ = 1.0;
    double rememberedScale_ = 1.0;
    // The cells' font size at scale 1.
    double cellPoints_ = 8.25;
    // Set while the scale follows a size the user gave the window: the
    // window then keeps its size instead of fitting the contents.
    bool fittingToWindow_ = false;
    int windowWidth_ = 5250;
    int windowHeight_ = 3720;
    platform::TwipsRect gbRect_{1800, 0, 3235, 3335};
    std::array<platform::TwipsRect, 3> statusRect_{};
    // client_ holds the controls at their own size; around it, the central
    // widget fills any room the window has beyond them.
    QWidget* client_ = nullptr;
    QWidget* centre_ = nullptr;
    GameState* game_ = nullptr;
    TechniqueAids* aids_ = nullptr;
    GameJournal* journal_ = nullptr;
    BoardSpeech* speech_ = nullptr;
    bool loaded_ = false;
    bool unloaded_ = false;
};

} // namespace mainwindow
