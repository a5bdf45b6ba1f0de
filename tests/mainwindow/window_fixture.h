// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every window test starts the window as the program does, with scripted
// dialogs, no splash wait and a settings folder of its own, and drives it the
// way the user does: text typed into cells, keys, mouse clicks, menu items.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cell_numbering.h"
#include "clock.h"
#include "frm_finish.h"
#include "frm_main.h"
#include "puzzles.h"
#include "rater.h"
#include "scripted_dialogs.h"
#include "technique_aids.h"

class WindowTest : public ::testing::Test {
protected:
    static constexpr engine::Colour kRed = engine::rgb(255, 0, 0);
    static constexpr engine::Colour kWorking = engine::rgb(255, 255, 255);
    static constexpr engine::Colour kKnown = engine::rgb(224, 224, 224);
    static constexpr engine::Colour kHint = engine::rgb(0, 192, 0);

    platform::ScriptedDialogs dialogs;
    platform::SystemClock clock;
    QTemporaryDir dir;
    std::string settingsDir = dir.path().toStdString();
    std::unique_ptr<mainwindow::frmMain> w;
    std::optional<std::string> journalDir;
    int windows = 0;

    mainwindow::Services services(int screenHeight = 1024)
    {
        mainwindow::Services s;
        s.dialogs = &dialogs;
        s.clock = &clock;
        s.splashMilliseconds = 0;
        s.screenHeightPixels = screenHeight;
        s.appDir = settingsDir;
        s.optionsFile = settingsDir + "/options.ini";
        // Each window a journal of its own, unless a test that restarts
        // the window names one: no game comes back that a test did not keep.
        s.journalDir = journalDir.value_or(dir.filePath(QStringLiteral("journal-%1").arg(++windows)).toStdString());
        return s;
    }
    mainwindow::frmMain& start(bool samurai = false, int screenHeight = 1024)
    {
        w = std::make_unique<mainwindow::frmMain>(services(screenHeight));
        w->Form_Load();
        if (samurai) w->mnuSamurai_Click();
        return *w;
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString settingsFile() const { return QString::fromStdString(settingsDir) + QStringLiteral("/settings.ini"); }
    static std::string readFile(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
    }
    static void writeFile(const QString& name, const std::string& text)
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }

