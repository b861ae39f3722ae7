#include "render/colours.h"

#include "render/rounding.h"

#include <algorithm>

namespace zan::render {

namespace {

constexpr Rgb kTable[7] = {
    MakeRgb(0, 0, 0),       // n mod 7 = 0
    MakeRgb(239, 0, 0),     MakeRgb(0, 143, 15),  MakeRgb(0, 15, 191),
    MakeRgb(175, 0, 175),   MakeRgb(0, 143, 239), MakeRgb(159, 79, 0),
};

int Vary(int v, double r)
{
    return std::clamp(CLng(r * 384.0 + v - 192.0), 0, 255);
}

}  // namespace

Rgb TableColor(int n)
{
    const int i = ((n % 7) + 7) % 7;
    return kTable[i];
}

Rgb LineColor(int j, int iFclr)
{
    return iFclr == 1 ? kBlack : TableColor(j);
}

Rgb FileColor(int f)
{
    return TableColor(f);
}

double ColourGenerator::next()
{
    using Engine = std::knuth_b;
    const auto v = engine_() - Engine::min();
    return static_cast<double>(v) / (static_cast<double>(Engine::max() - Engine::min()) + 1.0);
}

Rgb VaryColor(Rgb colour, ColourGenerator& generator)
{
    const int r = Vary(RedOf(colour), generator.next());
    const int g = Vary(GreenOf(colour), generator.next());
    const int b = Vary(BlueOf(colour), generator.next());
    return MakeRgb(r, g, b);
}

}  // namespace zan::render
