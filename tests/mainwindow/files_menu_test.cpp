// SPDX-License-Identifier: GPL-3.0-or-later
// Open, Save and Save As through the window, with scripted file dialogs.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <chrono>

#include "bad_puzzle_files.h"
#include "board_speech.h"
#include "window_fixture.h"

namespace {

const QString kFilter = QStringLiteral("Sudoku Puzzle (*.sdk)");
const files::SymbolTable::Symbols kLetters{"A", "B", "C", "D", "E", "F", "G", "H", "I"};

class FilesTest : public WindowTest {
protected:
    // A home of the test's own, where the file dialogs start first.
    FilesTest()
    {
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
        QDir().mkpath(home);
    }
    ~FilesTest() override
    {
        qputenv("HOME", savedHome);
        if (savedConfig.isNull()) qunsetenv("XDG_CONFIG_HOME");
        else qputenv("XDG_CONFIG_HOME", savedConfig);
    }
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QString home = path("home");
    // Where the file dialogs started, in the test's folder ("" for itself).
    std::string starts() const
    {
        return QStringList(dialogs.fileDialogStarts.begin(), dialogs.fileDialogStarts.end())
            .join(QLatin1Char(' '))
            .replace(dir.path(), QString())
            .toStdString();
    }

    // Writes a cell the way the system does, without the entry check.
    void set(int g, int col, int row, const std::string& t) const
    {
        w->cellEventsOn = false;
        w->grids[static_cast<std::size_t>(g)].assignValue(col, row, t, false);
        w->cellEventsOn = true;
    }
    std::string at(int g, int col, int row) const { return text(mainwindow::cellIndex(g, col, row)); }
    // Save As to a name; true when it said nothing.
    bool saveAs(const QString& name)
    {
        dialogs.saveAnswers.push_back(name);
        const std::size_t before = dialogs.messages.size();
        w->mnuSaveAs->trigger();
        return dialogs.messages.size() == before;
    }
    // The hard and the easy sample saved as hard.sdk and easy.sdk.
    void saveHardAndEasy()
    {
        load(puzzles::kHard);
        ASSERT_TRUE(saveAs(path("hard.sdk")));
        load(puzzles::kEasy);
        ASSERT_TRUE(saveAs(path("easy.sdk")));
    }
    void open(const QString& name)
    {
        dialogs.openAnswers.push_back(name);
        w->mnuOpen->trigger();
    }
    // Puts puzzle-file bytes (or, as text alone, anything) on the clipboard
    // and pastes them.
    void paste(const std::string& bytes, bool asText = false) const
    {
        auto* data = new QMimeData;
        if (asText)
            data->setText(QString::fromStdString(bytes));
        else
            data->setData(mainwindow::frmMain::kPuzzleMimeType, QByteArray(bytes.data(), qsizetype(bytes.size())));
        QGuiApplication::clipboard()->setMimeData(data);
        w->mnuPastePuzzle->trigger();
    }
    static std::string clipboardFile()
    {
        return QGuiApplication::clipboard()->mimeData()->data(mainwindow::frmMain::kPuzzleMimeType).toStdString();
    }
};

TEST_F(FilesTest, SaveWritesTheLayoutAndOpenRestoresTheCellsAndSymbols)
{
    auto& win = start();
    ASSERT_TRUE(saveAs(path("empty.sdk")));
    EXPECT_EQ(readFile(path("empty.sdk")), symbolLines() + "1\r\n") << "an empty board gives ten lines";

    win.symbols.setSymbols(kLetters);
    set(0, 0, 2, "E");
    set(0, 3, 0, "I");
    set(0, 8, 8, "A");
    const QString file = path("one.sdk");
    ASSERT_TRUE(saveAs(file));
    EXPECT_EQ(win.currentFile, file.toStdString());
    EXPECT_EQ(dialogs.fileFilters, (std::vector<QString>{kFilter, kFilter}));
    // Column by column, row by row within a column.
    EXPECT_EQ(readFile(file), "\"A\"\r\n\"B\"\r\n\"C\"\r\n\"D\"\r\n\"E\"\r\n\"F\"\r\n\"G\"\r\n\"H\"\r\n\"I\"\r\n"
                              "1\r\n0,0,2,4\r\n0,3,0,8\r\n0,8,8,0\r\n");

    // Another puzzle and other symbols on the board; opening brings the file
    // back, as the puzzle that Start then plays.
    win.symbols.setSymbols(files::SymbolTable::defaults());
    set(0, 0, 2, "");
    set(0, 4, 4, "7");
    QSignalSpy said(&win.speech(), &mainwindow::BoardSpeech::announced);
    open(file);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.symbols.symbols(), kLetters);
    EXPECT_EQ(at(0, 0, 2) + at(0, 3, 0) + at(0, 8, 8), "EIA");
    EXPECT_EQ(at(0, 4, 4), "") << "a cell the file does not list keeps no old entry";
    EXPECT_TRUE(win.cellEventsOn);
    EXPECT_EQ(shownRating(), "No single solution");
    EXPECT_TRUE(said.count() == 1 && said.at(0).at(0) == shownRating());
    click(win.imgStart);
    EXPECT_EQ(dialogs.modalDialogsRun, 0) << "an opened puzzle is not an empty board";
    EXPECT_EQ(win.mode, mainwindow::kSolving);
}

