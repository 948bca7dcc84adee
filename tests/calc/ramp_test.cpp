// The ramp in segments: where each segment is designed, with which load
// case, which spacing it keeps and the steel it takes. Expected values are
// worked by hand from the ramp's geometry, or come from single designs run
// on their own.
#include "calc/editions/registry.h"
#include "calc/headless_window.h"
#include "calc/materials.h"
#include "calc/ramp/ramp_design.h"
#include "calc/ramp/ramp_drawing.h"

#include <gtest/gtest.h>

#include <map>
#include <variant>

namespace rampwall::ramp {
namespace {

FormInputs startupForm(const CodeEdition& edition = defaultEdition()) { return HeadlessWindow(edition).inputs(); }

RampPlan planOf(const RampInput& input, const FormInputs& form) {
    auto planned = planRamp(input, form);
    if (const auto* problem = std::get_if<std::string>(&planned)) {
        ADD_FAILURE() << *problem;
        return {};
    }
    return std::get<RampPlan>(planned);
}

std::string field(const Schedule& schedule, std::size_t segment, std::string_view key) {
    const auto fields = scheduleFields(schedule, segment);
    for (std::size_t i = 0; i < kScheduleColumns.size(); ++i) {
        if (kScheduleColumns[i].key == key) {
            return fields[i];
        }
    }
    ADD_FAILURE() << "no column " << key;
    return {};
}

// ---- Segments and their governing sections ----

struct CountCase {
    const char* name;
    double length, segment;
    std::size_t count;
};

TEST(ramp_segments, count_leaves_no_empty_last_segment) {
    const CountCase cases[] = {
        {"21 m in 0.7 m", 21, 0.7, 30}, // 21 / 0.7 comes out a hair above 30
        {"60 m in 0.5 m", 60, 0.5, 120}, {"30 m in 5 m", 30, 5, 6}, {"31 m in 5 m: a short last one", 31, 5, 7},
        {"3 m in 5 m", 3, 5, 1},
    };
    for (const CountCase& c : cases) {
        EXPECT_EQ(segmentCount(c.length, c.segment), c.count) << c.name;
    }
}

struct SectionCase {
    const char* name;
    double h4Start, h4End, length, segment;
    std::vector<std::string> h4Texts;
    std::vector<double> stations;
};

TEST(ramp_segments, governing_h4_at_the_deeper_end_rounded_to_the_millimetre) {
    const SectionCase cases[] = {
        // -0.5 - 4 x / 30 at x = 5, 10, ... 30
        {"falling 30 m",
         -0.5,
         -4.5,
         30,
         5,
         {"-1.167", "-1.833", "-2.5", "-3.167", "-3.833", "-4.5"},
         {5, 10, 15, 20, 25, 30}},
        // -0.0625 is a tie held exactly: half away from zero gives -0.063
        {"a tie of the millimetre", 0, -0.125, 2, 1, {"-0.063", "-0.125"}, {1, 2}},
        // rising: the upper end of each segment is the deeper one
        {"rising", -3, -1, 10, 4, {"-3", "-2.2", "-1.4"}, {0, 4, 8}},
        // 7 m in 3 m: the last segment is 1 m long, designed at 7
        {"short last", -1, -8, 7, 3, {"-4", "-7", "-8"}, {3, 6, 7}},
    };
    for (const SectionCase& c : cases) {
        RampPlan plan;
        plan.length = c.length;
        plan.h4Start = c.h4Start;
        plan.h4End = c.h4End;
        plan.segmentLength = c.segment;
        plan.segments = segmentCount(c.length, c.segment);
        const std::vector<Section> list = sections(plan);
        ASSERT_EQ(list.size(), c.h4Texts.size()) << c.name;
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].h4Text, c.h4Texts[i]) << c.name << ", segment " << i + 1;
            EXPECT_DOUBLE_EQ(list[i].at, c.stations[i]) << c.name << ", segment " << i + 1;
            EXPECT_EQ(list[i].number, i + 1);
        }
        EXPECT_DOUBLE_EQ(list.back().to, c.length) << c.name;
    }
}

struct BadRampCase {
    const char* name;
    RampInput ramp;
    const char* says;
};

