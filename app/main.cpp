// SPDX-License-Identifier: GPL-3.0-or-later
// Corvel: reads the command line and starts the main window.
#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "clock.h"
#include "command_line.h"
#include "frm_main.h"
#include "qt_dialogs.h"

int main(int argc, char* argv[])
{
    mainwindow::StartOptions options;
    QTextStream out(stdout);
    QTextStream err(stderr);
    // `corvel --help` and `corvel --version` answer without a screen to
    // connect to, before the application object looks for one.
    if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h") || !strcmp(argv[1], "--version")))
        return mainwindow::prepareStart({QString::fromLocal8Bit(argv[1])}, options, out, err).value_or(0);

    // Qt sees the arguments before "--" and removes its own options from
    // them; Corvel reads what is left and everything from "--" on.
    const int split = mainwindow::qtArgumentCount(argc, argv);
    int qtArgc = split;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvel"));

    QStringList args = QApplication::arguments();
    args.removeFirst();
    for (int i = split; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<int> status = mainwindow::prepareStart(args, options, out, err)) return *status;

    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    mainwindow::Services services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    mainwindow::frmMain window(services);
    mainwindow::startWindow(window, options);
    return app.exec();
}
