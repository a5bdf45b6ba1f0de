#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>
#include <vector>

#include "command_line.h"
#include "frm_settings.h"
#include "frm_splash.h"
#include "window_fixture.h"

namespace {

const char* const kDefaultFile =
    "[Colours]\r\n16777215\r\n14737632\r\n0\r\n0\r\n49152\r\n[Symbols]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n"
    "[Rating]\r\n0\r\n";
const QString kSettingsMessage = QStringLiteral("Error in reading settings.ini file : please report this error");

TEST_F(WindowTest, StartsWithAnEmptyStandardBoardInSetupMode)
{
    auto& win = start();
    EXPECT_EQ(win.windowTitle(), "Corvel");
    EXPECT_EQ(win.mode, mainwindow::kSetup);
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_EQ(win.cellSize, 435);
    EXPECT_EQ(win.cellGap, 25);
    EXPECT_TRUE(win.mnuRealTimeCheck->isCheckable());
    EXPECT_TRUE(win.mnuRealTimeCheck->isChecked());
    EXPECT_TRUE(win.currentFile.empty());
    EXPECT_EQ(win.elapsedSeconds, 0);
    EXPECT_EQ(win.hintsUsed, 0);
    EXPECT_EQ(win.solver.moves.numMoves, 0);
    for (int i = 0; i < mainwindow::frmMain::kCells; ++i) {
        ASSERT_NE(win.textCells[static_cast<std::size_t>(i)], nullptr) << i;
        const engine::CellControl& c = *win.textCells[static_cast<std::size_t>(i)];
        EXPECT_EQ(c.isVisible(), i <= 80) << "cell " << i;
        EXPECT_EQ(c.text(), "") << i;
        EXPECT_EQ(win.textCells[static_cast<std::size_t>(i)]->twipsGeometry().width, 435) << i;
        EXPECT_EQ(win.textCells[static_cast<std::size_t>(i)]->twipsGeometry().height, 435) << i;
        EXPECT_EQ(c.background(), engine::rgb(255, 255, 255)) << i;
    }
    EXPECT_EQ(win.lblStatus1->text(), "Setup Mode");
    EXPECT_EQ(win.lblStatus2->text(), "Checking ON ");
    // The first window (5250 x 3720) and frame (3235 x 3335) grew by
    // 9 x (435 - 315) each way for the large cells.
    EXPECT_EQ(win.windowWidthTwips(), 6330);
    EXPECT_EQ(win.windowHeightTwips(), 4800);
    EXPECT_EQ(win.gbCellsTwips(), (platform::TwipsRect{1800, 0, 4315, 4415}));
    EXPECT_TRUE(dialogs.messages.empty());
    // The grids use the default colours.
    EXPECT_EQ(win.grids[0].baseColour(), engine::rgb(255, 255, 255));
    EXPECT_EQ(win.grids[4].inputColour(), engine::rgb(224, 224, 224));
    EXPECT_EQ(win.grids[3].hintColour(), engine::rgb(0, 192, 0));
}

TEST_F(WindowTest, MissingSettingsFileStartsWithDefaultsAndIsWritten)
{
    start();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readSettingsFile(), kDefaultFile);
}

TEST_F(WindowTest, SettingsFromTheFileAreUsed)
{
    writeSettingsFile("[Symbols]\r\nA\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\nI\r\n[Colours]\r\n 255 \r\n65280\r\n"
                      "16711680\r\n8421504\r\n65535\r\n[Rating]\r\n7\r\n");
    auto& win = start();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.symbols.indexToSymbol(0), "A");
    EXPECT_EQ(win.symbols.symbolToIndex("I"), 8);
    EXPECT_EQ(win.colours[0], 255u);
    EXPECT_EQ(win.savedRating, 7);
    EXPECT_EQ(win.textCells[5]->background(), 255u);
    EXPECT_EQ(win.textCells[5]->textColour(), 16711680u);
    EXPECT_EQ(win.gridLines[0].colour, 8421504u);
    EXPECT_EQ(win.blanks[1].colour, 14342357u);
    // Rewritten in the file's own order.
    EXPECT_EQ(readSettingsFile().substr(0, 11), "[Colours]\r\n");
}

