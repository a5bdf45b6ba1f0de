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
    bool vertical() const { return x1 == x2; }
    bool operator<(const DrawnLine& o) const
    {
        return std::tie(x1, y1, x2, y2, width) < std::tie(o.x1, o.y1, o.x2, o.y2, o.width);
    }
};

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

// The parts of [lo, hi] that the vertical lines at x cover.
bool verticalCovers(const std::vector<DrawnLine>& lines, int x, int y)
{
    return std::any_of(lines.begin(), lines.end(), [&](const DrawnLine& l) {
        return l.vertical() && l.x1 == x && std::min(l.y1, l.y2) <= y && y <= std::max(l.y1, l.y2);
    });
}

} // namespace

TEST(PrintScale, RoundsHalvesToTheEvenNeighbourAndStaysWithin16Bits)
{
    EXPECT_EQ(files::scaleTwips(3335, 1.5), 5002); // 5002.5
    EXPECT_EQ(files::scaleTwips(2390, 1.5), 3585);
    EXPECT_EQ(files::scaleTwips(1445, 1.5), 2168); // 2167.5
    EXPECT_EQ(files::scaleTwips(578.75, 1.5), 868); // 868.125
    EXPECT_EQ(files::scaleTwips(526.25, 1.5), 789); // 789.375
    EXPECT_EQ(files::scaleTwips(578.75, 1.0), 579);
    EXPECT_EQ(files::scaleTwips(2.5, 1.0), 2);
    EXPECT_EQ(files::scaleTwips(3.5, 1.0), 4);
    EXPECT_EQ(files::scaleTwips(-2.5, 1.0), -2);
    EXPECT_EQ(files::scaleTwips(-3.5, 1.0), -4);
    EXPECT_EQ(files::scaleTwips(1e9, 1.0), 32767);
    EXPECT_EQ(files::scaleTwips(-1e9, 1.0), -32768);
}

TEST(PrintStandard, SmallDrawsOutlineBoxesAndCellLinesInOrder)
{
    const RecordingSurface s = printed(PrintBoard{}, kSmallPrint);
    const std::vector<DrawnLine> lines = linesOf(s);
    ASSERT_EQ(lines.size(), 4u + 20u);

    // Box boundaries first, thick, across the board: vertical, then horizontal.
    const std::vector<DrawnLine> boxes(lines.begin(), lines.begin() + 4);
    const std::vector<DrawnLine> expectedBoxes = {{1445, 500, 1445, 3335, 8},
                                                  {2390, 500, 2390, 3335, 8},
                                                  {500, 1445, 3335, 1445, 8},
                                                  {500, 2390, 3335, 2390, 8}};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(boxes[k].x1, expectedBoxes[k].x1) << k;
        EXPECT_EQ(boxes[k].y1, expectedBoxes[k].y1) << k;
        EXPECT_EQ(boxes[k].x2, expectedBoxes[k].x2) << k;
        EXPECT_EQ(boxes[k].y2, expectedBoxes[k].y2) << k;
        EXPECT_EQ(boxes[k].width, 8) << k;
    }
    // Then the grid's ten vertical and ten horizontal lines, thick only at the outline.
    for (int j = 0; j <= 9; ++j) {
        const DrawnLine& v = lines[4 + static_cast<std::size_t>(j)];
        const DrawnLine& h = lines[14 + static_cast<std::size_t>(j)];
        const int at = 315 * j + 500;
        const int width = (j == 0 || j == 9) ? 8 : 2;
        EXPECT_TRUE(v.x1 == at && v.x2 == at && v.y1 == 500 && v.y2 == 3335 && v.width == width) << j;
        EXPECT_TRUE(h.y1 == at && h.y2 == at && h.x1 == 500 && h.x2 == 3335 && h.width == width) << j;
    }
    // An empty board prints only lines; the page still ends, once, last.
    EXPECT_TRUE(s.of(RecordingSurface::Text).empty());
    EXPECT_TRUE(s.of(RecordingSurface::Position).empty());
    ASSERT_EQ(s.of(RecordingSurface::End).size(), 1u);
    EXPECT_EQ(s.ops.back().kind, RecordingSurface::End);
}

