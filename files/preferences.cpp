// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences.h"

#include <algorithm>

namespace files {

namespace {
std::array<std::string, SymbolChoice::kBoxes> makeCaptions()
{
    std::array<std::string, SymbolChoice::kBoxes> c;
    for (int i = 0; i < 9; ++i) c[static_cast<std::size_t>(i)] = std::string(1, static_cast<char>('1' + i));
    c[9] = "0";
    for (int i = 0; i < 26; ++i) c[static_cast<std::size_t>(10 + i)] = std::string(1, static_cast<char>('A' + i));
    return c;
}
} // namespace

const std::string& SymbolChoice::caption(int box)
{
    static const auto captions = makeCaptions();
    return captions.at(static_cast<std::size_t>(box));
}

std::string toUpperAscii(std::string s)
{
    for (char& ch : s)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return s;
}

void SymbolChoice::tickSymbols(const SymbolTable::Symbols& symbols)
{
    for (int box = 0; box < kBoxes; ++box) {
        const bool match = std::any_of(symbols.begin(), symbols.end(),
                                       [&](const std::string& s) { return toUpperAscii(s) == caption(box); });
        ticked_[static_cast<std::size_t>(box)] = match;
    }
}

int SymbolChoice::tickedCount() const
{
    return static_cast<int>(std::count(ticked_.begin(), ticked_.end(), true));
}

bool SymbolChoice::boxEnabled(int box) const
{
    return tickedCount() != SymbolTable::kSymbols || isTicked(box);
}

} // namespace files
