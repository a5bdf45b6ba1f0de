#include <gtest/gtest.h>

#include "symbol_table.h"

using files::SymbolTable;

TEST(SymbolTable, LookupsAreExactAndBounded)
{
    SymbolTable t({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    EXPECT_EQ(t.symbolToIndex("A"), 0);
    EXPECT_EQ(t.symbolToIndex("I"), 8);
    EXPECT_EQ(t.symbolToIndex("a"), -1); // case matters
    EXPECT_EQ(t.symbolToIndex(""), -1);
    EXPECT_EQ(t.symbolToIndex("AB"), -1);
    EXPECT_EQ(t.indexToSymbol(4), "E");
    EXPECT_EQ(t.indexToSymbol(9), "");  // slot 9 is never filled
    EXPECT_EQ(t.indexToSymbol(-1), ""); // out of range never reads outside the table
    EXPECT_EQ(t.indexToSymbol(1000), "");
}

TEST(SymbolTable, ProblemsNameTheFirstBadSymbol)
{
    EXPECT_FALSE(SymbolTable::problemWith(SymbolTable::defaults()));
    EXPECT_FALSE(SymbolTable::problemWith({"0", "A", "Z", "5", "?", "#", "*", "+", "!"}));
    auto with = [](int k, std::string s) {
        SymbolTable::Symbols sy = SymbolTable::defaults();
        sy[static_cast<std::size_t>(k)] = std::move(s);
        return SymbolTable::problemWith(sy);
    };
    for (const char* bad : {"", "12", " ", "\"", ",", "a", "\x01", "\xC3"}) {
        auto p = with(3, bad);
        ASSERT_TRUE(p) << bad;
        EXPECT_EQ(p->index, 3);
    }
    auto dup = with(6, "2");
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->index, 6);
    EXPECT_NE(dup->reason.find("repeats symbol 2"), std::string::npos);
}
