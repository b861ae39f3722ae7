#pragma once

// The presentation state of one viewing session: the fields of the main plot
// window and the shared tables of the plot module. Every procedure of the
// program receives a Session by reference; there is no global instance, so a
// test can start from a fresh one.
//
// Indexing: every table and every per-level or per-line array is numbered from
// 1, as the names in the rest of the program expect. Fixed arrays are sized
// n + 1 and slot 0 is unused; growing tables use Table<T>, whose operator[]
// takes 1..size().
//
// Fixed-length texts (titles and names of 80 characters, paths of 255) are
// kept as std::string without their blank padding; they are compared and
// written after trimming, so the padding carries no information.

#include <array>
#include <cassert>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zan {

inline constexpr int kZoomLevels = 40;    // zoom history per variable
inline constexpr int kMaxLines = 64;      // lines per graph
inline constexpr int kMaxCells = 36;      // largest page, 6 x 6
inline constexpr int kMaxGridSide = 6;    // rows or columns of a page
inline constexpr int kMaxVersions = 20;   // different variable lists shown together
inline constexpr int kMaxMerged = 5000;   // rows of VarMap, entries of a merge
inline constexpr int kMaxPins = 100;      // time markers
inline constexpr int kTitleLength = 80;
inline constexpr int kNameLength = 80;
inline constexpr int kPathLength = 255;
inline constexpr int kFormatLength = 40;
inline constexpr int kMaxStep = 16000;    // largest drawing rate
inline constexpr int kMaxFiles = 1001;    // files the library holds at once

