// Numbers as text and text as numbers, the way the settings file, the number
// boxes and the axis labels show and read them.
#ifndef ZAN_PLATFORM_NUMBER_FORMAT_H
#define ZAN_PLATFORM_NUMBER_FORMAT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace zan {

// Shortest decimal form of up to 15 significant digits with the sign place
// kept: a blank in front of a number that is not negative, '-' otherwise, and
// no zero before the decimal point of a magnitude below 1.
//   2 -> " 2", -1 -> "-1", 0.5 -> " .5", -0.25 -> "-.25", 1e20 -> " 1E+20"
// Magnitudes from 1e15 up and below 1e-4 use the exponent form "1.5E-05".
std::string numberWithSignPlace(double value);

// The same digits without the sign place, with a zero before the decimal
// point: 2 -> "2", 0.5 -> "0.5", -1e-5 -> "-1E-05". Also the form of an
// empty format pattern.
std::string plainNumber(double value);

// The leading number of a text: leading blanks and tabs are skipped, then an
// optional sign, digits with at most one decimal point and an optional
// exponent (E or D) are taken as far as they form a number. Anything else
// ends the number ("1,5" reads as 1); a text without a number, and a number
// beyond the range of a double, read as 0.
double leadingNumber(std::string_view text);

// Nearest integer, halves to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
double roundHalfEven(double value);

// Rounded halves to even and limited to the type's range; not-a-number gives 0.
int32_t toInt32(double value);
int16_t toInt16(double value);

// Formats a value with a digit pattern: '0' a required digit, '#' an
// optional digit, '.' the decimal point; characters before the first and
// after the last placeholder are copied as they stand.
//   "#######0.00"  at least one integer digit, exactly two decimals
//   "#######0."    no decimals, the point kept: 5 -> "5."
//   "000", "0000"  at least three or four digits, leading zeros
//   "0000#"        at least five digits: 7 -> "00007"
//   "###0"         plain integer
// Every integer digit is shown however few placeholders there are; digits
// from the leftmost '0' of the integer part on are required. Decimals are
// rounded half away from zero on the value's 15-digit decimal form, as they
// are displayed; trailing '#' decimals drop zeros. A value that rounds to
// zero carries no minus sign. An empty pattern gives plainNumber(value).
std::string formatNumber(double value, std::string_view pattern);

}  // namespace zan

#endif
