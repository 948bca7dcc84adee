// The 2010 edition against the worked examples of its introduction: the
// figures there were worked out by hand from the formulas, to the digits
// they show.
#include "calculation_stop.h"
#include "compute.h"
#include "decimal_text.h"
#include "headless_window.h"
#include "materials_2010.h"
#include "number_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace rampwall {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// A figure as a table prints it: the value rounded to the figure's decimals.
void expectFigure(double value, std::string_view figure, std::string_view what) {
    const std::size_t point = figure.find('.');
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(figure.size() - point - 1);
    EXPECT_EQ(roundToDecimals(value, decimals), parseDouble(figure).value()) << what << " " << value;
}

class design2010 : public ::testing::Test {
protected:
    RunOutcome compute() {
        window.clearEvents();
        return COMPUTE(state, window, options);
    }
    void steel(std::string_view code) {
        window.setSelectedIndex(Control::Combo2, steelIndexByCode(Edition::GB50010_2010, code).value());
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const WindowEvent& event : window.messages()) {
            texts.push_back(event.text);
        }
        return texts;
    }
    std::vector<Control> written() const {
        std::vector<Control> boxes;
        for (const WindowEvent& event : window.events()) {
            if (event.kind == WindowEvent::Kind::Write) {
                boxes.push_back(event.box);
            }
        }
        return boxes;
    }

    HeadlessWindow window{Edition::GB50010_2010};
    DesignState state;
    ComputeOptions options{.edition = Edition::GB50010_2010};
};

struct WorkedExample {
    const char* name;
    int concrete;
    const char* steel;
    int loadCase;
    std::vector<std::pair<Control, const char*>> typed;
    std::array<const char*, 5> figures;              // M, Mq, αs, ξ, ξb as the table shows them ("" when not shown)
    std::vector<std::pair<int, const char*>> passes; // bar: wmax
    std::array<const char*, 6> boxes;                // Text6, Text7, Text19, Text9, Text11, Text18
    std::vector<const char*> sheetLines;
};

class workedExamples : public design2010, public ::testing::WithParamInterface<WorkedExample> {};

TEST_P(workedExamples, BoxesPassesAndSheet) {
    const WorkedExample& example = GetParam();
    window.setSelectedIndex(Control::Combo1, example.concrete);
    steel(example.steel);
    window.setSelectedIndex(Control::Combo3, example.loadCase);
    for (const auto& [box, text] : example.typed) {
        window.setText(box, text);
    }
    ASSERT_EQ(compute(), RunOutcome::Completed) << testing::PrintToString(messages());
    EXPECT_TRUE(window.messages().empty());

    const State2010& g = state.gb2010;
    const std::array<double, 5> values = {g.M, g.Mq, g.alphaS, g.xi, g.xiB};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (*example.figures[i] != '\0') {
            expectFigure(values[i], example.figures[i], "figure " + std::to_string(i));
        }
    }
    ASSERT_EQ(g.passes.size(), example.passes.size());
    for (std::size_t i = 0; i < g.passes.size(); ++i) {
        EXPECT_EQ(g.passes[i].d, example.passes[i].first);
        expectFigure(g.passes[i].wmax, example.passes[i].second, "wmax");
    }

    const std::array<Control, 6> boxes = {Control::Text6, Control::Text7,  Control::Text19,
                                          Control::Text9, Control::Text11, Control::Text18};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(window.text(boxes[i]), example.boxes[i]) << controlName(boxes[i]);
    }
    const std::string& sheet = window.text(Control::Text12);
    for (const char* line : example.sheetLines) {
        EXPECT_THAT(sheet, HasSubstr(std::string("\r\n") + line + "\r\n"));
    }
    // No allowance over the limit, so no note about one; the odd-bar note stays.
    EXPECT_THAT(sheet, Not(HasSubstr("5%")));
    EXPECT_THAT(sheet, HasSubstr("\r\n    则实际所配钢筋为 18@200+20@200（依次类推）"));
    EXPECT_EQ(sheet.find("注意") != std::string::npos, example.concrete < 2);
}

const char* const kBelowC25 = "注意：混凝土强度等级C15低于C25，不满足GB 55008-2021对钢筋混凝土构件的最低要求";

