#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "settings.h"

namespace {

namespace fs = std::filesystem;
using files::parseSettings;
using files::Settings;

const std::string kDefaultText =
    "[Colours]\r\n16777215\r\n14737632\r\n0\r\n0\r\n49152\r\n[Symbols]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n"
    "[Rating]\r\n0\r\n";

TEST(Settings, WritesTheLayoutAndReadsItBack)
{
    Settings s;
    s.colours = {1, 2, 3, 4, 16777215};
    s.symbols = {"A", "B", "C", "D", "E", "F", "G", "H", "0"};
    s.savedRating = -4;
    const auto back = parseSettings(files::formatSettings(s), Settings{});
    EXPECT_FALSE(back.settingsError) << back.problem;
    EXPECT_EQ(back.settings, s);
}

TEST(Settings, ReadsItsThreeSectionsAnywhereAndFlagsBadValues)
{
    Settings initial;
    initial.savedRating = 5;
    Settings letters = initial;
    letters.savedRating = 12;
    letters.colours = {49152, 1, 2, 3, 4};
    letters.symbols = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    Settings coloursOnly = initial;
    coloursOnly.colours = {1, 2, 3, 4, 5};
    Settings firstTwo = initial; // values read before an error stay
    firstTwo.colours[0] = 10;
    firstTwo.colours[1] = 20;
    const struct {
        const char* text;
        bool error;
        Settings expected;
    } cases[] = {
        {"[Rating]\n 12 \n[Extra]\nwhatever\n[Colours]\n 49152 \n1\n2\n3\n4\n[More]\nx\ny\n"
         "[Symbols]\n A\nB \nC\nD\nE\nF\nG\nH\nI\n[Later]\n[Colours]x\n",
         false, letters},
        {"[Colours]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", false, coloursOnly},
        {"", false, initial},
        {"[Colours]\r\n10\r\n20\r\n-1\r\n30\r\n40\r\n", true, firstTwo},
        {"[Colours]\r\nred\r\n1\r\n2\r\n3\r\n4\r\n", true, initial},
        {"[Colours]\r\n16777216\r\n1\r\n2\r\n3\r\n4\r\n", true, initial}, // beyond 24 bits
        {"[Colours]\r\n1 2\r\n1\r\n2\r\n3\r\n4\r\n", true, initial},
        {"[Symbols]\r\n1\r\n\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", true, initial},
        {"[Symbols]\r\n1\r\n2\r\n3\r\n", true, initial},
        {"[Symbols]\r\n1\r\n1\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", true, initial},
        {"[Symbols]\r\nab\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", true, initial},
        {"[Symbols]\r\na\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", true, initial},
        {"[Rating]\r\n99999\r\n", true, initial}, // beyond 16 bits
        {"[Rating]\r\n", true, initial},
    };
    for (const auto& c : cases) {
        const auto r = parseSettings(c.text, initial);
        EXPECT_EQ(r.settingsError, c.error) << c.text << r.problem;
        EXPECT_EQ(r.problem.empty(), !c.error) << c.text;
        EXPECT_EQ(r.settings, c.expected) << c.text;
    }
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string name = (fs::temp_directory_path() / "corvel_settings_XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        dir = name;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string read() const
    {
        std::ifstream in(dir / "settings.ini", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const std::string& text) const { std::ofstream(dir / "settings.ini", std::ios::binary) << text; }
    fs::path dir;
};

TEST_F(SettingsFile, ReplacesOnlyItsOwnFileAndLeavesNoTemporaryBehind)
{
    Settings initial;
    initial.savedRating = 9;
    const auto missing = files::readSettings(dir.string(), initial);
    EXPECT_FALSE(missing.fileFound || missing.settingsError || missing.leftAlone);
    EXPECT_EQ(missing.settings, initial);

    // A file that happens to have the temporary name is someone else's.
    std::ofstream(dir / "settings.ini.tmp", std::ios::binary) << "mine";
    ASSERT_TRUE(files::saveSettings(dir.string(), initial));
    EXPECT_EQ(files::readSettings(dir.string(), Settings{}).settings, initial);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    EXPECT_EQ(fs::file_size(dir / "settings.ini.tmp"), 4u);

    // One header line makes a file Corvel's, damaged or not; without one it
    // is someone else's, neither read nor replaced.
    const struct {
        std::string text;
        bool ours;
    } cases[] = {{"[Rating]\n1\n", true},
                 {" [Symbols] \r\n", true},
                 {"x\n[Colours]\nred\n", true},
                 {"remember the milk\n", false},
                 {"[General]\ncolour=1\n[Colours ]\n", false},
                 {"", false},
                 {"see [Colours] below\n", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        write(c.text);
        const auto r = files::readSettings(dir.string(), initial);
        EXPECT_TRUE(r.fileFound);
        EXPECT_EQ(r.leftAlone, !c.ours);
        std::string why;
        EXPECT_EQ(files::saveSettings(dir.string(), Settings{}, &why), c.ours);
        EXPECT_EQ(read(), c.ours ? kDefaultText : c.text);
        if (c.ours) continue;
        EXPECT_FALSE(r.settingsError);
        EXPECT_EQ(r.settings, initial);
        EXPECT_NE(r.problem.find("not Corvel's settings file"), std::string::npos) << r.problem;
        EXPECT_EQ(why, r.problem);
    }
}

TEST_F(SettingsFile, LinksAreWrittenThroughAndWhatCannotBeWrittenStaysAsItIs)
{
    fs::create_directory(dir / "elsewhere");
    const fs::path real = dir / "elsewhere" / "corvel.ini";
    std::ofstream(real, std::ios::binary) << "[Rating]\r\n4\r\n";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, mode);
    fs::create_symlink(fs::path("elsewhere") / "corvel.ini", dir / "settings.ini");

    EXPECT_EQ(files::readSettings(dir.string(), Settings{}).settings.savedRating, 4);
    Settings s;
    s.savedRating = 5;
    ASSERT_TRUE(files::saveSettings(dir.string(), s));
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
    // A folder standing where the file should be: the write fails, the folder stays.
    fs::remove(dir / "settings.ini");
    fs::create_directory(dir / "settings.ini");
    EXPECT_FALSE(files::saveSettings(dir.string(), s));
    EXPECT_TRUE(fs::is_directory(dir / "settings.ini"));
}

} // namespace
