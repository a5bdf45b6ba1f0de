// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
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
    static std::string readFile(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string read() const { return readFile(dir / "settings.ini"); }
    void write(const std::string& text) const { std::ofstream(dir / "settings.ini", std::ios::binary) << text; }
    fs::path dir;
};

TEST_F(SettingsFile, ReplacesOnlyItsOwnFileAndKeepsOneItCouldNotRead)
{
    Settings initial;
    initial.savedRating = 9;
    const auto missing = files::readSettings(dir.string(), initial);
    EXPECT_FALSE(missing.fileFound || missing.settingsError || missing.leftAlone);
    EXPECT_EQ(missing.settings, initial);

    // Corvel's file holds nothing but its three sections, each header once
    // with its value lines; anything else is someone else's, neither read
    // nor replaced. Corvel's file with a bad value is replaced, and kept
    // beside it first. An empty file is a missing one.
    enum Kind { kForeign, kBad, kRead, kAsWritten, kEmpty };
    const struct {
        std::string text;
        Kind kind;
        std::size_t foreignLine = 0;
    } cases[] = {{kDefaultText, kAsWritten},
                 {"\n[Rating]\n1\n\n", kRead},
                 {" [Symbols] \r\n", kBad},
                 {"[Symbols]\r\n1\r\n\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n[Rating]\r\n0\r\n", kBad},
                 {"", kEmpty},
                 {"x\n[Colours]\nred\n", kForeign, 1},
                 {"[General]\ncolour=1\n[Colours ]\n", kForeign, 1},
                 {"see [Colours] below\n", kForeign, 1},
                 {kDefaultText + "[Window]\r\nx=1\r\n", kForeign, 19},
                 {"[Colours]\n1\n2\n3\n4\n5\nextra\n", kForeign, 7},
                 {"[Rating]\r\n1\r\n\r\n[Rating]\r\n2\r\n", kForeign, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        write(c.text);
        EXPECT_EQ(files::foreignSettingsLine(c.text), c.foreignLine);
        const auto r = files::readSettings(dir.string(), initial);
        EXPECT_EQ(r.fileFound, c.kind != kEmpty);
        EXPECT_EQ(r.leftAlone, c.kind == kForeign);
        EXPECT_EQ(r.settingsError, c.kind == kBad);
        EXPECT_EQ(r.asWritten, c.kind == kAsWritten);
        std::string why;
        EXPECT_EQ(files::saveSettings(dir.string(), Settings{}, &why), c.kind != kForeign);
        EXPECT_EQ(read(), c.kind == kForeign ? c.text : kDefaultText);
        EXPECT_EQ(fs::exists(dir / "settings.ini.bak"), c.kind == kBad);
        if (c.kind == kBad) EXPECT_EQ(readFile(dir / "settings.ini.bak"), c.text);
        fs::remove(dir / "settings.ini.bak");
        if (c.kind != kForeign) continue;
        EXPECT_EQ(r.settings, initial);
        EXPECT_NE(r.problem.find("not Corvel's settings file: its line " + std::to_string(c.foreignLine) + " "),
                  std::string::npos)
            << r.problem;
        EXPECT_EQ(why, r.problem);
    }

    // A settings.ini.bak of the user's own stays; the copy takes the next
    // free name, once.
    const std::string bad = "[Rating]\r\nlots\r\n";
    std::ofstream(dir / "settings.ini.bak", std::ios::binary) << "mine";
    for (int save = 0; save < 2; ++save) {
        write(bad);
        ASSERT_TRUE(files::saveSettings(dir.string(), Settings{}));
    }
    EXPECT_EQ(readFile(dir / "settings.ini.bak"), "mine");
    EXPECT_EQ(readFile(dir / "settings.ini.1.bak"), bad);
    EXPECT_FALSE(fs::exists(dir / "settings.ini.2.bak"));
}

TEST_F(SettingsFile, ASaveRemovesTheTemporaryFilesOfInterruptedSavesAndNothingElse)
{
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const struct {
        const char* name;
        std::string text;
        bool old, removed;
    } cases[] = {{"settings.ini.corvel-save-0123abcd", "[Colours]\r\n1677", true, true},
                 {"settings.ini.corvel-save-456789ef", "", true, true},
                 {"settings.ini.corvel-save-89abcdef", "[Colours]\r\n1\r\n", false, false}, // a save under way
                 {"settings.ini.corvel-save-12345678", "my notes\n", true, false},
                 {"settings.ini.corvel-save-1234", kDefaultText, true, false},
                 {"settings.ini.tmp", kDefaultText, true, false}};
    for (const auto& c : cases) {
        std::ofstream(dir / c.name, std::ios::binary) << c.text;
        if (c.old) fs::last_write_time(dir / c.name, longAgo);
    }
    ASSERT_TRUE(files::saveSettings(dir.string(), Settings{}));
    EXPECT_EQ(read(), kDefaultText);
    std::size_t kept = 1;
    for (const auto& c : cases) {
        EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
        kept += c.removed ? 0 : 1;
    }
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())), kept)
        << "the save's own temporary file is gone";
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
    // A file that nobody may write stays, whoever runs Corvel.
    fs::remove(dir / "settings.ini");
    write(kDefaultText);
    fs::permissions(dir / "settings.ini", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(files::saveSettings(dir.string(), s, &why));
    EXPECT_EQ(read(), kDefaultText);
    EXPECT_NE(why.find("read-only"), std::string::npos) << why;
}

} // namespace
