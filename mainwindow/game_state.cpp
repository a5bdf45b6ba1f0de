// SPDX-License-Identifier: GPL-3.0-or-later
// The game state's controls, keys and options, and the highlighting of the
// focused cell's units and symbol.
#include "game_state.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "frm_main.h"
#include "technique_aids.h"

namespace mainwindow {

namespace {

const QString kHighlightingKey = QStringLiteral("highlighting");
const QString kKeepCandidatesKey = QStringLiteral("keepCandidates");

} // namespace

GameState::GameState(frmMain& window) : QObject(&window), w_(window) {}

GameState::~GameState() = default;

void GameState::createControls()
{
    QMenuBar* bar = w_.menuBar();
    mnuEdit = new QMenu(tr("Edit"), bar);
    bar->insertMenu(w_.mnuSettings->menuAction(), mnuEdit);
    mnuUndo = mnuEdit->addAction(tr("Undo"));
    mnuUndo->setShortcuts(QKeySequence::Undo);
    mnuRedo = mnuEdit->addAction(tr("Redo"));
    mnuRedo->setShortcuts(QKeySequence::Redo);
    mnuEdit->addSeparator();
    // N never types a symbol while it is none of the nine (see isNotesKey).
    mnuNotes = mnuEdit->addAction(tr("Notes"));
    mnuNotes->setCheckable(true);
    mnuNotes->setShortcut(QKeySequence(Qt::Key_N));
    mnuNotes->setToolTip(tr("Typed symbols note pencil marks (N); Ctrl+symbol notes one at any time"));
    // Ctrl with a symbol notes a mark, so these take Ctrl+Shift.
    mnuFillCandidates = mnuEdit->addAction(tr("Fill In Candidates"));
    mnuFillCandidates->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    mnuClearMarks = mnuEdit->addAction(tr("Clear All Marks"));
    mnuClearMarks->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    mnuKeepCandidates = mnuEdit->addAction(tr("Keep Candidates Up To Date"));
    mnuKeepCandidates->setCheckable(true);
    mnuKeepCandidates->setChecked(w_.options()->value(kKeepCandidatesKey, false).toBool());
    mnuKeepCandidates->setToolTip(tr("A deleted entry gives its symbol back as a mark wherever it is a candidate again"));

    mnuHighlighting = w_.mnuSettings->addAction(tr("Highlighting"));
    mnuHighlighting->setCheckable(true);
    mnuHighlighting->setChecked(w_.options()->value(kHighlightingKey, true).toBool());

    notesToggle = new QCheckBox(tr("Notes"), w_.lblStatus1->parentWidget());
    notesToggle->setToolTip(mnuNotes->toolTip());
    notesToggle->setFocusPolicy(Qt::NoFocus);
    notesToggle->setFont(w_.lblStatus1->font());
    connect(notesToggle, &QCheckBox::toggled, mnuNotes, &QAction::setChecked);
    connect(mnuNotes, &QAction::toggled, notesToggle, &QCheckBox::setChecked);

    connect(mnuUndo, &QAction::triggered, this, [this] { replay(&QUndoStack::undo); });
    connect(mnuRedo, &QAction::triggered, this, [this] { replay(&QUndoStack::redo); });
    connect(&history_, &QUndoStack::canUndoChanged, this, &GameState::updateUndoActions);
    connect(&history_, &QUndoStack::canRedoChanged, this, &GameState::updateUndoActions);
    connect(mnuFillCandidates, &QAction::triggered, this, &GameState::fillInCandidates);
    connect(mnuClearMarks, &QAction::triggered, this, &GameState::clearAllMarks);
    connect(mnuKeepCandidates, &QAction::toggled, this,
            [this](bool on) { w_.options()->setValue(kKeepCandidatesKey, on); });
    connect(mnuHighlighting, &QAction::toggled, this, [this](bool on) {
        w_.options()->setValue(kHighlightingKey, on);
        refresh();
    });
    updateUndoActions();
}

void GameState::placeNotesToggle()
{
    if (!notesToggle) return;
    const QRect first = w_.lblStatus1->geometry();
    const int width = notesToggle->sizeHint().width();
    notesToggle->setGeometry(w_.lblStatus2->geometry().left() - width - 4, first.top(), width, first.height());
}

void GameState::attachCell(platform::TextCell* cell)
{
    cell->installEventFilter(this);
}

// N switches Notes only while it is none of the nine symbols; a board of
// letters that uses N types it, and Notes is then in the menu and the
// status line.
bool GameState::isNotesKey(const QKeyEvent& key) const
{
    return key.key() == Qt::Key_N && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           w_.symbolToIndex("N") < 0;
}

// The value index whose mark a key toggles: a symbol typed with Notes on, or
// with Ctrl held at any time; -1 for every other key.
int GameState::keyMark(const QKeyEvent& key) const
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    QString typed;
    if (mods == Qt::ControlModifier) {
        // Ctrl changes the text a key makes; the key code of a digit or a
        // letter is its character.
        if (key.key() > ' ' && key.key() < 0x7F) typed = QChar(key.key());
    } else if (mnuNotes->isChecked() && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
        typed = key.text().toUpper();
    }
    if (typed.isEmpty()) return -1;
    return w_.symbolToIndex(typed.toStdString());
}

