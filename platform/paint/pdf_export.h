// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "print_layout.h"

namespace platform {

// Draws the board exactly as the printer gets it onto one A4 page of a PDF
// file. The file is written whole or not at all: an existing file stays
// untouched when anything fails. Works without a window: when the program
// has no GUI application object yet, one is made (off screen) for the call.
// Returns false with a reason on failure.
bool writePuzzlePdf(const std::string& path, const files::PrintBoard& board, files::PrintLayout layout,
                    std::string& error);

} // namespace platform