TEST_F(WindowTest, ASettingsFileThatIsNotOursIsNeverWritten)
{
    const struct {
        const char* name;
        std::string text;
        bool ours;
    } cases[] = {
        // Ours but damaged: the message, the defaults, and the file rewritten.
        {"an empty symbol line",
         "[Colours]\r\n255\r\n65280\r\n0\r\n0\r\n49152\r\n[Symbols]\r\nA\r\n\r\nC\r\nD\r\nE\r\nF\r\nG\r\n"
         "H\r\nI\r\n[Rating]\r\n3\r\n",
         true},
        // Someone else's: read nothing, never write, say so once on closing.
        {"another program's settings", "[Window]\r\nColours=255\r\n1\r\n", false},
        {"an empty file", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        writeSettingsFile(c.text);
        auto& win = start();
        EXPECT_EQ(win.symbols.symbols(), files::SymbolTable::defaults());
        EXPECT_EQ(win.colours, files::defaultColours());
        if (c.ours) {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, kSettingsMessage);
            EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
            EXPECT_EQ(readSettingsFile(), kDefaultFile);
            continue;
        }
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(readSettingsFile(), c.text) << "written at the end of start-up";
        dialogs.colourAnswers.push_back(engine::rgb(1, 2, 3));
        dialogs.modalScripts.push_back([](QDialog& d) {
            auto& s = static_cast<mainwindow::frmSettings&>(d);
            s.lblColours[0]->click();
            s.btnOK->click();
        });
        win.mnuPreferences->trigger();
        win.close();
        win.close();
        EXPECT_EQ(readSettingsFile(), c.text) << "written on closing";
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("were not saved")));
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("is not Corvel's settings file")));
        EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromStdString(settingsFile())));
    }
}

TEST_F(WindowTest, UnusableSymbolsAreASettingsError)
{
    writeSettingsFile("[Symbols]\r\nA\r\nA\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\nI\r\n");
    auto& win = start();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(win.symbols.symbols(), files::SymbolTable::defaults());
}

TEST_F(WindowTest, NegativeColourAppliesAllDefaults)
{
    writeSettingsFile("[Colours]\r\n255\r\n65280\r\n-1\r\n0\r\n49152\r\n");
    auto& win = start();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(win.colours, files::defaultColours());
    EXPECT_EQ(win.textCells[0]->background(), engine::rgb(255, 255, 255));
}

TEST_F(WindowTest, ClosingAlwaysRewritesTheSettings)
{
    auto& win = start();
    QFile::remove(QString::fromStdString(settingsFile()));
    win.close();
    EXPECT_EQ(readSettingsFile(), kDefaultFile);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, UnwritableSettingsDoNotStopTheProgram)
{
    // A settings folder that does not exist cannot take the file.
    mainwindow::Services s;
    s.dialogs = &dialogs;
    s.clock = &clock;
    s.splashMilliseconds = 0;
    s.appDir = appDir() + "/no/such/folder";
    mainwindow::frmMain win(s);
    win.Form_Load();
    EXPECT_TRUE(win.loaded());
    EXPECT_TRUE(dialogs.messages.empty()); // start-up stays quiet
    win.close();
    ASSERT_EQ(dialogs.messages.size(), 1u); // closing says the choice was not saved
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Exclamation);
}

// A clock that moves on by a fixed step each time it is read.
class SteppingClock final : public platform::Clock {
public:
    std::int64_t steadyMilliseconds() const override { return now_ += 500; }
    int secondsOfDay() const override { return 0; }
    mutable std::int64_t now_ = 0;
};

TEST_F(WindowTest, SplashWaitsItsTimeOnTheClock)
{
    SteppingClock stepping;
    mainwindow::Services s;
    s.dialogs = &dialogs;
    s.clock = &stepping;
    s.splashMilliseconds = 3000;
    s.appDir = appDir();
    mainwindow::frmMain win(s);
    win.Form_Load();
    EXPECT_GE(stepping.now_, 3000);
    EXPECT_EQ(win.cellSize, 435);
}

TEST(Splash, AnyKeyClosesItAndThePictureIsDrawn)
{
    mainwindow::frmSplash splash;
    EXPECT_EQ(splash.size(), QSize(520, 304));
    splash.show();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&splash, &key);
    EXPECT_TRUE(splash.isHidden());
    EXPECT_TRUE(splash.closedByKey());
    const QImage picture = mainwindow::frmSplash::picture();
    EXPECT_EQ(picture.size(), QSize(520, 304));
    // Not a blank picture: the corners and the middle differ.
    EXPECT_NE(picture.pixel(2, 2), picture.pixel(100, 100));
}

