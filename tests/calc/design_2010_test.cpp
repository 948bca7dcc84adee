// The 2010 edition against the worked examples its design was checked by:
// figures worked out by hand from the formulas, to the digits they show.
#include "calc/calculation_stop.h"
#include "calc/decimal_text.h"
#include "calc/headless_window.h"
#include "calc/number_text.h"
#include "support/editions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rampwall {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;
using testing_support::edition2010;
using testing_support::factorsOf;

// An input typed as the user types it; a list takes its entry's text.
using Typed = std::vector<std::pair<Control, std::string>>;

RunResult run2010(const Typed& typed, const FactorValues& factors = {}) {
    HeadlessWindow window(edition2010());
    for (const auto& [control, text] : typed) {
        if (isList(control)) {
            window.typeIntoList(control, text);
        } else {
            window.setText(control, text);
        }
    }
    DesignState state;
    return edition2010().design({window.inputs(), factors, {.sheet = true, .values = true, .report = true}}, state);
}

double value(const RunResult& result, std::string_view name) {
    const std::optional<double> found = valueNamed(result.values, name);
    EXPECT_TRUE(found) << name;
    return found.value_or(0);
}

std::string text(const RunResult& result, std::string_view name) {
    for (const NamedText& named : result.texts) {
        if (named.name == name) {
            return named.text;
        }
    }
    ADD_FAILURE() << "no text " << name;
    return {};
}

std::string box(const RunResult& result, Control control) {
    const std::string* written = result.written(control);
    return written != nullptr ? *written : std::string();
}

// A figure as the examples print it: the value rounded to the figure's decimals.
void expectFigure(double actual, std::string_view figure, std::string_view what) {
    const std::size_t point = figure.find('.');
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(figure.size() - point - 1);
    EXPECT_EQ(roundToDecimals(actual, decimals), parseDouble(figure).value()) << what << " " << actual;
}

struct WorkedExample {
    const char* name;
    Typed typed;
    std::vector<std::pair<const char*, const char*>> figures; // named value: figure
    const char* strengthBar;
    std::vector<const char*> tried; // "bar@s：wmax=…" pieces of the sheet's trial line
    const char* designBar;
    const char* designArea;
    std::vector<const char*> warnings;
};

class worked_example : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(worked_example, BoxesFiguresTrialsAndWarnings) {
    const WorkedExample& example = GetParam();
    const RunResult result = run2010(example.typed);
    ASSERT_EQ(result.outcome, RunOutcome::Completed) << box(result, Control::Text12);
    EXPECT_TRUE(result.messages().empty());
    for (const auto& [name, figure] : example.figures) {
        expectFigure(value(result, name), figure, name);
    }
    EXPECT_EQ(box(result, Control::Text19), example.strengthBar);
    EXPECT_EQ(text(result, "strength_bar"), example.strengthBar);
    EXPECT_EQ(box(result, Control::Text18), example.designBar);
    EXPECT_EQ(text(result, "bar"), example.designBar);
    EXPECT_EQ(box(result, Control::Text9), example.designArea);
    const std::string sheet = box(result, Control::Text12);
    for (const char* trial : example.tried) {
        EXPECT_THAT(sheet, HasSubstr(trial));
    }
    for (const char* warning : example.warnings) {
        EXPECT_THAT(sheet, HasSubstr(warning));
        EXPECT_THAT(result.report.warnings, ::testing::Contains(HasSubstr(warning)));
    }
    if (example.warnings.empty()) {
        EXPECT_THAT(sheet, Not(HasSubstr("注意：")));
    }
    EXPECT_TRUE(result.passes());
}