INSTANTIATE_TEST_SUITE_P(
    design2010, workedExamples,
    ::testing::Values(
        WorkedExample{"start_up_loads",
                      3,
                      "HRB400",
                      0,
                      {},
                      {"195.417", "128.167", "0.15184", "0.16554", "0.51765"},
                      {{16, "0.3038"}, {17, "0.2606"}, {18, "0.2257"}, {19, "0.1971"}},
                      {"144.167", "1972.694", "16", "2835.287", "0.197", "19"},
                      {"M =γ0*(γG*MG+γQ*γL*MQ)=1*(1.3*104.167+1.5*1*40)=195.417 (kNm)",
                       "Mq =MG+ψq*MQ=104.167+0.6*40=128.167 (kNm)",
                       " αs=M*10^6/(α1*fc*b*h0^2)=195.417*10^6/(1*14.3*1000*300^2)=0.15184",
                       "ξb=β1/(1+fy/(Es*εcu))=0.8/(1+360/(200000*0.0033))=0.51765",
                       " 逐级试算：16mm，wmax=0.30382>0.2；17mm，wmax=0.26058>0.2；18mm，wmax=0.22566>0.2；19mm，"
                       "wmax=0.19709≤0.2",
                       "cs=c=50(mm)",
                       "wmax = 1.9*ψ*σsq/Es*(1.9*cs+0.08*deq/ρte)=1.9*0.6344*173.196/200000*(1.9*50+0.08*19/"
                       "0.016202)=0.19709(mm)≤0.2(mm)",
                       "满足裂缝控制要求时选用钢筋为：19@ 100  (mm)"}},
        WorkedExample{"C15_HPB300",
                      0,
                      "HPB300",
                      0,
                      {},
                      {"195.417", "128.167", "0.30157", "0.37003", "0.57570"},
                      {{20, "0.2534"}, {21, "0.2235"}, {22, "0.1985"}},
                      {"144.167", "2960.24", "20", "3801.327", "0.198", "22"},
                      {kBelowC25, "deq=d/ν=22/0.7=31.429(mm)"}},
        WorkedExample{
            "case_B",
            3,
            "HRB400",
            1,
            {{Control::Text3, "-5.0"}},
            {"184.800", "120.000", "0.14359", "0.15571", ""},
            {{16, "0.2703"}, {17, "0.2318"}, {18, "0.2007"}, {19, "0.1753"}},
            {"136", "1855.58", "16", "2835.287", "0.175", "19"},
            {"MG =MB11=96 (kNm)  永久荷载：土压力", "M =γ0*(γG*MG+γQ*γL*MQ)=1*(1.3*96+1.5*1*40)=184.8 (kNm)"}},
        WorkedExample{"minimum_steel_governs",
                      3,
                      "HRB400",
                      0,
                      {{Control::Text16, "-2.0"}, {Control::Text4, "500"}},
                      {"13.177", "7.021", "0.00455", "0.00456", ""},
                      {{12, "0.0058"}},
                      {"9.271", "1000", "12", "1130.973", "0.006", "12"},
                      {"As=α1*fc*b*h0*ξ/fy=1*14.3*1000*450*0.0045609/360=81.526(mm2)",
                       "As<As,min，按最小配筋率控制，取As=As,min=1000(mm2)",
                       " ρte = As/(0.5*1000*h5)=1130.973 /(0.5*1000* 500 )= 0.0045239<0.01，取ρte=0.01",
                       "ψ = 1.1-0.65*ftk/(ρte*σsq)=1.1-0.65*2.01/(0.01*15.856)=-7.1396<0.2，取ψ=0.2"}},
        WorkedExample{"cover_clamped",
                      3,
                      "HRB400",
                      0,
                      {{Control::Text13, "70"}, {Control::Text4, "400"}},
                      {"195.417", "128.167", "0.12549", "0.13454", ""},
                      {{16, "0.2723"}, {17, "0.2340"}, {18, "0.2030"}, {19, "0.1776"}},
                      {"144.167", "1763.553", "16", "2835.287", "0.178", "19"},
                      {"c=70>65，取cs=65(mm)"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Stop2010 {
    const char* name;
    int concrete;
    const char* steel;
    std::vector<std::pair<Control, const char*>> typed;
    LoadFactors factors;
    const char* message;
    std::vector<Control> written; // before the stop
};

class stops2010 : public design2010, public ::testing::WithParamInterface<Stop2010> {};

TEST_P(stops2010, MessageAndTheBoxesWrittenBefore) {
    const Stop2010& c = GetParam();
    window.setSelectedIndex(Control::Combo1, c.concrete);
    steel(c.steel);
    for (const auto& [box, text] : c.typed) {
        window.setText(box, text);
    }
    options.factors = c.factors;
    EXPECT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_THAT(messages(), ElementsAre(c.message));
    EXPECT_EQ(written(), c.written);
}

LoadFactors withFactor(double LoadFactors::*member, double value) {
    LoadFactors factors;
    factors.*member = value;
    return factors;
}

INSTANTIATE_TEST_SUITE_P(
    design2010, stops2010,
    ::testing::Values(
        Stop2010{
            "xi_beyond_balanced",
            0,
            "HRB500",
            {{Control::Text16, "-5.0"}},
            {},
            "所受弯矩过大，相对受压区高度ξ=0.6158大于界限相对受压区高度ξb=0.4822，请增加外墙厚度或提高混凝土强度等级",
            {}},
        Stop2010{"alpha_s_half_or_more",
                 0,
                 "HRB400",
                 {{Control::Text4, "250"}},
                 {},
                 "所受弯矩过大（αs=0.6785≥0.5），请增加外墙厚度或提高混凝土强度等级",
                 {}},
        Stop2010{"no_bar_at_a_wide_spacing",
                 3,
                 "HRB400",
                 {{Control::Text10, "300"}},
                 {},
                 kNoBarMessage.data(),
                 {Control::Text6, Control::Text7, Control::Text19}},
        Stop2010{"permanent_factor_zero",
                 3,
                 "HRB400",
                 {},
                 withFactor(&LoadFactors::gammaG, 0),
                 "“永久荷载分项系数γG”必须大于0且不大于10，请重新输入",
                 {}},
        Stop2010{"quasi_permanent_above_one",
                 3,
                 "HRB400",
                 {},
                 withFactor(&LoadFactors::psiQ, 1.5),
                 "“准永久值系数ψq”必须在0到1之间，请重新输入",
                 {}},
        Stop2010{"elevations_as_in_2002", 3, "HRB400", {{Control::Text3, "0"}}, {}, kElevationMessage.data(), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(design2010, FactorsEnterTheirOwnMoments) {
    window.setSelectedIndex(Control::Combo1, 3);
    steel("HRB400");
    // By hand: MG 104.1667, MQ 40.
    options.factors = {.gamma0 = 1.1, .gammaG = 1.3, .gammaQ = 1.5, .gammaL = 1.1, .psiQ = 0.5};
    ASSERT_EQ(compute(), RunOutcome::Completed);
    expectFigure(state.gb2010.M, "221.558", "M");
    expectFigure(state.gb2010.Mq, "124.167", "Mq");
    expectFigure(state.gb2010.Mk, "144.167", "Mk");
}

TEST_F(design2010, SheetOfAWeakConcreteAndALongCrackLoop) {
    window.setSelectedIndex(Control::Combo1, 0);
    steel("HRB400");
    window.setText(Control::Text8, "0.05");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    const std::string& sheet = window.text(Control::Text12);
    EXPECT_THAT(sheet, HasSubstr("最低要求；采用400MPa及以上钢筋时，GB 50010-2010第4.1.2条亦要求不低于C25\r\n"));
    // The first four passes and the last four, the ones between left out.
    const int first = state.gb2010.d;
    const int last = state.gb2010.passes.back().d;
    ASSERT_GT(last - first, 8);
    auto pass = [](int d) { return std::to_string(d) + "mm，wmax="; };
    EXPECT_THAT(sheet, HasSubstr("\r\n 逐级试算：" + pass(first)));
    EXPECT_THAT(sheet, HasSubstr(">0.05；" + pass(first + 3)));
    EXPECT_THAT(sheet, Not(HasSubstr(pass(first + 4))));
    EXPECT_THAT(sheet, HasSubstr(">0.05；……；" + pass(last - 3)));
    EXPECT_THAT(sheet, HasSubstr("≤0.05\r\n As=π*d^2/4*1000/s=π*" + std::to_string(last) + "^2"));
}

TEST_F(design2010, LoadFactorBoxIsNotRead) {
    window.setSelectedIndex(Control::Combo1, 3);
    steel("HRB400");
    window.setText(Control::Text5, "不用");
    EXPECT_EQ(compute(), RunOutcome::Completed);
}

TEST_F(design2010, NamedValuesOfTheRun) {
    options.namedValues = true;
    window.setSelectedIndex(Control::Combo1, 3);
    steel("HRB400");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    for (const char* name : {"M", "Mq", "Mk", "alpha_s", "xi", "xi_b", "As_required", "As_min", "rho_te", "sigma_sq",
                             "psi", "c_s", "d_eq", "w_max"}) {
        EXPECT_TRUE(valueNamed(state.values, name).has_value()) << name;
    }
    // Full precision, not the figures of the boxes.
    EXPECT_NEAR(valueNamed(state.values, "M").value(), 195.41666666666666, 1e-12);
    EXPECT_EQ(valueNamed(state.values, "w_max"), state.gb2010.passes.back().wmax);

    // A stopped run keeps what it formed, ξ and ξb included.
    window.setSelectedIndex(Control::Combo1, 0);
    steel("HRB500");
    window.setText(Control::Text16, "-5.0");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    expectFigure(valueNamed(state.values, "xi").value(), "0.6158", "xi");
    EXPECT_FALSE(valueNamed(state.values, "w_max").has_value());
}

// The 2002 edition takes nothing from the 2010 settings.
TEST(design2002, UntouchedByTheLoadFactors) {
    HeadlessWindow plain;
    HeadlessWindow factored;
    DesignState plainState;
    DesignState factoredState;
    ComputeOptions options{.namedValues = true};
    ASSERT_EQ(COMPUTE(plainState, plain, options), RunOutcome::Completed);
    options.factors = {.gamma0 = 1.1, .gammaG = 1.35, .gammaQ = 1.4, .gammaL = 0.9, .psiQ = 0.4};
    ASSERT_EQ(COMPUTE(factoredState, factored, options), RunOutcome::Completed);
    EXPECT_EQ(plain.events(), factored.events());
    EXPECT_EQ(plainState.values, factoredState.values);
}

} // namespace
} // namespace rampwall
