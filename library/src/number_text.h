// The text form of a value in extracted comma-separated files.
#ifndef ZAN_NUMBER_TEXT_H
#define ZAN_NUMBER_TEXT_H

#include <string>

namespace zan {

// Seven significant digits decide the notation: a value whose magnitude,
// rounded to 7 significant digits, lies in [0.1, 1e7) is written in fixed
// notation with 7 significant digits, anything else in scientific notation
// with one digit before the point and 7 after. Trailing zeros of the digits
// go, the point stays: 12.5 -> "12.5", 2.0 -> "2.", 0.00001 -> "1.E-05",
// 12345678.0 -> "1.2345678E+07", 0.0 -> "0.". The exponent has two digits,
// or three when it needs them (1e-300 -> "1.E-300"). Independent of the
// process locale. Infinities give "Inf" and "-Inf", not-a-number "NaN".
std::string number_text(double v);

}  // namespace zan

#endif