INSTANTIATE_TEST_SUITE_P(
    design2010, worked_example,
    ::testing::Values(
        WorkedExample{"start_up",
                      {},
                      {{"MG", "131.729"},
                       {"M", "231.248"},
                       {"Mq", "155.729"},
                       {"V", "163.412"},
                       {"V_c", "289.289"},
                       {"As_strength", "2471.660"},
                       {"w_max", "0.199"},
                       {"h0", "289"}},
                      "18",
                      {"18@100：wmax=0.3245>0.2；18/20@100：wmax=0.2841>0.2；20@100：wmax=0.2507>0.2；20/"
                       "22@100：wmax=0.2228>0.2；22@100：wmax=0.1991≤0.2"},
                      "22",
                      "3801.327",
                      {}},
        WorkedExample{"C60",
                      {{Control::Combo1, "C60"}},
                      {{"alpha_1", "0.98"}, {"As_strength", "2332.252"}, {"h0", "290"}},
                      "18",
                      {"18@100：wmax=0.2553>0.2；18/20@100：wmax=0.2238>0.2；20@100：wmax=0.1975≤0.2"},
                      "20",
                      "3141.593",
                      {}},
        WorkedExample{"C15_HPB300",
                      {{Control::Combo1, "C15"}, {Control::Combo2, "HPB300"}},
                      {{"xi_b", "0.57570"}, {"As_strength", "4047.388"}},
                      "22/25",
                      {"22/25@100：wmax=0.2283>0.2；25@100：wmax=0.1961≤0.2"},
                      "25",
                      "4908.739",
                      {"低于C20，不满足GB 50010-2010第4.1.2条", "不应低于C25（GB 55008-2021第2.0.2条）"}},
        WorkedExample{
            "case_B",
            {{Control::Combo3, "情况B"}, {Control::Text3, "-5.0"}},
            {{"M", "184.800"}, {"Mq", "120.000"}, {"V", "123.600"}, {"As_strength", "1916.289"}},
            "16",
            {"16@100：wmax=0.2838>0.2；16/18@100：wmax=0.244>0.2；18@100：wmax=0.2121>0.2；18/20@100：wmax=0.1858≤0.2",
             "实配：18/20@100（即 18@200+20@200），As=2843.141"},
            "18/20",
            "2843.141",
            {}},
        WorkedExample{"minimum_steel_governs",
                      {{Control::Text16, "-2.0"}, {Control::Text4, "500"}},
                      {{"M", "16.102"}, {"Mq", "9.271"}, {"V", "27.663"}, {"As_strength", "1000"}, {"w_max", "0.0077"}},
                      "12",
                      {"取As,min=1000(mm²/m)", "12@100：wmax=0.0077"},
                      "12",
                      "1130.973",
                      {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Stop {
    const char* name;
    Typed typed;
    FactorValues factors;
    const char* message;
    std::vector<Control> written; // before the stop
};

class stop_2010 : public ::testing::TestWithParam<Stop> {};

TEST_P(stop_2010, MessageAndTheBoxesWrittenBefore) {
    const Stop& stop = GetParam();
    const RunResult result = run2010(stop.typed, stop.factors);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    ASSERT_EQ(result.messages().size(), 1u);
    EXPECT_THAT(result.messages().front()->text, HasSubstr(stop.message));
    std::vector<Control> written;
    for (const WindowEvent& event : result.events) {
        if (event.kind == WindowEvent::Kind::Write) {
            written.push_back(event.box);
        }
    }
    EXPECT_THAT(written, ElementsAreArray(stop.written));
    EXPECT_TRUE(result.checks.empty());
}

INSTANTIATE_TEST_SUITE_P(
    design2010, stop_2010,
    ::testing::Values(
        Stop{"xi_beyond_balanced",
             {{Control::Text2, "0"},
              {Control::Text3, "-3"},
              {Control::Text16, "-8"},
              {Control::Text4, "500"},
              {Control::Combo1, "C35"},
              {Control::Text10, "150"}},
             {},
             "相对受压区高度ξ=0.5933大于界限相对受压区高度ξb=0.5176",
             {}},
        Stop{"alpha_s_half_or_more", {{Control::Text16, "-6.0"}, {Control::Text4, "300"}}, {}, "≥0.5）", {}},
        // 22/25 carries the moment with ξ 0.5151; the crack width needs 25/28,
        // whose smaller h0 puts ξ at 0.5281, beyond ξb: no larger bar does better.
        Stop{"xi_beyond_balanced_after_the_strength_bars",
             {{Control::Combo1, "C20"}, {Control::Text4, "250"}, {Control::Text16, "-3.75"}, {Control::Text10, "150"}},
             {},
             "ξ=0.5281大于界限相对受压区高度ξb=0.5176",
             {Control::Text6, Control::Text7, Control::Text19}},
        Stop{"no_bar_carries_the_moment",
             {{Control::Text10, "400"}, {Control::Text4, "500"}, {Control::Text16, "-6"}},
             {},
             "钢筋直径增大到32mm（间距400mm）仍不满足受弯承载力要求，请减小钢筋间距或增加外墙厚度",
             {}},
        Stop{"no_bar_meets_the_crack_width",
             {{Control::Text8, "0.01"}},
             {},
             "仍不满足裂缝宽度限值0.01mm",
             {Control::Text6, Control::Text7, Control::Text19}},
        Stop{"no_effective_depth", {{Control::Text4, "56"}}, {}, "截面没有有效高度", {}},
        Stop{"no_concrete_grade", {{Control::Combo1, "C33"}}, {}, "“砼强度等级”没有选定", {}},
        Stop{"permanent_factor_zero", {}, factorsOf({{"gamma-g", 0}}), "“永久荷载分项系数γG”必须大于0且不大于10", {}},
        Stop{"earth_pressure_factor_above_one",
             {},
             factorsOf({{"k0", 1.5}}),
             "“静止土压力系数K0”必须大于0且不大于1",
             {}},
        Stop{"elevations", {{Control::Text3, "0"}}, {}, kElevationMessage.data(), {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A wall too thin for its shear completes, and its shear check says so.
TEST(design2010, ShearBeyondTheSlabsCapacityIsANotSatisfiedCheck) {
    const RunResult result = run2010(
        {{Control::Text4, "300"}, {Control::Text15, "300"}, {Control::Text16, "-2.5"}, {Control::Combo1, "C50"}});
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_FALSE(result.passes());
    const auto shear = std::find_if(result.checks.begin(), result.checks.end(),
                                    [](const Check& check) { return check.clause == "GB 50010-2010 第6.3.3条"; });
    ASSERT_NE(shear, result.checks.end());
    EXPECT_FALSE(shear->satisfied);
    // βh = 1 below h0 800: Vc = 0.7·ft·b·h0.
    expectFigure(value(result, "V_c"), decimalText(0.7 * 1.89 * value(result, "h0"), 3), "V_c");
    EXPECT_THAT(box(result, Control::Text12), HasSubstr("不满足，请增加外墙厚度"));
}

// The sheet names what a checker looks for: the dry soil's weight below the
// water table, the clauses, the combinations, bracketed negative levels.
TEST(design2010, SheetOfTheStartUpDesign) {
    const std::string sheet = box(run2010({}), Control::Text12);
    for (const char* piece :
         {"MB12=q11*a^2/2=4.5*3.5^2/2=27.563(kN·m/m)", "a=h3-h4=(-1.0)-(-4.5)=3.5(m)", "基本组合", "准永久组合",
          "第6.2.10条", "第6.2.7条", "第8.5.1条", "第7.1.2条", "第6.3.3条", "第8.2.1条", "静止土压力", "γ-10", "γw=10",
          "Vc=0.7*βh*ft*b*h0=0.7*1*1.43*1000*289/1000=289.289(kN/m)≥V=163.412(kN/m)，满足"}) {
        EXPECT_THAT(sheet, HasSubstr(piece));
    }
    // Only bars on sale, and no note asking the reader to mend the bar by hand.
    EXPECT_THAT(sheet, Not(HasSubstr("19@100")));
    EXPECT_THAT(sheet, Not(HasSubstr("5%")));
}

// K0 scales every earth and surcharge pressure; the water stays as it is.
TEST(design2010, EarthPressureFactorScalesTheEarthAndSurchargeOnly) {
    const RunResult atRest = run2010({});
    const RunResult active = run2010({}, factorsOf({{"k0", 0.25}}));
    for (const char* name : {"q11", "q21", "q42", "MB11", "MB12", "MB21", "MB42"}) {
        EXPECT_DOUBLE_EQ(value(active, name), value(atRest, name) / 2) << name;
    }
    EXPECT_EQ(value(active, "q31"), value(atRest, "q31"));
    EXPECT_EQ(value(active, "MB31"), value(atRest, "MB31"));
}

// Factors below the general code's minimums are no stop, but each is named.
TEST(design2010, FactorsBelowTheGeneralCodesMinimumsAreWarned) {
    const RunResult result = run2010({}, factorsOf({{"gamma-0", 0.8}, {"gamma-g", 1.2}, {"gamma-q", 1.4}}));
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_THAT(result.report.warnings, ElementsAreArray({HasSubstr("γ0=0.8小于0.9，低于GB 55001-2021第3.1.12条"),
                                                          HasSubstr("γG=1.2小于1.3，低于GB 55001-2021第3.1.13条"),
                                                          HasSubstr("γQ=1.4小于1.5，低于GB 55001-2021第3.1.13条")}));
}

// High-strength steel on a low grade, and a cover thinner than the bar.
TEST(design2010, GradesAndCoverBelowTheMinimumsAreWarned) {
    const RunResult result = run2010({{Control::Combo1, "C25"}, {Control::Combo2, "HRB500"}, {Control::Text13, "15"}});
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    const std::string bar = text(result, "bar");
    const std::string larger = bar.substr(bar.find('/') == std::string::npos ? 0 : bar.find('/') + 1);
    EXPECT_THAT(result.report.warnings,
                ElementsAreArray({HasSubstr("500MPa及以上等级钢筋的钢筋混凝土结构构件，混凝土强度等级不应低于C30（GB "
                                            "55008-2021第2.0.2条），本设计为C25"),
                                  HasSubstr("c=15mm小于钢筋公称直径" + larger + "mm，不满足GB 50010-2010第8.2.1条")}));
    EXPECT_TRUE(result.passes()) << "a warning is no failed check";
}

// The start-up design of the edition is C30 with HRB400.
TEST(design2010, StartsUpWithC30AndHrb400) {
    const HeadlessWindow window(edition2010());
    EXPECT_EQ(window.text(Control::Combo1), "C30");
    EXPECT_EQ(window.text(Control::Combo2), "HRB400");
}

} // namespace
} // namespace rampwall
