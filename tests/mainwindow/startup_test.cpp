// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the settings file at start-up and on closing, the splash and the
// command line.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>
#include <sys/stat.h>

#include "command_line.h"
#include "frm_splash.h"
#include "window_fixture.h"

namespace {

// The file's identity: a file written anew (through a temporary file that
// replaces it) has another; 0 when there is none.
ino_t fileId(const QString& name)
{
    struct stat st {};
    return ::stat(QFile::encodeName(name).constData(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(WindowTest, StartUpTakesTheSettingsAndWritesThemBackOnlyWhenTheyDiffer)
{
    files::Settings letters;
    letters.colours = {255, 65280, 16711680, 8421504, 65535};
    letters.symbols = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    letters.savedRating = 7;
    const struct {
        std::optional<std::string> text;
        bool bad; // a bad value: the message once, the defaults for everything, the file kept
        files::Settings expected;
        bool rewritten; // at the end of start-up
    } cases[] = {
        {std::nullopt, false, {}, true},
        {"", false, {}, true}, // what a crash can leave
        {files::formatSettings(letters), false, letters, false},
        {"[Symbols]\r\nA\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\nI\r\n[Colours]\r\n 255 \r\n65280\r\n16711680\r\n"
         "8421504\r\n65535\r\n[Rating]\r\n7\r\n",
         false, letters, true},
        {"[Colours]\r\n255\r\n65280\r\n-1\r\n0\r\n49152\r\n", true, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.value_or("no file"));
        QFile::remove(settingsFile());
        QFile::remove(settingsFile() + QStringLiteral(".bak"));
        if (c.text) writeFile(settingsFile(), *c.text);
        const ino_t before = fileId(settingsFile());
        auto& win = start();
        if (c.bad)
            expectMessage("Error in reading settings.ini file : please report this error",
                          platform::MessageIcon::Critical);
        EXPECT_EQ(win.currentSettings(), c.expected);
        const files::Colours& colours = c.expected.colours;
        EXPECT_TRUE(background(5) == colours[files::kWorkingCell] &&
                    cell(5)->textColour() == colours[files::kTextColour]);
        EXPECT_TRUE(win.gridLines[0].colour == colours[files::kGridLines] && win.blanks[1].colour == 14342357u);
        EXPECT_EQ(win.grids[4].hintColour(), colours[files::kHints]);
        EXPECT_EQ(readFile(settingsFile()), files::formatSettings(c.expected));
        EXPECT_EQ(fileId(settingsFile()) != before, c.rewritten);
        EXPECT_EQ(readFile(settingsFile() + QStringLiteral(".bak")), c.bad ? *c.text : "<missing>");
        // Nothing changed since: closing writes nothing.
        const ino_t written = fileId(settingsFile());
        win.close();
        EXPECT_EQ(fileId(settingsFile()), written);
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(WindowTest, ASettingsFileThatIsNotOursOrCannotBeWrittenIsLeftAlone)
{
    // Another program's file; Corvel's sections with another one after them,
    // read-only; a settings folder that does not exist.
    const std::string withWindow = files::formatSettings({}) + "[Window]\r\nwidth=800\r\n";
    for (const auto& other : {std::optional<std::string>("[Window]\r\nColours=255\r\n"),
                              std::optional<std::string>(withWindow), std::optional<std::string>()}) {
        settingsDir = other ? dir.path().toStdString() : dir.filePath(QStringLiteral("no/such")).toStdString();
        if (other) writeFile(settingsFile(), *other);
        if (other == withWindow) QFile::setPermissions(settingsFile(), QFile::ReadOwner | QFile::ReadGroup);
        auto& win = start();
        EXPECT_EQ(win.currentSettings(), files::Settings{});
        EXPECT_TRUE(dialogs.messages.empty()) << "start-up stays quiet";
        win.close();
        win.close();
        EXPECT_EQ(readFile(settingsFile()), other.value_or("<missing>"));
        // Closing says once that the choices were not saved, and why.
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const QString said = dialogs.messages[0].text;
        EXPECT_TRUE(said.contains(QStringLiteral("were not saved")) && said.contains(settingsFile()) &&
                    said.contains(other ? QStringLiteral("is not Corvel's settings file") : QStringLiteral("cannot")))
            << said.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Exclamation);
        dialogs.messages.clear();
        QFile::remove(settingsFile());
    }
}

// A clock that moves on by a fixed step each time it is read.
class SteppingClock final : public platform::Clock {
public:
    std::int64_t steadyMilliseconds() const override { return now_ += 500; }
    int secondsOfDay() const override { return 0; }
    mutable std::int64_t now_ = 0;
};

TEST_F(WindowTest, TheSplashWaitsItsTimeAndAnyKeyClosesIt)
{
    SteppingClock stepping;
    mainwindow::Services s = services();
    s.clock = &stepping;
    s.splashMilliseconds = 3000;
    // A key pressed while the splash waits closes it at once; start-up goes
    // on when the time has run out.
    bool keyClosedIt = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* splash : QApplication::topLevelWidgets())
            if (qobject_cast<mainwindow::frmSplash*>(splash) && splash->isVisible()) {
                QTest::keyClick(splash, Qt::Key_Space);
                keyClosedIt = splash->isHidden();
            }
    });
    mainwindow::frmMain win(s);
    win.Form_Load();
    EXPECT_TRUE(keyClosedIt);
    EXPECT_GE(stepping.now_, 3000);
    EXPECT_NE(mainwindow::frmSplash::picture().pixel(2, 2), mainwindow::frmSplash::picture().pixel(100, 100))
        << "a blank picture";
}

// The command line: what ends the program at once, and what it hands on.
TEST(CommandLine, UnknownOptionsAndExtraFilesAreUsageErrors)
{
    const struct {
        QStringList args;
        std::optional<int> status;
        const char* err; // a part of the error output
        QString file;    // the puzzle file handed on, relative to the current folder
    } cases[] = {
        {{"--bogus"}, 2, "unknown option --bogus", {}},
        {{"a.sdk", "b.sdk"}, 2, "one puzzle file at most", {}},
        {{"--help", "--bogus"}, 0, "", {}},
        {{}, std::nullopt, "", {}},
        {{"a.sdk"}, std::nullopt, "", "a.sdk"},
        {{"--", "-a.sdk"}, std::nullopt, "", "-a.sdk"},
    };
    for (const auto& c : cases) {
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

// Qt's own options count only before "--": what follows is Corvel's, here
// three file names, one of them named like a Qt option.
TEST(CommandLine, QtSeesNothingAfterTwoDashes)
{
    QProcess corvel;
    corvel.start(QStringLiteral(CORVEL_EXE), {"-style", "fusion", "--", "-reverse", "a.sdk", "b.sdk"});
    ASSERT_TRUE(corvel.waitForFinished(30000));
    EXPECT_EQ(corvel.exitCode(), 2);
    EXPECT_TRUE(corvel.readAllStandardError().contains("one puzzle file at most, not 3"));
}

// corvel --desktop FILE, as the menu entry starts it: settings in the
// configuration folder (made when missing), the file opened as Open would.
TEST_F(WindowTest, DesktopStartUsesTheConfigurationFolderAndOpensTheFile)
{
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("home")));
    QDir::setCurrent(path("home"));
    writeFile(QStringLiteral("puzzle.sdk"),
              "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n1\r\n0,3,0,8\r\n");
    qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(folder.startsWith(path("config/")));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    mainwindow::StartOptions options;
    EXPECT_EQ(mainwindow::prepareStart({"--desktop", "puzzle.sdk"}, options, outStream, errStream), std::nullopt);
    EXPECT_TRUE(options.desktop && err.isEmpty()) << err.toStdString();
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_EQ(options.puzzleFile, path("home/puzzle.sdk")); // named relative to where the user was

    mainwindow::Services s = services();
    s.appDir.reset();
    mainwindow::frmMain win(s);
    mainwindow::startWindow(win, options);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(static_cast<engine::CellControl*>(win.textCells[3])->text(), "9"); // column 3, row 0
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/settings.ini")));
    EXPECT_FALSE(QFileInfo::exists(path("home/settings.ini")));

    // A configuration folder that cannot be made: the start goes on where it
    // was, says so once the window is up, and neither reads nor writes the
    // settings there.
    qputenv("XDG_CONFIG_HOME", path("home/puzzle.sdk").toLocal8Bit());
    QDir::setCurrent(path("home"));
    const QString before = QDir::currentPath();
    writeFile(path("home/settings.ini"), "[Rating]\r\n5\r\n");
    mainwindow::StartOptions failing;
    EXPECT_EQ(mainwindow::prepareStart({"--desktop"}, failing, outStream, errStream), std::nullopt);
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_TRUE(err.contains(QStringLiteral("configuration folder"))) << err.toStdString();
    mainwindow::frmMain second(s);
    mainwindow::startWindow(second, failing);
    expectMessage(failing.folderProblem, platform::MessageIcon::Exclamation);
    EXPECT_EQ(second.savedRating, 0);
    second.close();
    EXPECT_EQ(readFile(path("home/settings.ini")), "[Rating]\r\n5\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
    qunsetenv("XDG_CONFIG_HOME");
    QDir::setCurrent(saved);
}

} // namespace
