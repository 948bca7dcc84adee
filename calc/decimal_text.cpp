#include "calc/decimal_text.h"

#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace rampwall {

namespace {

constexpr int kMostDecimals = 15;

constexpr std::array<double, kMostDecimals + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
};

// From here on a double has no fraction at any scale of the table.
constexpr double kWhole = 4503599627370496.0; // 2^52

// The decades significantText places a magnitude in, 10^-4 to 10^15.
constexpr std::array<double, 20> kDecades = {
    1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
};

} // namespace

double roundToDecimals(double x, int decimals) {
    const double scale = kPowersOfTen[static_cast<std::size_t>(std::clamp(decimals, 0, kMostDecimals))];
    // Tested before multiplying, so that a large x raises no overflow.
    if (!(std::fabs(x) < kWhole / scale)) {
        return x;
    }
    const double scaled = x * scale;
    double whole = std::round(scaled);
    if (std::fabs(scaled - std::trunc(scaled)) == 0.5) {
        // The product was rounded to the tie; its exact value lies on one side.
        const double error = std::fma(x, scale, -scaled);
        if (scaled > 0 && error < 0) {
            whole -= 1;
        } else if (scaled < 0 && error > 0) {
            whole += 1;
        }
    }
    // Adding 0 turns a negative zero into a zero, which shows as "0".
    return whole / scale + 0.0;
}

std::string decimalText(double x, int decimals) { return formatDouble(roundToDecimals(x, decimals)); }

std::string significantText(double x, int digits, int minDecimals) {
    const double magnitude = std::fabs(x);
    if (!(magnitude >= kDecades.front() && magnitude < kDecades.back())) {
        return formatDouble(x);
    }
    // The power of ten of the leading digit, found without a logarithm:
    // kDecades[decade] ≤ magnitude < kDecades[decade + 1].
    std::size_t decade = 0;
    while (magnitude >= kDecades[decade + 1]) {
        ++decade;
    }
    const int exponent = static_cast<int>(decade) - 4;
    return decimalText(x, std::clamp(std::max(minDecimals, digits - 1 - exponent), 0, kMostDecimals));
}

} // namespace rampwall
