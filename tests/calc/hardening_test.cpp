// Faults that fuzzing and the sanitizers found, each pinned down by the input
// that showed it. The expected texts come from Python's '%.14e' of the same
// double, an independent correctly rounded conversion.
#include "calc/compute.h"
#include "calc/headless_window.h"
#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

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

struct OverflowCase {
    const char* name;
    int loadCase;
    const char* h1;
    const char* h2;
    const char* h3;
    const char* h4;
    const char* soil;
    const char* quantity; // the load whose formula overflows
};

// Loads beyond the double range stop the run at the formula that overflows,
// before the infinite value is stored; the run used to store it and stop
// only at the next moment.
const OverflowCase kOverflowCases[] = {
    {"soil_1e308_gives_q21", 0, "0", "-3.0", "-3.0", "-980", "01e308", "q21"},
    {"elevations_1e308_apart_give_a", 0, "1e308", "1e308", "1e308", "-1e308", "18", "a"},
    {"wall_1e308_deep_gives_q31", 0, "0", "0", "0", "-1e308", "10", "q31"},
    {"soil_1e308_above_water_gives_q11", 0, "0", "0", "-10", "-11", "1e308", "q11"},
    {"case_b_1e308_high_gives_q11", 1, "1e308", "1e308", "-1e308", "-1e308", "18", "q11"},
};

void PrintTo(const OverflowCase& row, std::ostream* out) { *out << row.name; }

bool finiteOrUnset(const std::optional<double>& field) { return !field || std::isfinite(*field); }

class LoadOverflow : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(LoadOverflow, StopsWhereItOverflowsAndStoresNoInfinity) {
    const OverflowCase& row = GetParam();
    HeadlessWindow window;
    window.setSelectedIndex(Control::Combo3, row.loadCase);
    window.setText(Control::Text1, row.h1);
    window.setText(Control::Text2, row.h2);
    window.setText(Control::Text3, row.h3);
    window.setText(Control::Text16, row.h4);
    window.setText(Control::Text14, row.soil);
    DesignState state;
    ASSERT_EQ(COMPUTE(state, window), RunOutcome::Stopped);

    ASSERT_EQ(window.events().size(), 1U); // the message, and no box written
    const std::string& message = window.events().front().text;
    EXPECT_NE(message.find("计算" + std::string(row.quantity) + "时"), std::string::npos) << message;
    EXPECT_NE(message.find("超出范围"), std::string::npos) << message;
    for (const std::optional<double>* load :
         {&state.a, &state.b, &state.q11, &state.q21, &state.q31, &state.q42, &state.q22}) {
        EXPECT_TRUE(finiteOrUnset(*load));
    }
}

INSTANTIATE_TEST_SUITE_P(hardening, LoadOverflow, ::testing::ValuesIn(kOverflowCases),
                         [](const ::testing::TestParamInfo<OverflowCase>& info) { return info.param.name; });

struct LateOverflowCase {
    const char* name;
    Control box;
    const char* text;
    const char* quantity;              // the formula that overflows
    std::vector<Control> writtenFirst; // the boxes written before it
};

// Overflows past the loads, inside a formula whose result alone would look
// harmless: a denominator of infinity gives a quotient of 0, a limit of
// infinity passes every width. Each stops at its formula instead.
const LateOverflowCase kLateOverflowCases[] = {
    {"wall_1e153_thick_overflows_alfas_denominator", Control::Text4, "1e153", "αs", {}},
    {"limit_1_75e308_overflows_the_stop_test",
     Control::Text8,
     "1.75e308", // 1.05 times it is beyond the double range
     "Wmax",
     {Control::Text6, Control::Text7, Control::Text19}},
};

void PrintTo(const LateOverflowCase& row, std::ostream* out) { *out << row.name; }

class LateOverflow : public ::testing::TestWithParam<LateOverflowCase> {};

TEST_P(LateOverflow, StopsAtItsFormulaWithTheEarlierBoxesOnly) {
    const LateOverflowCase& row = GetParam();
    HeadlessWindow window;
    window.setText(row.box, row.text);
    DesignState state;
    ASSERT_EQ(COMPUTE(state, window), RunOutcome::Stopped);

    std::vector<Control> written;
    std::vector<std::string> messages;
    for (const WindowEvent& event : window.events()) {
        if (event.kind == WindowEvent::Kind::Write) {
            written.push_back(event.box);
        } else {
            messages.push_back(event.text);
        }
    }
    EXPECT_EQ(written, row.writtenFirst);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages.front(), "计算" + std::string(row.quantity) + "时数值超出范围，请检查输入数据");
}

INSTANTIATE_TEST_SUITE_P(hardening, LateOverflow, ::testing::ValuesIn(kLateOverflowCases),
                         [](const ::testing::TestParamInfo<LateOverflowCase>& info) { return info.param.name; });

} // namespace
} // namespace rampwall
