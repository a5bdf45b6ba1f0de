// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <tuple>
#include <vector>

#include "print_layout.h"

// A page surface that records every operation, and can be told to fail at
// the n-th one (counted from 0).
struct RecordingSurface final : files::PageSurface {
    enum Kind { Width, Line, Font, Plain, Position, Text, End };
    struct Op {
        Kind kind;
        int a = 0, b = 0, c = 0, d = 0;
        std::string text;
    };
    std::vector<Op> ops;
    int failAt = -1;

    bool add(Kind k, int a = 0, int b = 0, int c = 0, int d = 0, std::string t = {})
    {
        ops.push_back({k, a, b, c, d, std::move(t)});
        return static_cast<int>(ops.size()) - 1 != failAt;
    }
    bool setLineWidth(int w) override { return add(Width, w); }
    bool drawLine(int x1, int y1, int x2, int y2) override { return add(Line, x1, y1, x2, y2); }
    bool setFont(const std::string& name, int size) override { return add(Font, size, 0, 0, 0, name); }
    bool setPlainFace() override { return add(Plain); }
    bool setTextPosition(int x, int y) override { return add(Position, x, y); }
    bool printText(const std::string& t) override { return add(Text, 0, 0, 0, 0, t); }
    bool endDocument() override { return add(End); }

    // Each text printed right after a position, with that position.
    std::vector<std::tuple<int, int, std::string>> texts() const
    {
        std::vector<std::tuple<int, int, std::string>> out;
        for (std::size_t k = 0; k + 1 < ops.size(); ++k)
            if (ops[k].kind == Position && ops[k + 1].kind == Text)
                out.emplace_back(ops[k].a, ops[k].b, ops[k + 1].text);
        return out;
    }
    std::vector<Op> of(Kind k) const
    {
        std::vector<Op> out;
        for (const Op& op : ops)
            if (op.kind == k) out.push_back(op);
        return out;
    }
};
