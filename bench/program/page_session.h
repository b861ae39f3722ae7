// The page both drawing benchmarks draw: one data file loaded through the
// library, every variable at its full range as zoom level 1, and 3 x 2 graphs
// of 4 lines against the first variable.
#ifndef ZAN_BENCH_PAGE_SESSION_H
#define ZAN_BENCH_PAGE_SESSION_H

#include "session/data_library.h"
#include "session/session_state.h"

#include <cstdio>
#include <string>

namespace zan::bench {

// Loads path with decimation step `step` into s; false (with a message) when
// the file does not load with at least two variables.
inline bool LoadPageSession(const std::string& path, int step, Session& s, int& nStored)
{
    DataLibrary& lib = TheLibrary();
    lib.Close();
    const OpenResult r = lib.Open(1, path, step);
    if (!((r.status == 0 || r.status == -1) && r.nPar >= 2)) {
        std::fprintf(stderr, "cannot load %s (status %d)\n", path.c_str(), r.status);
        return false;
    }
    s.nFile = 1;
    s.Flist.push_back(path);
    s.FileTab.assign(1);
    s.FileTab[1].iVer = 1;
    s.FileTab[1].nPar = r.nPar;
    s.FileTab[1].nStored = r.nStored;
    s.nVar = r.nPar;
    s.VarTab.assign(s.nVar);
    for (int v = 1; v <= s.nVar; ++v) {
        s.VarMap(v, 1) = v;
        double hi = 0, lo = 0, mag = 0;
        lib.Range(1, v, hi, lo, mag);
        const Division d = lib.Divide(lo, hi);
        VarRecord& rec = s.VarTab[v];
        rec.Name = r.names[static_cast<size_t>(v - 1)];
        rec.Vlo[1] = rec.Dmin[1] = lo;
        rec.Vhi[1] = rec.Dmax[1] = hi;
        rec.Alo[1] = rec.Rlo[1] = d.Alo;
        rec.Ahi[1] = rec.Rhi[1] = d.Ahi;
        rec.Astp[1] = d.Astp;
        rec.Anum[1] = d.Anum;
    }
    s.nCols = 3;
    s.nRows = 2;
    s.nCell = 6;
    for (int g = 0; g < 6; ++g) {
        GraphRecord rec;
        rec.Title = "graph " + std::to_string(g + 1);
        rec.xVar = 1;
        rec.nLine = 4;
        for (int j = 1; j <= 4; ++j) rec.Lines[static_cast<size_t>(j)] = 2 + (g * 4 + j - 1) % (s.nVar - 1);
        s.GrphTab.push_back(rec);
    }
    s.nGrph = 6;
    nStored = r.nStored;
    std::printf("loaded %s: %d variables, %d samples (step %d)\n", path.c_str(), r.nPar, r.nStored, step);
    return true;
}

}  // namespace zan::bench

#endif