bool GameState::eventFilter(QObject* watched, QEvent* event)
{
    auto* cell = qobject_cast<platform::TextCell*>(watched);
    if (!cell) return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // A line edit keeps Undo and Redo (and plain letters) for itself;
        // here they belong to the window's Edit menu.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) || isNotesKey(*key)) {
            event->ignore();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        // Undo and Redo keys that reach a cell found the menu items disabled
        // (nothing to undo, or a run in progress); the line edit's own undo
        // would take back what the history has forgotten.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
        const int value = keyMark(*key);
        if (value < 0) return false;
        // A filled cell shows no marks, so none is noted there.
        if (cell->QLineEdit::text().isEmpty()) toggleMark(cell->index(), value);
        return true;
    }
    case QEvent::FocusIn:
        focused_ = cell->index();
        refresh();
        return false;
    default: return false;
    }
}

int GameState::focusedCell() const
{
    if (focused_ < 0) return -1;
    const platform::TextCell* cell = w_.textCells[static_cast<std::size_t>(focused_)];
    return cell && !cell->isHidden() ? focused_ : -1;
}

void GameState::refresh()
{
    const int focus = focusedCell();
    TechniqueAids& aids = w_.aids();
    aids.checkStepStillShown(changes_, focus);
    std::bitset<kCellCount> units;
    QString symbol;
    if (focus >= 0 && mnuHighlighting && mnuHighlighting->isChecked()) {
        units = unitsOf(focus, w_.numGrids);
        symbol = w_.textCells[static_cast<std::size_t>(focus)]->QLineEdit::text();
    }
    std::array<QString, 9> names;
    for (int v = 0; v < 9; ++v) names[static_cast<std::size_t>(v)] = QString::fromStdString(w_.indexToSymbol(v));

    for (int i = 0; i < kCellCount; ++i) {
        platform::TextCell* cell = w_.textCells[static_cast<std::size_t>(i)];
        if (!cell) continue;
        platform::CellOverlay o;
        if (!cell->isHidden()) {
            const QString text = cell->QLineEdit::text();
            if (text.isEmpty())
                for (std::size_t v = 0; v < 9; ++v)
                    if ((marks_[static_cast<std::size_t>(i)] >> v) & 1u) o.marks[v] = names[v];
            o.unitShade = units[static_cast<std::size_t>(i)];
            o.sameSymbol = !symbol.isEmpty() && i != focus && text == symbol;
            aids.decorate(i, o);
        }
        cell->setOverlay(o);
    }
}

} // namespace mainwindow
