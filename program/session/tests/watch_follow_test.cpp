// A writer process appends rows to a text file and to binary files of both
// layouts in pieces cut at arbitrary bytes while the watch step runs again
// and again over the real library: every stored row must be equal to what
// was written, and growth must be followed without loading the files anew.
// A finished text file that ends without a line end shows its last row.
#include "platform/fakes.h"
#include "session/file_commands.h"
#include "session/load_data.h"
#include "session/startup_services.h"
#include "session/tests/command_fakes.h"
#include "session/tests/session_fakes.h"
#include "zan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <random>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace zan {
namespace {

using testing::FakeHost;
using testing::RecordingWindow;
using testing::TempFolder;

constexpr int kFirstRows = 50;
constexpr int kRows = 6000;

double X(int i) { return i * 0.5 + 0.25; }

std::string TextRows(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += std::to_string(i) + "," + std::to_string(X(i)) + "," + std::to_string(-i) + "\n";
    return text;
}

std::string BinaryRows(int from, int to)
{
    std::string bytes;
    for (int i = from; i <= to; ++i)
        for (double v : {double(i), X(i), double(-i)})
            bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
    return bytes;
}

// Record layout: each row one record of singles framed by its length.
std::string Record(const std::string& payload)
{
    const int32_t n = static_cast<int32_t>(payload.size());
    std::string bytes(reinterpret_cast<const char*>(&n), 4);
    return bytes + payload + bytes;
}

std::string RecordRows(int from, int to)
{
    std::string bytes;
    for (int i = from; i <= to; ++i) {
        std::string row;
        for (float v : {float(i), float(X(i)), float(-i)})
            row.append(reinterpret_cast<const char*>(&v), sizeof v);
        bytes += Record(row);
    }
    return bytes;
}

std::string RecordHeader()
{
    const std::string names = " ## t x y";
    std::string head;
    for (int32_t v : {static_cast<int32_t>(names.size()), 3})
        head.append(reinterpret_cast<const char*>(&v), 4);
    return Record(head + names);
}

std::string BinaryHeader()
{
    std::string bytes(80, ' ');
    for (int32_t v : {0, 0, 1, 3})
        bytes.append(reinterpret_cast<const char*>(&v), 4);
    for (const char* name : {"t", "x", "y"}) {
        std::string padded(name);
        padded.resize(80, ' ');
        bytes += padded;
    }
    return bytes;
}

// Counts the loads and growth reads that reach the real library.
class CountingLibrary : public DataLibrary {
public:
    void Close() override { real.Close(); }
    int SizeKb(int f, const std::string& p) override { return real.SizeKb(f, p); }
    OpenResult Open(int f, const std::string& p, int& step) override
    {
        ++opens;
        OpenResult r = real.Open(f, p, step);
        stored[f] = r.nStored;
        return r;
    }
    void Range(int f, int v, double& u, double& l, double& m) override { real.Range(f, v, u, l, m); }
    Division Divide(double lo, double hi) override { return real.Divide(lo, hi); }
    double Shift(int f, int v) override { return real.Shift(f, v); }
    double Factor(int f, int v) override { return real.Factor(f, v); }
    void SetShift(int f, int v, double x) override { real.SetShift(f, v, x); }
    void SetFactor(int f, int v, double x) override { real.SetFactor(f, v, x); }
    GrowResult Grow(int f, const std::string& p) override
    {
        ++grows;
        GrowResult r = real.Grow(f, p);
        added += r.nStored - stored[f];
        stored[f] = r.nStored;
        return r;
    }
    DataLibrary& real = TheLibrary();
    int opens = 0;
    int grows = 0;
    int added = 0;  // samples more than loaded, over all files
    std::map<int, int> stored;
};

// Every stored row of the file is row k of the writer; the stored count.
// While the writer runs, the last row of the text file may come from a line
// it had not finished when a tick found the file unchanged: such a row is
// read again once the file grows.
int CheckStored(int32_t file, std::string& fault, bool unfinished_last = false)
{
    int32_t x = 1, y = 1, count = 0;
    sdata(&file, &x, &y, &count);
    for (int32_t k = 1; k <= count - (unfinished_last ? 1 : 0); ++k)
        for (int32_t v = 1; v <= 3; ++v) {
            double value = 0;
            ddata(&file, &k, &v, &value);
            const double expected = v == 1 ? k : v == 2 ? X(k) : -k;
            if (value != expected && fault.empty())
                fault = "file " + std::to_string(file) + " sample " + std::to_string(k) + " variable " +
                        std::to_string(v) + ": " + std::to_string(value);
        }
    return count;
}

// The writer: the files' remaining bytes in pieces of 1 to 199 bytes, cut
// without regard to rows, with short pauses. Everything is prepared before
// the fork; the child only writes and sleeps.
struct Piece {
    int fd;
    const char* data;
    size_t size;
};

void Write(const std::vector<Piece>& pieces)
{
    for (const Piece& p : pieces) {
        size_t done = 0;
        while (done < p.size) {
            const ssize_t n = ::write(p.fd, p.data + done, p.size - done);
            if (n <= 0)
                ::_exit(1);
            done += static_cast<size_t>(n);
        }
        const timespec pause{0, 100000};
        ::nanosleep(&pause, nullptr);
    }
    ::_exit(0);
}

TEST(WatchFollow, AWriterAppendingAtAnyByteNeverLeavesAPartialOrWrongRowStored)
{
    TempFolder dir;
    const std::string csv = dir.write("run.csv", "t,x,y\n" + TextRows(1, kFirstRows));
    const std::string bin = dir.write("run.bin", BinaryHeader() + BinaryRows(1, kFirstRows));
    const std::string dat = dir.write("run.dat", RecordHeader() + RecordRows(1, kFirstRows));
    const std::vector<std::string> sources = {TextRows(kFirstRows + 1, kRows), BinaryRows(kFirstRows + 1, kRows),
                                              RecordRows(kFirstRows + 1, kRows)};

    FakeHost host(dir.folder());
    FakeFileDialog dialog;
    FakeMessageBox messages;
    FakeScreenMetrics screen;
    CountingLibrary library;
    ProgramServices services(host, library, dialog, messages, screen);
    RecordingWindow window;
    std::vector<std::string> calls;
    window.calls = &calls;
    Session s;
    s.Fpath = dir.folder();
    s.nFile = 3;
    s.Flist.assign(3);
    s.Flist[1] = csv;
    s.Flist[2] = bin;
    s.Flist[3] = dat;
    s.iAuto = -1;
    ASSERT_TRUE(LoadData(s, host, library));
    FileCommands commands(s, services, host, library, window, dialog);

    std::vector<int> fds;
    for (const std::string& path : {csv, bin, dat}) {
        fds.push_back(::open(path.c_str(), O_WRONLY | O_APPEND));
        ASSERT_GE(fds.back(), 0);
    }
    std::vector<Piece> pieces;
    std::mt19937 random(11);
    std::vector<size_t> at(sources.size(), 0);
    for (;;) {
        std::vector<size_t> open;
        for (size_t f = 0; f < sources.size(); ++f)
            if (at[f] < sources[f].size())
                open.push_back(f);
        if (open.empty())
            break;
        const size_t f = open[random() % open.size()];
        const size_t n = std::min<size_t>(1 + random() % 199, sources[f].size() - at[f]);
        pieces.push_back({fds[f], sources[f].data() + at[f], n});
        at[f] += n;
    }

    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0)
        Write(pieces);