// The command line: what ends the program at once, and what it hands on.
TEST(CommandLine, UnknownOptionsAndExtraFilesAreUsageErrors)
{
    struct Case {
        QStringList args;
        std::optional<int> status;
        const char* err; // a part of the error output
        QString file;    // the puzzle file handed on, relative to the current folder
    };
    const std::vector<Case> cases = {
        {{QStringLiteral("--bogus")}, 2, "unknown option --bogus", {}},
        {{QStringLiteral("-x"), QStringLiteral("a.sdk")}, 2, "unknown option -x", {}},
        {{QStringLiteral("a.sdk"), QStringLiteral("b.sdk")}, 2, "one puzzle file at most", {}},
        {{QStringLiteral("--help"), QStringLiteral("--bogus")}, 0, "", {}},
        {{}, std::nullopt, "", {}},
        {{QStringLiteral("a.sdk")}, std::nullopt, "", QStringLiteral("a.sdk")},
        {{QStringLiteral("--"), QStringLiteral("-a.sdk")}, std::nullopt, "", QStringLiteral("-a.sdk")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        mainwindow::StartOptions options;
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        EXPECT_EQ(mainwindow::prepareStart(c.args, options, outStream, errStream), c.status);
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.err))) << err.toStdString();
        // A usage error shows the usage on the error output; --help on the normal one.
        EXPECT_EQ(err.contains(QStringLiteral("Usage: corvel")), c.status == 2);
        EXPECT_EQ(out.contains(QStringLiteral("Usage: corvel")), c.status == 0);
        EXPECT_FALSE(options.desktop);
        EXPECT_EQ(options.puzzleFile, c.file.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.file));
    }
}

// corvel --desktop FILE, as the menu entry starts it: settings in the
// configuration folder (made when missing), the file opened as Open would.
TEST_F(WindowTest, DesktopStartUsesTheConfigurationFolderAndOpensTheFile)
{
    const QString saved = QDir::currentPath();
    const QDir home(dir.path());
    ASSERT_TRUE(home.mkpath(QStringLiteral("home")));
    QDir::setCurrent(home.filePath(QStringLiteral("home")));
    {
        QFile puzzle(QStringLiteral("puzzle.sdk"));
        ASSERT_TRUE(puzzle.open(QIODevice::WriteOnly));
        puzzle.write("\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n0,3,0,8\r\n");
    }
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(folder.startsWith(home.filePath(QStringLiteral("config/"))));

    mainwindow::StartOptions options;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(mainwindow::prepareStart({QStringLiteral("--desktop"), QStringLiteral("puzzle.sdk")}, options, outStream,
                                       errStream),
              std::nullopt);
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    EXPECT_TRUE(options.desktop);
    EXPECT_EQ(QDir::currentPath(), folder);
    // The file named relative to where the user was.
    EXPECT_EQ(options.puzzleFile, home.filePath(QStringLiteral("home/puzzle.sdk")));

    mainwindow::Services s;
    s.dialogs = &dialogs;
    s.clock = &clock;
    s.splashMilliseconds = 0;
    s.screenHeightPixels = 1024;
    mainwindow::frmMain win(s);
    mainwindow::startWindow(win, options);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.textCells[3]->text(), "9"); // column 3, row 0
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/settings.ini")));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("home/settings.ini"))));

    // A file Open would refuse gets Open's message, and the board stays.
    options.puzzleFile = home.filePath(QStringLiteral("missing.sdk"));
    mainwindow::frmMain second(s);
    mainwindow::startWindow(second, options);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Error in reading the file: ") + options.puzzleFile));
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);

    // A configuration folder that cannot be made: the start goes on where it
    // was, and says why once the window is up.
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("home/puzzle.sdk")).toLocal8Bit());
    const QString before = QDir::currentPath();
    mainwindow::StartOptions failing;
    EXPECT_EQ(mainwindow::prepareStart({QStringLiteral("--desktop")}, failing, outStream, errStream), std::nullopt);
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_TRUE(err.contains(QStringLiteral("configuration folder"))) << err.toStdString();
    mainwindow::frmMain third(s);
    mainwindow::startWindow(third, failing);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, failing.folderProblem);

    qunsetenv("XDG_CONFIG_HOME");
    QDir::setCurrent(saved);
}

} // namespace
