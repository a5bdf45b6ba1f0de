// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls: the board frame with its template cell 0, the five
// picture buttons, the status labels, the stopwatch timer and the menus.
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTimer>

#include "board_speech.h"
#include "board_run.h"
#include "colour.h"
#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "technique_aids.h"

namespace mainwindow {

namespace {

struct ButtonLook {
    const char* label;    // elements 0..2
    const char* stop;     // elements 3..5, or nullptr
    const char* tip0;
    const char* tip3;
    int top;
};

void dressButton(platform::PictureButton& b, const ButtonLook& d)
{
    using platform::PictureLook;
    const QString label = QString::fromUtf8(d.label);
    b.element(0).setPicture(label, PictureLook::Released);
    b.element(1).setPicture(label, PictureLook::Pressed);
    b.element(2).setPicture(label, PictureLook::Greyed);
    b.setElementToolTip(0, QString::fromUtf8(d.tip0));
    if (d.stop) {
        const QString stop = QString::fromUtf8(d.stop);
        b.element(3).setPicture(stop, PictureLook::Released);
        b.element(4).setPicture(stop, PictureLook::Pressed);
        b.element(5).setPicture(stop, PictureLook::Greyed);
        b.setElementToolTip(3, QString::fromUtf8(d.tip3));
    }
    b.setElementVisible(0, true);
    b.setTwipsGeometry({120, d.top, 1545, 600});
}

} // namespace

frmMain::frmMain(Services services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      screenTwips_(platform::Twips::ofPrimaryScreen()),
      twips_(screenTwips_)
{
    setWindowTitle(QStringLiteral("Corvel"));
    centre_ = new QWidget(this);
    centre_->setAutoFillBackground(true);
    QPalette windowColours = centre_->palette();
    windowColours.setColor(QPalette::Window, platform::toQColor(kFrameColour));
    centre_->setPalette(windowColours);
    centre_->installEventFilter(this);
    setCentralWidget(centre_);
    client_ = new QWidget(centre_);
    game_ = new GameState(*this);
    journal_ = new GameJournal(*this);
    speech_ = new BoardSpeech(*this);
    createTemplateControls();
    createButtons();
    createStatusLine();
    createMenus();
    game_->createControls();
    createClipboardCommands();
    aids_ = new TechniqueAids(*this);
    aids_->createControls();
    journal_->createControls();
    speech_->createControls();
    timStopwatch = new QTimer(this);
    timStopwatch->setInterval(1000);
    connect(timStopwatch, &QTimer::timeout, this, &frmMain::timStopwatch_Timer);
    applyGeometry();

    // The solver lets the window live while it searches, and reports its one
    // message the way every other message is shown.
    solver.yield = [this] { yieldThrottle(); };
    solver.message = [this](const std::string& text) {
        dialogs().message(this, QString::fromStdString(text), platform::MessageIcon::Critical);
    };
}

frmMain::~frmMain()
{
    solver.yield = nullptr;
    solver.message = nullptr;
}

void frmMain::createTemplateControls()
{
    gbCells = new platform::BoardFrame(client_);
    gbCells->setBackground(kFrameColour);
    QFont frameFont(QStringLiteral("Arial"));
    frameFont.setPointSizeF(12.75);
    gbCells->setFont(frameFont);

    // Line controls start hidden in their first colour until placed and coloured.
    for (auto& line : gridLines) line = {0, 0, 0, 0, kGridLineStartColour, 2, false};
    for (auto& line : blanks) line = {0, 0, 0, 0, kBlankStartColour, 3, false};
    gbCells->addLines(gridLines.data(), kGridLines, true);
    gbCells->addLines(blanks.data(), kBlanks, false);

    // Cell 0 is the template; the others are made from it at start-up.
    createCells(0, 0);
}

void frmMain::createCells(int from, int to)
{
    for (int i = from; i <= to; ++i) {
        auto* cell = new platform::TextCell(i, gbCells);
        if (i == 0) {
            cell->setBackground(kFrameColour);
            cell->setTwipsGeometry({100, 200, kSmallCell, kSmallCell});
        } else {
            const platform::TextCell& model = *textCells[0];
            cell->setFont(model.font());
            cell->setBackground(model.background());
            cell->setTextColour(model.textColour());
            cell->setTwipsGeometry(model.twipsGeometry());
            cell->hide();
        }
        textCells[static_cast<std::size_t>(i)] = cell;
        connectCell(cell);
    }
}

void frmMain::connectCell(platform::TextCell* cell)
{
    connect(cell, &platform::TextCell::changed, this, &frmMain::textCells_Change);
    connect(cell, &platform::TextCell::keyDown, this, &frmMain::textCells_KeyDown);
    game_->attachCell(cell);
    cell->setWording(speech_);
}

void frmMain::createButtons()
{
    auto make = [this](const ButtonLook& d) {
        auto* b = new platform::PictureButton(client_);
        dressButton(*b, d);
        return b;
    };
    imgStart = make({"Start Game!", "Stop", "Start solving the puzzle", "Stop solving", 0});
    imgHint = make({"Hint", nullptr, "Let Corvel suggest the best move from here", nullptr, 600});
    imgClear = make({"Clear", nullptr, "Clear the grid", nullptr, 1200});
    imgPartClear = make({"Reset", nullptr, "Clear the entries and leave the original puzzle", nullptr, 1800});
    imgFindSolution = make({"Get Solution", "Stop", "Let Corvel solve the puzzle for you!", "Stop Corvel", 2400});

    connect(imgStart, &platform::PictureButton::mouseDown, this, &frmMain::imgStart_MouseDown);
    connect(imgStart, &platform::PictureButton::mouseUp, this, &frmMain::imgStart_MouseUp);
    connect(imgHint, &platform::PictureButton::mouseDown, this, &frmMain::imgHint_MouseDown);
    connect(imgHint, &platform::PictureButton::mouseUp, this, &frmMain::imgHint_MouseUp);
    connect(imgClear, &platform::PictureButton::mouseDown, this, &frmMain::imgClear_MouseDown);
    connect(imgClear, &platform::PictureButton::mouseUp, this, &frmMain::imgClear_MouseUp);
    connect(imgPartClear, &platform::PictureButton::mouseDown, this, &frmMain::imgPartClear_MouseDown);
    connect(imgPartClear, &platform::PictureButton::mouseUp, this, &frmMain::imgPartClear_MouseUp);
    connect(imgFindSolution, &platform::PictureButton::mouseDown, this, &frmMain::imgFindSolution_MouseDown);
    connect(imgFindSolution, &platform::PictureButton::mouseUp, this, &frmMain::imgFindSolution_MouseUp);
}

void frmMain::createStatusLine()
{
    lblStatus1 = new QLabel(client_);
    lblStatus2 = new QLabel(client_);
    lblStatus3 = new QLabel(client_);
    QFont statusFont = lblStatus1->font();
    statusFont.setPointSizeF(8.25);
    for (QLabel* l : {lblStatus1, lblStatus2, lblStatus3}) l->setFont(statusFont);
    statusRect_[0] = {120, 3435, 2850, 255};
    statusRect_[1] = {2995, 3435, 1230, 255};
    statusRect_[2] = {4250, 3435, 975, 255};
}

void frmMain::createMenus()
{
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("File"));
    mnuOpen = mnuFile->addAction(QStringLiteral("Open"));
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuFile->addSeparator();
    mnuGenerate = mnuFile->addAction(QStringLiteral("Generate"));
    mnuFile->addSeparator();
    mnuSave = mnuFile->addAction(QStringLiteral("Save"));
    mnuSave->setShortcut(QKeySequence::Save);
    mnuSaveAs = mnuFile->addAction(QStringLiteral("Save As.."));
    // Some platforms bind no key to Save As; Ctrl+Shift+S is then the usual one.
    const QList<QKeySequence> saveAsKeys = QKeySequence::keyBindings(QKeySequence::SaveAs);
    mnuSaveAs->setShortcuts(saveAsKeys.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}
                                                 : saveAsKeys);
    mnuFile->addSeparator();
    mnuPrint = mnuFile->addMenu(QStringLiteral("Print"));
    mnuPrintLarge = mnuPrint->addAction(QStringLiteral("Large"));
    mnuPrintLarge->setShortcut(QKeySequence::Print);
    mnuPrintSmall = mnuPrint->addAction(QStringLiteral("Small"));