TEST(ramp_input, bad_inputs_are_refused_with_a_message) {
    const BadRampCase cases[] = {
        {"length not a number", {"三十", "", "5", "", ""}, "坡道长度"},
        {"length zero", {"0", "", "5", "", ""}, "坡道长度"},
        {"length huge", {"1e9", "", "5", "", ""}, "不能超过"},
        {"start not a number", {"30", "abc", "5", "", ""}, "h4,start"},
        {"start beyond any site", {"30", "-1e6", "5", "", ""}, "h4,start 应在 ±100000 m 以内"},
        {"segment negative", {"30", "", "-5", "", ""}, "分段长度"},
        {"segments too fine", {"2000", "", "0.001", "", ""}, "超过"},
        {"count not whole", {"30", "", "", "2.5", ""}, "分段数"},
        {"count zero", {"30", "", "", "0", ""}, "分段数"},
        {"spacing not a number", {"30", "", "5", "", "100,abc"}, "钢筋间距"},
        {"spacing negative", {"30", "", "5", "", "-100"}, "钢筋间距"},
        {"too many spacings", {"30", "", "5", "", "1 2 3 4 5 6 7 8 9 10 11 12 13"}, "最多"},
    };
    const FormInputs form = startupForm();
    for (const BadRampCase& c : cases) {
        const auto planned = planRamp(c.ramp, form);
        const auto* problem = std::get_if<std::string>(&planned);
        ASSERT_NE(problem, nullptr) << c.name;
        EXPECT_NE(problem->find(c.says), std::string::npos) << c.name << ": " << *problem;
    }
    // The form's levels the ramp reads: h4 at the lower end, h2 for a blank upper end.
    for (const auto& [box, says] : {std::pair{Control::Text16, "h4 应在"}, std::pair{Control::Text2, "h2 应在"}}) {
        FormInputs far = form;
        far.setText(box, "9.36e307");
        const auto planned = planRamp({"858", "", "5", "", ""}, far);
        const auto* problem = std::get_if<std::string>(&planned);
        ASSERT_NE(problem, nullptr) << says;
        EXPECT_NE(problem->find(says), std::string::npos) << *problem;
    }
}

TEST(ramp_input, spacings_split_on_any_separator_and_default_to_the_form) {
    EXPECT_EQ(splitSpacings("100,125，150、200；250 300"),
              (std::vector<std::string>{"100", "125", "150", "200", "250", "300"}));
    const FormInputs form = startupForm();
    const RampPlan plan = planOf({"30", "", "", "4", ""}, form);
    ASSERT_EQ(plan.spacings.size(), 1u);
    EXPECT_EQ(plan.spacings[0].text, form.text(Control::Text10));
    EXPECT_DOUBLE_EQ(plan.segmentLength, 7.5);
    // h4,start left blank is the soil surface h2.
    EXPECT_DOUBLE_EQ(plan.h4Start, -0.5);
}

// ---- The load case per section, and sections that retain nothing ----

TEST(ramp_design, floor_crossing_the_water_table_switches_from_case_b_to_a) {
    // Floor from -0.5 to -6.5 over 60 m in 5 m segments: h4 = -0.5 - 0.5 k at
    // segment k. The water at -3.0 is above the floor from segment 6 (-3.5) on;
    // at segment 5 the floor is at the water table itself: Case B.
    FormInputs form = startupForm();
    form.setText(Control::Text3, "-3.0");
    form.setText(Control::Text16, "-6.5");
    const Schedule schedule = designRamp(defaultEdition(), {}, form, planOf({"60", "", "5", "", ""}, form));
    ASSERT_EQ(schedule.segments.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(field(schedule, i, "case"), i < 5 ? "B" : "A") << "segment " << i + 1;
    }
    EXPECT_EQ(field(schedule, 4, "h4"), "-3");
    EXPECT_EQ(field(schedule, 5, "h4"), "-3.5");

    // Segment 6 is the single design at h4 -3.5 in Case A, run on its own.
    FormInputs single = startupForm();
    single.setText(Control::Text3, "-3.0");
    single.setText(Control::Text16, "-3.5");
    single.setSelected(Control::Combo3, 0);
    DesignState state;
    const RunResult alone = defaultEdition().design({single, {}, {.sheet = false}}, state);
    ASSERT_NE(alone.written(Control::Text6), nullptr);
    EXPECT_EQ(field(schedule, 5, "MBk"), *alone.written(Control::Text6));
    EXPECT_EQ(field(schedule, 5, "As_crack"), *alone.written(Control::Text9));
    EXPECT_EQ(field(schedule, 5, "bar_crack"), *alone.written(Control::Text18));
}

