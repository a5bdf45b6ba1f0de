// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of keeping a game in the journal, on this machine:
//   - Journal::save of a whole Samurai game (every cell filled or marked, a
//     history of 400 steps), a change at a time;
//   - the window's autosave after a change (the game read off the board,
//     encoded and written), on a Samurai board offscreen.
// Each in a fresh journal folder under /tmp (or $TMPDIR).
//
//   journal_bench [--changes N]
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "journal.h"
#include "scripted_dialogs.h"

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const double med = ms[ms.size() / 2];
    const double p99 = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    std::printf("%-44s median %.3f ms  p99 %.3f ms  (%zu changes)\n", what, med, p99, ms.size());
}

journal::GameRecord bigGame()
{
    journal::GameRecord r;
    r.numGrids = 5;
    r.symbols = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 0; i < journal::kCellCount; ++i) {
        r.cells[static_cast<std::size_t>(i)] = {i % 3 ? journal::CellRole::Entry : journal::CellRole::Given,
                                                std::string(1, char('1' + i % 9))};
        r.marks[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i & 0x1FF);
    }
    for (int k = 0; k < 400; ++k)
        r.history.push_back({k % 3 ? journal::HistoryStep::Mark : journal::HistoryStep::Entry, k % 369, k % 9, "",
                             0, 0, "5", {1, 2, 3}, ""});
    r.historyIndex = 400;
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    int changes = 2000;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--changes")) changes = std::max(10, std::atoi(argv[i + 1]));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    {
        QTemporaryDir dir;
        journal::Journal j(dir.path());
        journal::GameRecord game = bigGame();
        std::vector<double> ms;
        std::int64_t id = 0;
        for (int n = 0; n < changes; ++n) {
            game.seconds = n;
            const auto t0 = Clock::now();
            id = j.save(id, game);
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        }
        report("Journal::save, Samurai game, 400 steps", ms);
    }
    {
        QTemporaryDir dir;
        platform::ScriptedDialogs dialogs;
        platform::SystemClock clock;
        mainwindow::Services services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        services.splashMilliseconds = 0;
        services.screenHeightPixels = 1024;
        services.appDir = dir.path().toStdString();
        services.optionsFile = dir.filePath(QStringLiteral("options.ini")).toStdString();
        services.journalDir = dir.filePath(QStringLiteral("journal")).toStdString();
        mainwindow::frmMain w(services);
        w.Form_Load();
        w.mnuSamurai_Click();
        w.imgStart_MouseUp(0); // generates a puzzle and starts it
        // A history of marks, as a long game has.
        for (int k = 0; k < 400; ++k) w.game().toggleMark(k % 369, k % 9);
        std::vector<double> ms;
        for (int n = 0; n < changes; ++n) {
            const auto t0 = Clock::now();
            w.journal().changed();
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        }
        report("window autosave, Samurai, 400 history steps", ms);
    }
    return 0;
}
