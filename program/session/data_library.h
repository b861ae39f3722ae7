#pragma once

// The data library's operations that the session procedures call, behind an
// interface so that loading and settings logic can also run against a
// scripted library. TheLibrary() is the real one.

#include <cstdint>
#include <string>
#include <vector>

namespace zan {

// Results of one dopen call.
struct OpenResult {
    std::vector<std::string> names;  // min(nPar, 5000) names of 80 characters, padding kept
    std::string title;               // 80 characters
    int nPar = 0;
    int nStored = 0;
    int nRows = 0;
    int status = 0;
    int closeStatus = 0;
    int namesLine = 0;  // text line that gave the names, 0 for a binary file (drows)
    int refused = 0;    // lines holding fields that gave neither names nor a row (drows)
};

// Results of one dgrow call.
struct GrowResult {
    enum Outcome { Grown, Reload, Failed };
    Outcome outcome = Reload;
    int nStored = 0;  // stored count after the call
    int added = 0;    // samples added by it
    int status = 0;   // the library's status
};

// One extraction (efile): the variables of one file with their names and the
// bounds of their visible ranges.
struct ExtractRequest {
    int file = 0;
    std::vector<int> vars;
    std::vector<std::string> names;  // trimmed, up to 80 characters
    std::vector<double> upper;
    std::vector<double> lower;
    int kind = 0;  // 0 doubles, 1 text, 2 singles
    std::string path;
    int number = 0;
};

struct Division {
    double Alo = 0;
    double Ahi = 0;
    double Astp = 0;
    int Anum = 0;
};

class DataLibrary {
public:
    virtual ~DataLibrary() = default;
    virtual void Close() = 0;  // dclos
    // Size of a file in units of 1024 bytes, 0 when missing (dsize).
    virtual int SizeKb(int file, const std::string& path) = 0;
    // Reads a file into slot `file`; step may be raised by the library.
    virtual OpenResult Open(int file, const std::string& path, int& step) = 0;
    // Range of a variable: the first file sets, later files widen (drang).
    virtual void Range(int file, int var, double& upper, double& lower, double& magnitude) = 0;
    virtual Division Divide(double lo, double hi) = 0;  // dscls
    virtual double Shift(int file, int var) = 0;        // gshft
    virtual double Factor(int file, int var) = 0;       // gfact
    virtual void SetShift(int file, int var, double shift) = 0;    // sshft
    virtual void SetFactor(int file, int var, double factor) = 0;  // sfact

    // Rows appended to loaded file `file` since its load (dgrow); a library
    // that cannot follow files asks for a new load.
    virtual GrowResult Grow(int /*file*/, const std::string& /*path*/) { return {}; }
    // Whether any data are loaded (daloc).
    virtual bool Loaded() { return false; }
    // Writes one extracted file (efile).
    virtual void Extract(const ExtractRequest& /*request*/) {}

    // Percent read of the Open running on another thread (dprog), and a
    // request that it stop (dstop): the only calls allowed during an Open.
    virtual int Progress() { return 0; }
    virtual void Stop() {}

    // The library's version as "major.minor", with ".patch" when that is
    // not 0 (dvers); empty when the library cannot tell.
    virtual std::string Version() { return {}; }
};

DataLibrary& TheLibrary();

}  // namespace zan