TEST(ramp_design, sections_whose_floor_is_not_below_the_soil_are_none) {
    // Floor from 0 to -2.5 over 10 m in 1 m segments: -0.25 and -0.5 at the
    // first two are not below h2 = -0.5; the third, at -0.75, retains soil.
    FormInputs form = startupForm();
    form.setText(Control::Text16, "-2.5");
    form.setText(Control::Text3, "-5");
    const Schedule schedule = designRamp(defaultEdition(), {}, form, planOf({"10", "0", "1", "", ""}, form));
    ASSERT_EQ(schedule.segments.size(), 10u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(field(schedule, i, "status"), "none") << "segment " << i + 1;
        EXPECT_EQ(field(schedule, i, "case"), "");
        EXPECT_EQ(field(schedule, i, "spacing"), "");
        EXPECT_EQ(field(schedule, i, "MBk"), "");
        EXPECT_EQ(field(schedule, i, "steel_kg"), "");
    }
    EXPECT_EQ(field(schedule, 1, "h4"), "-0.5");
    EXPECT_NE(field(schedule, 2, "status"), "none");
    EXPECT_EQ(field(schedule, 2, "h4"), "-0.75");
    EXPECT_TRUE(schedule.segments[2].result.completed());
    EXPECT_EQ(schedule.stoppedCount, 0u);
}

// ---- The lightest spacing, weights and totals, on an edition with scripted results ----

// Designs by the spacing typed: the provided area it gives, whether its
// checks pass, or a message that stops it.
class ScriptedEdition final : public CodeEdition {
public:
    struct Outcome {
        const char* area; // null: the run stops with `message`
        bool passes;
        const char* message = "";
    };
    explicit ScriptedEdition(std::map<std::string, Outcome> script) : m_script(std::move(script)) {}

    std::string_view key() const override { return "scripted"; }
    std::string_view title() const override { return "scripted"; }
    std::span<const SteelChoice> steelGrades() const override { return kSteel; }
    EditionBook book() const override { return {}; }

    RunResult design(const RunRequest& request, DesignState&) const override {
        RunResult result;
        const Outcome& outcome = m_script.at(request.inputs.text(Control::Text10));
        if (outcome.area == nullptr) {
            result.events.push_back({WindowEvent::Kind::Message, Control::Text12, outcome.message, "友情提示:"});
            result.outcome = RunOutcome::Stopped;
            return result;
        }
        for (const auto& [box, text] : {std::pair{Control::Text6, "1"}, std::pair{Control::Text9, outcome.area},
                                        std::pair{Control::Text18, "20"}}) {
            result.events.push_back({WindowEvent::Kind::Write, box, text, ""});
        }
        result.checks.push_back({"check", "", "", "", outcome.passes});
        result.outcome = RunOutcome::Completed;
        return result;
    }

private:
    static constexpr std::array<SteelChoice, 1> kSteel = {{{"S", "S", false}}};
    std::map<std::string, Outcome> m_script;
};

// h1 0, floor from -0.5 to -2.5 over 10 m in 5 m segments: h4 -1.5 and -2.5.
Schedule scripted(const ScriptedEdition& edition, const char* spacings) {
    FormInputs form = startupForm();
    form.setText(Control::Text16, "-2.5");
    return designRamp(edition, {}, form, planOf({"10", "", "5", "", spacings}, form));
}

struct ChoiceCase {
    const char* name;
    std::map<std::string, ScriptedEdition::Outcome> script;
    const char* spacings;
    const char* spacing; // kept
    const char* status;
    const char* message;
};

TEST(ramp_design, keeps_the_lightest_spacing_that_passes) {
    const ChoiceCase cases[] = {
        {"a lighter one that fails is passed over",
         {{"100", {"3000", true}}, {"150", {"2500", true}}, {"200", {"2000", false}}},
         "100,150,200",
         "150",
         "ok",
         ""},
        {"equal weights: the wider spacing",
         {{"150", {"2500", true}}, {"200", {"2500", true}}, {"100", {"2600", true}}},
         "150,200,100",
         "200",
         "ok",
         ""},
        {"none passes: the lightest completed one, failing",
         {{"100", {"3000", false}}, {"150", {"2000", false}}, {"200", {nullptr, false, "无合适钢筋"}}},
         "100,150,200",
         "150",
         "fails",
         ""},
        {"every spacing stops: the first one's message",
         {{"100", {nullptr, false, "第一条"}}, {"150", {nullptr, false, "第二条"}}},
         "100,150",
         "",
         "stopped",
         "第一条"},
    };
    for (const ChoiceCase& c : cases) {
        const ScriptedEdition edition(c.script);
        const Schedule schedule = scripted(edition, c.spacings);
        ASSERT_EQ(schedule.segments.size(), 2u) << c.name;
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(field(schedule, i, "spacing"), c.spacing) << c.name;
            EXPECT_EQ(field(schedule, i, "status"), c.status) << c.name;
            EXPECT_EQ(field(schedule, i, "message"), c.message) << c.name;
        }
    }
}