TEST_F(FilesTest, AnOpenedPuzzleIsRatedAndTheRatingOfABoardReplacedMeanwhileNeverShows)
{
    auto& win = start();
    ASSERT_NO_FATAL_FAILURE(saveHardAndEasy());
    const QString hard = ratingOf(puzzles::kHard), easy = ratingOf(puzzles::kEasy);
    ASSERT_NE(hard, easy);
    QSignalSpy said(&win.speech(), &mainwindow::BoardSpeech::announced);
    open(path("hard.sdk"));
    EXPECT_TRUE(shownRating().endsWith(hard)) << shownRating().toStdString();
    // A screen reader hears it once, as the label shows it.
    ASSERT_EQ(said.count(), 1);
    EXPECT_EQ(QStringLiteral("<b>") + said.at(0).at(0).toString().replace(QStringLiteral(", hardest step "),
                                                                        QStringLiteral("</b><br>")),
              shownRating());
    open(path("easy.sdk"));
    EXPECT_TRUE(shownRating().endsWith(easy)) << shownRating().toStdString();
    // A given changed in Setup: the puzzle is another one, not yet rated.
    type(cellOf(puzzles::kEasy.find('.')), "9");
    EXPECT_EQ(w->aids().lblRating->text(), QString());
    // Cleared before the rating is back: none shows.
    open(path("hard.sdk"));
    click(win.imgClear);
    QTest::qWait(300);
    EXPECT_EQ(win.aids().lblRating->text(), QString());
}

TEST_F(FilesTest, ARatingThatTakesAWhileShowsItsHardestStepSoFarAndNothingOfABoardReplaced)
{
    auto& win = start();
    ASSERT_NO_FATAL_FAILURE(saveHardAndEasy());
    // Every rating counts as one that takes a while.
    win.aids().setInterimAfter(std::chrono::milliseconds(0));
    QStringList seen;
    QObject::connect(&win.aids(), &mainwindow::TechniqueAids::ratingShown,
                     [&] { seen << win.aids().lblRating->text(); });
    const QRegularExpression shown(QStringLiteral("^<b>Rating (\\d+\\.\\d)(\\+?)"));
    auto tenthsOf = [&](const QString& text) {
        const auto m = shown.match(text);
        return m.hasMatch() ? qRound(m.captured(1).toDouble() * 10) : -1;
    };

    // The hardest step so far shows, rising, until the rating itself.
    open(path("hard.sdk"));
    EXPECT_TRUE(shownRating().endsWith(ratingOf(puzzles::kHard))) << shownRating().toStdString();
    ASSERT_GE(seen.size(), 3);
    int last = 0;
    for (qsizetype i = 0; i + 1 < seen.size(); ++i) {
        const int r = tenthsOf(seen[i]);
        EXPECT_GT(r, last) << seen[i].toStdString();
        EXPECT_TRUE(shown.match(seen[i]).captured(2) == QStringLiteral("+")) << seen[i].toStdString();
        EXPECT_EQ(seen[i].contains(QStringLiteral("Diabolical")), r >= 70) << "only the top band is sure early";
        last = r;
    }
    EXPECT_EQ(tenthsOf(seen.back()), 100);
    EXPECT_FALSE(win.aids().ratingPending());

    // Opened over a rating still running: only the new puzzle's show.
    open(path("hard.sdk"));
    open(path("easy.sdk"));
    seen.clear();
    const QString easy = ratingOf(puzzles::kEasy);
    EXPECT_TRUE(shownRating().endsWith(easy)) << shownRating().toStdString();
    ASSERT_FALSE(seen.isEmpty());
    for (const QString& text : seen) EXPECT_LE(tenthsOf(text), tenthsOf(seen.back())) << text.toStdString();
}

