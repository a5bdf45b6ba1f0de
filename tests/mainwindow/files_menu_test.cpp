// Open, Save and Save As through the window, with scripted file dialogs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

#include "cell_numbering.h"
#include "play_fixture.h"

namespace {

const QString kFilter = QStringLiteral("Sudoku Puzzle (*.sdk)");
const files::SymbolTable::Symbols kLetters{"A", "B", "C", "D", "E", "F", "G", "H", "I"};

std::string readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll().toStdString();
}

void writeAll(const QString& path, const std::string& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

std::string header(const std::string& symbols, int numGrids)
{
    std::string s;
    for (char c : symbols) s += std::string("\"") + c + "\"\r\n";
    return s + std::to_string(numGrids) + "\r\n";
}

class FilesTest : public PlayTest {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Writes a cell the way the system does, without the entry check.
    static void set(mainwindow::frmMain& win, int g, int col, int row, const std::string& text)
    {
        win.cellEventsOn = false;
        win.grids[static_cast<std::size_t>(g)].assignValue(col, row, text, false);
        win.cellEventsOn = true;
    }
    static std::string at(const mainwindow::frmMain& win, int g, int col, int row)
    {
        return textOf(win, mainwindow::cellIndex(g, col, row));
    }
    static std::vector<std::string> allTexts(const mainwindow::frmMain& win)
    {
        std::vector<std::string> t;
        for (int i = 0; i < mainwindow::kCellCount; ++i) t.push_back(textOf(win, i));
        return t;
    }

    bool saveAs(const QString& name)
    {
        dialogs.saveAnswers.push_back(name);
        const std::size_t before = dialogs.messages.size();
        w->mnuSaveAs_Click();
        return dialogs.messages.size() == before;
    }
    void open(const QString& name)
    {
        dialogs.openAnswers.push_back(name);
        w->mnuOpen_Click();
    }
};

TEST_F(FilesTest, SaveWritesTheExactLayoutAndOpenRestoresCellsAndSymbols)
{
    auto& win = startPlay();
    const QString empty = path("empty.sdk");
    ASSERT_TRUE(saveAs(empty));
    EXPECT_EQ(readAll(empty), header("123456789", 1)) << "an empty board gives ten lines";

    win.symbols.setSymbols(kLetters);
    set(win, 0, 0, 2, "E");
    set(win, 0, 3, 0, "I");
    set(win, 0, 8, 8, "A");
    const QString file = path("one.sdk");
    ASSERT_TRUE(saveAs(file));
    EXPECT_EQ(win.currentFile, file.toStdString());
    EXPECT_EQ(dialogs.fileFilters, (std::vector<QString>{kFilter, kFilter}));
    // Column by column, row by row within a column.
    EXPECT_EQ(readAll(file), header("ABCDEFGHI", 1) + "0,0,2,4\r\n0,3,0,8\r\n0,8,8,0\r\n");

    // Another puzzle and other symbols on the board; opening brings the file back.
    win.symbols.setSymbols(files::SymbolTable::defaults());
    set(win, 0, 0, 2, "");
    set(win, 0, 4, 4, "7");
    open(file);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(win.settingsError);
    EXPECT_EQ(win.symbols.symbols(), kLetters);
    EXPECT_EQ(at(win, 0, 0, 2), "E");
    EXPECT_EQ(at(win, 0, 3, 0), "I");
    EXPECT_EQ(at(win, 0, 8, 8), "A");
    EXPECT_EQ(at(win, 0, 4, 4), "") << "a cell the file does not list keeps no old entry";
    EXPECT_TRUE(win.cellEventsOn);
}

TEST_F(FilesTest, SamuraiFilesListSharedCellsTwiceAndSwitchTheBoard)
{
    auto& win = startPlay(true);
    // Centre (0, 0) is top-left grid (6, 6); centre (8, 8) is bottom-right (2, 2).
    set(win, 4, 0, 0, "5");
    set(win, 4, 8, 8, "9");
    set(win, 1, 0, 0, "3");
    const QString file = path("samurai.sdk");
    ASSERT_TRUE(saveAs(file));
    EXPECT_EQ(readAll(file), header("123456789", 5) + "0,6,6,4\r\n1,0,0,2\r\n3,2,2,8\r\n4,0,0,4\r\n4,8,8,8\r\n");

    // Read on a standard board: the board switches to Samurai first.
    win.mnuStd9x9_Click();
    ASSERT_EQ(win.numGrids, 1);
    open(file);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_EQ(at(win, 0, 6, 6), "5");
    EXPECT_EQ(at(win, 4, 0, 0), "5");
    EXPECT_EQ(at(win, 1, 0, 0), "3");
    EXPECT_EQ(at(win, 3, 2, 2), "9");

    // A file of any count but 5, read on the Samurai board, switches back to
    // the standard board; its record may span lines.
    const QString standard = path("standard.sdk");
    writeAll(standard, header("123456789", 7) + "0,1\r\n1,6\r\n");
    open(standard);
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_EQ(at(win, 0, 1, 1), "7");
    EXPECT_EQ(at(win, 0, 6, 6), "");
}

TEST_F(FilesTest, MalformedFilesChangeNothingAndSaySo)
{
    auto& win = startPlay();
    win.symbols.setSymbols(kLetters);
    set(win, 0, 2, 3, "C");
    set(win, 0, 7, 1, "H");
    const std::vector<std::string> before = allTexts(win);
    const std::string good = header("123456789", 1);
    const std::string goodSamurai = header("123456789", 5);

    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"truncated header", "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n"},
        {"empty symbol", "\"1\"\r\n\"\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n"},
        {"grid 1 after a count of 7", header("123456789", 7) + "1,0,0,0\r\n"},
        {"grid 9", goodSamurai + "9,0,0,0\r\n"},
        {"grid 1 on a standard board", good + "1,0,0,0\r\n"},
        {"column -1", good + "0,-1,0,0\r\n"},
        {"row 10", good + "0,0,10,0\r\n"},
        {"value 12", good + "0,0,0,12\r\n"},
        {"three fields", good + "0,0,0\r\n"},
        {"a bad record on the line of a good one", good + "0,0,0,0,0,9,0,0\r\n"},
        {"non-numbers", good + "a,b,c,d\r\n"},
        {"binary bytes", std::string("\"1\"\r\n\0\xff\xfe\x01", 9) + "\r\n"},
        {"a good record after a bad one", good + "0,0,0,0\r\n0,0,0,x\r\n"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        const QString file = path("bad.sdk");
        writeAll(file, text);
        dialogs.messages.clear();
        open(file);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Error in reading the file: ") + file))
            << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
        EXPECT_TRUE(win.settingsError);
        EXPECT_EQ(win.symbols.symbols(), kLetters);
        EXPECT_EQ(win.numGrids, 1);
        EXPECT_EQ(allTexts(win), before);
        EXPECT_TRUE(win.cellEventsOn);
    }

    // Not a readable file at all: missing, or a folder.
    for (const QString& file : {path("missing.sdk"), dir.path()}) {
        dialogs.messages.clear();
        open(file);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Error in reading the file: ") + file));
        EXPECT_EQ(allTexts(win), before);
    }
}

