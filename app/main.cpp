// Corvel: starts the main window.
#include <QApplication>

#include "clock.h"
#include "frm_main.h"
#include "qt_dialogs.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvel"));
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    mainwindow::Services services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    mainwindow::frmMain window(services);
    window.Form_Load();
    window.show();
    return app.exec();
}