    // The cell of position k of a puzzle line.
    static int cellOf(std::size_t k)
    {
        return mainwindow::cellIndex(puzzles::gridOf(k), puzzles::colOf(k), puzzles::rowOf(k));
    }
    platform::TextCell* cell(int i) const { return w->textCells[static_cast<std::size_t>(i)]; }
    std::string text(int i) const { return static_cast<const engine::CellControl*>(cell(i))->text(); }
    engine::Colour background(int i) const { return cell(i)->background(); }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> t;
        for (int i = 0; i < mainwindow::kCellCount; ++i) t.push_back(text(i));
        return t;
    }

    // The board as a puzzle line ('.' for an empty cell).
    std::string line() const
    {
        std::string s;
        for (std::size_t k = 0; k < (w->numGrids == 5 ? 405u : 81u); ++k)
            s += text(cellOf(k)).empty() ? '.' : text(cellOf(k))[0];
        return s;
    }
    // The rating label once the rating has ended (or a few seconds passed).
    QString shownRating() const
    {
        QElapsedTimer t;
        t.start();
        while ((w->aids().lblRating->text().isEmpty() || w->aids().ratingPending()) && t.elapsed() < 5000)
            QTest::qWait(2);
        return w->aids().lblRating->text();
    }
    // The rating, band and hardest technique of a puzzle line, worked out here.
    static QString ratingOf(const std::string& puzzle)
    {
        logic::CandidateGrid g(logic::Geometry::forGrids(puzzle.size() == 405 ? 5 : 1));
        if (!g.loadLine(puzzle)) return {};
        const logic::Rating r = logic::Rater().rate(g);
        return QStringLiteral("Rating %1.%2 %3</b><br>%4")
            .arg(r.rating / 10)
            .arg(r.rating % 10)
            .arg(QString::fromStdString(std::string(logic::bandName(logic::bandOf(r.rating)))),
                 QString::fromStdString(std::string(logic::techniqueName(r.hardest))));
    }

    // Text put into a cell as by typing: the cell's change event runs.
    void type(int i, const std::string& t) const { cell(i)->QLineEdit::setText(QString::fromStdString(t)); }
    // A puzzle written the way the system writes (nothing checked), its
    // filled cells made the givens.
    void load(const std::string& puzzle) const
    {
        w->cellEventsOn = false;
        for (std::size_t k = 0; k < puzzle.size(); ++k)
            cell(cellOf(k))->setText(puzzle[k] == '.' ? std::string() : std::string(1, puzzle[k]));
        for (int g = 0; g < (puzzle.size() == 405 ? 5 : 1); ++g) w->grids[static_cast<std::size_t>(g)].validate();
        w->cellEventsOn = true;
    }
    // Every empty cell of a puzzle, with its right and a wrong symbol.
    struct Gap {
        int cell;
        std::string right, wrong;
    };
    static std::vector<Gap> gaps(const std::string& puzzle, const std::string& solution)
    {
        std::vector<Gap> out;
        for (std::size_t k = 0; k < puzzle.size(); ++k)
            if (puzzle[k] == '.')
                out.push_back({cellOf(k), std::string(1, solution[k]),
                               std::string(1, solution[k] == '9' ? '1' : static_cast<char>(solution[k] + 1))});
        return out;
    }

    // Runs `inner` once, from the first yield of the next solver run over the
    // board: the moment another command can run inside that run.
    void duringNextYield(std::function<void()> inner)
    {
        auto original = w->solver.yield;
        w->solver.yield = [this, original, inner] {
            if (!ranInner && w->solverRunning) {
                ranInner = true;
                inner();
            }
            original();
        };
    }
    bool ranInner = false;

    // A real press and release on whatever picture of the button is on top.
    static void click(platform::PictureButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5)); }
    static std::vector<int> shown(const platform::PictureButton* b)
    {
        std::vector<int> v;
        for (int e = 0; e < platform::PictureButton::kElements; ++e)
            if (b->isElementVisible(e)) v.push_back(e);
        return v;
    }
    int finishDialogs() const { return static_cast<int>(w->findChildren<mainwindow::frmFinish*>().size()); }

    // The one message shown since the last, exactly; then forgotten.
    void expectMessage(const QString& text, platform::MessageIcon icon)
    {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, text);
        EXPECT_EQ(dialogs.messages[0].icon, icon);
        dialogs.messages.clear();
    }
    // What the window shows: the three status texts, the top picture of
    // Start, Hint, Clear, Reset and Get Solution, and the File, Preferences
    // and View menus live exactly in Setup.
    void expectShows(const QString& status1, const QString& status2, const QString& status3,
                     const std::vector<int>& pictures) const
    {
        EXPECT_EQ(QStringList({w->lblStatus1->text(), w->lblStatus2->text(), w->lblStatus3->text()}),
                  QStringList({status1, status2, status3}));
        std::vector<int> top;
        for (auto* b : {w->imgStart, w->imgHint, w->imgClear, w->imgPartClear, w->imgFindSolution})
            top.push_back(b->topVisible());
        EXPECT_EQ(top, pictures);
        const bool setup = w->mode == mainwindow::kSetup && !w->generationRunning;
        EXPECT_TRUE(w->mnuFile->menuAction()->isEnabled() == setup && w->mnuPreferences->isEnabled() == setup &&
                    w->mnuView->menuAction()->isEnabled() == setup);
    }
    // Nothing left running: no solver run, generation or busy pointer; in
    // Setup also the stopwatch stopped and the Setup pictures and menus live.
    void expectIdle(bool inSetup = true) const
    {
        EXPECT_FALSE(w->solverRunning || w->solver.searching || w->generationRunning || w->boardRunsActive ||
                     w->solutionRunSolver || QApplication::overrideCursor() || !w->cellEventsOn);
        if (inSetup)
            EXPECT_TRUE(w->mode == mainwindow::kSetup && !w->timStopwatch->isActive() && w->mnuOpen->isEnabled() &&
                        w->mnuGenerate->isEnabled() && shown(w->imgStart) == std::vector<int>{0} &&
                        shown(w->imgFindSolution) == std::vector<int>{0});
    }
};
