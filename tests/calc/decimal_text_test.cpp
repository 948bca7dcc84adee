#include "calc/decimal_text.h"

#include <gtest/gtest.h>

namespace rampwall {
namespace {

struct DecimalCase {
    double value;
    int digits; // significant digits; 0: three decimals, as the boxes show
    const char* text;
};

// 0.0625 is an exact tie; 1.2345 and 1.0015 are held just below and just
// above their decimal, and their product with 1000 rounds to a tie.
constexpr DecimalCase kDecimalCases[] = {
    {2835.2873698647877, 0, "2835.287"},
    {0.0625, 0, "0.063"},
    {-0.0625, 0, "-0.063"},
    {1.2345, 0, "1.234"},
    {-1.2345, 0, "-1.234"},
    {1.0015, 0, "1.002"},
    {-0.0004, 0, "0"},
    {2960.2404, 0, "2960.24"},
    {1e300, 0, "1E+300"},
    {0.15183890183890184, 5, "0.15184"},
    {195.41666666666666, 5, "195.417"},
    {0.0057543, 5, "0.0057543"},
    {0.61576026, 4, "0.6158"},
    {3.2e-7, 5, "3.2E-07"},
};

TEST(decimal_text, RoundsHalfAwayFromZeroOnTheExactValue) {
    for (const DecimalCase& c : kDecimalCases) {
        const std::string text = c.digits == 0 ? decimalText(c.value, 3) : significantText(c.value, c.digits, 3);
        EXPECT_EQ(text, c.text) << c.value;
    }
}

} // namespace
} // namespace rampwall