TEST_F(FilesTest, SaveWithoutANameIsSaveAsAndThenNeverAsks)
{
    auto& win = startPlay();
    set(win, 0, 0, 0, "1");
    const QString file = path("first.sdk");
    dialogs.saveAnswers.push_back(file);
    win.mnuSave->trigger();
    EXPECT_EQ(dialogs.fileFilters.size(), 1u);
    EXPECT_EQ(win.currentFile, file.toStdString());
    EXPECT_EQ(readAll(file), header("123456789", 1) + "0,0,0,0\r\n");

    // The file exists now; Save replaces it without a dialog or a question.
    set(win, 0, 0, 0, "2");
    win.mnuSave->trigger();
    EXPECT_EQ(dialogs.fileFilters.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readAll(file), header("123456789", 1) + "0,0,0,1\r\n");

    // A cancelled Save As changes nothing.
    win.mnuSaveAs->trigger();
    EXPECT_EQ(win.currentFile, file.toStdString());
}

TEST_F(FilesTest, SaveAsOntoAnExistingFileAsksOnce)
{
    auto& win = startPlay();
    set(win, 0, 4, 4, "9");
    const QString file = path("kept.sdk");
    writeAll(file, "precious");

    dialogs.messageAnswers.push_back(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(saveAs(file));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Are you sure you want to overwrite existing ") + file);
    EXPECT_EQ(dialogs.messages[0].buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(readAll(file), "precious");
    EXPECT_EQ(win.currentFile, "");

    dialogs.messages.clear();
    dialogs.messageAnswers.push_back(platform::MessageAnswer::Ok);
    dialogs.saveAnswers.push_back(file);
    win.mnuSaveAs_Click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(readAll(file), header("123456789", 1) + "0,4,4,8\r\n");
    EXPECT_EQ(win.currentFile, file.toStdString());
}

TEST_F(FilesTest, SaveAsAddsTheExtensionAndAsksAboutTheFullName)
{
    auto& win = startPlay();
    set(win, 0, 4, 4, "9");
    const std::string saved = header("123456789", 1) + "0,4,4,8\r\n";
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"plain", "plain.sdk"}, {"dotted.", "dotted.sdk"}, {"other.txt", "other.txt"}, {"up.SDK", "up.SDK"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.saveAnswers.push_back(path(c.typed));
        win.mnuSaveAs->trigger();
        EXPECT_EQ(readAll(path(c.written)), saved);
        EXPECT_EQ(win.currentFile, path(c.written).toStdString());
    }
    EXPECT_FALSE(QFileInfo::exists(path("plain")));

    // Typed without the extension onto an existing puzzle: the question names
    // the file that would be replaced.
    writeAll(path("kept.sdk"), "precious");
    dialogs.messages.clear();
    dialogs.messageAnswers.push_back(platform::MessageAnswer::Cancel);
    dialogs.saveAnswers.push_back(path("kept"));
    win.mnuSaveAs->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Are you sure you want to overwrite existing ") + path("kept.sdk"));
    EXPECT_EQ(readAll(path("kept.sdk")), "precious");
    EXPECT_FALSE(QFileInfo::exists(path("kept")));
}

TEST_F(FilesTest, SaveAsStartsWithTheLastNameUsed)
{
    auto& win = startPlay();
    set(win, 0, 0, 0, "1");
    dialogs.saveAnswers.push_back(path("first"));
    win.mnuSaveAs->trigger();
    win.mnuSaveAs->trigger(); // cancelled
    dialogs.saveAnswers.push_back(std::nullopt);
    win.mnuSaveAs->trigger();
    // A cancelled Open keeps the name; an Open that chooses a file empties it.
    win.mnuOpen->trigger();
    win.mnuSaveAs->trigger();
    open(path("first.sdk"));
    win.mnuSaveAs->trigger();
    EXPECT_EQ(dialogs.saveStartNames,
              (std::vector<QString>{QString(), path("first.sdk"), path("first.sdk"), path("first.sdk"), QString()}));
}

TEST_F(FilesTest, AFailedSaveSaysWhyAndKeepsTheOldFile)
{
    auto& win = startPlay();
    set(win, 0, 1, 1, "4");
    const QString old = path("old.sdk");
    ASSERT_TRUE(saveAs(old));
    const std::string oldText = readAll(old);

    // A folder that cannot exist: its parent is a regular file.
    const QString blocked = path("old.sdk/inside.sdk");
    EXPECT_FALSE(saveAs(blocked));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(blocked));
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(win.currentFile, old.toStdString()) << "the failed name is not taken for Save";

    // A cell whose text is none of the symbols (the cells' own handler never
    // lets one stay, so it is put there behind its back) would make the file
    // unreadable: the save is refused and the old file stays as it was.
    platform::TextCell* cell = win.textCells[static_cast<std::size_t>(mainwindow::cellIndex(0, 5, 5))];
    cell->blockSignals(true);
    cell->setText(std::string("x"));
    cell->blockSignals(false);
    dialogs.messages.clear();
    win.mnuSave_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(old));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("\"x\"")));
    EXPECT_EQ(readAll(old), oldText);
}

