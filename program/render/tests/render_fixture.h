// A session over small comma-separated files loaded into the data library,
// with graphs set by hand, for drawing tests.
#ifndef ZAN_RENDER_TESTS_RENDER_FIXTURE_H
#define ZAN_RENDER_TESTS_RENDER_FIXTURE_H

#include "session/data_library.h"
#include "session/session_state.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace zan::render::testing {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("zan_render_test_" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string folder() const { return path_.generic_string(); }
    std::string file(const std::string& name) const { return (path_ / name).generic_string(); }

private:
    std::filesystem::path path_;
};

// One data file: variable names and a row generator (row number from 1).
struct CsvFile {
    std::vector<std::string> names;
    int rows = 0;
    std::function<std::vector<double>(int)> row;
};

class RenderFixture {
public:
    RenderFixture() { zan::TheLibrary().Close(); }
    ~RenderFixture() { zan::TheLibrary().Close(); }

    // Writes and loads the files as files 1, 2, ...; all share the variable
    // list of the first (one version column), merged variables = its columns.
    void load(const std::vector<CsvFile>& files)
    {
        zan::TheLibrary().Close();
        s.nFile = static_cast<int>(files.size());
        s.Flist.clear();
        s.FileTab.assign(s.nFile);
        for (int f = 1; f <= s.nFile; ++f) {
            const CsvFile& cf = files[static_cast<size_t>(f - 1)];
            const std::string path = dir.file("run" + std::to_string(f) + ".csv");
            std::ofstream out(path);
            for (size_t i = 0; i < cf.names.size(); ++i) out << (i ? "," : "") << cf.names[i];
            out << "\n";
            out.precision(17);
            for (int r = 1; r <= cf.rows; ++r) {
                const std::vector<double> v = cf.row(r);
                for (size_t i = 0; i < v.size(); ++i) out << (i ? "," : "") << v[i];
                out << "\n";
            }
            out.close();
            int step = 1;
            const zan::OpenResult res = zan::TheLibrary().Open(f, path, step);
            s.Flist.push_back(path);
            s.FileTab[f].nPar = res.nPar;
            s.FileTab[f].nStored = res.nStored;
            s.FileTab[f].iVer = 1;
        }
        const std::vector<std::string>& names = files[0].names;
        s.nVar = static_cast<int>(names.size());
        s.VarTab.assign(s.nVar);
        s.VarMap.clear();
        for (int v = 1; v <= s.nVar; ++v) {
            s.VarTab[v].Name = names[static_cast<size_t>(v - 1)];
            s.VarMap(v, 1) = v;
        }
        initRanges();
    }

    // Level 1 of every variable: its whole range over all files, divided.
    void initRanges()
    {
        for (int v = 1; v <= s.nVar; ++v) {
            double hi = 0, lo = 0, mag = 0;
            for (int f = 1; f <= s.nFile; ++f) zan::TheLibrary().Range(f, v, hi, lo, mag);
            setRange(v, lo, hi);
        }
        s.iZlvl = s.mZlvl = 1;
    }

    // Sets the visible range of variable v at level 1 and divides it.
    void setRange(int v, double lo, double hi)
    {
        zan::VarRecord& r = s.VarTab[v];
        const zan::Division d = zan::TheLibrary().Divide(lo, hi);
        r.Dmin[1] = r.Vlo[1] = lo;
        r.Dmax[1] = r.Vhi[1] = hi;
        r.Alo[1] = r.Rlo[1] = d.Alo;
        r.Ahi[1] = r.Rhi[1] = d.Ahi;
        r.Astp[1] = d.Astp;
        r.Anum[1] = d.Anum;
    }

    // Variables without data: names only, ranges set by hand.
    void declare(int nVar)
    {
        zan::TheLibrary().Close();
        s.nVar = nVar;
        s.VarTab.assign(nVar);
        for (int v = 1; v <= nVar; ++v) {
            s.VarTab[v].Name = "v" + std::to_string(v);
            setRange(v, 0, 10);
        }
    }

    int addGraph(const std::string& title, int xVar, const std::vector<int>& lines)
    {
        zan::GraphRecord g;
        g.Title = title;
        g.xVar = xVar;
        g.nLine = static_cast<int>(lines.size());
        for (size_t j = 0; j < lines.size(); ++j) g.Lines[j + 1] = lines[j];
        s.GrphTab.push_back(g);
        s.nGrph = s.GrphTab.size();
        return s.nGrph;
    }

    void grid(int cols, int rows)
    {
        s.nCols = cols;
        s.nRows = rows;
        s.nCell = cols * rows;
    }

    zan::Session s;
    TempDir dir;
};

}  // namespace zan::render::testing

#endif
