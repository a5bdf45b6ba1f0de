#pragma once
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

#include "clock.h"
#include "frm_main.h"
#include "scripted_dialogs.h"

// A window started the way the program starts it, with scripted dialogs, no
// splash wait and a settings folder of its own.
class WindowTest : public ::testing::Test {
protected:
    platform::ScriptedDialogs dialogs;
    platform::SystemClock clock;
    QTemporaryDir dir;
    std::unique_ptr<mainwindow::frmMain> w;

    std::string appDir() const { return dir.path().toStdString(); }
    std::string settingsFile() const { return appDir() + "/settings.ini"; }

    void writeSettingsFile(const std::string& text) const
    {
        std::ofstream out(settingsFile(), std::ios::binary);
        out << text;
    }
    std::string readSettingsFile() const
    {
        std::ifstream in(settingsFile(), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    mainwindow::frmMain& start(int screenHeight = 1024)
    {
        mainwindow::Services s;
        s.dialogs = &dialogs;
        s.clock = &clock;
        s.splashMilliseconds = 0;
        s.screenHeightPixels = screenHeight;
        s.appDir = appDir();
        w = std::make_unique<mainwindow::frmMain>(s);
        w->Form_Load();
        return *w;
    }

    static void put(mainwindow::frmMain& win, int cell, const std::string& text)
    {
        engine::CellControl& c = *win.textCells[static_cast<std::size_t>(cell)];
        c.setText(text);
    }
    static std::string textOf(const mainwindow::frmMain& win, int cell)
    {
        const engine::CellControl& c = *win.textCells[static_cast<std::size_t>(cell)];
        return c.text();
    }
};