TEST(PrintStandard, LargeOutlineRunsFrom750To5002)
{
    const std::vector<DrawnLine> lines = linesOf(printed(PrintBoard{}, kLargePrint));
    const std::set<DrawnLine> all(lines.begin(), lines.end());
    EXPECT_TRUE(all.count({750, 750, 750, 5002, 8}));
    EXPECT_TRUE(all.count({5002, 750, 5002, 5002, 8}));
    EXPECT_TRUE(all.count({750, 750, 5002, 750, 8}));
    EXPECT_TRUE(all.count({750, 5002, 5002, 5002, 8}));
    for (const DrawnLine& l : lines)
        for (int c : {l.x1, l.y1, l.x2, l.y2}) {
            EXPECT_GE(c, 750);
            EXPECT_LE(c, 5002);
        }
    EXPECT_TRUE(all.count({2168, 750, 2168, 5002, 8})); // S(1445) = 2167.5 -> 2168
}

TEST(PrintStandard, CellTextsGoToTheirTopLeftCornersInTimesRoman)
{
    PrintBoard b;
    b.text(0, 0, 0) = "5";
    b.text(0, 8, 8) = "9";
    b.text(0, 3, 1) = "A";

    for (const auto& [layout, first, last, size] :
         {std::tuple{kSmallPrint, std::pair{579, 526}, std::pair{3099, 3046}, 12},
          std::tuple{kLargePrint, std::pair{868, 789}, std::pair{4648, 4569}, 18}}) {
        const RecordingSurface s = printed(b, layout);
        const auto fonts = s.of(RecordingSurface::Font);
        ASSERT_EQ(fonts.size(), 1u);
        EXPECT_EQ(fonts[0].text, "Times Roman");
        EXPECT_EQ(fonts[0].a, size);
        // Column by column, row by row: (0,0), (3,1), (8,8).
        const auto pos = s.of(RecordingSurface::Position);
        const auto texts = s.of(RecordingSurface::Text);
        ASSERT_EQ(pos.size(), 3u);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(std::pair(pos[0].a, pos[0].b), first);
        EXPECT_EQ(std::pair(pos[2].a, pos[2].b), last);
        EXPECT_EQ(texts[0].text, "5");
        EXPECT_EQ(texts[1].text, "A");
        EXPECT_EQ(texts[2].text, "9");
        // Each text right after its position; the face is set plain after the texts.
        for (std::size_t k = 0; k + 1 < s.ops.size(); ++k) {
            if (s.ops[k].kind == RecordingSurface::Position) {
                EXPECT_EQ(s.ops[k + 1].kind, RecordingSurface::Text);
            }
        }
        ASSERT_GE(s.ops.size(), 3u);
        EXPECT_EQ(s.ops[s.ops.size() - 2].kind, RecordingSurface::Plain);
    }
}

TEST(PrintSamurai, BoxLinesAtBoardColumnsAndRows3And18LeaveTheGapOpen)
{
    const std::vector<DrawnLine> lines = linesOf(printed(samuraiBoard(), kSmallPrint));
    // Box boundaries across the board: 6 positions each way, 3 and 18 split in two.
    ASSERT_GE(lines.size(), 16u);
    const std::vector<DrawnLine> verticalBoxes(lines.begin(), lines.begin() + 8);
    const std::vector<std::tuple<int, int, int>> expected = {
        {1445, 500, 3335}, {1445, 4280, 7115}, {2390, 500, 7115}, {3335, 500, 7115},
        {4280, 500, 7115}, {5225, 500, 7115},  {6170, 500, 3335}, {6170, 4280, 7115}};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const auto [x, from, to] = expected[k];
        EXPECT_TRUE(verticalBoxes[k].vertical() && verticalBoxes[k].x1 == x && verticalBoxes[k].y1 == from &&
                    verticalBoxes[k].y2 == to && verticalBoxes[k].width == 8)
            << k;
    }
    const std::set<DrawnLine> all(lines.begin(), lines.end());
    EXPECT_TRUE(all.count({500, 1445, 3335, 1445, 8}));
    EXPECT_TRUE(all.count({4280, 1445, 7115, 1445, 8}));
    EXPECT_TRUE(all.count({500, 6170, 3335, 6170, 8}));
    EXPECT_TRUE(all.count({4280, 6170, 7115, 6170, 8}));

    // Nothing at all is drawn across the gap at board column 3 (or 18).
    for (int x : {1445, 6170}) {
        EXPECT_TRUE(verticalCovers(lines, x, 3335));
        EXPECT_TRUE(verticalCovers(lines, x, 4280));
        for (int y = 3336; y < 4280; y += 8) EXPECT_FALSE(verticalCovers(lines, x, y)) << x << "," << y;
    }
    // Five grids, each with its twenty lines at its own offset.
    EXPECT_EQ(lines.size(), 8u + 8u + 5u * 20u);
    EXPECT_TRUE(all.count({2390, 2390, 2390, 5225, 8})); // centre grid's left outline
    EXPECT_TRUE(all.count({4280, 4280, 7115, 4280, 8})); // bottom-right grid's top outline
    for (const DrawnLine& l : lines)
        for (int c : {l.x1, l.y1, l.x2, l.y2}) {
            EXPECT_GE(c, 500);
            EXPECT_LE(c, 7115);
        }
}