TEST_F(FilesTest, SamuraiFilesListSharedCellsTwiceAndSwitchTheBoard)
{
    auto& win = start(true);
    // Centre (0, 0) is top-left grid (6, 6); centre (8, 8) is bottom-right (2, 2).
    set(4, 0, 0, "5");
    set(4, 8, 8, "9");
    set(1, 0, 0, "3");
    const QString file = path("samurai.sdk");
    ASSERT_TRUE(saveAs(file));
    EXPECT_EQ(readFile(file), symbolLines() + "5\r\n0,6,6,4\r\n1,0,0,2\r\n3,2,2,8\r\n4,0,0,4\r\n4,8,8,8\r\n");

    // Read on a standard board: the board switches to Samurai first.
    win.mnuStd9x9_Click();
    open(file);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_EQ(at(0, 6, 6) + at(4, 0, 0) + at(1, 0, 0) + at(3, 2, 2), "5539");

    // A file of any count but 5, read on the Samurai board, switches back to
    // the standard board; its record may span lines.
    writeFile(path("standard.sdk"), symbolLines() + "7\r\n0,1\r\n1,6\r\n");
    open(path("standard.sdk"));
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_EQ(at(0, 1, 1), "7");
    EXPECT_EQ(at(0, 6, 6), "");
}

TEST_F(FilesTest, AFileThatCannotBeReadChangesNothingAndSaysSoTheOthersOpen)
{
    auto& win = start();
    win.symbols.setSymbols(kLetters);
    set(0, 2, 3, "C");
    set(0, 7, 1, "H");
    const std::vector<std::string> before = texts();
    // Not a readable file at all (missing, a folder), then every malformed one.
    std::vector<QString> names = {path("missing.sdk"), dir.path()};
    for (const BadPuzzleFile& c : badPuzzleFiles()) {
        names.push_back(path(c.name) + QStringLiteral(".sdk"));
        writeFile(names.back(), c.text);
    }
    for (const QString& file : names) {
        SCOPED_TRACE(file.toStdString());
        dialogs.messages.clear();
        open(file);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Error in reading the file: ") + file))
            << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(win.symbols.symbols(), kLetters);
        EXPECT_EQ(win.numGrids, 1);
        EXPECT_EQ(texts(), before);
        EXPECT_TRUE(win.cellEventsOn);
    }
    // Paste refuses the same texts for the same reasons.
    for (const BadPuzzleFile& c : badPuzzleFiles()) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        paste(c.text);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const QString& m = dialogs.messages[0].text;
        EXPECT_TRUE(m.startsWith(QStringLiteral("Error in reading the puzzle on the clipboard:\n") +
                                 (c.line ? QStringLiteral("line %1: ").arg(c.line) : QString())) &&
                    m.contains(QString::fromUtf8(c.fault)))
            << m.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(win.symbols.symbols(), kLetters);
        EXPECT_EQ(win.numGrids, 1);
        EXPECT_EQ(texts(), before);
    }
    // What corvel-cli takes, Open takes (and `corvel FILE`, which opens as it does).
    for (const ReadablePuzzleFile& c : readablePuzzleFiles()) {
        writeFile(path(c.name), c.text);
        dialogs.messages.clear();
        open(path(c.name));
        EXPECT_TRUE(dialogs.messages.empty()) << c.name;
        EXPECT_EQ(at(c.grid, c.col, c.row), win.symbols.indexToSymbol(c.val)) << c.name;
    }
}

