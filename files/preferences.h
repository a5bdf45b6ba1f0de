// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "symbol_table.h"

namespace files {

// The Preferences dialog's symbol boxes as plain logic: 36 boxes captioned
// "1".."9", "0", "A".."Z"; exactly nine ticked make a symbol set.
class SymbolChoice {
public:
    static constexpr int kBoxes = 36;

    static const std::string& caption(int box);

    // Ticks every box whose caption is one of the symbols in upper case.
    void tickSymbols(const SymbolTable::Symbols& symbols);
    void setTicked(int box, bool ticked) { ticked_.at(static_cast<std::size_t>(box)) = ticked; }
    bool isTicked(int box) const { return ticked_.at(static_cast<std::size_t>(box)); }
    int tickedCount() const;

    // With nine ticked only the ticked boxes stay enabled; otherwise all are.
    bool boxEnabled(int box) const;
    // OK needs exactly nine ticked boxes.
    bool canAccept() const { return tickedCount() == SymbolTable::kSymbols; }

private:
    std::array<bool, kBoxes> ticked_{};
};

// Upper-cases ASCII letters.
std::string toUpperAscii(std::string s);

} // namespace files