TEST(PrintSamurai, SharedCellsArePrintedOnceForEachGridAtOnePlace)
{
    engine::PlainBoard board;
    board.numGrids = 5;
    board.cell(0, 6, 6).setText("7");  // shared by grid 0 and the centre's (0, 0)
    board.cell(4, 4, 4).setText("C");  // the centre's own middle cell
    board.cell(1, 0, 8).setText("2");  // shared by grid 1 and the centre's (6, 2)
    const PrintBoard b = PrintBoard::fromGrids(board.grids, board.numGrids);
    EXPECT_EQ(b.text(4, 0, 0), "7");
    EXPECT_EQ(b.text(4, 6, 2), "2");

    const RecordingSurface s = printed(b, kSmallPrint);
    ASSERT_EQ(s.of(RecordingSurface::Font).size(), 5u); // once per grid
    std::vector<std::tuple<int, int, std::string>> printedAt;
    for (std::size_t k = 0; k + 1 < s.ops.size(); ++k)
        if (s.ops[k].kind == RecordingSurface::Position)
            printedAt.emplace_back(s.ops[k].a, s.ops[k].b, s.ops[k + 1].text);
    // 7 at grid 0 (6, 6): x = 315*6 + 578.75 = 2468.75, y = 315*6 + 526.25 = 2416.25.
    EXPECT_EQ(std::count(printedAt.begin(), printedAt.end(), std::tuple{2469, 2416, std::string("7")}), 2);
    // 2 at grid 1 (0, 8): x = 3780 + 578.75, y = 2520 + 526.25.
    EXPECT_EQ(std::count(printedAt.begin(), printedAt.end(), std::tuple{4359, 3046, std::string("2")}), 2);
    // C at the centre (4, 4): 1890 + 1260 + 578.75.
    EXPECT_EQ(std::count(printedAt.begin(), printedAt.end(), std::tuple{3729, 3676, std::string("C")}), 1);
    EXPECT_EQ(printedAt.size(), 5u);
}

TEST(PrintBoards, FromDocumentShowsTheFilesSymbolsAndSkipsWhatTheBoardLacks)
{
    files::PuzzleDocument doc;
    doc.symbols = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    doc.numGrids = 1;
    doc.records = {{0, 0, 2, 4}, {0, 3, 0, 8}, {3, 0, 0, 0}, {0, 9, 0, 0}, {0, 0, -1, 0}};
    const PrintBoard b = PrintBoard::fromDocument(doc);
    EXPECT_EQ(b.numGrids, 1);
    EXPECT_EQ(b.text(0, 0, 2), "E");
    EXPECT_EQ(b.text(0, 3, 0), "I");
    EXPECT_TRUE(b.text(3, 0, 0).empty());
    int filled = 0;
    for (int g = 0; g < 5; ++g)
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j) filled += !b.text(g, i, j).empty();
    EXPECT_EQ(filled, 2);

    // The window's board: only the grids in use are read.
    engine::PlainBoard board;
    board.cell(2, 0, 0).setText("5");
    board.cell(0, 1, 1).setText("4");
    const PrintBoard standard = PrintBoard::fromGrids(board.grids, 1);
    EXPECT_EQ(standard.text(0, 1, 1), "4");
    EXPECT_TRUE(standard.text(2, 0, 0).empty());
}

TEST(PrintFailures, AFailingOperationEndsTheDrawingAtOnceWithoutEndingThePage)
{
    PrintBoard b = samuraiBoard();
    b.text(0, 0, 0) = "1";
    b.text(4, 8, 8) = "9";
    RecordingSurface full;
    ASSERT_TRUE(printPuzzle(full, b, kLargePrint));
    const int total = static_cast<int>(full.ops.size());
    for (int k = 0; k < total; ++k) {
        RecordingSurface s;
        s.failAt = k;
        EXPECT_FALSE(printPuzzle(s, b, kLargePrint)) << k;
        EXPECT_EQ(static_cast<int>(s.ops.size()), k + 1) << k;
        if (k + 1 < total) {
            EXPECT_TRUE(s.of(RecordingSurface::End).empty()) << k;
        }
    }
}
