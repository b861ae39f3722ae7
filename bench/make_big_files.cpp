// Writes the large data files of the load benchmark into the folder given on
// the command line: 5,000,000 rows of 20 variables (time and 19 smooth
// signals with a little noise) as big5m.bin (stream layout, singles),
// big5m.dat (record layout) and big5m.csv (text, 7 significant digits).
// NOISE scales the noise (default 1; 0 gives smooth signals, as many
// simulations write them).
// Usage: make_big_files FOLDER [ROWS [NOISE]]
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kVars = 20;

// A small linear congruential generator: the same files on every run.
class Noise {
public:
    float next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<float>(static_cast<int64_t>(state_ >> 11) % 2000 - 1000) * 1e-3f;
    }

private:
    uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

void make_row(int64_t i, Noise& noise, double noiseScale, float* row)
{
    const double t = static_cast<double>(i) * 1e-3;
    row[0] = static_cast<float>(t);
    for (int v = 1; v < kVars; ++v) {
        const double freq = 0.05 * v;
        const double amp = std::pow(10.0, v % 5);
        row[v] = static_cast<float>(amp * std::sin(freq * t + v) + 0.01 * noiseScale * amp * noise.next() + 3.0 * v);
    }
}

std::vector<std::string> names()
{
    std::vector<std::string> n{"time"};
    for (int v = 1; v < kVars; ++v) n.push_back("signal" + std::to_string(v));
    return n;
}

void put_i32(std::string& out, int32_t v)
{
    out.append(reinterpret_cast<const char*>(&v), 4);
}

std::string padded(const std::string& s, std::size_t width)
{
    std::string p = s.substr(0, width);
    p.resize(width, ' ');
    return p;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: make_big_files FOLDER [ROWS [NOISE]]\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int64_t rows = argc > 2 ? std::stoll(argv[2]) : 5'000'000;
    const double noiseScale = argc > 3 ? std::stod(argv[3]) : 1.0;
    std::filesystem::create_directories(folder);

    std::ofstream bin(folder / "big5m.bin", std::ios::binary);
    std::ofstream dat(folder / "big5m.dat", std::ios::binary);
    std::ofstream csv(folder / "big5m.csv", std::ios::binary);

    std::string head = padded("Benchmark run, 20 variables", 80);
    put_i32(head, kVars);
    for (const auto& n : names()) head += padded(n, 10);
    bin << head;

    std::string line = " ##";
    for (const auto& n : names()) line += " " + n;
    std::string rec;
    put_i32(rec, static_cast<int32_t>(line.size() + 8));
    put_i32(rec, static_cast<int32_t>(line.size()));
    put_i32(rec, kVars);
    rec += line;
    put_i32(rec, static_cast<int32_t>(line.size() + 8));
    dat << rec;

    std::string text;
    for (const auto& n : names()) text += (text.empty() ? "" : ",") + n;
    csv << text << '\n';

    Noise noise;
    float row[kVars];
    std::string bin_out, dat_out, csv_out;
    for (int64_t i = 0; i < rows; ++i) {
        make_row(i, noise, noiseScale, row);
        bin_out.append(reinterpret_cast<const char*>(row), sizeof row);
        put_i32(dat_out, sizeof row);
        dat_out.append(reinterpret_cast<const char*>(row), sizeof row);
        put_i32(dat_out, sizeof row);
        char buf[32];
        for (int v = 0; v < kVars; ++v) {
            auto res = std::to_chars(buf, buf + sizeof buf, row[v], std::chars_format::general, 7);
            if (v) csv_out.push_back(',');
            csv_out.append(buf, res.ptr);
        }
        csv_out.push_back('\n');
        if (csv_out.size() > (std::size_t{8} << 20)) {
            bin << bin_out;
            dat << dat_out;
            csv << csv_out;
            bin_out.clear();
            dat_out.clear();
            csv_out.clear();
        }
    }
    bin << bin_out;
    dat << dat_out;
    csv << csv_out;
    for (const char* name : {"big5m.bin", "big5m.dat", "big5m.csv"})
        std::cout << (folder / name).string() << ' ' << std::filesystem::file_size(folder / name) << " bytes\n";
    return bin && dat && csv ? 0 : 1;
}