TEST_F(FilesTest, SaveAsksForANameOnceAndAfterAnOpenAsksAgain)
{
    auto& win = start();
    set(0, 0, 0, "1");
    // Save without a name is Save As.
    const QString first = path("first.sdk");
    dialogs.saveAnswers.push_back(path("first"));
    win.mnuSave->trigger();
    EXPECT_EQ(win.currentFile, first.toStdString());
    EXPECT_EQ(readFile(first), symbolLines() + "1\r\n0,0,0,0\r\n");
    // The file exists now; Save replaces it without a dialog or a question.
    set(0, 0, 0, "2");
    win.mnuSave->trigger();
    EXPECT_EQ(dialogs.fileFilters.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readFile(first), symbolLines() + "1\r\n0,0,0,1\r\n");
    // A cancelled Open or Save As changes nothing, and the next Save As
    // starts with the name last chosen.
    win.mnuOpen->trigger();
    win.mnuSaveAs->trigger();
    win.mnuSaveAs->trigger();
    EXPECT_EQ(win.currentFile, first.toStdString());

    // After an Open, Save asks rather than overwrite the earlier file, in a
    // dialog that starts empty.
    writeFile(path("other.sdk"), symbolLines() + "1\r\n0,8,8,8\r\n");
    open(path("other.sdk"));
    EXPECT_EQ(win.currentFile, "");
    dialogs.saveAnswers.push_back(path("third.sdk"));
    win.mnuSave->trigger();
    EXPECT_EQ(readFile(first), symbolLines() + "1\r\n0,0,0,1\r\n");
    EXPECT_EQ(readFile(path("third.sdk")), symbolLines() + "1\r\n0,8,8,8\r\n");
    EXPECT_EQ(starts(), "/home  /first.sdk /first.sdk  ");
}

// Open and Save As start in the folder of the puzzle file last read or
// written, in this run or an earlier one, else in the documents folder, else
// at home; never in the current folder, which --desktop makes Corvel's own.
TEST_F(FilesTest, OpenAndSaveAsStartWhereTheUsersFilesAre)
{
    auto& win = start();
    win.mnuOpen->trigger();
    const QString documents = home + QStringLiteral("/Documents"), games = path("games");
    ASSERT_TRUE(QDir().mkpath(documents) && QDir().mkpath(games));
    win.mnuOpen->trigger();
    ASSERT_TRUE(saveAs(games + QStringLiteral("/a.sdk")));
    start().mnuOpen->trigger(); // the next run
    QDir(games).removeRecursively();
    w->mnuOpen->trigger();
    writeFile(path("b.sdk"), symbolLines() + "1\r\n");
    open(path("b.sdk"));
    w->mnuSaveAs->trigger();
    EXPECT_EQ(starts(), "/home /home/Documents /home/Documents /games /home/Documents /home/Documents ");
}

TEST_F(FilesTest, SaveAsAddsTheExtensionAndAsksBeforeReplacingAFile)
{
    auto& win = start();
    set(0, 4, 4, "9");
    const std::string saved = symbolLines() + "1\r\n0,4,4,8\r\n";
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"plain", "plain.sdk"}, {"dotted.", "dotted.sdk"}, {"other.txt", "other.txt"}, {"up.SDK", "up.SDK"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(saveAs(path(c.typed)));
        EXPECT_EQ(readFile(path(c.written)), saved) << c.typed;
        EXPECT_EQ(win.currentFile, path(c.written).toStdString());
    }
    EXPECT_FALSE(QFileInfo::exists(path("plain")));

    // Onto an existing puzzle, typed without the extension: the question
    // names the file that would be replaced; Cancel keeps it, OK replaces it.
    writeFile(path("kept.sdk"), "precious");
    for (const auto answer : {platform::MessageAnswer::Cancel, platform::MessageAnswer::Ok}) {
        dialogs.messages.clear();
        dialogs.messageAnswers.push_back(answer);
        saveAs(path("kept"));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "Are you sure you want to overwrite existing " + path("kept.sdk"));
        EXPECT_EQ(dialogs.messages[0].buttons, platform::MessageButtons::OkCancel);
        const bool ok = answer == platform::MessageAnswer::Ok;
        EXPECT_EQ(readFile(path("kept.sdk")), ok ? saved : "precious");
        EXPECT_EQ(win.currentFile, path(ok ? "kept.sdk" : "up.SDK").toStdString());
    }
    EXPECT_FALSE(QFileInfo::exists(path("kept")));
}

