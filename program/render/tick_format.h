// Number formats of tick labels and of the cursor readout.
#ifndef ZAN_RENDER_TICK_FORMAT_H
#define ZAN_RENDER_TICK_FORMAT_H

#include <string>

namespace zan::render {

// Decimal exponent of x: Int(log10(|x|) + 0.000000001), 0 for x = 0 (and for
// values whose exponent does not fit 16 bits).
int Expo10(double x);

struct AxisFormat {
    std::string fmtTick;  // tick-label pattern, e.g. "#######0.0"
    std::string fmtRead;  // readout pattern, one decimal more
    int expo = 0;         // common decimal exponent of the labels, 0 for none
};

// Formats for an axis from lo to hi with tick step: plain numbers with 0 to 6
// decimals where the range allows, else numbers scaled by a common power of
// ten shown as a suffix.
AxisFormat NumFmt(double lo, double hi, double step);

// The same with the results through arguments, as the other callers use it.
void NumFmt(double lo, double hi, double step, std::string& fmtTick, std::string& fmtRead, int& expo);

// Label of the tick at value on an axis with the given format: the value
// scaled by 10^-expo and formatted, followed by "E" and the exponent when the
// exponent is not 0.
std::string TickLabel(double value, const std::string& fmtTick, int expo);

}  // namespace zan::render

#endif
