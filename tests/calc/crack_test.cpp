#include "calc/crack.h"
#include "calc/headless_window.h"
#include "calc/input_reader.h"
#include "calc/sswr.h"

#include <gtest/gtest.h>

#include <string>

namespace rampwall {
namespace {

// The worked example of the loop: strength results of a C25 wall with an
// 18 mm bar at 100 mm.
DesignState handExample(const char* limit) {
    DesignState state;
    state.Aas = 2118.2f;
    state.h5 = "350";
    state.h0 = 300.0;
    state.c = 50.0f;
    state.MBk = 144.166f;
    state.Ftk = 1.78;
    state.deq = 18;
    state.d = 18;
    state.ss = "100";
    state.Wmax = limit;
    return state;
}

TEST(crack, FirstPassByHand) {
    DesignState state = handExample("0.2");
    InputReader inputs(state);
    crackPass(state, inputs);
    EXPECT_EQ(textOf(state.Rte), "0.012");
    EXPECT_EQ(textOf(state.Csk), "260.769");
    EXPECT_EQ(textOf(state.Fai), "0.73");
    EXPECT_EQ(textOf(state.W), "0.43");
}

struct LoopCase {
    const char* name;
    const char* limit;
    int deq;
    const char* area;
    const char* width;
};

const LoopCase kLoopCases[] = {
    {"limit_0_2_five_passes", "0.2", 22, "3801.327", "0.197"},
    {"limit_0_3_two_passes", "0.3", 19, "2835.287", "0.283"},
    {"limit_0_05_twenty_two_passes", "0.05", 39, nullptr, nullptr},
};

class crackLoop : public testing::TestWithParam<LoopCase> {};

TEST_P(crackLoop, RaisesTheBarUntilTheWidthFits) {
    const LoopCase& c = GetParam();
    DesignState state = handExample(c.limit);
    InputReader inputs(state);
    HeadlessWindow window;
    window.clearEvents();
    controlCrackWidth(state, inputs, window);

    EXPECT_EQ(state.deq, BarDiameter{c.deq});
    EXPECT_EQ(state.d, BarDiameter{18}); // the strength bar is never touched
    if (c.area != nullptr) {
        EXPECT_EQ(window.text(Control::Text9), c.area);
        EXPECT_EQ(window.text(Control::Text11), c.width);
    }
    EXPECT_EQ(window.text(Control::Text18), std::to_string(c.deq));
    ASSERT_EQ(window.events().size(), 3U);
    EXPECT_EQ(window.events()[0].box, Control::Text9);
    EXPECT_EQ(window.events()[1].box, Control::Text11);
    EXPECT_EQ(window.events()[2].box, Control::Text18);
    // The width of the last pass is within the limit with its 5 % allowance.
    EXPECT_LE(static_cast<double>(*state.W) - 1.05 * std::stod(c.limit), 0.0);
}

INSTANTIATE_TEST_SUITE_P(crack, crackLoop, testing::ValuesIn(kLoopCases),
                         [](const testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

TEST(crack, IntermediatePassesOfTheHandExample) {
    DesignState state = handExample("0.2");
    InputReader inputs(state);
    const char* widths[] = {"0.43", "0.283", "0.249", "0.221", "0.197"};
    for (int pass = 0; pass < 5; ++pass) {
        crackPass(state, inputs);
        EXPECT_EQ(textOf(state.W), widths[pass]) << "pass " << pass + 1;
        if (pass == 1) {
            EXPECT_EQ(textOf(state.Rte), "0.016");
            EXPECT_EQ(textOf(state.Csk), "194.816");
            EXPECT_EQ(textOf(state.Fai), "0.729");
        }
        const int next = std::get<int>(state.deq) + 1;
        state.deq = next;
        state.Aas = SSWR(static_cast<float>(kPi / 4 * next * next * 1000 / 100));
    }
}

TEST(crack, RatioBelowTheFloorIsTheDouble001) {
    DesignState state = handExample("0.2");
    state.Aas = 1500.0f;
    InputReader inputs(state);
    crackPass(state, inputs);
    EXPECT_EQ(state.Rte, ReinforcementRatio{0.01});
    EXPECT_EQ(textOf(state.Rte), "0.01");
}

TEST(crack, PsiIsClampedAfterRounding) {
    DesignState state = handExample("0.2");
    state.Ftk = 100.0; // ψ far below 0.2
    InputReader inputs(state);
    crackPass(state, inputs);
    EXPECT_EQ(state.Fai, 0.2f);
    state.Ftk = -100.0; // ψ far above 1
    crackPass(state, inputs);
    EXPECT_EQ(state.Fai, 1.0f);
}

TEST(crack, PassingAtOnceKeepsTheStrengthResults) {
    DesignState state = handExample("0.5");
    InputReader inputs(state);
    HeadlessWindow window;
    controlCrackWidth(state, inputs, window);
    EXPECT_EQ(window.text(Control::Text9), "2118.2");
    EXPECT_EQ(window.text(Control::Text18), "18");
    EXPECT_EQ(window.text(Control::Text11), "0.43");
}

} // namespace
} // namespace rampwall
