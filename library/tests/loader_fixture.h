// A fixture for tests of dopen: an empty store, no hooks, a folder of its own.
#ifndef ZAN_TESTS_LOADER_FIXTURE_H
#define ZAN_TESTS_LOADER_FIXTURE_H

#include "data_files.h"
#include "load_hooks.h"
#include "store.h"

#include <gtest/gtest.h>

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
        hooks::after_row_count = nullptr;
        hooks::reader_threads.reset();
        hooks::chunk_bytes.reset();
        hooks::largest_buffer.reset();
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
