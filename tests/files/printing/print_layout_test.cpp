// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "plain_board.h"
#include "print_layout.h"
#include "recording_surface.h"

using files::kLargePrint;
using files::kSmallPrint;
using files::PrintBoard;
using files::printPuzzle;
using Op = RecordingSurface::Op;

namespace {

struct DrawnLine {
    int x1, y1, x2, y2, width;
    auto operator<=>(const DrawnLine&) const = default;
};

void PrintTo(const DrawnLine& l, std::ostream* os)
{
    *os << "(" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ") w" << l.width;
}

// Every line with the width in force when it was drawn.
std::vector<DrawnLine> linesOf(const RecordingSurface& s)
{
    std::vector<DrawnLine> out;
    int width = -1;
    for (const Op& op : s.ops) {
        if (op.kind == RecordingSurface::Width) width = op.a;
        if (op.kind == RecordingSurface::Line) out.push_back({op.a, op.b, op.c, op.d, width});
    }
    return out;
}

RecordingSurface printed(const PrintBoard& board, files::PrintLayout layout)
{
    RecordingSurface s;
    EXPECT_TRUE(printPuzzle(s, board, layout));
    return s;
}

PrintBoard samuraiBoard()
{
    PrintBoard b;
    b.numGrids = 5;
    return b;
}

void expectWithin(const std::vector<DrawnLine>& lines, int lo, int hi)
{
    for (const DrawnLine& l : lines)
        for (int c : {l.x1, l.y1, l.x2, l.y2}) EXPECT_TRUE(c >= lo && c <= hi) << c;
}

} // namespace

TEST(PrintStandard, SmallDrawsTheBoxesThenTheGridThickOnlyAtItsOutline)
{
    const RecordingSurface s = printed(PrintBoard{}, kSmallPrint);
    std::vector<DrawnLine> want = {
        {1445, 500, 1445, 3335, 8}, {2390, 500, 2390, 3335, 8}, {500, 1445, 3335, 1445, 8}, {500, 2390, 3335, 2390, 8}};
    for (int j = 0; j <= 9; ++j) want.push_back({315 * j + 500, 500, 315 * j + 500, 3335, j % 9 ? 2 : 8});
    for (int j = 0; j <= 9; ++j) want.push_back({500, 315 * j + 500, 3335, 315 * j + 500, j % 9 ? 2 : 8});
    EXPECT_EQ(linesOf(s), want);
    // An empty board prints only lines; the page ends once, last.
    EXPECT_TRUE(s.of(RecordingSurface::Text).empty());
    EXPECT_TRUE(s.of(RecordingSurface::Position).empty());
    EXPECT_EQ(s.of(RecordingSurface::End).size(), 1u);
    EXPECT_EQ(s.ops.back().kind, RecordingSurface::End);
}

TEST(PrintStandard, LargeOutlineRunsFrom750To5002)
{
    const std::vector<DrawnLine> lines = linesOf(printed(PrintBoard{}, kLargePrint));
    const std::set<DrawnLine> all(lines.begin(), lines.end());
    for (const DrawnLine& l :
         {DrawnLine{750, 750, 750, 5002, 8}, DrawnLine{5002, 750, 5002, 5002, 8}, DrawnLine{750, 750, 5002, 750, 8},
          DrawnLine{750, 5002, 5002, 5002, 8}, DrawnLine{2168, 750, 2168, 5002, 8}}) // S(1445) = 2167.5 -> 2168
        EXPECT_TRUE(all.count(l)) << l.x1 << "," << l.y1;
    expectWithin(lines, 750, 5002);
}

TEST(PrintStandard, CellTextsGoToTheirTopLeftCornersInTimesRoman)
{
    PrintBoard b;
    b.text(0, 0, 0) = "5";
    b.text(0, 8, 8) = "9";
    b.text(0, 3, 1) = "A";
    // Column by column, row by row: (0, 0), (3, 1), (8, 8), each text right
    // after its position; then the face is set plain again.
    const struct {
        files::PrintLayout layout;
        int size;
        std::vector<std::tuple<int, int, std::string>> texts;
    } cases[] = {{kSmallPrint, 12, {{579, 526, "5"}, {1524, 841, "A"}, {3099, 3046, "9"}}},
                 {kLargePrint, 18, {{868, 789, "5"}, {2286, 1262, "A"}, {4648, 4569, "9"}}}};
    for (const auto& c : cases) {
        const RecordingSurface s = printed(b, c.layout);
        const auto fonts = s.of(RecordingSurface::Font);
        ASSERT_EQ(fonts.size(), 1u);
        EXPECT_TRUE(fonts[0].text == "Times Roman" && fonts[0].a == c.size);
        EXPECT_EQ(s.texts(), c.texts);
        EXPECT_EQ(s.ops[s.ops.size() - 2].kind, RecordingSurface::Plain);
    }
}

