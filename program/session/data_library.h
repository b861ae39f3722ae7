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
    // Percent read of the Open running on another thread (dprog), and a
    // request that it stop (dstop): the only calls allowed during an Open.
    virtual int Progress() { return 0; }
    virtual void Stop() {}
};

DataLibrary& TheLibrary();

}  // namespace zan
