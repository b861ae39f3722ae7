// Writes a demo simulation run, the flight of a sounding rocket, into a folder
// in every layout the viewer reads:
//
//   flight.bin    stream layout, 10-character names, single-precision values
//   flight_c.bin  stream layout, 80-character names, value kind 1 (double)
//   flight.dat    record layout with 4-byte little-endian record lengths
//   flight.csv    comma-separated, 7 significant digits
//   flight2.csv   a second version of the run: 3 % more thrust and one more
//                 variable, so that merging of versions can be shown
//
// Usage: zan_demo_data FOLDER
#include <algorithm>
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

constexpr int kRows = 18001;
constexpr double kDt = 0.025;
const char* const kTitle = "Sounding rocket flight, demo run";

struct Run {
    std::vector<std::string> names;
    std::vector<std::vector<double>> rows;  // rows[sample][variable]
};

// Small linear congruential generator: the demo must be the same on every
// machine and every run, so no library distribution is used.
class Noise {
public:
    double next()  // uniform in [-1, 1)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / 4503599627370496.0 - 1.0;
    }

private:
    uint64_t state_ = 20261208;
};

double airTemperature(double h)
{
    return h < 11000.0 ? 288.15 - 0.0065 * h : 216.65;
}

// Point-mass flight in a vertical plane: vertical rise, a short pitch-over,
// then a gravity turn; after burn-out a coast to apogee, where a drogue
// parachute opens, and the main parachute below 3000 m.
Run simulate(double thrustScale, bool withHeatFlux)
{
    Run run;
    run.names = {"time",     "altitude", "downrange", "speed",     "vel_vert", "vel_horiz", "accel",
                 "mach",     "dyn_press", "pitch",    "pitch_rate", "aoa",     "mass",      "thrust",
                 "drag",     "fuel_flow", "throttle", "air_temp",  "density",  "gimbal",    "load_fact"};
    if (withHeatFlux) run.names.push_back("heat_flux");

    const double pi = 3.14159265358979323846;
    const double dryMass = 380.0, propellant = 520.0, burnTime = 40.0;
    const double fullThrust = 19000.0 * thrustScale;
    const double bodyArea = 0.126, drogueArea = 1.5, mainArea = 8.0;

    Noise noise;
    double h = 0.0, x = 0.0, vv = 0.0, vh = 0.0;
    double mass = dryMass + propellant;
    double pitch = 90.0, prevPitch = 90.0;
    bool drogue = false, mainChute = false, landed = false;

    run.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const double t = i * kDt;
        const double temp = airTemperature(h);
        const double rho = 1.225 * std::exp(-h / 8500.0);
        const double speed = std::hypot(vv, vh);
        const double mach = speed / std::sqrt(1.4 * 287.05 * temp);
        const double q = 0.5 * rho * speed * speed;

        const bool burning = t < burnTime && mass > dryMass;
        // Throttle back through the region of highest dynamic pressure.
        double throttle = 0.0;
        if (burning) throttle = (t > 18.0 && t < 34.0) ? 0.78 : 1.0;
        const double thrust = fullThrust * throttle;
        const double fuelFlow = burning ? propellant / burnTime * throttle : 0.0;

        const double pathAngle = speed > 1.0 ? std::atan2(vv, vh) * 180.0 / pi : 90.0;
        if (t < 6.0) pitch = 90.0;
        else if (t < 12.0) pitch = 90.0 - (t - 6.0) * 0.9;
        else if (!landed) pitch += (pathAngle - pitch) * kDt / 1.5;  // attitude follows the flight path
        const double pitchRate = (pitch - prevPitch) / kDt + 0.05 * noise.next();
        prevPitch = pitch;
        const double aoa = burning ? pitch - pathAngle : 0.0;

        const double transonic = std::exp(-std::pow((mach - 1.05) / 0.25, 2.0));
        const double cd = 0.28 + 0.22 * transonic;
        if (!drogue && !burning && vv < 0.0) drogue = true;
        if (!mainChute && drogue && h < 3000.0) mainChute = true;
        const double drag = q * (mainChute ? 1.3 * mainArea : drogue ? 1.3 * drogueArea : cd * bodyArea);

        const double g = 9.80665 * std::pow(6371000.0 / (6371000.0 + h), 2.0);
        const double pr = pitch * pi / 180.0;
        double ax = 0.0, az = 0.0;
        if (!landed) {
            const double ux = speed > 1.0 ? vh / speed : std::cos(pr);
            const double uz = speed > 1.0 ? vv / speed : std::sin(pr);
            ax = (thrust * std::cos(pr) - drag * ux) / mass;
            az = (thrust * std::sin(pr) - drag * uz) / mass - g;
        }
        const double accel = std::max(0.0, std::hypot(ax, az + g) + 0.02 * noise.next());
        const double gimbal = burning ? 0.4 * std::sin(t * 1.7) * std::exp(-t / 40.0) + 0.03 * noise.next() : 0.0;

        std::vector<double> row = {t,      h,        x,          speed,    vv,   vh,          accel,
                                   mach,   q / 1000.0, pitch,    pitchRate, aoa, mass,        thrust / 1000.0,
                                   drag / 1000.0, fuelFlow, throttle, temp,  rho, gimbal,     accel / 9.80665};
        if (withHeatFlux) row.push_back(1.83e-4 * std::sqrt(rho / 0.3) * std::pow(speed, 3.0) / 1000.0);
        run.rows.push_back(std::move(row));

        if (!landed) {
            vh += ax * kDt;
            vv += az * kDt;
            h += vv * kDt;
            x += vh * kDt;
            mass -= fuelFlow * kDt;
            if (h <= 0.0 && t > 1.0) {
                h = 0.0;
                vv = vh = 0.0;
                landed = true;
            }
            if (h < 0.0) h = vv = 0.0;
        }
    }
    return run;
}

