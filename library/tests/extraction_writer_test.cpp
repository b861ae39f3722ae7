#include "extraction_writer.h"
#include "stored_files.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string padded(const std::string& s, std::size_t width)
{
    std::string out = s.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string names_of(const std::vector<std::string>& names)
{
    std::string all;
    for (const auto& n : names) all += padded(n, zan::kNameLen);
    return all;
}

std::string read_all(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t int_at(const std::string& bytes, std::size_t at)
{
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

template <typename T>
T value_at(const std::string& bytes, std::size_t at)
{
    T v{};
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

class Extraction : public StoredFiles {
protected:
    void SetUp() override
    {
        StoredFiles::SetUp();
        dir_ = fs::temp_directory_path() / ("zan_extraction_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        fs::remove_all(dir_);
        StoredFiles::TearDown();
    }

    // Runs the extraction with the source path given blank-padded to 255
    // characters, as the program passes it.
    void extract(int32_t file, std::vector<int32_t> vars, std::vector<double> upper, std::vector<double> lower,
                 int32_t kind, const std::string& source, const std::vector<std::string>& names, int32_t number,
                 std::optional<int32_t> count = std::nullopt)
    {
        const std::string path = padded(source, zan::kPathLen);
        const std::string all = names_of(names);
        int32_t n = count.value_or(static_cast<int32_t>(vars.size()));
        int32_t pathlen = 0;
        int32_t nameslen = 0;
        efile(&file, &n, vars.data(), upper.data(), lower.data(), &kind, path.data(), &pathlen, all.data(),
              &nameslen, &number);
    }

    std::vector<std::string> files_in_dir() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string source(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

}  // namespace

TEST(ExtractionPath, NamesTheOutputBesideTheSource)
{
    struct Case {
        const char* source;
        int32_t kind;
        int32_t number;
        const char* expected;
    };
    const Case cases[] = {
        {"/d/RUN.BIN", 0, 7, "/d/RUN_exd007.bin"},
        {"/d/RUN.BIN", 2, 7, "/d/RUN_ext007.bin"},
        {"/d/RUN.BIN", 1, 7, "/d/RUN_ext007.csv"},
        {"/d/RUN.BIN", -4, 7, "/d/RUN_ext007.csv"},
        {"/d/A/RUN.DAT", 0, 12, "/d/A/RUN_exd012.bin"},
        {"/d/run.x.csv", 1, 0, "/d/run.x_ext000.csv"},
        {"/d/run.", 0, 999, "/d/run_exd999.bin"},
        // Without an extension the suffix follows the whole path; a '.' in
        // a folder name is no extension.
        {"/d/RUN", 0, 5, "/d/RUN_exd005.bin"},
        {"/d.e/RUN", 2, 5, "/d.e/RUN_ext005.bin"},
        {"RUN", 1, 5, "RUN_ext005.csv"},
        // Numbers that three digits cannot hold keep all their digits.
        {"/d/RUN.BIN", 0, 1000, "/d/RUN_exd1000.bin"},
        {"/d/RUN.BIN", 0, 123456, "/d/RUN_exd123456.bin"},
        {"/d/RUN.BIN", 0, -7, "/d/RUN_exd-007.bin"},
        {"/d/RUN.BIN", 0, std::numeric_limits<int32_t>::min(), "/d/RUN_exd-2147483648.bin"},
    };
    for (const Case& c : cases) EXPECT_EQ(zan::extraction_path(c.source, c.kind, c.number), c.expected) << c.source;
}

TEST_F(Extraction, DoubleKindWritesStreamHeaderAndAcceptedRowsWithPairApplied)
{
    const int32_t f = put_file({{0.0, 1.0, 2.0, 3.0}, {9.0, 9.0, 9.0, 9.0}, {4.0, 5.0, 4.5, 1.0}});
    set_pair(f, 1, 1.0, 2.0);
    extract(f, {1, 3}, {100.0, 4.999}, {-100.0, 1.0}, 0, source("RUN.DAT"), {"time", "alt"}, 12);
    ASSERT_EQ(files_in_dir(), std::vector<std::string>{"RUN_exd012.bin"});
    const std::string bytes = read_all(dir_ / "RUN_exd012.bin");
    ASSERT_EQ(bytes.size(), 96u + 160u + 3u * 16u);
    EXPECT_EQ(bytes.substr(0, 80), padded("time", 80));
    EXPECT_EQ(int_at(bytes, 80), 0);
    EXPECT_EQ(int_at(bytes, 84), 0);
    EXPECT_EQ(int_at(bytes, 88), 1);
    EXPECT_EQ(int_at(bytes, 92), 2);
    EXPECT_EQ(bytes.substr(96, 160), names_of({"time", "alt"}));
    // Sample 2 has alt 5.0 above its upper bound 4.999 and is left out.
    const double expected[][2] = {{1.0, 4.0}, {5.0, 4.5}, {7.0, 1.0}};
    for (std::size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(value_at<double>(bytes, 256 + 16 * r), expected[r][0]) << r;
        EXPECT_EQ(value_at<double>(bytes, 264 + 16 * r), expected[r][1]) << r;
    }
}

TEST_F(Extraction, SingleKindWritesRoundedSinglesAndValueKindZero)
{
    const int32_t f = put_file({{0.1, 1.0 / 3.0}, {1e9, -2.5}});
    extract(f, {2, 1}, {1e10, 1e10}, {-1e10, -1e10}, 2, source("RUN.BIN"), {"b", "a"}, 3);
    const std::string bytes = read_all(dir_ / "RUN_ext003.bin");
    ASSERT_EQ(bytes.size(), 96u + 160u + 2u * 8u);
    EXPECT_EQ(int_at(bytes, 88), 0);
    EXPECT_EQ(value_at<float>(bytes, 256), 1e9f);
    EXPECT_EQ(value_at<float>(bytes, 260), 0.1f);
    EXPECT_EQ(value_at<float>(bytes, 264), -2.5f);
    EXPECT_EQ(value_at<float>(bytes, 268), static_cast<float>(1.0 / 3.0));
}

TEST_F(Extraction, TextKindWritesTrimmedNamesAndShortNumbers)
{
    const int32_t f = put_file({{0.0, 0.5, 1.0}, {12.5, 2.0, 12345678.0}, {-0.25, 0.00001, 7.0}});
    extract(f, {1, 2, 3}, {10, 1e9, 10}, {-10, -1e9, -10}, 1, source("RUN.CSV"), {"time", "alt", ""}, 7);
    EXPECT_EQ(read_all(dir_ / "RUN_ext007.csv"), "time,alt, \n"
                                                 "0.,12.5,-0.25\n"
                                                 "0.5,2.,1.E-05\n"
                                                 "1.,1.2345678E+07,7.\n");
}

TEST_F(Extraction, UndefinedValuesNeverPassTheBounds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int32_t f = put_file({{1.0, 2.0, 3.0}});
    set_pair(f, 1, 0.0, 1.0);
    const double inf = std::numeric_limits<double>::infinity();
    extract(f, {1}, {inf}, {-inf}, 1, source("RUN.CSV"), {"x"}, 1);
    EXPECT_EQ(read_all(dir_ / "RUN_ext001.csv"), "x\n1.\n2.\n3.\n");
    set_pair(f, 1, nan, 1.0);
    extract(f, {1}, {inf}, {-inf}, 1, source("RUN.CSV"), {"x"}, 1);
    EXPECT_EQ(read_all(dir_ / "RUN_ext001.csv"), "x\n");
}

TEST_F(Extraction, NoVariablesGiveAnOutputWithTheHeaderOnly)
{
    const int32_t f = put_file({{1.0, 2.0}, {3.0, 4.0}});
    extract(f, {}, {}, {}, 0, source("RUN.BIN"), {}, 5, 0);
    const std::string bytes = read_all(dir_ / "RUN_exd005.bin");
    ASSERT_EQ(bytes.size(), 96u);
    EXPECT_EQ(bytes.substr(0, 80), std::string(80, ' '));
    EXPECT_EQ(int_at(bytes, 88), 1);
    EXPECT_EQ(int_at(bytes, 92), 0);
    extract(f, {}, {}, {}, 2, source("RUN.BIN"), {}, 5, 0);
    EXPECT_EQ(read_all(dir_ / "RUN_ext005.bin").size(), 96u);
    extract(f, {}, {}, {}, 1, source("RUN.BIN"), {}, 5, 0);
    EXPECT_EQ(read_all(dir_ / "RUN_ext005.csv"), "\n");
}

TEST_F(Extraction, FileNotLoadedGivesHeaderOnly)
{
    put_file({{1.0}});
    extract(4, {1, 2}, {1, 1}, {0, 0}, 1, source("RUN.CSV"), {"a", "b"}, 1);
    EXPECT_EQ(read_all(dir_ / "RUN_ext001.csv"), "a,b\n");
}

TEST_F(Extraction, ReplacesAnExistingOutputAndLeavesNoTemporaryFile)
{
    const int32_t f = put_file({{1.0}});
    std::ofstream(dir_ / "RUN_ext001.csv") << "old contents that are longer than the new ones\n";
    extract(f, {1}, {5}, {0}, 1, source("RUN.CSV"), {"a"}, 1);
    EXPECT_EQ(read_all(dir_ / "RUN_ext001.csv"), "a\n1.\n");
    EXPECT_EQ(files_in_dir(), std::vector<std::string>{"RUN_ext001.csv"});
}

TEST_F(Extraction, RefusedArgumentsWriteNothing)
{
    const int32_t f = put_file({{1.0}, {2.0}});
    std::vector<double> bounds(6000, 0.0);
    struct Case {
        std::vector<int32_t> vars;
        int32_t count;
    };
    const Case cases[] = {
        {{1}, -1}, {std::vector<int32_t>(5001, 1), 5001}, {{1, 3}, 2}, {{0}, 1}, {{-2}, 1}, {{5001}, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names(c.vars.size(), "n");
        extract(f, c.vars, bounds, bounds, 1, source("RUN.CSV"), names, 1, c.count);
        EXPECT_TRUE(files_in_dir().empty()) << c.count;
    }
    // Variable 4999 does not exist in a file that is not loaded either, but
    // lies inside the tables: a header-only file.
    extract(9, {4999}, {1}, {0}, 1, source("RUN.CSV"), {"z"}, 1);
    EXPECT_EQ(read_all(dir_ / "RUN_ext001.csv"), "z\n");
}

TEST_F(Extraction, ReadsAShortPathOnlyUpToItsEnd)
{
    const int32_t f = put_file({{1.0}});
    const std::string src = source("SHORT.BIN");
    // Exactly sized: a read past the terminating character would leave it.
    std::vector<char> path(src.begin(), src.end());
    path.push_back('\0');
    std::string names = names_of({"a"});
    int32_t file = f;
    int32_t n = 1;
    int32_t var = 1;
    double upper = 2.0;
    double lower = 0.0;
    int32_t kind = 0;
    int32_t len = 0;
    int32_t number = 4;
    efile(&file, &n, &var, &upper, &lower, &kind, path.data(), &len, names.data(), &len, &number);
    EXPECT_TRUE(fs::exists(dir_ / "SHORT_exd004.bin"));
}

TEST_F(Extraction, OutputThatCannotBeMadeLeavesNothingBehind)
{
    const int32_t f = put_file({{1.0}});
    extract(f, {1}, {5}, {0}, 0, (dir_ / "missing" / "RUN.BIN").string(), {"a"}, 1);
    EXPECT_TRUE(files_in_dir().empty());
    // A folder under the final name cannot be replaced by a file.
    fs::create_directory(dir_ / "RUN_exd001.bin");
    extract(f, {1}, {5}, {0}, 0, source("RUN.BIN"), {"a"}, 1);
    EXPECT_EQ(files_in_dir(), std::vector<std::string>{"RUN_exd001.bin"});
    EXPECT_TRUE(fs::is_directory(dir_ / "RUN_exd001.bin"));
}

TEST_F(Extraction, FailedWriteKeepsThePreviousOutput)
{
    std::vector<double> many(20000, 1.0);
    const int32_t f = put_file({many});
    std::ofstream(dir_ / "RUN_exd001.bin") << "previous";
    // A file size limit makes a write fail midway, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    extract(f, {1}, {5}, {0}, 0, source("RUN.BIN"), {"a"}, 1);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(read_all(dir_ / "RUN_exd001.bin"), "previous");
    EXPECT_EQ(files_in_dir(), std::vector<std::string>{"RUN_exd001.bin"});
}