TEST(ramp_design, weights_per_metre_per_segment_and_in_total) {
    // 2500 mm²/m × 1.5 m × 0.00785 = 29.4375 kg/m, × 5 m = 147.1875 kg;
    // 2500 × 2.5 × 0.00785 = 49.0625 kg/m, × 5 m = 245.3125 kg; 392.5 kg in all.
    const ScriptedEdition edition({{"100", {"2500", true}}});
    const Schedule schedule = scripted(edition, "100");
    EXPECT_EQ(field(schedule, 0, "steel_kg_per_m"), "29.44");
    EXPECT_EQ(field(schedule, 0, "steel_kg"), "147.2");
    EXPECT_EQ(field(schedule, 1, "steel_kg_per_m"), "49.06");
    EXPECT_EQ(field(schedule, 1, "steel_kg"), "245.3");
    EXPECT_DOUBLE_EQ(schedule.totalKg, 392.5);
    EXPECT_EQ(schedule.stoppedCount, 0u);
    EXPECT_TRUE(schedule.allPass());
}

TEST(ramp_design, total_sums_unrounded_weights_and_counts_what_it_leaves_out) {
    // Three 1 m segments, h4 -1, -1.5, -2 (h1 0): 1016 mm²/m gives 7.9756,
    // 11.9634 and 15.9512 kg. Rounded first they would add to 36.0; the
    // total is 35.8902, shown 35.9.
    const ScriptedEdition edition({{"100", {"1016", true}}});
    FormInputs form = startupForm();
    form.setText(Control::Text16, "-2");
    const Schedule schedule = designRamp(edition, {}, form, planOf({"3", "-0.5", "1", "", "100"}, form));
    ASSERT_EQ(schedule.segments.size(), 3u);
    EXPECT_EQ(field(schedule, 0, "steel_kg"), "8");
    EXPECT_EQ(field(schedule, 1, "steel_kg"), "12");
    EXPECT_EQ(field(schedule, 2, "steel_kg"), "16");
    EXPECT_NEAR(schedule.totalKg, 35.8902, 1e-9);
    EXPECT_NE(totalText(schedule).find("35.9 kg"), std::string::npos) << totalText(schedule);

    const ScriptedEdition stopping({{"100", {nullptr, false, "停止"}}});
    const Schedule stopped = designRamp(stopping, {}, form, planOf({"3", "-0.5", "1", "", "100"}, form));
    EXPECT_EQ(stopped.stoppedCount, 3u);
    EXPECT_DOUBLE_EQ(stopped.totalKg, 0);
    EXPECT_NE(totalText(stopped).find("3 段未完成"), std::string::npos);
    EXPECT_FALSE(stopped.allPass());
}

TEST(ramp_design, adjacent_segments_of_the_same_bars_merge_and_the_deepest_governs) {
    // 2500 at both sections: one stretch of two segments, governed by the second.
    const ScriptedEdition edition({{"100", {"2500", true}}});
    const Schedule schedule = scripted(edition, "100");
    const std::vector<Stretch> stretches = schedule.stretches();
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_EQ(stretches[0].arrangement, "20@100");
    EXPECT_EQ(stretches[0].last, 1u);
    EXPECT_EQ(schedule.governingSegments(), std::vector<std::size_t>{1});
}

// ---- The drawing ----

TEST(ramp_drawing, labels_every_stretch_and_stays_inside_its_frame) {
    FormInputs form = startupForm();
    form.setText(Control::Text3, "-3.0");
    form.setText(Control::Text16, "-6.5");
    const Schedule schedule =
        designRamp(defaultEdition(), {}, form, planOf({"60", "", "0.5", "", "100,150,200"}, form));
    for (const auto& [width, height] : {std::pair{800.0, 300.0}, std::pair{165.0, 92.0}}) {
        const double font = width / 60;
        const Drawing drawing = drawRamp(schedule, width, height, font);
        for (const Stretch& stretch : schedule.stretches()) {
            const std::string label =
                stretch.arrangement.empty() ? std::string(statusCaption(stretch.status)) : stretch.arrangement;
            const bool found = std::any_of(drawing.texts.begin(), drawing.texts.end(),
                                           [&](const DrawText& text) { return text.text == label; });
            EXPECT_TRUE(found) << label;
        }
        for (const DrawLine& line : drawing.lines) {
            for (const DrawPoint& point : line.points) {
                EXPECT_GE(point.x, 0);
                EXPECT_LE(point.x, width);
                EXPECT_GE(point.y, 0);
                EXPECT_LE(point.y, height);
            }
        }
    }
}

} // namespace
} // namespace rampwall::ramp
