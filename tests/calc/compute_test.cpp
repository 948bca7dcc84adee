#include "calc/calculation_stop.h"
#include "calc/number_text.h"
#include "design_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace rampwall {
namespace {

using ::testing::ElementsAre;
using testing_support::DesignFixture;

const std::vector<std::string> kAllSixAndSheet = [] {
    std::vector<std::string> names;
    for (const Control box : kWrittenBoxes) {
        names.emplace_back(controlName(box));
    }
    return names;
}();

std::string readData(const std::string& name) {
    std::ifstream in(std::string(RAMPWALL_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> sheetLines(const std::string& sheet) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = sheet.find("\r\n", start);
        lines.push_back(sheet.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 2;
    }
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

using design = DesignFixture;

TEST_F(design, StartUpDesignGivesTheWorkedExample) {
    ASSERT_EQ(compute(), RunOutcome::Completed);

    EXPECT_EQ(state.Fc, 7.2);
    EXPECT_EQ(state.Ftk, 1.27);
    EXPECT_EQ(state.Fy, 210);
    EXPECT_EQ(state.h0, 300.0);
    EXPECT_EQ(state.a, 3.5);
    EXPECT_EQ(state.b, 0.5);
    EXPECT_EQ(state.q11, 4.5);
    EXPECT_EQ(state.q21, 14.0);
    EXPECT_EQ(state.q31, 35.0);
    EXPECT_EQ(state.q42, 5.0);
    EXPECT_EQ(textOf(state.MB11), "4.125");
    EXPECT_EQ(textOf(state.MB21), "28.583");
    EXPECT_EQ(textOf(state.MB31), "71.458");
    EXPECT_EQ(textOf(state.MB42), "40");
    EXPECT_EQ(textOf(state.MBk), "144.166");
    EXPECT_EQ(textOf(state.MB), "172.999");
    EXPECT_EQ(textOf(state.alfas), "0.267");
    EXPECT_EQ(textOf(state.kese), "0.317");
    EXPECT_EQ(textOf(state.SAas), "326.057");
    EXPECT_EQ(state.d, BarDiameter{22});
    EXPECT_EQ(textOf(state.Rte), "0.024");
    EXPECT_EQ(textOf(state.Csk), "132.946");
    EXPECT_EQ(textOf(state.Fai), "0.841");

    EXPECT_EQ(writtenBoxes(), kAllSixAndSheet);
    EXPECT_TRUE(window.messages().empty());
    EXPECT_EQ(box(Control::Text6), "144.166");
    EXPECT_EQ(box(Control::Text7), "3260.572");
    EXPECT_EQ(box(Control::Text19), "22");
    EXPECT_EQ(box(Control::Text9), "4154.756");
    EXPECT_EQ(box(Control::Text11), "0.202");
    EXPECT_EQ(box(Control::Text18), "23");
}

TEST_F(design, StartUpSheetIsExactToTheByte) {
    ASSERT_EQ(compute(), RunOutcome::Completed);
    const std::string sheet = box(Control::Text12);
    EXPECT_EQ(sheet, readData("sheet_case_a_startup.txt"));

    const std::vector<std::string> lines = sheetLines(sheet);
    ASSERT_EQ(lines.size(), 37U);
    EXPECT_EQ(lines[2], " a=h3-h4=-1.0- -4.5=3.5(m)");
    EXPECT_EQ(lines[5], "MB11 =0.5*q11*b*(a+b/3)=0.5*4.5*0.5*(3.5+0.5/3)=4.125 (kNm)");
    EXPECT_EQ(lines[16], "MB =η * MBk=1.2*144.166=172.999 (kNm)");
    EXPECT_TRUE(endsWith(lines[21], "=7.2*1000*300*0.317/210=3260.572(mm2)"));
    EXPECT_TRUE(endsWith(lines[23], "：22@ 100  (mm)"));
    EXPECT_TRUE(endsWith(lines[29], "(1.9*50+0.08*23/0.024)=0.202(mm)"));
    EXPECT_TRUE(endsWith(lines[31], "：23@ 100  (mm)"));
    EXPECT_FALSE(endsWith(sheet, "\r\n"));
}

TEST_F(design, CaseBExampleRunsSixCrackPasses) {
    choose(Control::Combo3, 1);
    choose(Control::Combo1, 2); // C25
    choose(Control::Combo2, 1); // Fy 300
    type(Control::Text3, "-5.0");
    ASSERT_EQ(compute(), RunOutcome::Completed);

    EXPECT_EQ(state.q11, 36.0);
    EXPECT_EQ(textOf(state.MB11), "96");
    EXPECT_EQ(state.q22, 5.0);
    EXPECT_EQ(textOf(state.MB22), "40");
    EXPECT_EQ(textOf(state.MBk), "136");
    EXPECT_EQ(textOf(state.MB), "163.2");
    EXPECT_EQ(textOf(state.alfas), "0.152");
    EXPECT_EQ(textOf(state.kese), "0.166");
    EXPECT_EQ(box(Control::Text7), "1975.4");
    EXPECT_EQ(box(Control::Text19), "16");
    EXPECT_EQ(box(Control::Text18), "21");
    EXPECT_EQ(box(Control::Text9), "3463.606");
    EXPECT_EQ(box(Control::Text11), "0.202");
    EXPECT_EQ(box(Control::Text12), readData("sheet_case_b_example.txt"));
}

TEST_F(design, CaseBDoesNotTouchCaseAFields) {
    ASSERT_EQ(compute(), RunOutcome::Completed);
    choose(Control::Combo3, 1);
    type(Control::Text3, "-5.0");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_EQ(textOf(state.MB21), "28.583");
    EXPECT_EQ(state.a, 3.5);
}

TEST_F(design, NamedValuesAreThisRunsStoredResults) {
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_TRUE(state.values.empty()); // not asked for
    const ComputeOptions named{.namedValues = true};
    ASSERT_EQ(COMPUTE(state, window, named), RunOutcome::Completed);
    EXPECT_EQ(valueNamed(state.values, "MB"), static_cast<double>(172.999f));
    // The strength area as Text7 showed it, before the crack loop raised Aas.
    EXPECT_EQ(formatSingle(static_cast<float>(valueNamed(state.values, "As_strength").value())), "3260.572");
    EXPECT_EQ(valueNamed(state.values, "d"), 23);
    EXPECT_EQ(valueNamed(state.values, "w_max"), widen(state.W));

    choose(Control::Combo3, 1);
    type(Control::Text3, "-5.0");
    ASSERT_EQ(COMPUTE(state, window, named), RunOutcome::Completed);
    EXPECT_FALSE(valueNamed(state.values, "MB21").has_value());
    EXPECT_EQ(valueNamed(state.values, "MB22"), 40);
}

struct MaterialCase {
    const char* name;
    int concrete;
    int steel;
    double Fc;
    double Ftk;
    int Fy;
};

class materials : public DesignFixture, public ::testing::WithParamInterface<MaterialCase> {};

TEST_P(materials, ListIndexSelectsTheRow) {
    const MaterialCase& c = GetParam();
    choose(Control::Combo1, c.concrete);
    choose(Control::Combo2, c.steel);
    choose(Control::Combo3, -1); // read the materials only
    ASSERT_EQ(compute(), RunOutcome::NoLoadCase);
    EXPECT_EQ(state.Fc, c.Fc);
    EXPECT_EQ(state.Ftk, c.Ftk);
    EXPECT_EQ(state.Fy, c.Fy);
}

INSTANTIATE_TEST_SUITE_P(compute, materials,
                         ::testing::Values(MaterialCase{"C15_HPB235", 0, 0, 7.2, 1.27, 210},
                                           MaterialCase{"C65_is_the_double_product", 10, 2, 28.808999999999997, 2.93,
                                                        360},
                                           MaterialCase{"C80_RRB400_is_400", 13, 3, 35.9 * 0.94, 3.11, 400}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(design, UnselectedListsKeepThePreviousMaterials) {
    choose(Control::Combo1, 3);
    choose(Control::Combo2, 1);
    ASSERT_EQ(compute(), RunOutcome::Completed);
    for (int index : {-1, 14, 99}) {
        choose(Control::Combo1, index);
        choose(Control::Combo2, index);
        ASSERT_EQ(compute(), RunOutcome::Completed);
        EXPECT_EQ(state.Fc, 14.3) << index;
        EXPECT_EQ(state.Ftk, 2.01) << index;
        EXPECT_EQ(state.Fy, 300) << index;
    }
}

TEST_F(design, NoMaterialEverSelectedStopsWithAMessage) {
    choose(Control::Combo1, -1);
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_EQ(window.messages().size(), 1U);
    EXPECT_TRUE(writtenBoxes().empty());
}

TEST_F(design, NoLoadCaseReadsInputsAndWritesNothing) {
    type(Control::Text13, "50.1");
    choose(Control::Combo3, -1);
    EXPECT_EQ(compute(), RunOutcome::NoLoadCase);
    EXPECT_TRUE(window.events().empty());
    EXPECT_EQ(state.h0, 299.9000015258789);
    EXPECT_EQ(textOf(state.h0), "299.900001525879");
    EXPECT_EQ(state.h3, "-1.0");
}

struct StopCase {
    const char* name;
    Control box;
    const char* text;
    const char* message;
    std::vector<std::string> written; // boxes written before the stop
};

class stops : public DesignFixture, public ::testing::WithParamInterface<StopCase> {};

TEST_P(stops, MessageThenNothingMore) {
    const StopCase& c = GetParam();
    ASSERT_EQ(compute(), RunOutcome::Completed);
    const std::string previousSheet = box(Control::Text12);
    type(c.box, c.text);
    EXPECT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_THAT(messageTexts(), ElementsAre(c.message));
    EXPECT_EQ(window.messages().front().title, "友情提示:");
    EXPECT_EQ(writtenBoxes(), c.written);
    EXPECT_EQ(box(Control::Text12), previousSheet);
}

const std::vector<std::string> kNone;
const std::vector<std::string> kStrengthTwo = {"Text6", "Text7"};
const std::vector<std::string> kStrengthThree = {"Text6", "Text7", "Text19"};

INSTANTIATE_TEST_SUITE_P(
    compute, stops,
    ::testing::Values(
        StopCase{"cover_not_a_number", Control::Text13, "5o", "“迎水面保护层厚度c(mm)”不是有效的数字，请重新输入",
                 kNone},
        StopCase{"thickness_empty", Control::Text4, "", "“墙厚度h5(mm)”不是有效的数字，请重新输入", kNone},
        StopCase{"cover_as_thick_as_wall", Control::Text13, "350",
                 "“迎水面保护层厚度c(mm)”必须小于“墙厚度h5(mm)”，请重新输入", kNone},
        StopCase{"cover_thicker_than_wall", Control::Text13, "400",
                 "“迎水面保护层厚度c(mm)”必须小于“墙厚度h5(mm)”，请重新输入", kNone},
        StopCase{"water_above_soil", Control::Text3, "0", "输入标高与实际情况不符，请重新输入", kNone},
        StopCase{"soil_above_top", Control::Text2, "0.5", "输入标高与实际情况不符，请重新输入", kNone},
        StopCase{"base_above_water", Control::Text16, "-0.8", "输入标高与实际情况不符，请重新输入", kNone},
        StopCase{"soil_weight_not_a_number", Control::Text14, "十八", "“土容重(kN/m3)”不是有效的数字，请重新输入",
                 kNone},
        StopCase{"factor_grouped", Control::Text5, "1,2", "“荷载分项系数”不是有效的数字，请重新输入", kNone},
        StopCase{"spacing_not_a_number", Control::Text10, "x", "“钢筋间距(mm)”不是有效的数字，请重新输入",
                 kStrengthTwo},
        StopCase{"spacing_zero", Control::Text10, "0", "“钢筋间距(mm)”必须大于零，请重新输入", kStrengthTwo},
        StopCase{"spacing_negative", Control::Text10, "-100", "“钢筋间距(mm)”必须大于零，请重新输入", kStrengthTwo},
        StopCase{"spacing_too_wide_for_any_bar", Control::Text10, "200", "算不出来，请增加外墙厚度，或采取其他措施",
                 kStrengthThree},
        StopCase{"limit_empty", Control::Text8, "", "“裂缝限值(mm)”不是有效的数字，请重新输入", kStrengthThree},
        StopCase{"limit_zero", Control::Text8, "0", "“裂缝限值(mm)”必须大于零，请重新输入", kStrengthThree},
        StopCase{"limit_negative", Control::Text8, "-0.2", "“裂缝限值(mm)”必须大于零，请重新输入", kStrengthThree}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(design, ElevationMessageKeepsEveryBox) {
    ASSERT_EQ(compute(), RunOutcome::Completed);
    HeadlessWindow before = window;
    type(Control::Text3, "0");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    for (Control control : kAllControls) {
        if (control != Control::Text3) {
            EXPECT_EQ(box(control), before.text(control)) << controlName(control);
        }
    }
    // The inputs read so far hold the new texts.
    EXPECT_EQ(state.h3, "0");
}

TEST_F(design, FailingCheckComesBeforeTheFirstUseOfH1) {
    type(Control::Text3, "0");
    type(Control::Text1, "top");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_THAT(messageTexts(), ElementsAre(std::string(kElevationMessage)));

    type(Control::Text3, "-1.0");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_THAT(messageTexts(), ElementsAre("“h1(m)”不是有效的数字，请重新输入"));
}

TEST_F(design, NonNumericCoverStopsBeforeAnyElevationCheck) {
    type(Control::Text13, "");
    type(Control::Text3, "0"); // would fail the first check
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_THAT(messageTexts(), ElementsAre("“迎水面保护层厚度c(mm)”不是有效的数字，请重新输入"));
}

struct ElevationCase {
    const char* name;
    int loadCase;
    const char* h1;
    const char* h2;
    const char* h3;
    const char* h4;
    bool passes;
};

class elevations : public DesignFixture, public ::testing::WithParamInterface<ElevationCase> {};

TEST_P(elevations, ChecksOfEachCase) {
    const ElevationCase& c = GetParam();
    choose(Control::Combo3, c.loadCase);
    type(Control::Text1, c.h1);
    type(Control::Text2, c.h2);
    type(Control::Text3, c.h3);
    type(Control::Text16, c.h4);
    type(Control::Text15, "10");
    compute();
    const bool elevationMessage = !window.messages().empty() && window.messages().front().text == kElevationMessage;
    EXPECT_EQ(elevationMessage, !c.passes);
}

INSTANTIATE_TEST_SUITE_P(compute, elevations,
                         ::testing::Values(ElevationCase{"a_startup", 0, "0", "-0.5", "-1.0", "-4.5", true},
                                           ElevationCase{"a_soil_at_water", 0, "0", "-1", "-1", "-4.5", true},
                                           ElevationCase{"a_water_at_base", 0, "0", "-0.5", "-4.5", "-4.5", true},
                                           ElevationCase{"a_water_above_soil", 0, "0", "-1.0", "-0.5", "-4.5", false},
                                           ElevationCase{"a_soil_above_top", 0, "0", "0.1", "-1.0", "-4.5", false},
                                           ElevationCase{"a_base_above_water", 0, "0", "-0.5", "-1.0", "-0.9", false},
                                           ElevationCase{"b_startup_water_above_base", 1, "0", "-0.5", "-1.0", "-4.5",
                                                         false},
                                           ElevationCase{"b_example", 1, "0", "-0.5", "-5.0", "-4.5", true},
                                           ElevationCase{"b_water_at_base", 1, "0", "-0.5", "-4.5", "-4.5", true},
                                           ElevationCase{"b_soil_at_top", 1, "-0.5", "-0.5", "-5.0", "-4.5", true},
                                           ElevationCase{"b_soil_above_top", 1, "-0.6", "-0.5", "-5.0", "-4.5", false},
                                           ElevationCase{"b_soil_at_water", 1, "0", "-5.0", "-5.0", "-5.0", false},
                                           ElevationCase{"b_no_retained_height", 1, "0", "-4.5", "-5.0", "-4.5", false},
                                           ElevationCase{"b_soil_below_base", 1, "0", "-4.8", "-5.0", "-4.5", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(design, CaseAEqualElevationsLeaveOnlyTheSurcharge) {
    for (Control elevation : {Control::Text1, Control::Text2, Control::Text3, Control::Text16}) {
        type(elevation, "-2");
    }
    EXPECT_EQ(compute(), RunOutcome::Stopped); // no moment at all
    EXPECT_EQ(state.a, 0.0);
    EXPECT_EQ(state.b, 0.0);
    EXPECT_EQ(state.q11, 0.0);
    EXPECT_EQ(state.q42, 5.0);
    EXPECT_EQ(textOf(state.MBk), "0");
    EXPECT_TRUE(writtenBoxes().empty());
}

TEST_F(design, CaseAWaterAtBaseLeavesTheSurchargeOverTheSoil) {
    type(Control::Text3, "-4.5");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_EQ(state.a, 0.0);
    EXPECT_EQ(textOf(state.MB21), "0");
    EXPECT_EQ(textOf(state.MB31), "0");
    // 0.5 · q42 · b², b = 4
    EXPECT_EQ(textOf(state.MB42), "40");
}

struct MomentCase {
    const char* name;
    Control box;
    const char* text;
};

class momentNotPositive : public DesignFixture, public ::testing::WithParamInterface<MomentCase> {};

TEST_P(momentNotPositive, StopsBeforeTheStrengthDesign) {
    const MomentCase& c = GetParam();
    type(c.box, c.text);
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    ASSERT_EQ(window.messages().size(), 1U);
    EXPECT_NE(window.messages().front().text.find("弯矩不大于零"), std::string::npos);
    EXPECT_TRUE(writtenBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(compute, momentNotPositive,
                         ::testing::Values(MomentCase{"negative_factor", Control::Text5, "-1.2"},
                                           MomentCase{"zero_factor", Control::Text5, "0"},
                                           MomentCase{"soil_lighter_than_water", Control::Text14, "-40"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(design, C30AndHrb335TakeThe18mmBar) {
    choose(Control::Combo1, 3);
    choose(Control::Combo2, 1);
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_EQ(textOf(state.alfas), "0.134");
    EXPECT_EQ(textOf(state.kese), "0.144");
    EXPECT_EQ(box(Control::Text7), "2059.2");
    EXPECT_EQ(textOf(state.SAas), "205.92");
    EXPECT_EQ(box(Control::Text19), "18");
}

TEST_F(design, ThinWallShowsTheMomentMessageAndGoesOn) {
    type(Control::Text4, "150");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_THAT(messageTexts(), ElementsAre("所受弯矩过大，请增加外墙厚度"));
    EXPECT_EQ(textOf(state.alfas), "2.403");
    EXPECT_EQ(state.kese, Zeta{1});
    EXPECT_EQ(box(Control::Text7), "3428.571");
    EXPECT_EQ(textOf(state.SAas), "342.857");
    EXPECT_EQ(box(Control::Text19), "22");
    EXPECT_EQ(writtenBoxes(), kAllSixAndSheet);
    const std::vector<std::string> lines = sheetLines(box(Control::Text12));
    EXPECT_TRUE(endsWith(lines[20], ")^0.5=1"));
}

TEST_F(design, BarMessageComesBeforeTheBarBoxIsWritten) {
    type(Control::Text10, "200");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_EQ(textOf(state.SAas), "652.114");
    ASSERT_EQ(window.events().size(), 4U);
    EXPECT_EQ(window.events()[2].kind, WindowEvent::Kind::Message);
    EXPECT_EQ(window.events()[3].box, Control::Text19);
    EXPECT_EQ(box(Control::Text19), "太大了");
    EXPECT_EQ(state.deq, BarDiameter{TooLarge{}});
}

TEST_F(design, BothMessagesInOneRun) {
    type(Control::Text4, "150");
    type(Control::Text10, "200");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    EXPECT_THAT(messageTexts(), ElementsAre(std::string(kMomentTooLargeMessage), std::string(kNoBarMessage)));
}

TEST_F(design, SmallMomentStartsTheCrackCheckFromTheChosenBar) {
    // A low wall: αs rounds to 0, so ζ and the strength area are 0.
    type(Control::Text2, "-4.4");
    type(Control::Text3, "-4.45");
    type(Control::Text15, "0");
    type(Control::Text4, "900");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_EQ(textOf(state.alfas), "0");
    EXPECT_EQ(box(Control::Text7), "0");
    EXPECT_EQ(box(Control::Text19), "12");
    // π/4 · 12² · 1000 / 100
    EXPECT_EQ(box(Control::Text9), "1130.973");
    EXPECT_EQ(box(Control::Text18), "12");
    const std::vector<std::string> lines = sheetLines(box(Control::Text12));
    EXPECT_EQ(lines[22], "满足强度控制要求时每延米所需钢筋面积为：0(mm2)");
}

TEST_F(design, LimitAboveTheSeedStillComputesTheWidth) {
    type(Control::Text8, "2");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    // One pass with the strength results: area and bar unchanged.
    EXPECT_EQ(box(Control::Text9), box(Control::Text7));
    EXPECT_EQ(box(Control::Text18), "22");
    EXPECT_NE(box(Control::Text11), "1.21");
    EXPECT_TRUE(state.Csk.has_value());
    EXPECT_TRUE(state.Fai.has_value());
}

TEST_F(design, SecondRunReplacesTheWholeSheet) {
    ASSERT_EQ(compute(), RunOutcome::Completed);
    const std::string first = box(Control::Text12);
    choose(Control::Combo1, 3);
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_NE(box(Control::Text12), first);
    EXPECT_EQ(sheetLines(box(Control::Text12)).size(), 37U);
    choose(Control::Combo1, 0);
    ASSERT_EQ(compute(), RunOutcome::Completed);
    EXPECT_EQ(box(Control::Text12), first);
}

TEST_F(design, InputsArePrintedAsTyped) {
    type(Control::Text14, "18.0");
    type(Control::Text3, "\xE3\x80\x80-1");
    ASSERT_EQ(compute(), RunOutcome::Completed);
    const std::vector<std::string> lines = sheetLines(box(Control::Text12));
    EXPECT_EQ(lines[4], " q11=0.5 * γ * b=0.5 * 18.0*0.5=4.5 (kN/m)");
    EXPECT_EQ(lines[2], " a=h3-h4=\xE3\x80\x80-1- -4.5=3.5(m)");
    EXPECT_EQ(box(Control::Text6), "144.166");
}

TEST_F(design, HugeInputsStopWithAMessageInsteadOfInfinity) {
    type(Control::Text16, "-1e200");
    ASSERT_EQ(compute(), RunOutcome::Stopped);
    ASSERT_EQ(window.messages().size(), 1U);
    EXPECT_NE(window.messages().front().text.find("超出范围"), std::string::npos);
    EXPECT_TRUE(writtenBoxes().empty());
}

} // namespace
} // namespace rampwall
