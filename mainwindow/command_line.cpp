// SPDX-License-Identifier: GPL-3.0-or-later
// Corvel's command line: corvel [--desktop] [FILE.sdk].
#include "command_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <cstring>

#include "corvel_version.h"
#include "frm_main.h"

namespace mainwindow {

QString usageText()
{
    return QCoreApplication::translate(
        "mainwindow",
        "Usage: corvel [--desktop] [--] [FILE.sdk]\n"
        "\n"
        "  FILE.sdk    open this puzzle file once Corvel has started\n"
        "  --desktop   keep settings.ini in Corvel's configuration folder\n"
        "              instead of the folder Corvel is started from\n"
        "  --          what follows is a file name, even one that starts with -\n"
        "              (Qt's own options, such as -style, count only before --)\n"
        "  --help      show this text\n"
        "  --version   show the version and the licence\n");
}

std::optional<int> prepareStart(const QStringList& args, StartOptions& options, QTextStream& out, QTextStream& err)
{
    auto usageError = [&](const QString& why) {
        err << "corvel: " << why << "\n" << usageText();
        err.flush();
        return 2;
    };
    bool optionsEnd = false;
    QStringList files;
    for (const QString& a : args) {
        if (optionsEnd || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            files << a;
        } else if (a == QLatin1String("--")) {
            optionsEnd = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << usageText();
            out.flush();
            return 0;
        } else if (a == QLatin1String("--version")) {
            out << "corvel " << corvel::kVersion << "\n" << corvel::kLicence << "\n";
            out.flush();
            return 0;
        } else if (a == QLatin1String("--desktop")) {
            options.desktop = true;
        } else {
            return usageError(QCoreApplication::translate("mainwindow", "unknown option %1").arg(a));
        }
    }
    if (files.size() > 1)
        return usageError(QCoreApplication::translate("mainwindow", "one puzzle file at most, not %1").arg(files.size()));
    // Taken against the folder the user started from, before --desktop
    // moves elsewhere.
    if (!files.isEmpty()) options.puzzleFile = QFileInfo(files.front()).absoluteFilePath();
    if (options.desktop && !enterConfigurationFolder(&options.folderProblem)) {
        err << "corvel: " << options.folderProblem << "\n";
        err.flush();
    }
    return std::nullopt;
}

bool enterConfigurationFolder(QString* problem)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QString why;
    if (folder.isEmpty())
        why = QCoreApplication::translate("mainwindow", "this system names no configuration folder");
    else if (!QDir().mkpath(folder))
        why = QCoreApplication::translate("mainwindow", "it could not be created");
    else if (!QDir::setCurrent(folder))
        why = QCoreApplication::translate("mainwindow", "it cannot be entered");
    if (why.isEmpty()) return true;
    if (problem)
        *problem = QCoreApplication::translate(
                       "mainwindow",
                       "Corvel cannot use its configuration folder %1: %2. It starts with its default symbols and "
                       "colours, and your choices will not be saved.")
                       .arg(folder, why);
    return false;
}

int qtArgumentCount(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--") == 0) return i;
    return argc;
}

void startWindow(frmMain& window, const StartOptions& options)
{
    // Without its folder the settings are neither read nor written: not in
    // the folder Corvel happened to start in.
    window.noSettingsFolder = !options.folderProblem.isEmpty();
    window.Form_Load();
    window.show();
    if (!options.folderProblem.isEmpty())
        window.dialogs().message(&window, options.folderProblem, platform::MessageIcon::Exclamation);
    if (!options.puzzleFile.isEmpty()) window.openPuzzleFile(options.puzzleFile);
}

} // namespace mainwindow
