// Decimal rounding of doubles for the 2010 edition, whose results stay
// unrounded doubles until they are shown: the boxes show three decimals,
// the sheet and the messages enough significant digits for a hand check.
#pragma once

#include <string>

namespace rampwall {

// x rounded to `decimals` places (0 to 15), half away from zero. The exact
// value of x decides, not its product with the power of ten: 1.2345, held
// as 1.23449999…, gives 1.234, while 0.0625 gives 0.063.
double roundToDecimals(double x, int decimals);

// x so rounded, in the general number form of the boxes: "2835.287", "0.2".
std::string decimalText(double x, int decimals);

// x rounded to at least `digits` significant digits and at least
// `minDecimals` places: 195.417, 0.15184 (5 and 3); 0.6158 (4 and 0). A
// magnitude below 0.0001 or from 10^15 on takes the general form's 15 digits.
std::string significantText(double x, int digits, int minDecimals);

} // namespace rampwall
