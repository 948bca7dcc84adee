// Three-decimal rounding, half up, of 32-bit values, and the way a computed
// field is narrowed, rounded and stored.
#pragma once

namespace rampwall {

// Rounds x to three decimals, half up on the floor of x, and returns a 32-bit
// value. The thousandths and ten-thousandths counts are held as 32-bit floats,
// so from 1677.7216 on the fourth decimal it looks at can be off by one, and a
// rounded-up result is q + 0.001 formed in double, which can land one 32-bit
// step away from the nearest three-decimal value. Defined for |x| < 3.4028235e34.
float SSWR(float x);

// The largest magnitude SSWR is defined for: beyond it x * 10000 leaves the
// 32-bit range.
inline constexpr float kSswrLimit = 3.4028235e34f;

} // namespace rampwall
