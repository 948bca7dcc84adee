#include "calc/sswr.h"
#include "calc/strength.h"

#include <gtest/gtest.h>

#include <string>

namespace rampwall {
namespace {

struct BarCase {
    const char* name;
    float SAas;
    BarDiameter bar;
};

// Rounded values are formed the way the calculation forms them, through SSWR,
// so each row sits on the side of its threshold that the 32-bit value gives.
const BarCase kBarCases[] = {
    {"exactly_314", SSWR(314.0f), 20},
    {"exactly_254_5", SSWR(254.5f), 18},
    {"exactly_490_9_rounded_down", SSWR(490.9004f), 25},
    {"exactly_113_1_rounded_down", SSWR(113.1004f), 12},
    {"153_9_rounded_down_is_below", SSWR(153.9004f), 14},
    {"153_9_rounded_up_is_above", SSWR(153.8996f), 16},
    {"380_1_is_held_above", SSWR(380.1f), 25},
    {"201_1_is_held_above", SSWR(201.1f), 18},
    {"start_up", SSWR(326.057f), 22},
    {"zero", 0.0f, 12},
    {"negative", -5.0f, 12},
    {"just_above_largest", SSWR(490.91f), TooLarge{}},
    {"far_above_largest", 652.114f, TooLarge{}},
};

class chooseBarTest : public testing::TestWithParam<BarCase> {};

TEST_P(chooseBarTest, SmallestBarWhoseAreaSuffices) { EXPECT_EQ(chooseBar(GetParam().SAas), GetParam().bar); }

INSTANTIATE_TEST_SUITE_P(strength, chooseBarTest, testing::ValuesIn(kBarCases),
                         [](const testing::TestParamInfo<BarCase>& info) { return std::string(info.param.name); });

TEST(strength, RoundedThresholdValuesAreTheExpected32BitValues) {
    EXPECT_EQ(static_cast<double>(SSWR(153.8996f)), 153.90000915527344);
    EXPECT_EQ(static_cast<double>(SSWR(153.9004f)), 153.89999389648438);
    EXPECT_EQ(static_cast<double>(SSWR(380.1f)), 380.1000061035156);
}

} // namespace
} // namespace rampwall
