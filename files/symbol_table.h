// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>
#include <string>

namespace files {

// The nine symbols the cells show, by value index 0..8 (slot 9 stays empty),
// and the two conversions between symbols and value indices.
class SymbolTable {
public:
    static constexpr int kSymbols = 9;
    using Symbols = std::array<std::string, kSymbols>;

    SymbolTable() : SymbolTable(defaults()) {}
    explicit SymbolTable(const Symbols& s);

    static Symbols defaults() { return {"1", "2", "3", "4", "5", "6", "7", "8", "9"}; }

    // symbols(idx) for idx 0..9; an empty text for any other index.
    const std::string& indexToSymbol(int idx) const;
    // The first k with symbols(k) == s, compared exactly; -1 when none is.
    int symbolToIndex(const std::string& s) const;

    const Symbols& symbols() const { return symbols_; }
    void setSymbols(const Symbols& s) { symbols_ = s; }

    // Why a set of symbols cannot be used on a board (empty, longer than one
    // character, a blank, a quote, a comma, a control or non-ASCII character,
    // a lower-case letter, or a repeat), or nothing when it can.
    struct Problem {
        int index; // the first symbol at fault, 0..8
        std::string reason;
    };
    static std::optional<Problem> problemWith(const Symbols& s);

private:
    Symbols symbols_;
    std::string empty_;
};

} // namespace files
