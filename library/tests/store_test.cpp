#include "loader_fixture.h"

namespace zan::testfiles {
namespace {

using Store = LoaderTest;

TEST_F(Store, DalocTellsWhetherAnythingIsLoaded)
{
    int32_t empty = -1;
    daloc(&empty);
    EXPECT_EQ(empty, 1);

    const std::string path = dir.file("a.bin");
    write_stream_a(path, "t", {"x"}, {{1.0}});
    load(1, path);
    daloc(&empty);
    EXPECT_EQ(empty, 0);

    int32_t result = -1;
    dclos(&result);
    EXPECT_EQ(result, 0);
    daloc(&empty);
    EXPECT_EQ(empty, 1);
    EXPECT_EQ(loaded_slot(1), nullptr);
    dclos(&result);
    EXPECT_EQ(result, 0);
}

TEST_F(Store, ReloadResetsShiftFactorAndRanges)
{
    const std::string path = dir.file("a.bin");
    write_stream_a(path, "t", {"x"}, {{1.0}, {3.0}});
    load(1, path);
    VarTables* t = var_tables(1);
    t->shift[0] = 5.0;
    t->factor[4999] = 2.0;
    int32_t r = 0;
    dclos(&r);
    write_stream_a(path, "t", {"x"}, {{-2.0}});
    load(1, path);
    EXPECT_EQ(t->shift[0], 0.0);
    EXPECT_EQ(t->factor[4999], 1.0);
    EXPECT_EQ(t->rawmax[0], -2.0);
    EXPECT_EQ(t->rawmin[0], -2.0);
    EXPECT_EQ(t->rawmax[1], -1.0e10);
    EXPECT_EQ(t->rawmin[1], 1.0e10);
}

TEST_F(Store, EachFileNumberKeepsItsOwnData)
{
    const std::string wide = dir.file("wide.bin");
    const std::string narrow = dir.file("narrow.bin");
    write_stream_a(wide, "t", {"a", "b", "c", "d"}, {{1, 2, 3, 4}, {5, 6, 7, 8}});
    write_stream_a(narrow, "t", {"p"}, {{-1}, {-2}, {-3}});
    load(1, wide);
    load(2, narrow);
    EXPECT_EQ(column(2, 1), (std::vector<double>{-1, -2, -3}));
    EXPECT_EQ(column(1, 4), (std::vector<double>{4, 8}));
}

// A failed load still takes its file number, so later files keep theirs.
TEST_F(Store, FailedLoadGetsAnEmptySlotAndLaterFilesKeepTheirNumbers)
{
    const std::string good = dir.file("good.bin");
    write_stream_a(good, "t", {"x"}, {{7.0}});
    const std::string nomark = dir.file("nomark.dat");
    write_text(nomark, record(Bytes().i32(3).i32(1).raw("abc").str()));
    const std::string wide = dir.file("wide.bin");
    write_text(wide, Bytes().text("t", 80).i32(6000).str() + std::string(60000, ' '));
    const std::string empty = dir.file("empty.csv");
    write_text(empty, "");

    const std::vector<std::pair<std::string, int32_t>> failing = {
        {dir.file("missing.bin"), ENOENT},
        {dir.file("noext"), ZAN_STATUS_NO_EXTENSION},
        {dir.path().string() + "/.", EISDIR},
        {nomark, ZAN_STATUS_NO_MARKER},
        {wide, ZAN_STATUS_TOO_MANY_VARS},
        {empty, -1},
    };
    int32_t file = 0;
    for (const auto& [path, status] : failing) {
        SCOPED_TRACE(path);
        Loaded r = load(++file, path);
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(r.nstored, 0);
        ASSERT_NE(loaded_slot(file), nullptr);
        EXPECT_EQ(loaded_slot(file)->nvar, 0);
        EXPECT_EQ(loaded_slot(file)->stored, 0);
    }
    Loaded r = load(++file, good);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(store().loaded, file);
    EXPECT_EQ(stored(file, 1, 1), 7.0);
}

TEST_F(Store, FileNumberThatCannotBeTheNextSlotIsRefused)
{
    const std::string path = dir.file("a.bin");
    write_stream_a(path, "t", {"x"}, {{1.0}});
    load(1, path);
    load(2, path);
    for (int32_t file : {0, -1, 1, 2, ZAN_MAX_FILES + 1, 1 << 30}) {
        SCOPED_TRACE(file);
        Loaded r = load(file, path, 1, 12345);
        EXPECT_EQ(r.status, ZAN_STATUS_BAD_FILE_NUMBER);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(store().loaded, 2);
    }
    // Nothing stored before was touched.
    EXPECT_EQ(stored(1, 1, 1), 1.0);
    EXPECT_EQ(loaded_slot(2)->nvar, 1);
}

TEST_F(Store, SkippedFileNumbersBecomeEmptySlots)
{
    const std::string path = dir.file("a.bin");
    write_stream_a(path, "t", {"x"}, {{1.0}});
    load(1, path);
    Loaded r = load(4, path);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(store().loaded, 4);
    EXPECT_EQ(loaded_slot(2)->nvar, 0);
    EXPECT_EQ(loaded_slot(3)->nvar, 0);
    EXPECT_EQ(stored(4, 1, 1), 1.0);
}

TEST_F(Store, All1001SlotsLoadAndThe1002ndIsRefused)
{
    const std::string path = dir.file("a.bin");
    write_stream_a(path, "t", {"x"}, {{1.0}, {2.0}});
    for (int32_t file = 1; file <= ZAN_MAX_FILES; ++file) {
        Loaded r = load(file, path);
        ASSERT_EQ(r.status, 0);
    }
    Loaded r = load(ZAN_MAX_FILES + 1, path);
    EXPECT_EQ(r.status, ZAN_STATUS_BAD_FILE_NUMBER);
    EXPECT_EQ(store().loaded, ZAN_MAX_FILES);
    EXPECT_EQ(stored(ZAN_MAX_FILES, 1, 2), 2.0);
}

}  // namespace
}  // namespace zan::testfiles