// A table of records numbered 1..size().
template <class T>
class Table {
public:
    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    // Keeps the records that fit; new records are value-initialised.
    void resize(int n) { items_.resize(n > 0 ? static_cast<size_t>(n) : 0); }
    // n fresh records.
    void assign(int n) { items_.assign(n > 0 ? static_cast<size_t>(n) : 0, T{}); }
    void clear() { items_.clear(); }
    void push_back(const T& item) { items_.push_back(item); }
    T& operator[](int i) {
        assert(i >= 1 && i <= size());
        return items_[static_cast<size_t>(i - 1)];
    }
    const T& operator[](int i) const {
        assert(i >= 1 && i <= size());
        return items_[static_cast<size_t>(i - 1)];
    }
    bool contains(int i) const { return i >= 1 && i <= size(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<T> items_;
};

// One value per zoom level 1..40; slot 0 unused.
template <class T>
using Levels = std::array<T, kZoomLevels + 1>;

// Zoom history and name of one merged variable.
struct VarRecord {
    Levels<double> Dmin{};  // lowest value (shift and factor applied) inside the level's x window
    Levels<double> Dmax{};  // highest such value
    Levels<double> Dabs{};  // larger of |Dmin| and |Dmax|, 1 when both are 0
    Levels<double> Rlo{};   // lower panning limit: tick-aligned start of the full range
    Levels<double> Rhi{};   // upper panning limit
    Levels<double> Vhi{};   // upper bound of the visible range
    Levels<double> Vlo{};   // lower bound of the visible range
    Levels<double> Alo{};   // tick-aligned axis start of Vlo..Vhi
    Levels<double> Ahi{};   // tick-aligned axis end
    Levels<double> Astp{};  // tick step
    Levels<int> Anum{};     // tick intervals: Ahi = Alo + Anum * Astp
    Levels<int> Lfix{};     // range of the level set by hand, not recomputed from the data
    std::string Name;       // up to 80 characters
};

// Axis of a graph as last drawn; written by the drawing, read by the mouse.
struct AxisState {
    double Vlo = 0;
    double Vhi = 0;
    double Alo = 0;
    double Ahi = 0;
    double Astp = 0;
    int Anum = 0;
};

// One graph. A new record is all zeros and blanks.
struct GraphRecord {
    int nLine = 0;                         // 1..64 lines in use
    int xVar = 0;                          // variable on the horizontal axis
    std::array<int, kMaxLines + 1> Lines{};  // line variables, 1..nLine used
    AxisState Xaxis;
    AxisState Yaxis;
    std::string Title;  // up to 80 characters
    std::string Xfmt;   // readout format of the x axis, up to 40 characters
    std::string Yfmt;   // readout format of the y axis
};

// One graph cell of the page. The first six are the cell frame in pixels from
// the top-left corner of the target; the Plot* values are the plot rectangle
// in logical units with the origin at the bottom-left pixel (so PlotT, PlotB
// are 0 or negative and PlotH = PlotT - PlotB is negative on screen).
struct CellRecord {
    int Left = 0;
    int Width = 0;
    int Right = 0;
    int Top = 0;
    int Height = 0;
    int Bottom = 0;
    int PlotL = 0;
    int PlotW = 0;  // PlotR - PlotL
    int PlotR = 0;
    int PlotT = 0;
    int PlotH = 0;  // PlotT - PlotB
    int PlotB = 0;
};

// One loaded data file.
struct FileRecord {
    int nPar = 0;          // variable count from the library
    int nStored = 0;       // stored sample count from the library
    int nRowsRead = 0;     // row count from the library
    int spare = 0;
    int status = 0;        // open status from the library
    int closeStatus = 0;   // close status from the library
    int iCrc = 0;          // version key of the file's variable names
    int iVer = 0;          // version column 1..20
    std::int64_t size = 0; // bytes, from the file system
    std::string modified;  // date of last modification as text
    std::string note;      // why the file gave no data; empty when it loaded
    int namesLine = 0;     // text line that gave the names; 0 for a binary file
    int nRefused = 0;      // lines holding fields that gave neither names nor a row
    std::filesystem::file_time_type modifiedTime{};  // last modification as the file system gives it
};

// VarMap(k, c): number of merged variable k within the files of version
// column c, 0 when that version lacks it. 5000 rows x 20 columns.
class VarMapTable {
public:
    using Row = std::array<int, kMaxVersions + 1>;  // slot 0 unused

    VarMapTable() : rows_(kMaxMerged + 1) {}
    int& operator()(int k, int c) {
        assert(k >= 1 && k <= kMaxMerged && c >= 1 && c <= kMaxVersions);
        return rows_[static_cast<size_t>(k)][static_cast<size_t>(c)];
    }
    int operator()(int k, int c) const {
        assert(k >= 1 && k <= kMaxMerged && c >= 1 && c <= kMaxVersions);
        return rows_[static_cast<size_t>(k)][static_cast<size_t>(c)];
    }
    Row& row(int k) { return rows_[static_cast<size_t>(k)]; }
    const Row& row(int k) const { return rows_[static_cast<size_t>(k)]; }
    void clear() { rows_.assign(kMaxMerged + 1, Row{}); }

private:
    std::vector<Row> rows_;
};

// Folder used for the settings file and relative data-file names when nothing
// else names one: the current directory, with a trailing '/'.
std::string DefaultFolder();

struct Session {
    // ---- fields of the main plot window ----
    std::string Files;                 // current data file; after loading Flist[1]
    std::string Finit = "Zan.ini";     // file name of the settings file
    std::string Fpath = DefaultFolder();  // settings folder, ends with '/'
    int nGrph = 0;                     // entries of GrphTab
    int nFile = 0;                     // entries of Flist in use
    int iPage = 1;                     // current page, from 1
    int iGrph = 1;                     // graph under the last mouse press
    int cGrph = 1;                     // current graph, from 1
    int bGrph = 0;                     // graph picked by the last press, 0 after a second press
    int iWind = 1;                     // cell under the last mouse press, 1..nCell
    int cWind = 1;                     // cell of the current graph on its page
    int iZlvl = 1;                     // current zoom level 1..40
    int mZlvl = 1;                     // highest zoom level in use
    int iAuto = 0;                     // reload when the data file changes
    int iNext = 0;                     // switch to the next numbered file
    int iTran = 0;                     // cells numbered down the columns
    int iLast = 0;                     // "Last" window index 0..7
    int iWstt = 2;                     // frame window state: 0 normal, 1 minimised, 2 maximised
    int iFtop = 0;                     // frame window, twips
    int iFlft = 0;
    int iFwdt = 12000;
    int iFhgt = 9000;
    int iMall = 0;                     // move dialog applies to all files
    int iMtop = 0;                     // move dialog position
    int iMlft = 0;
    int iStop = 0;                     // variable selection dialog position
    int iSlft = 0;
    int lTitf = 0;                     // files legend shows full paths
    int lderr = 1;                     // 1 before first load, 2 loading, 0 loaded, 1 failed
    int drErr = 1;                     // drawing not possible; the plot ignores the mouse
    Table<std::string> Flist;          // data files to load, full paths; size() may exceed nFile
    int iMark = 0;                     // marks mode 0..5
    int iFont = 4;                     // font index 0..6
    int iFsiz = 1;                     // text size index 0..4
    int iFclr = 0;                     // colouring: 0 by line, 1 by file
    int iFclrCmd = -1;                 // colouring forced by the choice of files: -1 none
    int iStep = 1;                     // every iStep-th sample is drawn, 1..16000
    int iTitScrn = 0;
    int iTitGrph = 1;
    int iTitLine = 0;
    int iTitXAxis = 1;
    int iTitYAxis = 0;
    int iTitFiles = 0;
    std::array<double, kMaxPins + 1> Pins{};  // time markers, 1..nPins used
    int nPins = 0;
    int iQuit = 0;                     // 1 when left by "Quit": settings not saved
    bool bBusy = false;                // reload, rezoom or watch step running
    bool bRept = false;                // auto-repeat of a pan button running
    bool bKeyb = false;                // keyboard command running
    int iSkip = 1;                     // decimation step of the last load
    int iExtr = 0;                     // number of the next extraction, 0..999
    std::string FiniFailed;            // settings file whose failed write was reported
    bool bNoLayout = false;            // graphs laid out without data: the stored layout is kept
    bool bCancel = false;              // the user cancelled the last load
    // Files are being loaded, messages of the load included: the store and
    // VarMap are incomplete, so nothing draws and no other load starts.
    bool bLoading = false;
    // A cancelled load brings back the files shown before (Open, Append):
    // its message says so.
    bool bCancelRestores = false;

    // Computed by each drawing, read by the mouse and the cursor readout.
    double Ytitl = 0;      // top of the band of graph cells, pixels from the top
    double Yarea = 0;      // height of that band
    double Yfoot = 0;      // bottom of that band
    double SizeUnit = 0;   // base length of marks and spacings
    int MarkKind = 0;      // mark shape of the line being drawn, 0..15
    int mx1 = 0, mx2 = 0, mxr = 0, mx4 = 0, mxr2 = 0;  // mark dimensions, logical units
    int my1 = 0, my2 = 0, myr = 0, my4 = 0, myr2 = 0;
    std::string LblFmtX;   // tick label format of the graph being drawn
    std::string LblFmtY;

    // ---- shared tables ----
    int nVar = 0;              // merged variables 1..nVar; variable 1 is the time
    int CrcAll = 0;            // version key of the merged variable list
    std::string ScrTitle;      // screen title, up to 80 characters
    Table<FileRecord> FileTab; // 1..nFile after loading
    VarMapTable VarMap;
    Table<VarRecord> VarTab;   // 1..nVar
    Table<GraphRecord> GrphTab;  // 1..nGrph
    GraphRecord CurGrph;       // graph under the last press or being drawn
    std::array<CellRecord, kMaxCells + 1> CellTab{};  // cells 1..36 of the page
    CellRecord CurCell;        // cell under the last press
    int nCols = 2;             // graph columns of a page, 1..6
    int nRows = 3;             // graph rows of a page, 1..6
    int nCell = 6;             // graphs per page: nCols * nRows, never 0

    // Version column of file f (1..nFile).
    int version(int f) const { return FileTab[f].iVer; }
};

// iPage = (cGrph - 1) / nCell + 1.
void SetPage(Session& s);
// cGrph = min((iPage - 1) * nCell + cWind, nGrph).
void SetGrph(Session& s);
// cWind = ((cGrph - 1) mod nCell) + 1.
void SetWind(Session& s);

}  // namespace zan
