#pragma once

// Scripted stand-ins for the windows and the data library, and a temporary
// folder, shared by the session tests.

#include "platform/settings_store.h"
#include "session/data_library.h"
#include "session/session_host.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace zan::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zan_session_test_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string str() const { return path_.generic_string(); }
    // The folder with a trailing '/', as the settings folder is kept.
    std::string folder() const { return str() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).generic_string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
        return file(name);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

struct Shown {
    std::string text;
    std::string title;
    MsgButtons buttons;
    MsgIcon icon;
};

class FakeHost : public SessionHost {
public:
    explicit FakeHost(const std::string& storeFolder) : store(storeFolder) {}

    MsgResult Message(const std::string& text, const std::string& title, MsgButtons buttons,
                      MsgIcon icon) override {
        messages.push_back({text, title, buttons, icon});
        if (onMessage) onMessage();
        return buttons == MsgButtons::Ok ? MsgResult::Ok : answer;
    }
    const platform::SettingsStore& Store() const override { return store; }
    void EndProgram() override { ended = true; }
    void ShowProgress() override { progressShown = true; }
    void SetProgressText(const std::string& text) override { progress.push_back(text); }
    void HideProgress() override { progressShown = false; }
    bool ShowLoadProgress(const std::string& fileName, int percent) override {
        loadProgress.push_back(fileName + " " + std::to_string(percent));
        return cancelAt > 0 && static_cast<int>(loadProgress.size()) >= cancelAt;
    }
    void ShowDecimated(bool d) override { decimated = d; }
    FrameGeometry Frame() const override { return frame; }
    std::string CommandLine() const override { return commandLine; }
    void SetWatchTimer(int intervalMs, bool enabled) override {
        watchInterval = intervalMs;
        watchEnabled = enabled;
    }
    void ShowGridBoxes(int step, int cols, int rows) override { boxes = {step, cols, rows}; }

    platform::SettingsStore store;
    MsgResult answer = MsgResult::Yes;
    std::vector<Shown> messages;
    std::function<void()> onMessage;  // what runs while a message is shown
    bool ended = false;
    bool progressShown = false;
    bool decimated = false;
    std::vector<std::string> progress;
    std::vector<std::string> loadProgress;  // "name percent" per progress step of a slow load
    int cancelAt = 0;                       // the progress step at which Cancel is pressed
    FrameGeometry frame{2, 100, 200, 9000, 12000};
    std::string commandLine;
    int watchInterval = 0;
    bool watchEnabled = false;
    std::vector<int> boxes;
};

// A data library holding named files in memory.
class FakeLibrary : public DataLibrary {
public:
    struct File {
        std::vector<std::string> names;
        std::string title;
        int sizeKb = 1;
        std::vector<std::pair<double, double>> ranges;  // lower, upper per variable
        int status = 0;
    };

    void Close() override {
        closes++;
        opened.clear();
        shifts.clear();
        factors.clear();
    }
    int SizeKb(int, const std::string& path) override {
        auto it = files.find(path);
        return it == files.end() ? 0 : it->second.sizeKb;
    }
    OpenResult Open(int file, const std::string& path, int& step) override {
        steps.push_back(step);
        opened.push_back(path);
        OpenResult r;
        auto it = files.find(path);
        if (it == files.end()) {
            r.status = 53;
            return r;
        }
        r.names = it->second.names;
        r.title = it->second.title;
        r.nPar = static_cast<int>(r.names.size());
        r.nStored = 10;
        r.nRows = 10;
        r.status = it->second.status;
        (void)file;
        return r;
    }
    void Range(int file, int var, double& upper, double& lower, double& magnitude) override {
        const File& f = files.at(opened.at(static_cast<size_t>(file - 1)));
        const auto [lo, hi] = f.ranges.at(static_cast<size_t>(var - 1));
        if (file == 1) {
            upper = hi;
            lower = lo;
        } else {
            upper = std::max(upper, hi);
            lower = std::min(lower, lo);
        }
        magnitude = std::max(std::abs(upper), std::abs(lower));
        if (magnitude == 0) magnitude = 1;
    }
    Division Divide(double lo, double hi) override {
        return {lo, hi, (hi - lo) / 4, 4};
    }
    double Shift(int file, int var) override {
        auto it = shifts.find({file, var});
        return it == shifts.end() ? 0.0 : it->second;
    }
    double Factor(int file, int var) override {
        auto it = factors.find({file, var});
        return it == factors.end() ? 1.0 : it->second;
    }
    void SetShift(int file, int var, double shift) override { shifts[{file, var}] = shift; }
    void SetFactor(int file, int var, double factor) override { factors[{file, var}] = factor; }

    std::map<std::string, File> files;
    std::vector<std::string> opened;
    std::vector<int> steps;
    std::map<std::pair<int, int>, double> shifts;
    std::map<std::pair<int, int>, double> factors;
    int closes = 0;
};

}  // namespace zan::testing
