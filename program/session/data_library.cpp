#include "session/data_library.h"

#include "platform/text_codes.h"
#include "zan.h"

#include <array>

namespace zan {

namespace {

class ZanLibrary final : public DataLibrary {
public:
    void Close() override {
        int32_t result = 0;
        dclos(&result);
    }

    int SizeKb(int file, const std::string& path) override {
        std::vector<int32_t> codes = PathCodes(path);
        int32_t f = file, size = 0, spare = 0;
        dsize(&f, codes.data(), &size, &spare);
        return size;
    }

    OpenResult Open(int file, const std::string& path, int& step) override {
        std::vector<int32_t> codes = PathCodes(path);
        // The library writes up to its variable limit of names.
        std::vector<int32_t> names(static_cast<size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN, 32);
        std::array<int32_t, ZAN_NAME_LEN> title;
        title.fill(32);
        int32_t f = file, nvar = 0, nstored = 0, nrows = 0, s = step, status = 0, close = 0;
        dopen(&f, codes.data(), names.data(), title.data(), &nvar, &nstored, &nrows, &s, &status,
              &close);
        OpenResult r;
        r.nPar = nvar;
        const int kept = nvar < 0 ? 0 : (nvar > ZAN_MAX_VARS ? ZAN_MAX_VARS : nvar);
        for (int m = 0; m < kept; ++m)
            r.names.push_back(fromCharCodes(names.data() + static_cast<size_t>(m) * ZAN_NAME_LEN,
                                            ZAN_NAME_LEN));
        r.title = fromCharCodes(title.data(), ZAN_NAME_LEN);
        r.nStored = nstored;
        r.nRows = nrows;
        r.status = status;
        r.closeStatus = close;
        int32_t namesLine = 0, stored = 0, refused = 0;
        drows(&f, &namesLine, &stored, &refused);
        r.namesLine = namesLine;
        r.refused = refused;
        step = s;
        return r;
    }

    int Progress() override {
        int32_t percent = 0;
        dprog(&percent);
        return percent;
    }

    void Stop() override {
        int32_t result = 0;
        dstop(&result);
    }

    std::string Version() override {
        int32_t major = 0, minor = 0, patch = 0;
        dvers(&major, &minor, &patch);
        std::string text = std::to_string(major) + "." + std::to_string(minor);
        if (patch != 0)
            text += "." + std::to_string(patch);
        return text;
    }

    void Range(int file, int var, double& upper, double& lower, double& magnitude) override {
        int32_t f = file, v = var;
        drang(&f, &v, &upper, &lower, &magnitude);
    }

    Division Divide(double lo, double hi) override {
        Division d;
        int32_t n = 0;
        dscls(&lo, &hi, &d.Alo, &d.Ahi, &d.Astp, &n);
        d.Anum = n;
        return d;
    }

    double Shift(int file, int var) override {
        int32_t f = file, v = var;
        double value = 0;
        gshft(&f, &v, &value);
        return value;
    }

    double Factor(int file, int var) override {
        int32_t f = file, v = var;
        double value = 1;
        gfact(&f, &v, &value);
        return value;
    }

    void SetShift(int file, int var, double shift) override {
        int32_t f = file, v = var;
        sshft(&f, &v, &shift);
    }

    void SetFactor(int file, int var, double factor) override {
        int32_t f = file, v = var;
        sfact(&f, &v, &factor);
    }

    GrowResult Grow(int file, const std::string& path) override {
        std::vector<int32_t> codes = PathCodes(path);
        int32_t f = file, nstored = 0, added = 0, status = 0;
        dgrow(&f, codes.data(), &nstored, &added, &status);
        GrowResult r;
        r.outcome = status == 0 ? GrowResult::Grown
                    : status == ZAN_STATUS_RELOAD ? GrowResult::Reload
                                                  : GrowResult::Failed;
        r.nStored = nstored;
        r.added = added;
        r.status = status;
        return r;
    }

    bool Loaded() override {
        int32_t result = 1;
        daloc(&result);
        return result == 0;
    }

    void Extract(const ExtractRequest& q) override {
        int32_t f = q.file, count = static_cast<int32_t>(q.vars.size()), kind = q.kind, number = q.number;
        std::vector<int32_t> vars(q.vars.begin(), q.vars.end());
        std::vector<double> upper = q.upper, lower = q.lower;
        std::string path = q.path.substr(0, ZAN_PATH_LEN);
        path.resize(ZAN_PATH_LEN, ' ');
        std::string names;
        for (const std::string& name : q.names) {
            std::string padded = name.substr(0, ZAN_NAME_LEN);
            padded.resize(ZAN_NAME_LEN, ' ');
            names += padded;
        }
        int32_t pathlen = ZAN_PATH_LEN, nameslen = ZAN_NAME_LEN;
        // efile needs at least one entry in each array, even for no variables.
        vars.push_back(0);
        upper.push_back(0);
        lower.push_back(0);
        names.append(ZAN_NAME_LEN, ' ');
        efile(&f, &count, vars.data(), upper.data(), lower.data(), &kind, path.data(), &pathlen, names.data(),
              &nameslen, &number);
    }

private:
    // Control characters travel as blanks.
    static std::vector<int32_t> PathCodes(const std::string& path) {
        std::vector<int32_t> codes = toCharCodes(path, ZAN_PATH_LEN);
        for (int32_t& c : codes)
            if (c < 32) c = 32;
        return codes;
    }
};

}  // namespace

DataLibrary& TheLibrary() {
    static ZanLibrary library;
    return library;
}

}  // namespace zan
