#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "settings.h"

namespace {

using files::parseSettings;
using files::Settings;

const std::string kDefaultText =
    "[Colours]\r\n16777215\r\n14737632\r\n0\r\n0\r\n49152\r\n[Symbols]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n"
    "[Rating]\r\n0\r\n";

TEST(Settings, WritesTheExactLayout)
{
    EXPECT_EQ(files::formatSettings(Settings{}), kDefaultText);
    Settings s;
    s.colours = {1, 2, 3, 4, 5};
    s.symbols = {"A", "B", "C", "D", "E", "F", "G", "H", "0"};
    s.savedRating = -4;
    const std::string text = files::formatSettings(s);
    EXPECT_NE(text.find("[Symbols]\r\nA\r\nB\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 14), "[Rating]\r\n-4\r\n");
    const auto back = parseSettings(text, Settings{});
    EXPECT_FALSE(back.settingsError);
    EXPECT_EQ(back.settings, s);
}

TEST(Settings, SectionsInAnyOrderWithExtrasAndBlanks)
{
    const std::string text =
        "[Rating]\n 12 \n[Extra]\nwhatever\n[Colours]\n 49152 \n1\n2\n3\n4\n[More]\nx\ny\n"
        "[Symbols]\n A\nB \nC\nD\nE\nF\nG\nH\nI\n[Later]\n[Colours]x\n";
    const auto r = parseSettings(text, Settings{});
    EXPECT_FALSE(r.settingsError) << r.problem;
    EXPECT_EQ(r.settings.savedRating, 12);
    EXPECT_EQ(r.settings.colours, (files::Colours{49152, 1, 2, 3, 4}));
    EXPECT_EQ(r.settings.symbols[0], "A");
    EXPECT_EQ(r.settings.symbols[1], "B");
    EXPECT_EQ(r.settings.symbols[8], "I");
}

TEST(Settings, NegativeThirdColourKeepsTheFirstTwoAndFails)
{
    Settings initial;
    const auto r = parseSettings("[Colours]\r\n10\r\n20\r\n-1\r\n30\r\n40\r\n", initial);
    EXPECT_TRUE(r.settingsError);
    EXPECT_EQ(r.settings.colours[0], 10u);
    EXPECT_EQ(r.settings.colours[1], 20u);
    EXPECT_EQ(r.settings.colours[2], initial.colours[2]);
}

TEST(Settings, BadValuesAreErrors)
{
    const char* const bad[] = {
        "[Symbols]\r\n1\r\n\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", // an empty symbol line
        "[Symbols]\r\n1\r\n2\r\n3\r\n",                              // the file ends early
        "[Symbols]\r\n1\r\n1\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", // a repeated symbol
        "[Symbols]\r\nab\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", // longer than one character
        "[Symbols]\r\na\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n",  // lower case
        "[Colours]\r\nred\r\n1\r\n2\r\n3\r\n4\r\n",                    // not a number
        "[Colours]\r\n16777216\r\n1\r\n2\r\n3\r\n4\r\n",               // beyond 24 bits
        "[Colours]\r\n1 2\r\n1\r\n2\r\n3\r\n4\r\n",                    // two numbers
        "[Rating]\r\n99999\r\n",                                       // beyond 16 bits
        "[Rating]\r\n",                                                // missing
    };
    for (const char* text : bad) {
        const auto r = parseSettings(text, Settings{});
        EXPECT_TRUE(r.settingsError) << text;
        EXPECT_FALSE(r.problem.empty());
    }
}

TEST(Settings, MissingSectionsKeepWhatWasThere)
{
    Settings initial;
    initial.savedRating = 5;
    const auto r = parseSettings("[Colours]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", initial);
    EXPECT_FALSE(r.settingsError);
    EXPECT_EQ(r.settings.symbols, files::SymbolTable::defaults());
    EXPECT_EQ(r.settings.savedRating, 5);
    const auto empty = parseSettings("", initial);
    EXPECT_FALSE(empty.settingsError);
    EXPECT_EQ(empty.settings, initial);
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("corvel_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string read() const
    {
        std::ifstream in(dir / "settings.ini", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::filesystem::path dir;
};

TEST_F(SettingsFile, MissingFileIsNoError)
{
    Settings initial;
    initial.savedRating = 3;
    const auto r = files::readSettings(dir.string(), initial);
    EXPECT_FALSE(r.settingsError);
    EXPECT_FALSE(r.fileFound);
    EXPECT_EQ(r.settings, initial);
}

TEST_F(SettingsFile, SaveThenReadAndReplace)
{
    EXPECT_EQ(files::settingsPath(dir.string()), (dir / "settings.ini").string());
    Settings s;
    s.colours[4] = 123;
    ASSERT_TRUE(files::saveSettings(dir.string(), s));
    EXPECT_EQ(files::readSettings(dir.string(), Settings{}).settings, s);
    ASSERT_TRUE(files::saveSettings(dir.string(), Settings{}));
    EXPECT_EQ(read(), kDefaultText);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(SettingsFile, UnwritablePlaceFailsCleanly)
{
    std::string why;
    EXPECT_FALSE(files::saveSettings((dir / "missing" / "deeper").string(), Settings{}, &why));
    EXPECT_FALSE(why.empty());
    // A folder standing where the file should be: the write fails, the folder stays.
    std::filesystem::create_directory(dir / "settings.ini");
    EXPECT_FALSE(files::saveSettings(dir.string(), Settings{}, &why));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "settings.ini"));
}

} // namespace
