// Faults that fuzzing and the sanitizers found, each pinned down by the input
// that showed it. The expected texts come from Python's '%.14e' of the same
// double, an independent correctly rounded conversion.
#include "compute.h"
#include "headless_window.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace rampwall {
namespace {

struct SubnormalCase {
    const char* typed;
    const char* shown;
};

// Below the normal range a double's shortest text has fewer digits than its
// exact value to 15 digits; the box and the sheet must show the latter.
const SubnormalCase kSubnormalCases[] = {
    {"1e-310", "9.99999999999997E-311"},
    {"2.5e-320", "2.49997216795671E-320"},
    {"-3e-321", "-2.99897847025637E-321"},
    {"1.23456789e-315", "1.23456789100368E-315"},
    {"4.6847e-320", "4.6847304538667E-320"},
    // The smallest normal double still takes the short text's digits.
    {"2.2250738585072014e-308", "2.2250738585072E-308"},
};

void PrintTo(const SubnormalCase& row, std::ostream* out) { *out << row.typed; }

class SubnormalDoubleText : public ::testing::TestWithParam<SubnormalCase> {};

TEST_P(SubnormalDoubleText, IsTheExactValueToFifteenDigits) {
    const std::optional<double> value = parseDouble(GetParam().typed);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(formatDouble(*value), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(hardening, SubnormalDoubleText, ::testing::ValuesIn(kSubnormalCases),
                         [](const ::testing::TestParamInfo<SubnormalCase>& info) {
                             std::string name;
                             for (const char* at = info.param.typed; *at != '\0'; ++at) {
                                 const char ch = *at;
                                 name += (ch >= '0' && ch <= '9') || ch == 'e' ? ch : (ch == '-' ? 'm' : '_');
                             }
                             return name;
                         });

// A water table 1e-310 m above the base gives a = h3 - h4 below the normal
// range; the sheet's line for a must show it to 15 digits, not "1E-310".
TEST(hardening_sheet, SubnormalHeightBelowWaterTableIsShownExactly) {
    HeadlessWindow window;
    window.setText(Control::Text1, "1");
    window.setText(Control::Text2, "1");
    window.setText(Control::Text3, "1e-310");
    window.setText(Control::Text16, "0");
    DesignState state;
    ASSERT_EQ(COMPUTE(state, window), RunOutcome::Completed);
    const std::string& sheet = window.text(Control::Text12);
    EXPECT_NE(sheet.find(" a=h3-h4=1e-310- 0=9.99999999999997E-311(m)\r\n"), std::string::npos) << sheet;
}

} // namespace
} // namespace rampwall