TEST_F(FilesTest, ASaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    auto& win = startPlay();
    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    const QString folder = path("locked");
    const QString file = folder + QStringLiteral("/puzzle.sdk");
    writeAll(file, "old text");
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    set(win, 0, 0, 0, "1");
    dialogs.messageAnswers.push_back(platform::MessageAnswer::Ok); // the overwrite question
    dialogs.saveAnswers.push_back(file);
    win.mnuSaveAs_Click();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.contains(file));
    EXPECT_EQ(readAll(file), "old text");
    EXPECT_EQ(win.currentFile, "");
}

TEST_F(FilesTest, AfterOpenSaveAsksInsteadOfOverwritingTheEarlierFile)
{
    auto& win = startPlay();
    set(win, 0, 0, 0, "1");
    const QString first = path("first.sdk");
    ASSERT_TRUE(saveAs(first));
    const std::string firstText = readAll(first);

    const QString other = path("other.sdk");
    writeAll(other, header("123456789", 1) + "0,8,8,8\r\n");
    open(other);
    EXPECT_EQ(win.currentFile, "");
    const QString third = path("third.sdk");
    dialogs.saveAnswers.push_back(third);
    win.mnuSave_Click();
    EXPECT_EQ(readAll(first), firstText);
    EXPECT_EQ(readAll(third), header("123456789", 1) + "0,8,8,8\r\n");

    // A cancelled Open changes nothing.
    win.mnuOpen->trigger();
    EXPECT_EQ(win.currentFile, third.toStdString());
    EXPECT_EQ(at(win, 0, 8, 8), "9");
}

TEST_F(FilesTest, AnOpenedPuzzleIsPlayedByStart)
{
    auto& win = startPlay();
    const QString file = path("easy.sdk");
    std::string text = header("123456789", 1);
    for (int k = 0; k < 81; ++k)
        if (puzzles::kEasy[static_cast<std::size_t>(k)] != '0')
            text += "0," + std::to_string(k % 9) + "," + std::to_string(k / 9) + "," +
                    std::to_string(puzzles::kEasy[static_cast<std::size_t>(k)] - '1') + "\r\n";
    writeAll(file, text);
    open(file);
    ASSERT_TRUE(dialogs.messages.empty());
    click(win.imgStart);
    EXPECT_EQ(rw->generateCalls, 0) << "an opened puzzle is not an empty board";
    EXPECT_EQ(win.mode, mainwindow::kSolving);
}

} // namespace
