// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace generator {

// One position chosen to carry a given, with its own random order of the nine
// value indices. The value search walks that order through setVal.
class GeneratorCell {
public:
    static constexpr int kDomainSlots = 26;

    void initialise(int gridIdx, int col, int row)
    {
        g = static_cast<std::int16_t>(gridIdx);
        c = static_cast<std::int16_t>(col);
        r = static_cast<std::int16_t>(row);
        valIdx_ = -1;
    }

    // Stores val at idx; an index outside the domain's slots is ignored.
    void setDomainVal(int idx, int val)
    {
        if (idx < 0 || idx >= kDomainSlots) return;
        domain_[static_cast<std::size_t>(idx)] = static_cast<std::int16_t>(val);
    }

    // Makes idx the current position and returns the value index stored there.
    int setVal(int idx)
    {
        if (idx < 0 || idx >= kDomainSlots) return -1;
        valIdx_ = static_cast<std::int16_t>(idx);
        return domain_[static_cast<std::size_t>(idx)];
    }

    // The value index at the current position; -1 before the first setVal.
    int getVal() const { return valIdx_ < 0 ? -1 : domain_[static_cast<std::size_t>(valIdx_)]; }

    int getGridIdx() const { return g; }
    int getRow() const { return r; }
    int getColumn() const { return c; }
    int valIdx() const { return valIdx_; }

    std::int16_t g = 0;
    std::int16_t r = 0;
    std::int16_t c = 0;

private:
    std::int16_t valIdx_ = -1;
    std::array<std::int16_t, kDomainSlots> domain_{};
};

} // namespace generator
