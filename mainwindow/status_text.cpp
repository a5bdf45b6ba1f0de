// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_text.h"

namespace mainwindow {

std::string stopwatchText(std::int64_t seconds)
{
    if (seconds < 0) seconds = 0;
    const std::int64_t s = seconds % 60;
    const std::int64_t m = (seconds - s) / 60;
    return std::to_string(m) + " m " + std::to_string(s) + " s ";
}

StatusTexts statusTexts(int mode, bool entryChecking, std::int64_t elapsedSeconds)
{
    StatusTexts t;
    switch (mode) {
    case kSetup:
        t.status1 = "Setup Mode";
        t.status2 = entryChecking ? "Checking ON " : "Checking OFF ";
        break;
    case kSolving:
        t.status1 = "Solving mode";
        t.status2 = entryChecking ? "Checking ON " : "Checking OFF";
        t.status3 = stopwatchText(elapsedSeconds);
        break;
    case kAutoSolving:
        t.status1 = "Corvel is solving the puzzle";
        t.status2 = "";
        t.status3 = "";
        break;
    case kGenerating: {
        const std::int64_t n = ((elapsedSeconds % 8) + 8) % 8 + 1;
        t.status1 = "Corvel is generating a puzzle " + std::string(static_cast<std::size_t>(n), '>');
        t.status2 = "";
        t.status3 = "";
        break;
    }
    default: break;
    }
    return t;
}

} // namespace mainwindow
