// The picture buttons' press and release, and the Help command. A press shows
// the pressed picture; the commands run on release.
#include "frm_main.h"

namespace mainwindow {

namespace {

bool isGreyed(int index)
{
    return index == 2 || index == 5;
}

void showPressed(platform::PictureButton& b, int index)
{
    if (isGreyed(index)) return;
    b.setElementVisible(1, true);
    b.setElementVisible(0, false);
}

void showReleased(platform::PictureButton& b)
{
    b.setElementVisible(1, false);
    b.setElementVisible(0, true);
}

} // namespace

void frmMain::imgStart_MouseDown(int index) { showPressed(*imgStart, index); }
void frmMain::imgFindSolution_MouseDown(int index) { showPressed(*imgFindSolution, index); }
void frmMain::imgHint_MouseDown(int index) { showPressed(*imgHint, index); }
void frmMain::imgClear_MouseDown(int index) { showPressed(*imgClear, index); }
void frmMain::imgPartClear_MouseDown(int index) { showPressed(*imgPartClear, index); }

// Until the game commands are attached, a release only restores the button
// and the mode's pictures.
void frmMain::imgStart_MouseUp(int index)
{
    if (isGreyed(index)) return;
    showReleased(*imgStart);
    updateButtons();
}

void frmMain::imgFindSolution_MouseUp(int index)
{
    if (isGreyed(index)) return;
    showReleased(*imgFindSolution);
    updateButtons();
}

void frmMain::imgHint_MouseUp(int)
{
    showReleased(*imgHint);
    updateButtons();
}

void frmMain::imgClear_MouseUp(int)
{
    showReleased(*imgClear);
    updateButtons();
}

void frmMain::imgPartClear_MouseUp(int)
{
    showReleased(*imgPartClear);
    updateButtons();
}

void frmMain::mnuHelp_Click()
{
    dialogs().showHelp(this, QStringLiteral("./corvel.HLP"));
}

} // namespace mainwindow
