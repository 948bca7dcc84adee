#include "calc/number_text.h"
#include "calc/sswr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace rampwall {
namespace {

struct SswrCase {
    const char* name;
    float input;
    double expected; // the exact 32-bit result, widened
    const char* text;
};

// Results are compared as exact 32-bit values, not within a tolerance: the
// trailing digits of the sheet depend on the last bit.
constexpr SswrCase kSswrCases[] = {
    {"zero", 0.0f, 0.0, "0"},
    {"already_three_decimals", 4.125f, 4.125, "4.125"},
    {"seed_width", 1.21f, static_cast<double>(1.21f), "1.21"},
    {"fourth_digit_4_rounds_down", 1.2344f, static_cast<double>(1.234f), "1.234"},
    {"fourth_digit_6_rounds_up", 1.2346f, static_cast<double>(1.235f), "1.235"},
    {"half_held_above_rounds_up", 1.2345f, static_cast<double>(1.235f), "1.235"},
    {"half_held_below_rounds_down", 2.0005f, 2.0, "2"},
    {"fifth_digit_ignored", 0.12345f, static_cast<double>(0.123f), "0.123"},
    {"smallest_round_up", 0.0005f, static_cast<double>(0.001f), "0.001"},
    {"below_half_thousandth", 0.00049f, 0.0, "0"},
    {"negative_down", -1.2344f, static_cast<double>(-1.234f), "-1.234"},
    {"negative_towards_plus_infinity", -1.2346f, static_cast<double>(-1.235f), "-1.235"},
    {"negative_small", -0.0006f, static_cast<double>(-0.001f), "-0.001"},
    {"round_up_lands_a_step_above", 0.0646f, 0.0650000050663948, "0.06500001"},
    {"round_up_near_eight", 8.0016f, 8.00200080871582, "8.002001"},
    {"round_up_lands_a_step_below", 512.0096f, 512.0099487304688, "512.0099"},
    {"ten_thousandths_not_exact", 2695.7705f, static_cast<double>(2695.77f), "2695.77"},
    {"ten_thousandths_rounded_up_in_32_bits", 8112.3965f, static_cast<double>(8112.397f), "8112.397"},
    {"beyond_three_decimals_unchanged", 20000.123f, 20000.123046875, "20000.12"},
    {"two_thirds_up", 3.6666667f, 3.6669998168945312, "3.667"},
};

class SswrTest : public testing::TestWithParam<SswrCase> {};

TEST_P(SswrTest, RoundsToThreeDecimalsAsThe32BitStepsGive) {
    const SswrCase& c = GetParam();
    const float result = SSWR(c.input);
    EXPECT_EQ(static_cast<double>(result), c.expected);
    EXPECT_EQ(formatSingle(result), c.text);
}

INSTANTIATE_TEST_SUITE_P(sswr, SswrTest, testing::ValuesIn(kSswrCases),
                         [](const testing::TestParamInfo<SswrCase>& info) { return std::string(info.param.name); });

TEST(sswr, DoubleFieldIsNarrowedBeforeRounding) {
    // The double 1.2345 lies just below 1.2345, its 32-bit neighbour just above.
    EXPECT_EQ(SSWR(static_cast<float>(1.2345)), 1.235f);
}

TEST(sswr, WidenedResultIsExact) { EXPECT_EQ(static_cast<double>(SSWR(1.235f)), 1.2350000143051147); }

} // namespace
} // namespace rampwall
