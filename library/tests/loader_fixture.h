// A fixture for tests of dopen: an empty store, no hooks, a folder of its own.
#ifndef ZAN_TESTS_LOADER_FIXTURE_H
#define ZAN_TESTS_LOADER_FIXTURE_H

#include "data_files.h"
#include "load_hooks.h"
#include "store.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zan::testfiles {

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    static void reset()
    {
        int32_t r = 0;
        dclos(&r);
        hooks::memory_limit.reset();
        hooks::block_room.reset();
        hooks::large_pages.reset();
        hooks::large_page_cost.reset();
        hooks::after_row_count = nullptr;
        hooks::reader_threads.reset();
        hooks::chunk_bytes.reset();
        hooks::largest_buffer.reset();
        // ZAN_TEST_READER_THREADS=n loads every file of the suite on n
        // threads in small pieces, with a small header buffer so that the
        // threads get binary rows too: each test's expectations then hold
        // for the parallel readers as well.
        if (const char* n = std::getenv("ZAN_TEST_READER_THREADS")) {
            hooks::reader_threads = static_cast<unsigned>(std::atoi(n));
            hooks::chunk_bytes = 4096;
            hooks::largest_buffer = 65536;
        }
    }

    // Raw stored value of variable v at sample s (both from 1).
    static double stored(int32_t file, int32_t v, int32_t s)
    {
        const FileSlot* slot = loaded_slot(file);
        return slot->column(v)[s - 1];
    }

    static std::vector<double> column(int32_t file, int32_t v)
    {
        const FileSlot* slot = loaded_slot(file);
        return std::vector<double>(slot->column(v), slot->column(v) + slot->stored);
    }

    TempDir dir;
};

}  // namespace zan::testfiles

#endif
