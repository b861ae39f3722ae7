#include "platform/file_system.h"
#include "platform/process_facts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace zan;
namespace fs = std::filesystem;

TEST(FileSystem, PathPiecesFollowTheLastSeparator)
{
    const struct {
        const char* path;
        const char* parent;
        const char* name;
        const char* base;
    } cases[] = {
        {"/data/run/flight.bin", "/data/run", "flight.bin", "flight"},
        {"flight.bin", "", "flight.bin", "flight"},
        {"run/flight.bin", "run", "flight.bin", "flight"},
        {"/flight.bin", "/", "flight.bin", "flight"},
        {"/data/run/", "/data", "run", "run"},
        {"/data//run.csv", "/data", "run.csv", "run"},
        {"/data/archive.tar.gz", "/data", "archive.tar.gz", "archive.tar"},
        {"/data/run0009", "/data", "run0009", "run0009"},
        {"/data/.hidden", "/data", ".hidden", ".hidden"},
        {"/data/dot.", "/data", "dot.", "dot"},
        {"/my data/a b.csv", "/my data", "a b.csv", "a b"},
        {"/", "", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(getparentfoldername(c.path), c.parent) << c.path;
        EXPECT_EQ(getfilename(c.path), c.name) << c.path;
        EXPECT_EQ(getbasename(c.path), c.base) << c.path;
    }
}

TEST(FileSystem, BuildpathJoinsWithExactlyOneSeparator)
{
    const struct {
        const char* folder;
        const char* name;
        const char* joined;
    } cases[] = {
        {"/data", "Zan.ini", "/data/Zan.ini"},
        {"/data/", "Zan.ini", "/data/Zan.ini"},
        {"/data//", "/Zan.ini", "/data/Zan.ini"},
        {"/", "Zan.ini", "/Zan.ini"},
        {"", "Zan.ini", "Zan.ini"},
        {"data", "sub/x.bin", "data/sub/x.bin"},
        {"/data", "", "/data/"},
    };
    for (const auto& c : cases) EXPECT_EQ(buildpath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
}

class FileSystemOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("zan_fs_test_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string write(const std::string& name, const std::string& content)
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    fs::path folder_;
};

TEST_F(FileSystemOnDisk, FileexistsIsTrueOnlyForFiles)
{
    const std::string file = write("a.csv", "t,x\n");
    EXPECT_TRUE(fileexists(file));
    EXPECT_FALSE(fileexists(folder_.string()));
    EXPECT_FALSE(fileexists((folder_ / "missing.csv").string()));
    EXPECT_FALSE(fileexists(""));
    fs::create_symlink(file, folder_ / "link.csv");
    EXPECT_TRUE(fileexists((folder_ / "link.csv").string()));
}

TEST_F(FileSystemOnDisk, GetFileTellsSizeAndNoticesAChange)
{
    const std::string file = write("run.bin", std::string(1000, 'x'));
    const auto before = GetFile(file);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->Size, 1000u);

    // A simulation appending to the file: a later time and a larger size.
    std::ofstream(file, std::ios::binary | std::ios::app) << "more";
    fs::last_write_time(file, before->DateLastModified + std::chrono::seconds(2));
    const auto after = GetFile(file);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->Size, 1004u);
    EXPECT_NE(*after, *before);
    EXPECT_GT(after->DateLastModified, before->DateLastModified);

    EXPECT_FALSE(GetFile((folder_ / "gone.bin").string()).has_value());
    EXPECT_FALSE(GetFile(folder_.string()).has_value());
}

TEST(ProcessFacts, CommandLineTextQuotesArgumentsWithBlanks)
{
    const char* argv[] = {"/usr/bin/zan", "a.bin", "/my data/b.csv", "", "tab\tname.dat"};
    EXPECT_EQ(commandLineText(5, argv), "a.bin \"/my data/b.csv\" \"tab\tname.dat\"");
    EXPECT_EQ(commandLineText(1, argv), "");
}

TEST(ProcessFacts, FoldersAreAbsoluteAndExist)
{
    for (const std::string& folder : {currentDirectory(), programFolder()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder.front(), '/');
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    }
}

}  // namespace
