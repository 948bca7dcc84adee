#include "calc/rounding.h"

#include "calc/calculation_stop.h"
#include "calc/sswr.h"

#include <cmath>

namespace rampwall {

double divide(double numerator, double denominator, std::string_view quantity) {
    // Stored values and typed inputs are finite, so an infinite operand has
    // overflowed earlier in the same formula; dividing by it would hide that
    // as a quotient of 0.
    if (!std::isfinite(numerator) || !std::isfinite(denominator)) {
        stopOutOfRange(quantity);
    }
    if (denominator == 0.0) {
        stopDivisionByZero(quantity);
    }
    return numerator / denominator;
}

double finite(double value, std::string_view quantity) {
    if (!std::isfinite(value)) {
        stopOutOfRange(quantity);
    }
    return value;
}

float roundStored(float value, std::string_view quantity) {
    if (!std::isfinite(value) || std::fabs(value) >= kSswrLimit) {
        stopOutOfRange(quantity);
    }
    return SSWR(value);
}

float roundStored(double value, std::string_view quantity) {
    // Checked before narrowing: a double beyond the 32-bit range has no
    // 32-bit value to narrow to.
    if (!std::isfinite(value) || std::fabs(value) >= static_cast<double>(kSswrLimit)) {
        stopOutOfRange(quantity);
    }
    return roundStored(static_cast<float>(value), quantity);
}

} // namespace rampwall
