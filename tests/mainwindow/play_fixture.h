#pragma once
#include <QCoreApplication>
#include <QMouseEvent>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "cell_numbering.h"
#include "frm_finish.h"
#include "window_fixture.h"

// Puzzles with their solutions, as rows of digits ('.' or '0' empty).
namespace puzzles {
// A standard puzzle that propagation alone solves.
inline const std::string kEasy =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
inline const std::string kEasySolution =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
// A standard puzzle that needs search.
inline const std::string kHard =
    "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..";
inline const std::string kHardSolution =
    "145327698839654127672918543496185372218473956753296481367542819984761235521839764";
// A Samurai puzzle: grids 0..4, each row by row.
inline const std::string kSamurai =
    ".82.7...54....86....1..2......6..9.2.2.....64.3....7....7.89..63....6..8.......4..5.24......."
    "5.9.63...1.74.5...7.2...6......97.4...8..19...7..1..3....87.167.2.....1.4.96.........83....5."
    ".1..31.4........9..7..6..1...8.835.2.....57..3..64..31...41..8...77..54.......1..9.2.3489.6.5"
    "2.5..........6.42..........5.2........745..13..672.9....8.6..3..4...81677...823.18..6.4.7.32."
    "1.56..6...9.41..83..67...1.......";
inline const std::string kSamuraiSolution =
    "682973415493518627571462893714635982825791364936824751247189536359246178168357249351246789472"
    "589163896137425513792648628451397749368251984673512235914876167825934318479652579126483426358"
    "917731845296852693174964217538183562749295784361647931825413289567729546138856173942134892675"
    "265714389978365421341927856582631794697458213536721984178469235249358167765982341891634572324"
    "175698652897413483516729917243856";
} // namespace puzzles

// A window whose Generate command is a stand-in that records its calls and
// then runs `onGenerate` (by default: nothing, like a cancelled dialog).
class RecordingWindow : public mainwindow::frmMain {
public:
    using frmMain::frmMain;
    void mnuGenerate_Click() override
    {
        ++generateCalls;
        if (onGenerate) onGenerate();
    }
    int generateCalls = 0;
    std::function<void()> onGenerate;
};

class PlayTest : public WindowTest {
protected:
    static constexpr engine::Colour kRed = engine::rgb(255, 0, 0);
    static constexpr engine::Colour kWorking = engine::rgb(255, 255, 255);
    static constexpr engine::Colour kKnown = engine::rgb(224, 224, 224);
    static constexpr engine::Colour kHint = engine::rgb(0, 192, 0);

    RecordingWindow* rw = nullptr;

    mainwindow::frmMain& startPlay(bool samurai = false)
    {
        mainwindow::Services s;
        s.dialogs = &dialogs;
        s.clock = &clock;
        s.splashMilliseconds = 0;
        s.screenHeightPixels = 1024;
        s.appDir = appDir();
        auto win = std::make_unique<RecordingWindow>(s);
        rw = win.get();
        w = std::move(win);
        w->Form_Load();
        if (samurai) w->mnuSamurai_Click();
        return *w;
    }

public:
    static int cellOf(int g, int k) { return mainwindow::cellIndex(g, k % 9, k / 9); }
    static int gridsOf(const std::string& puzzle) { return puzzle.size() == 405 ? 5 : 1; }

    // Writes the filled cells of a puzzle the way the system writes (no
    // checks), then makes them the givens, as reading a puzzle does.
    static void load(mainwindow::frmMain& win, const std::string& puzzle)
    {
        win.cellEventsOn = false;
        for (std::size_t k = 0; k < puzzle.size(); ++k) {
            const char ch = puzzle[k];
            const int cell = cellOf(static_cast<int>(k / 81), static_cast<int>(k % 81));
            engine::CellControl& c = *win.textCells[static_cast<std::size_t>(cell)];
            c.setText(ch >= '1' && ch <= '9' ? std::string(1, ch) : std::string());
        }
        for (int g = 0; g < gridsOf(puzzle); ++g) win.grids[static_cast<std::size_t>(g)].validate();
        win.cellEventsOn = true;
    }

    // Types text into a cell as the user does: the cell's change event runs.
    static void type(mainwindow::frmMain& win, int cell, const QString& text)
    {
        win.textCells[static_cast<std::size_t>(cell)]->QLineEdit::setText(text);
    }

    // Every empty cell of the solution's cells, as cell indices with symbols.
    static std::vector<std::pair<int, std::string>> missing(const std::string& puzzle, const std::string& solution)
    {
        std::vector<std::pair<int, std::string>> out;
        for (std::size_t k = 0; k < puzzle.size(); ++k)
            if (puzzle[k] < '1' || puzzle[k] > '9')
                out.emplace_back(cellOf(static_cast<int>(k / 81), static_cast<int>(k % 81)),
                                 std::string(1, solution[k]));
        return out;
    }

    // A symbol other than the solution's.
    static std::string wrongFor(const std::string& right)
    {
        return right == "9" ? "1" : std::string(1, static_cast<char>(right[0] + 1));
    }

protected:
    static engine::Colour background(const mainwindow::frmMain& win, int cell)
    {
        return static_cast<const engine::CellControl&>(*win.textCells[static_cast<std::size_t>(cell)]).background();
    }

    static int finishDialogs(const mainwindow::frmMain& win)
    {
        return static_cast<int>(win.findChildren<mainwindow::frmFinish*>().size());
    }

    // A real press and release on whatever picture of the button is on top.
    static void click(platform::PictureButton* b)
    {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, b->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(b, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, b->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(b, &release);
    }

    static std::vector<int> visibleElements(const platform::PictureButton* b)
    {
        std::vector<int> v;
        for (int e = 0; e < platform::PictureButton::kElements; ++e)
            if (b->isElementVisible(e)) v.push_back(e);
        return v;
    }
};