// All numbers in the binary layouts are little-endian whatever the host.
class LittleEndianWriter {
public:
    explicit LittleEndianWriter(const std::filesystem::path& path) : out_(path, std::ios::binary) {}
    bool ok() const { return static_cast<bool>(out_); }

    void u32(uint32_t v)
    {
        const char b[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char((v >> 24) & 0xff)};
        out_.write(b, 4);
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(double v)
    {
        const float f = static_cast<float>(v);
        uint32_t bits;
        static_assert(sizeof bits == sizeof f);
        std::memcpy(&bits, &f, 4);
        u32(bits);
    }
    void f64(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        u32(static_cast<uint32_t>(bits));
        u32(static_cast<uint32_t>(bits >> 32));
    }
    // Fixed-width text field: cut or blank-padded to width characters.
    void text(const std::string& s, size_t width)
    {
        std::string field = s.substr(0, width);
        field.resize(width, ' ');
        out_.write(field.data(), static_cast<std::streamsize>(width));
    }

private:
    std::ofstream out_;
};

bool writeStreamShapeA(const std::filesystem::path& path, const Run& run)
{
    LittleEndianWriter w(path);
    w.text(kTitle, 80);
    w.i32(static_cast<int32_t>(run.names.size()));
    for (const auto& name : run.names) w.text(name, 10);
    for (const auto& row : run.rows)
        for (double v : row) w.f32(v);
    return w.ok();
}

bool writeStreamShapeC(const std::filesystem::path& path, const Run& run)
{
    LittleEndianWriter w(path);
    w.text(kTitle, 80);
    w.i32(0);
    w.i32(0);
    w.i32(1);  // value kind 1: double precision
    w.i32(static_cast<int32_t>(run.names.size()));
    // Long names show off the 80-character width of this shape.
    const std::vector<std::string> units = {"s",    "m",    "m",   "m/s", "m/s", "m/s", "m/s2",
                                            "-",    "kPa",  "deg", "deg/s", "deg", "kg",  "kN",
                                            "kN",   "kg/s", "-",   "K",   "kg/m3", "deg", "g"};
    for (size_t v = 0; v < run.names.size(); ++v)
        w.text(run.names[v] + " [" + (v < units.size() ? units[v] : "-") + "]", 80);
    for (const auto& row : run.rows)
        for (double v : row) w.f64(v);
    return w.ok();
}

// Record layout as a Fortran program writes it with unformatted sequential
// access: every record is framed by its byte length before and after.
bool writeRecordLayout(const std::filesystem::path& path, const Run& run)
{
    std::string nameString = " ## ";
    for (size_t v = 0; v < run.names.size(); ++v) nameString += (v ? " " : "") + run.names[v];
    const auto n = static_cast<uint32_t>(run.names.size());
    const auto L = static_cast<uint32_t>(nameString.size());

    LittleEndianWriter w(path);
    w.u32(8 + L);
    w.u32(L);
    w.u32(n);
    w.text(nameString, L);
    w.u32(8 + L);
    for (const auto& row : run.rows) {
        w.u32(4 * n);
        for (double v : row) w.f32(v);
        w.u32(4 * n);
    }
    return w.ok();
}

bool writeCsv(const std::filesystem::path& path, const Run& run, const std::string& comment)
{
    std::ofstream out(path);
    if (!comment.empty()) out << "# " << comment << '\n';
    for (size_t v = 0; v < run.names.size(); ++v) out << (v ? "," : "") << run.names[v];
    out << '\n';
    char buf[32];
    for (const auto& row : run.rows) {
        for (size_t v = 0; v < row.size(); ++v) {
            std::snprintf(buf, sizeof buf, "%.7g", row[v]);
            out << (v ? "," : "") << buf;
        }
        out << '\n';
    }
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::cerr << "usage: zan_demo_data FOLDER\n"
                     "Writes a demo rocket flight as flight.bin, flight_c.bin, flight.dat, flight.csv\n"
                     "and a second version of the run as flight2.csv into FOLDER.\n";
        return argc == 2 ? 0 : 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::cerr << "zan_demo_data: cannot create " << folder.string() << ": " << ec.message() << '\n';
        return 1;
    }

    const Run run = simulate(1.0, false);
    const Run second = simulate(1.03, true);
    struct Output {
        const char* name;
        bool ok;
    };
    const Output outputs[] = {
        {"flight.bin", writeStreamShapeA(folder / "flight.bin", run)},
        {"flight_c.bin", writeStreamShapeC(folder / "flight_c.bin", run)},
        {"flight.dat", writeRecordLayout(folder / "flight.dat", run)},
        {"flight.csv", writeCsv(folder / "flight.csv", run, "")},
        {"flight2.csv", writeCsv(folder / "flight2.csv", second, "second version: 3 % more thrust, heat flux added")},
    };
    int failures = 0;
    for (const auto& o : outputs) {
        if (!o.ok) {
            std::cerr << "zan_demo_data: cannot write " << (folder / o.name).string() << '\n';
            ++failures;
        }
    }
    if (failures) return 1;
    std::cout << "wrote " << run.rows.size() << " rows of " << run.names.size() << " variables to "
              << folder.string() << '\n';
    return 0;
}
