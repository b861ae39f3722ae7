#include "platform/profile.h"
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>

namespace zan::platform {
namespace {

namespace fs = std::filesystem;

class ProfileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("zan_profile_test_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return (dir_ / name).string();
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path dir_;
};

const char* const kHandWritten =
    "; written by hand\r\n"
    "[Other]\r\n"
    "keep = me\r\n"
    "\r\n"
    "  [ startup ]  \r\n"
    "  Win State   =    1  \r\n"
    "ROWS=4\r\n"
    "rows=5\r\n"
    "Title = \"  A title, with comma  \"\r\n"
    "Half = \"open only\r\n"
    "Empty =\r\n"
    "[Last]\r\n"
    "x=1\r\n";

TEST_F(ProfileFiles, ReadsHandWrittenFileWithOddSpacingCaseAndQuotes) {
    const std::string file = Write("odd.ini", kHandWritten);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Startup", "Win State", "1"},
        {"STARTUP", "win state", "1"},
        {"Startup", "Rows", "4"},  // the first of equal keys wins
        {"Startup", "Title", "  A title, with comma  "},
        {"Startup", "Half", "\"open only"},
        {"Startup", "Empty", ""},
        {"Startup", "Missing", "default"},
        {"Nowhere", "Win State", "default"},
        {"other", "KEEP", "me"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetProfileString(c.section, c.key, "default", file), c.expected)
            << c.section << "/" << c.key;
        EXPECT_EQ(ProfileDocument::Load(file).Section(c.section).Get(c.key, "default"), c.expected)
            << c.section << "/" << c.key;
    }
}

TEST_F(ProfileFiles, MissingFileGivesDefaults) {
    EXPECT_EQ(GetProfileString("Startup", "Top", "7", (dir_ / "none.ini").string()), "7");
}

TEST_F(ProfileFiles, WritingKeepsOtherSectionsAndTheirOrder) {
    const std::string file = Write("keep.ini", kHandWritten);
    ASSERT_TRUE(WriteProfileString("STARTUP", std::string("rows"), std::string("6"), file));
    ASSERT_TRUE(WriteProfileString("Startup", std::string("New Key"), std::string("x"), file));
    ASSERT_TRUE(WriteProfileString("Added", std::string("k"), std::string("v"), file));
    const ProfileDocument doc = ProfileDocument::Load(file);
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"Other", "startup", "Last", "Added"}));
    EXPECT_EQ(doc.Get("Startup", "Rows", ""), "6");
    EXPECT_EQ(doc.Get("Startup", "New Key", ""), "x");
    EXPECT_EQ(doc.Get("Other", "keep", ""), "me");
    EXPECT_EQ(doc.Get("Last", "x", ""), "1");
    EXPECT_NE(Read("keep.ini").find("; written by hand"), std::string::npos);
}

TEST_F(ProfileFiles, MissingValueDeletesKeyAndMissingKeyDeletesSection) {
    const std::string file = Write("del.ini", kHandWritten);
    ASSERT_TRUE(WriteProfileString("startup", std::string("WIN STATE"), std::nullopt, file));
    EXPECT_EQ(GetProfileString("Startup", "Win State", "gone", file), "gone");
    EXPECT_EQ(GetProfileString("Startup", "Rows", "", file), "4");
    ASSERT_TRUE(WriteProfileString("Startup", std::nullopt, std::nullopt, file));
    EXPECT_FALSE(ProfileDocument::Load(file).HasSection("Startup"));
    EXPECT_EQ(GetProfileString("Last", "x", "", file), "1");
}

TEST_F(ProfileFiles, LineEndsAreWrittenBackAsRead) {
    // A stray CR before the CR LF belongs to the line; saving must not eat
    // one at each round, or the file never settles.
    const std::string text = "[A]\r\nx=1\r\r\ny=2\n[B]\r\nz=3\r\r\n";
    const std::string file = Write("ends.ini", text);
    ASSERT_TRUE(WriteProfileString("A", std::string("y"), std::string("7"), file));
    EXPECT_EQ(Read("ends.ini"), "[A]\r\nx=1\r\r\ny=7\n[B]\r\nz=3\r\r\n");
    EXPECT_EQ(GetProfileString("A", "x", "", file), "1");
    ASSERT_TRUE(WriteProfileString("A", std::string("y"), std::string("2"), file));
    EXPECT_EQ(Read("ends.ini"), text);
}

