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
    // A file that happens to have the temporary name is someone else's.
    { std::ofstream(dir / "settings.ini.tmp", std::ios::binary) << "mine"; }
    ASSERT_TRUE(files::saveSettings(dir.string(), Settings{}));
    EXPECT_EQ(read(), kDefaultText);
    EXPECT_EQ(std::filesystem::file_size(dir / "settings.ini.tmp"), 4u);
    // No temporary file of ours is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 2);
}

TEST_F(SettingsFile, AFileThatIsNotOursIsNeitherReadNorReplaced)
{
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"plain text", "remember the milk\n"},
        {"another program's settings", "[General]\ncolour=1\n[Colours ]\n"},
        {"an empty file", ""},
        {"a header only inside a line", "see [Colours] below\n"},
    };
    Settings initial;
    initial.savedRating = 9;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        { std::ofstream(dir / "settings.ini", std::ios::binary) << c.text; }
        EXPECT_FALSE(files::isSettingsText(c.text));
        const auto r = files::readSettings(dir.string(), initial);
        EXPECT_TRUE(r.fileFound);
        EXPECT_TRUE(r.leftAlone);
        EXPECT_FALSE(r.settingsError);
        EXPECT_EQ(r.settings, initial);
        EXPECT_NE(r.problem.find("not Corvel's settings file"), std::string::npos) << r.problem;
        std::string why;
        EXPECT_FALSE(files::saveSettings(dir.string(), Settings{}, &why));
        EXPECT_EQ(why, r.problem);
        EXPECT_EQ(read(), c.text);
    }
    // One header is enough to make the file ours, damaged or not.
    for (const char* text : {"[Rating]\n1\n", " [Symbols] \r\n", "x\n[Colours]\nred\n"}) {
        SCOPED_TRACE(text);
        { std::ofstream(dir / "settings.ini", std::ios::binary) << text; }
        EXPECT_TRUE(files::isSettingsText(text));
        EXPECT_FALSE(files::readSettings(dir.string(), initial).leftAlone);
        EXPECT_TRUE(files::saveSettings(dir.string(), Settings{}));
        EXPECT_EQ(read(), kDefaultText);
    }
}

TEST_F(SettingsFile, ALinkIsWrittenThroughAndKeepsThePermissions)
{
    namespace fs = std::filesystem;
    fs::create_directory(dir / "elsewhere");
    const fs::path real = dir / "elsewhere" / "corvel.ini";
    { std::ofstream(real, std::ios::binary) << "[Rating]\r\n4\r\n"; }
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, mode);
    fs::create_symlink(fs::path("elsewhere") / "corvel.ini", dir / "settings.ini");

    EXPECT_EQ(files::readSettings(dir.string(), Settings{}).settings.savedRating, 4);
    Settings s;
    s.savedRating = 5;
    ASSERT_TRUE(files::saveSettings(dir.string(), s));
    EXPECT_TRUE(fs::is_symlink(dir / "settings.ini"));
    EXPECT_EQ(fs::read_symlink(dir / "settings.ini"), fs::path("elsewhere") / "corvel.ini");
    EXPECT_EQ(fs::status(real).permissions(), mode);
    EXPECT_EQ(files::readSettings(dir.string(), Settings{}).settings, s);

    // A link to a file not made yet makes it; a loop of links is left alone.
    fs::remove(real);
    ASSERT_TRUE(files::saveSettings(dir.string(), s));
    EXPECT_TRUE(fs::is_symlink(dir / "settings.ini"));
    EXPECT_EQ(read(), files::formatSettings(s));
    fs::remove(dir / "settings.ini");
    fs::create_symlink("settings.ini", dir / "settings.ini");
    EXPECT_TRUE(files::readSettings(dir.string(), Settings{}).leftAlone);
    std::string why;
    EXPECT_FALSE(files::saveSettings(dir.string(), s, &why));
    EXPECT_NE(why.find("loop"), std::string::npos) << why;
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
