// Drives the real window on a (virtual) screen and writes PNG pictures of it:
// the splash, the standard board, the Samurai board, the Preferences dialog
// and the finish dialog. Used by scripts/screenshot under xvfb-run.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

#include "clock.h"
#include "frm_finish.h"
#include "frm_main.h"
#include "frm_settings.h"
#include "frm_splash.h"
#include "scripted_dialogs.h"

namespace {

void settle()
{
    for (int i = 0; i < 20; ++i) platform::waitWithEvents(platform::SystemClock(), 10);
}

bool save(const QPixmap& picture, const QString& path)
{
    const bool ok = picture.save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The window as the screen shows it (the X root window, cropped).
QPixmap screenOf(QWidget& w)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect r = w.frameGeometry();
    QPixmap shot = screen->grabWindow(0, r.x(), r.y(), r.width(), r.height());
    return shot.isNull() ? w.grab() : shot;
}

void put(mainwindow::frmMain& w, int cell, const std::string& text)
{
    engine::CellControl& c = *w.textCells[static_cast<std::size_t>(cell)];
    c.setText(text);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);
    QTemporaryDir settingsDir;

    platform::ScriptedDialogs dialogs;
    platform::SystemClock clock;
    mainwindow::Services services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.splashMilliseconds = 0;
    services.appDir = settingsDir.path().toStdString();

    bool ok = save(QPixmap::fromImage(mainwindow::frmSplash::picture()), out + "/splash.png");

    mainwindow::frmMain w(services);
    w.Form_Load();
    w.move(10, 10);
    w.show();
    settle();
    // A few symbols so that the picture shows readable cells, a given and a hint.
    put(w, 0, "5");
    w.textCells[0]->setBackground(w.colours[files::kKnownCell]);
    put(w, 12, "8");
    put(w, 40, "3");
    w.textCells[40]->setBackground(w.colours[files::kHints]);
    settle();
    ok &= save(screenOf(w), out + "/standard.png");

    w.mnuSamurai_Click();
    put(w, 60, "7");
    put(w, 340, "2");
    settle();
    const bool small = w.cellSize == mainwindow::frmMain::kSmallCell;
    ok &= save(screenOf(w), out + (small ? "/samurai_small.png" : "/samurai_large.png"));

    w.mnuStd9x9_Click();
    settle();
    ok &= save(screenOf(w), out + (small ? "/standard_after_samurai_small.png" : "/standard_after_samurai.png"));

    {
        mainwindow::frmSettings prefs(dialogs, &w);
        prefs.initialise();
        prefs.setInitialColours(w.colours);
        prefs.setInitialSymbols(w.symbols.symbols());
        prefs.show();
        settle();
        ok &= save(prefs.grab(), out + "/preferences.png");
    }
    {
        auto* finish = new mainwindow::frmFinish(&w);
        finish->numHints = 3;
        finish->solvingTime = 125;
        finish->show();
        settle();
        ok &= save(finish->grab(), out + "/finish.png");
        finish->close();
    }
    return ok ? 0 : 1;
}
