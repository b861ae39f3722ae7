// Test fixture that puts sample blocks straight into the store's slots, the
// way a load leaves them, and releases everything after each test.
#ifndef ZAN_TESTS_STORED_FILES_H
#define ZAN_TESTS_STORED_FILES_H

#include "sample_sink.h"
#include "store.h"
#include "zan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class StoredFiles : public ::testing::Test {
protected:
    using Columns = std::vector<std::vector<double>>;

    void SetUp() override { release(); }
    void TearDown() override { release(); }

    static void release()
    {
        int32_t result = -1;
        dclos(&result);
    }

    // Fills the next slot with the given columns (one per variable, all of
    // the same length) and returns its file number. The block is sized for
    // capacity samples, at least as many as the columns hold.
    static int32_t put_file(const Columns& columns, int32_t capacity = 0)
    {
        zan::Store& s = zan::store();
        const int32_t file = s.loaded + 1;
        zan::FileSlot& slot = s.slots[static_cast<std::size_t>(file - 1)];
        const auto rows = static_cast<int32_t>(columns.empty() ? 0 : columns[0].size());
        slot.nvar = static_cast<int32_t>(columns.size());
        slot.capacity = std::max(capacity, rows);
        slot.stored = rows;
        slot.block.allocate(slot.nvar, slot.capacity);
        zan::VarTables* t = zan::var_tables(file);
        t->reset();
        for (int32_t v = 1; v <= slot.nvar; ++v) {
            const auto& col = columns[static_cast<std::size_t>(v - 1)];
            std::copy(col.begin(), col.end(), slot.column(v));
            for (double x : col) {
                t->rawmax[static_cast<std::size_t>(v - 1)] = std::max(t->rawmax[static_cast<std::size_t>(v - 1)], x);
                t->rawmin[static_cast<std::size_t>(v - 1)] = std::min(t->rawmin[static_cast<std::size_t>(v - 1)], x);
            }
        }
        s.loaded = file;
        return file;
    }

    // The same through the loader's sample sink, so the per-block extremes
    // are made the way a load makes them.
    static int32_t put_through_sink(const Columns& columns)
    {
        zan::Store& s = zan::store();
        const int32_t file = s.loaded + 1;
        zan::FileSlot* slot = zan::claim_slot(file);
        const auto rows = static_cast<int32_t>(columns[0].size());
        slot->nvar = static_cast<int32_t>(columns.size());
        slot->capacity = rows;
        slot->stored = 0;
        slot->block.allocate(slot->nvar, rows);
        slot->prepare_extremes();
        zan::SampleSink sink(*slot, *zan::var_tables(file));
        for (int32_t r = 0; r < rows; ++r)
            sink.store([&](int32_t v) { return columns[static_cast<std::size_t>(v)][static_cast<std::size_t>(r)]; });
        return file;
    }

    // Variable 2 against variable 1 of file, on a device of span units each
    // way, moved right by 20 and up by 10.
    static void select_box(int32_t file, double xlo, double xhi, double ylo, double yhi, int32_t span = 500)
    {
        int32_t xv = 1, yv = 2, n = 0, off = 20, yoff = -10;
        sdata(&file, &xv, &yv, &n);
        dtran(&xlo, &xhi, &ylo, &yhi, &span, &span, &off, &yoff);
    }

    static double value(int32_t file, int32_t sample, int32_t var)
    {
        double v = -1.0;
        ddata(&file, &sample, &var, &v);
        return v;
    }

    static void set_pair(int32_t file, int32_t var, double shift, double factor)
    {
        sshft(&file, &var, &shift);
        sfact(&file, &var, &factor);
    }
};

#endif
