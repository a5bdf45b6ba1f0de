// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;

namespace mainwindow {

class frmMain;

// What Corvel's command line asks for.
struct StartOptions {
    // --desktop: settings in the per-user configuration folder, not in the
    // folder the program was started from.
    bool desktop = false;
    // A puzzle file to open once the window has started, as an absolute
    // path; empty when none was given.
    QString puzzleFile;
    // Why the configuration folder could not be used; shown once the window
    // is up, since a start from the desktop has no terminal. The settings are
    // then neither read nor written.
    QString folderProblem;
};

// How to call corvel.
QString usageText();

// Reads the arguments after the program name (Qt's own options already
// taken by QApplication) and does what must happen before the window exists:
// --help prints the usage, --version the version, --desktop enters the
// configuration folder. Returns the exit status when the program ends here:
// 0 after --help or --version, 2 with the
// usage on err for an unknown option or more than one file.
std::optional<int> prepareStart(const QStringList& args, StartOptions& options, QTextStream& out, QTextStream& err);

// QApplication takes its own options (-style, -platform, ...) out of argv:
// it may see only the arguments before "--", so that a file named like one
// of them reaches Corvel. The number of arguments Qt may see.
int qtArgumentCount(int argc, char** argv);

// Makes the per-user application configuration folder (created if missing)
// the current directory. False, with the reason, when it cannot be used.
bool enterConfigurationFolder(QString* problem);

// Starts the window (start-up, then shown) and opens the puzzle file given on
// the command line exactly as File > Open would.
void startWindow(frmMain& window, const StartOptions& options);

} // namespace mainwindow