    mnuSettings = bar->addMenu(QStringLiteral("Settings"));
    mnuPreferences = mnuSettings->addAction(QStringLiteral("Preferences"));
    mnuRealTimeCheck = mnuSettings->addAction(QStringLiteral("Entry Checking"));
    mnuRealTimeCheck->setCheckable(true);
    mnuRealTimeCheck->setChecked(true);
    mnuShapeMarks = mnuSettings->addAction(tr("Mark Wrong Entries and Hints by Shape"));
    mnuShapeMarks->setCheckable(true);
    mnuShapeMarks->setChecked(options()->value(QStringLiteral("View/ShapeMarks"), false).toBool());

    mnuView = bar->addMenu(QStringLiteral("View"));
    mnuStd9x9 = mnuView->addAction(QStringLiteral("Standard 9x9"));
    mnuSamurai = mnuView->addAction(QStringLiteral("Samurai Sudoku"));
    mnuView->addSeparator();
    mnuZoomIn = mnuView->addAction(tr("Zoom In"));
    // Ctrl+= as well: the key that carries + on many keyboards, unshifted.
    mnuZoomIn->setShortcuts(QKeySequence::keyBindings(QKeySequence::ZoomIn) << QKeySequence(Qt::CTRL | Qt::Key_Equal));
    mnuZoomOut = mnuView->addAction(tr("Zoom Out"));
    mnuZoomOut->setShortcuts(QKeySequence::ZoomOut);
    mnuActualSize = mnuView->addAction(tr("Actual Size"));
    mnuActualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    // The View menu is closed outside Setup; zooming is not, so its keys
    // belong to the window as well.
    addActions({mnuZoomIn, mnuZoomOut, mnuActualSize});

