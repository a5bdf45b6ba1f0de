#include <gtest/gtest.h>

#include "preferences.h"

namespace {

using files::SymbolChoice;

TEST(SymbolChoice, CaptionsInFourColumnsOfNine)
{
    EXPECT_EQ(SymbolChoice::caption(0), "1");
    EXPECT_EQ(SymbolChoice::caption(8), "9");
    EXPECT_EQ(SymbolChoice::caption(9), "0");
    EXPECT_EQ(SymbolChoice::caption(10), "A");
    EXPECT_EQ(SymbolChoice::caption(35), "Z");
}

TEST(SymbolChoice, NineBoxRule)
{
    SymbolChoice c;
    c.tickSymbols(files::SymbolTable::defaults());
    EXPECT_EQ(c.tickedCount(), 9);
    EXPECT_TRUE(c.canAccept());
    EXPECT_TRUE(c.boxEnabled(0));
    EXPECT_FALSE(c.boxEnabled(9));
    c.setTicked(0, false);
    EXPECT_FALSE(c.canAccept());
    for (int i = 0; i < SymbolChoice::kBoxes; ++i) EXPECT_TRUE(c.boxEnabled(i));
    c.setTicked(9, true);
    EXPECT_TRUE(c.canAccept());
    const files::SymbolTable::Symbols expected{"2", "3", "4", "5", "6", "7", "8", "9", "0"};
    EXPECT_EQ(c.chosenSymbols(), expected);
}

TEST(SymbolChoice, SymbolsComeBackInBoxOrderAndUpperCase)
{
    SymbolChoice c;
    c.tickSymbols({"b", "A", "Z", "1", "C", "0", "D", "E", "F"});
    EXPECT_TRUE(c.canAccept());
    const files::SymbolTable::Symbols expected{"1", "0", "A", "B", "C", "D", "E", "F", "Z"};
    EXPECT_EQ(c.chosenSymbols(), expected);
    // A symbol no box carries leaves fewer than nine ticked.
    c.tickSymbols({"1", "2", "3", "4", "5", "6", "7", "8", "#"});
    EXPECT_EQ(c.tickedCount(), 8);
    EXPECT_FALSE(c.canAccept());
}

} // namespace
