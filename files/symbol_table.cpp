// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbol_table.h"

namespace files {

SymbolTable::SymbolTable(const Symbols& s) : symbols_(s) {}

const std::string& SymbolTable::indexToSymbol(int idx) const
{
    if (idx < 0 || idx >= kSymbols) return empty_;
    return symbols_[static_cast<std::size_t>(idx)];
}

int SymbolTable::symbolToIndex(const std::string& s) const
{
    for (int k = 0; k < kSymbols; ++k)
        if (symbols_[static_cast<std::size_t>(k)] == s) return k;
    return -1;
}

std::optional<SymbolTable::Problem> SymbolTable::problemWith(const Symbols& s)
{
    for (int k = 0; k < kSymbols; ++k) {
        const std::string& sym = s[static_cast<std::size_t>(k)];
        const std::string which = "symbol " + std::to_string(k + 1);
        auto problem = [&](const std::string& why) { return Problem{k, which + why}; };
        if (sym.empty()) return problem(" is empty");
        if (sym.size() != 1) return problem(" is longer than one character");
        const unsigned char c = static_cast<unsigned char>(sym[0]);
        if (c <= ' ' || c >= 127 || c == '"' || c == ',')
            return problem(" is not a printable character (blank, quote, comma or control character)");
        if (c >= 'a' && c <= 'z') return problem(" is a lower-case letter; cells take capitals");
        for (int j = 0; j < k; ++j)
            if (s[static_cast<std::size_t>(j)] == sym) return problem(" repeats symbol " + std::to_string(j + 1));
    }
    return std::nullopt;
}

} // namespace files