    mnuHelpMenu = bar->addMenu(QStringLiteral("Help"));
    mnuHelp = mnuHelpMenu->addAction(QStringLiteral("Help"));
    mnuHelp->setShortcut(QKeySequence::HelpContents);
    mnuAbout = mnuHelpMenu->addAction(tr("About Corvel"));

    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuGenerate, &QAction::triggered, this, &frmMain::mnuGenerate_Click);
    connect(mnuSave, &QAction::triggered, this, &frmMain::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmMain::mnuSaveAs_Click);
    connect(mnuPreferences, &QAction::triggered, this, &frmMain::mnuPreferences_Click);
    connect(mnuStd9x9, &QAction::triggered, this, &frmMain::mnuStd9x9_Click);
    connect(mnuSamurai, &QAction::triggered, this, &frmMain::mnuSamurai_Click);
    connect(mnuZoomIn, &QAction::triggered, this, &frmMain::mnuZoomIn_Click);
    connect(mnuZoomOut, &QAction::triggered, this, &frmMain::mnuZoomOut_Click);
    connect(mnuActualSize, &QAction::triggered, this, &frmMain::mnuActualSize_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuPrintLarge, &QAction::triggered, this, &frmMain::mnuPrintLarge_Click);
    connect(mnuPrintSmall, &QAction::triggered, this, &frmMain::mnuPrintSmall_Click);
    connect(mnuRealTimeCheck, &QAction::triggered, this, &frmMain::mnuRealTimeCheck_Click);
    connect(mnuShapeMarks, &QAction::toggled, this, [this](bool on) {
        options()->setValue(QStringLiteral("View/ShapeMarks"), on);
        for (platform::TextCell* cell : textCells)
            if (cell) cell->setShapeMarks(on, kWrongEntryColour, colours[files::kHints]);
    });
}

} // namespace mainwindow
