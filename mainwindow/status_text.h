// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace mainwindow {

// The window's four modes.
enum Mode : int { kSetup = 1, kSolving = 2, kAutoSolving = 3, kGenerating = 4 };

// The stopwatch reading: minutes, " m ", seconds, " s " (no hours).
std::string stopwatchText(std::int64_t seconds);

// What the three status labels say in a mode; nothing means "leave as it is".
struct StatusTexts {
    std::optional<std::string> status1, status2, status3;
};
StatusTexts statusTexts(int mode, bool entryChecking, std::int64_t elapsedSeconds);

} // namespace mainwindow
