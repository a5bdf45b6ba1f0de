// The Generate command (File > Generate, and Start on an empty board).
#include "frm_main.h"

namespace mainwindow {

// The Generate dialog and the generator's run plug in here. Until they do, the
// command behaves as a Generate dialog the user cancelled: the board, the mode
// and the stopwatch stay as they are.
void frmMain::mnuGenerate_Click() {}

} // namespace mainwindow