TEST_F(FilesTest, AFailedSaveNamesTheFileAndKeepsTheOldOne)
{
    auto& win = start();
    set(0, 1, 1, "4");
    const QString old = path("old.sdk");
    ASSERT_TRUE(saveAs(old));
    const std::string oldText = readFile(old);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.sdk")));
    // Saves that fail whoever runs them: a folder inside a file, a folder
    // that does not exist, a folder where the file would go; and Save of a
    // cell whose text is none of the symbols (the cell's own handler never
    // lets one stay), which would make the file unreadable.
    for (const QString& name : {path("old.sdk/inside.sdk"), path("missing/p.sdk"), path("folder.sdk"), QString()}) {
        SCOPED_TRACE(name.toStdString());
        dialogs.messages.clear();
        if (name.isEmpty()) { // Save to the current file
            cell(60)->blockSignals(true);
            cell(60)->setText("x");
            cell(60)->blockSignals(false);
            win.mnuSave->trigger();
        } else {
            if (QFileInfo::exists(name)) dialogs.messageAnswers.push_back(platform::MessageAnswer::Ok);
            saveAs(name);
        }
        ASSERT_FALSE(dialogs.messages.empty());
        const auto& said = dialogs.messages.back();
        EXPECT_TRUE(said.text.contains(name.isEmpty() ? old + ":\nA cell holds \"x\"" : name))
            << said.text.toStdString();
        EXPECT_EQ(said.icon, platform::MessageIcon::Critical);
        EXPECT_EQ(readFile(old), oldText);
        EXPECT_EQ(win.currentFile, old.toStdString()) << "the failed name is not taken for Save";
    }
    EXPECT_TRUE(QFileInfo(path("folder.sdk")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
}

} // namespace

TEST_F(FilesTest, PuzzlesGoThroughTheClipboardAsLinesBlocksAndFilesOnEitherBoard)
{
    auto& win = start();
    for (const auto& [puzzle, solution] : {std::pair{puzzles::kHard, puzzles::kHardSolution},
                                           std::pair{puzzles::kSamurai, puzzles::kSamuraiSolution}}) {
        SCOPED_TRACE(puzzle.size());
        puzzle.size() == 405 ? win.mnuSamurai->trigger() : win.mnuStd9x9->trigger();
        load(puzzle);
        // The player's entry is not part of the puzzle.
        const Gap gap = gaps(puzzle, solution)[0];
        type(gap.cell, gap.right);
        win.mnuCopyPuzzle->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), puzzle + "\n");
        const std::string file = clipboardFile();
        for (const bool asText : {false, true}) {
            click(win.imgClear);
            paste(asText ? puzzle : file, asText);
            EXPECT_EQ(line(), puzzle);
        }
    }
    EXPECT_TRUE(dialogs.messages.empty());

    // A block as printed, onto a board of letters, which stay: the digits
    // are value indices. Before a Start every entry is the puzzle.
    win.symbols.setSymbols(kLetters);
    std::string block;
    for (std::size_t k = 0; k < 81; ++k)
        block += std::string(1, puzzles::kEasy[k]) + (k % 9 == 8 ? "\n" : k % 3 == 2 ? " | " : " ") +
                 (k % 27 == 26 ? "------+-------+------\n" : "");
    paste(block, true);
    ASSERT_EQ(win.numGrids, 1);
    EXPECT_EQ(at(0, 2, 0), "C");
    win.mnuCopyPuzzle->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), puzzles::kEasy + "\n");
    EXPECT_EQ(clipboardFile().substr(0, 5), "\"A\"\r\n");

    // During a game Paste asks first (Ctrl+Shift+V in a cell).
    click(win.imgStart);
    win.show();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    ASSERT_EQ(win.mnuPastePuzzle->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    for (const auto answer : {platform::MessageAnswer::Cancel, platform::MessageAnswer::Ok}) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(puzzles::kHard));
        dialogs.messageAnswers.push_back(answer);
        QTest::keySequence(cell(0), win.mnuPastePuzzle->shortcut());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].buttons, platform::MessageButtons::OkCancel);
        dialogs.messages.clear();
        const bool pasted = answer == platform::MessageAnswer::Ok;
        EXPECT_EQ(win.mode, pasted ? mainwindow::kSetup : mainwindow::kSolving);
        EXPECT_EQ(at(0, 2, 0), pasted ? "E" : "C");
    }

    // Inside an entry check's yield Paste is greyed and, called all the
    // same (as a late shortcut would), leaves the board alone; Copy works.
    duringNextYield([&] {
        EXPECT_FALSE(win.mnuPastePuzzle->isEnabled());
        QGuiApplication::clipboard()->setText(QString::fromStdString(puzzles::kEasy));
        win.mnuPastePuzzle_Click();
        win.mnuCopyPuzzle->trigger();
    });
    type(cellOf(0), "A");
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(at(0, 2, 0), "E");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "1" + puzzles::kHard.substr(1) + "\n");
    expectIdle();
}