TEST_F(ProfileFiles, EmptyQuotedValueReadsAsEmpty) {
    // An empty screen title is saved as two quote characters.
    const std::string file = Write("quotes.ini", "[Graphs]\nTitle=\"\"\nOne=\"\n");
    EXPECT_EQ(GetProfileString("Graphs", "Title", "default", file), "");
    EXPECT_EQ(GetProfileString("Graphs", "One", "default", file), "\"");
}

TEST_F(ProfileFiles, LineBreaksInAValueCannotForgeKeys) {
    const std::string file = (dir_ / "forge.ini").string();
    ASSERT_TRUE(WriteProfileString("S", std::string("Title"), std::string("a\n[Evil]\nk=v"), file));
    EXPECT_FALSE(ProfileDocument::Load(file).HasSection("Evil"));
}

TEST_F(ProfileFiles, FailedWriteLeavesTheOldFileAndNoTemporary) {
    const std::string file = Write("ro.ini", "[A]\nk=1\n");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(dir_ / "probe").good()) GTEST_SKIP() << "running with rights to write anywhere";
    EXPECT_FALSE(WriteProfileString("A", std::string("k"), std::string("2"), file));
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(Read("ro.ini"), "[A]\nk=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ProfileFiles, ReadOnlyFileStaysAndAWrittenOneKeepsItsPermissions) {
    // Made read-only by its user: not replaced, even by one who may write anything.
    const std::string file = Write("ro.ini", "[A]\nk=1\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(WriteProfileString("A", std::string("k"), std::string("2"), file));
    EXPECT_EQ(Read("ro.ini"), "[A]\nk=1\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::group_read);

    const std::string own = Write("own.ini", "[A]\nk=1\n");
    fs::permissions(own, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteProfileString("A", std::string("k"), std::string("2"), own));
    EXPECT_EQ(Read("own.ini"), "[A]\nk=2\n");
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(ProfileFiles, LinkedFileIsWrittenThroughTheLink) {
    const std::string real = Write("real.ini", "[A]\nk=1\n");
    fs::create_symlink(real, dir_ / "link.ini");
    ASSERT_TRUE(WriteProfileString("A", std::string("k"), std::string("2"), (dir_ / "link.ini").string()));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
    EXPECT_EQ(Read("real.ini"), "[A]\nk=2\n");
}

TEST_F(ProfileFiles, WriteBelowARegularFileFails) {
    const std::string blocker = Write("blocker", "not a folder");
    EXPECT_FALSE(WriteProfileString("A", std::string("k"), std::string("2"), blocker + "/Zan.ini"));
    EXPECT_EQ(Read("blocker"), "not a folder");
}

TEST_F(ProfileFiles, UnreadableFileIsNeverOverwritten) {
    const std::string file = Write("secret.ini", "[Other]\nk=1\n");
    fs::permissions(file, fs::perms::owner_write);
    if (std::ifstream(file).good()) GTEST_SKIP() << "running with rights to read anything";
    EXPECT_FALSE(WriteProfileString("Startup", std::string("k"), std::string("2"), file));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Read("secret.ini"), "[Other]\nk=1\n");
}

TEST_F(ProfileFiles, SettingsStoreKeepsValuesPerApplication) {
    const SettingsStore store((dir_ / "config" / "nested").string());
    EXPECT_EQ(store.Read("ZAN", "Startup", "filename", "none"), "none");
    ASSERT_TRUE(store.Write("ZAN", "Startup", "filename", "/data/run/Zan.ini"));
    EXPECT_EQ(store.Read("ZAN", "startup", "FILENAME", "none"), "/data/run/Zan.ini");
    EXPECT_EQ(store.Read("Other", "Startup", "filename", "none"), "none");
}

TEST(SettingsStoreFolder, FollowsXdgConfigHomeElseTheHomeFolder) {
    auto saved = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    auto restore = [](const char* name, const std::optional<std::string>& v) {
        if (v)
            setenv(name, v->c_str(), 1);
        else
            unsetenv(name);
    };
    const std::optional<std::string> xdg = saved("XDG_CONFIG_HOME"), home = saved("HOME");
    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    setenv("HOME", "/home/eng", 1);
    EXPECT_EQ(UserConfigFolder(), "/somewhere/config");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(UserConfigFolder(), "/home/eng/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserConfigFolder(), "/home/eng/.config");
    restore("XDG_CONFIG_HOME", xdg);
    restore("HOME", home);
}

}  // namespace
}  // namespace zan::platform