TEST(PrintSamurai, BoxLinesAtBoardColumnsAndRows3And18LeaveTheGapOpen)
{
    const std::vector<DrawnLine> lines = linesOf(printed(samuraiBoard(), kSmallPrint));
    ASSERT_EQ(lines.size(), 8u + 8u + 5u * 20u); // box lines, 3 and 18 in two parts; five grids
    const std::vector<DrawnLine> boxes(lines.begin(), lines.begin() + 16);
    const std::vector<std::tuple<int, int, int>> spans = {{1445, 500, 3335}, {1445, 4280, 7115}, {2390, 500, 7115},
                                                          {3335, 500, 7115}, {4280, 500, 7115},  {5225, 500, 7115},
                                                          {6170, 500, 3335}, {6170, 4280, 7115}};
    std::vector<DrawnLine> want;
    for (const auto& [at, from, to] : spans) want.push_back({at, from, at, to, 8});
    for (const auto& [at, from, to] : spans) want.push_back({from, at, to, at, 8});
    EXPECT_EQ(boxes, want);
    const std::set<DrawnLine> all(lines.begin(), lines.end());
    EXPECT_TRUE(all.count({2390, 2390, 2390, 5225, 8})); // the centre grid's left outline
    EXPECT_TRUE(all.count({4280, 4280, 7115, 4280, 8})); // the bottom-right grid's top outline
    // Nothing at all crosses the gap at board column 3 or 18.
    for (const DrawnLine& l : lines)
        if (l.x1 == l.x2 && (l.x1 == 1445 || l.x1 == 6170))
            EXPECT_TRUE(l.y2 <= 3335 || l.y1 >= 4280) << l.x1 << ": " << l.y1 << "-" << l.y2;
    expectWithin(lines, 500, 7115);
}

TEST(PrintSamurai, SharedCellsArePrintedOnceForEachGridAtOnePlace)
{
    engine::PlainBoard board;
    board.numGrids = 5;
    board.cell(0, 6, 6).setText("7"); // shared by grid 0 and the centre's (0, 0)
    board.cell(4, 4, 4).setText("C"); // the centre's own middle cell
    board.cell(1, 0, 8).setText("2"); // shared by grid 1 and the centre's (6, 2)
    board.cell(2, 4, 4).setText("8"); // grid 2's own middle cell
    const RecordingSurface s = printed(PrintBoard::fromGrids(board.grids, board.numGrids), kSmallPrint);
    EXPECT_EQ(s.of(RecordingSurface::Font).size(), 5u); // once per grid
    const auto texts = s.texts();
    const std::multiset<std::tuple<int, int, std::string>> at(texts.begin(), texts.end());
    // 7 at grid 0 (6, 6): 315 x 6 + 578.75 and 315 x 6 + 526.25; 2 at grid 1
    // (0, 8): 3780 + 578.75, 2520 + 526.25; C at the centre (4, 4): 1890 +
    // 1260 + 578.75; 8 at grid 2 (4, 4): 1260 + 578.75, 3780 + 1260 + 526.25.
    const std::multiset<std::tuple<int, int, std::string>> want = {{2469, 2416, "7"}, {2469, 2416, "7"},
                                                                   {4359, 3046, "2"}, {4359, 3046, "2"},
                                                                   {3729, 3676, "C"}, {1839, 5566, "8"}};
    EXPECT_EQ(at, want);

    // The window's standard board: only grid 0 is read.
    EXPECT_TRUE(PrintBoard::fromGrids(board.grids, 1).text(2, 4, 4).empty());
}

TEST(PrintFailures, AFailingOperationEndsTheDrawingAtOnceWithoutEndingThePage)
{
    PrintBoard b = samuraiBoard();
    b.text(0, 0, 0) = "1";
    b.text(4, 8, 8) = "9";
    const int total = static_cast<int>(printed(b, kLargePrint).ops.size());
    for (int k = 0; k < total; ++k) {
        RecordingSurface s;
        s.failAt = k;
        EXPECT_FALSE(printPuzzle(s, b, kLargePrint)) << k;
        EXPECT_EQ(static_cast<int>(s.ops.size()), k + 1) << k;
        if (k + 1 < total) EXPECT_TRUE(s.of(RecordingSurface::End).empty()) << k;
    }
}
