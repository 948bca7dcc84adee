// Numbers to text, and three-decimal rounding, for every bit pattern. The
// input's first eight bytes are a double and the next four a 32-bit float.
// The text must be the general form of the value correctly rounded to 15 or
// 7 significant digits (the reference rounds with printf's %e, which glibc
// rounds correctly), and SSWR must stay within the bounds its definition
// sets in each magnitude range.
#include "calc/number_text.h"
#include "calc/sswr.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/number_grammar.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

using namespace rampwall;
using rampwall::fuzz::isNumberText;
using rampwall::fuzz::require;

// The general form built from printf's correctly rounded scientific digits.
std::string referenceText(double value, int digits) {
    if (value == 0) {
        return "0";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
    std::string sci(buffer);
    std::string out;
    if (sci.front() == '-') {
        out.push_back('-');
        sci.erase(0, 1);
    }
    const std::size_t e = sci.find('e');
    const auto exponent = static_cast<int>(std::strtol(sci.c_str() + e + 1, nullptr, 10));
    std::string significant;
    for (std::size_t i = 0; i < e; ++i) {
        if (sci[i] != '.') {
            significant.push_back(sci[i]);
        }
    }
    while (significant.size() > 1 && significant.back() == '0') {
        significant.pop_back();
    }
    if (exponent < -4 || exponent >= digits) {
        out += significant.substr(0, 1);
        if (significant.size() > 1) {
            out += "." + significant.substr(1);
        }
        char tail[16];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return out + tail;
    }
    if (exponent < 0) {
        return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + significant;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (significant.size() <= whole) {
        return out + significant + std::string(whole - significant.size(), '0');
    }
    return out + significant.substr(0, whole) + "." + significant.substr(whole);
}

void checkDouble(double x) {
    if (!std::isfinite(x)) {
        return;
    }
    const std::string text = formatDouble(x);
    require(isNumberText(text, 15), "a double is written in the general form with 15 digits", text);
    require(text == referenceText(x, 15), "a double is rounded correctly to 15 digits", text);
    // Fifteen decimal digits survive the trip through a double, except at
    // the top of the range, where rounding to 15 digits leaves the range.
    const std::optional<double> back = parseDouble(text);
    if (back) {
        require(formatDouble(*back) == text, "a double's text reads back to the same text", text);
    } else {
        require(std::isinf(std::strtod(text.c_str(), nullptr)), "only a text beyond the range fails to read back",
                text);
    }
}

void checkSingle(float x) {
    if (!std::isfinite(x)) {
        return;
    }
    const std::string text = formatSingle(x);
    require(isNumberText(text, 7), "a Single is written in the general form with 7 digits", text);
    require(text == referenceText(static_cast<double>(x), 7), "a Single is rounded correctly to 7 digits", text);
    require(parseSingle(text).has_value(), "a Single's text reads back", text);
}

bool withinSteps(float got, float target, int steps) {
    float low = target;
    float high = target;
    for (int i = 0; i < steps; ++i) {
        low = std::nextafter(low, -std::numeric_limits<float>::infinity());
        high = std::nextafter(high, std::numeric_limits<float>::infinity());
    }
    return got >= low && got <= high;
}

long double halfStep(float x) {
    const float up = std::nextafter(std::fabs(x), std::numeric_limits<float>::infinity());
    return (static_cast<long double>(up) - std::fabs(static_cast<long double>(x))) / 2;
}

void checkSswr(float x) {
    if (!std::isfinite(x) || std::fabs(x) >= kSswrLimit) {
        return;
    }
    const float r = SSWR(x);
    const std::string detail = formatDouble(static_cast<double>(x));
    require(std::isfinite(r), "SSWR gives a finite value", detail);
    const long double scaled = static_cast<long double>(x) * 1000;
    const long double k = std::floor(scaled + 0.5L); // the three-decimal count, half up
    const auto nearest = static_cast<float>(k / 1000);
    const float magnitude = std::fabs(x);
    if (magnitude < 1677.7216f) {
        if (k == std::floor(scaled)) {
            require(r == nearest, "a rounded-down value is the nearest Single to three decimals", detail);
        } else {
            // q + 0.001 carries the error of the 32-bit quotient q = t / 1000
            // and the final narrowing. Near zero that is far more than one
            // step of the result: -0.0004 comes back as -4.749745E-11.
            const auto q = static_cast<float>((k - 1) / 1000);
            const long double bound = halfStep(q) + halfStep(r);
            require(std::fabs(static_cast<long double>(r) - k / 1000) <= bound,
                    "a rounded-up value is off three decimals by the quotient's error at most", detail);
        }
    } else if (magnitude < 16384.0f) {
        // The thousandths count no longer fits a Single: one thousandth off at most.
        require(std::fabs(static_cast<long double>(r) - k / 1000) <=
                    0.001L + static_cast<long double>(magnitude) * 1.2e-7L,
                "a large value is within one thousandth of three decimals", detail);
    } else {
        require(withinSteps(r, x, 1), "a value without three decimals comes back within one step", detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned char bytes[12] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double asDouble = 0;
    float asSingle = 0;
    std::memcpy(&asDouble, bytes, sizeof asDouble);
    std::memcpy(&asSingle, bytes + sizeof asDouble, sizeof asSingle);

    checkDouble(asDouble);
    checkSingle(asSingle);
    // A double within the 32-bit range narrows as the calculation narrows it.
    if (std::fabs(asDouble) <= static_cast<double>(std::numeric_limits<float>::max())) {
        checkSingle(static_cast<float>(asDouble));
    }
    checkSswr(asSingle);
    return 0;
}