    std::string fault;
    int steps = 0;
    int status = 0;
    bool running = true;
    while ((running || steps < 300) && fault.empty()) {
        if (running && ::waitpid(writer, &status, WNOHANG) == writer)
            running = false;
        commands.Watch();
        ++steps;
        for (int32_t f = 1; f <= 3; ++f)
            CheckStored(f, fault, f == 1 && running);
        const timespec pause{0, 1000000};
        ::nanosleep(&pause, nullptr);
    }
    if (running)
        ::waitpid(writer, &status, 0);
    for (int fd : fds)
        ::close(fd);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    commands.Watch();

    EXPECT_EQ(fault, "");
    EXPECT_GE(steps, 300);
    EXPECT_EQ(CheckStored(1, fault), kRows);
    EXPECT_EQ(CheckStored(2, fault), kRows);
    EXPECT_EQ(CheckStored(3, fault), kRows);
    EXPECT_EQ(fault, "");
    // Followed throughout: the files were loaded once, and what was
    // read on the way is exactly what was appended.
    EXPECT_EQ(library.opens, 3);
    EXPECT_GT(library.grows, 20);
    EXPECT_EQ(library.added, 3 * (kRows - kFirstRows));
    EXPECT_EQ(s.lderr, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST(WatchFollow, AFinishedFileWithoutAFinalLineEndShowsItsLastRow)
{
    TempFolder dir;
    // The writer's rows with CR LF line ends, the last one without.
    auto crlf = [](int from, int to) {
        std::string text;
        for (char c : TextRows(from, to))
            text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return text.substr(0, text.size() - 2);
    };
    const std::string csv = dir.write("run.csv", "t,x,y\r\n" + crlf(1, 3));
    FakeHost host(dir.folder());
    FakeFileDialog dialog;
    FakeMessageBox messages;
    FakeScreenMetrics screen;
    CountingLibrary library;
    ProgramServices services(host, library, dialog, messages, screen);
    RecordingWindow window;
    std::vector<std::string> calls;
    window.calls = &calls;
    Session s;
    s.Fpath = dir.folder();
    s.nFile = 1;
    s.Flist.assign(1);
    s.Flist[1] = csv;
    s.iAuto = -1;
    ASSERT_TRUE(LoadData(s, host, library));
    FileCommands commands(s, services, host, library, window, dialog);
    std::string fault;
    EXPECT_EQ(CheckStored(1, fault), 3);
    commands.Reload();
    EXPECT_EQ(CheckStored(1, fault), 3);
    commands.Watch();
    EXPECT_EQ(CheckStored(1, fault), 3);
    EXPECT_EQ(s.FileTab[1].nStored, 3);

    // A row appended without its line end waits for a tick without change.
    std::ofstream(csv, std::ios::app | std::ios::binary) << "\r\n" + crlf(4, 4);
    commands.Watch();
    EXPECT_EQ(CheckStored(1, fault), 3);
    commands.Watch();
    EXPECT_EQ(CheckStored(1, fault), 4);
    EXPECT_EQ(s.FileTab[1].nStored, 4);
    EXPECT_EQ(fault, "");
}

}  // namespace
}  // namespace zan
