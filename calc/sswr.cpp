#include "calc/sswr.h"

#include <cmath>

namespace rampwall {

float SSWR(float x) {
    // Both products are exact in double: x has 24 significant bits.
    const auto t = static_cast<float>(std::floor(static_cast<double>(x) * 1000.0));
    const auto u = static_cast<float>(std::floor(static_cast<double>(x) * 10000.0));
    // The fourth-decimal digit, in 32-bit steps: 10·t is rounded to a float,
    // then the difference is.
    const float tenT = 10.0f * t;
    const float g = u - tenT;
    const float beyondHalf = g - 5.0f;
    if (beyondHalf >= 0.0f) {
        const float q = t / 1000.0f;
        return static_cast<float>(static_cast<double>(q) + 0.001);
    }
    return t / 1000.0f;
}

} // namespace rampwall
