#include "calc/ramp/ramp_design.h"

#include "calc/decimal_text.h"
#include "calc/design_state.h"
#include "calc/materials.h"
#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rampwall::ramp {

namespace {

constexpr int kCaseAEntry = 0;
constexpr int kCaseBEntry = 1;

std::optional<double> number(std::string_view text) {
    const std::optional<double> value = parseDouble(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// A design of one spacing and the steel it takes.
struct Trial {
    std::size_t spacing;
    FormInputs inputs;
    RunResult result;
    std::optional<double> kgPerMetre;
};

// The lighter of two designs; of two equally heavy, the wider spacing.
bool lighter(const Trial& a, const Trial& b, const RampPlan& plan) {
    const double inf = std::numeric_limits<double>::infinity();
    const double wa = a.kgPerMetre.value_or(inf);
    const double wb = b.kgPerMetre.value_or(inf);
    if (wa != wb) {
        return wa < wb;
    }
    return plan.spacings[a.spacing].value > plan.spacings[b.spacing].value;
}

} // namespace

std::string_view statusKey(SegmentStatus status) {
    switch (status) {
    case SegmentStatus::Ok: return "ok";
    case SegmentStatus::Fails: return "fails";
    case SegmentStatus::Stopped: return "stopped";
    case SegmentStatus::None: break;
    }
    return "none";
}

std::string_view statusCaption(SegmentStatus status) {
    switch (status) {
    case SegmentStatus::Ok: return "满足";
    case SegmentStatus::Fails: return "不满足";
    case SegmentStatus::Stopped: return "未完成";
    case SegmentStatus::None: break;
    }
    return "无需计算";
}

std::vector<Section> sections(const RampPlan& plan) {
    std::vector<Section> list;
    list.reserve(plan.segments);
    // The deeper end governs: the lower end of each segment when the floor
    // falls along the ramp, the upper end when it rises.
    const bool deeperAtEnd = plan.h4End <= plan.h4Start;
    for (std::size_t i = 0; i < plan.segments; ++i) {
        Section section;
        section.number = i + 1;
        section.from = static_cast<double>(i) * plan.segmentLength;
        section.to = i + 1 == plan.segments ? plan.length
                                            : std::min(static_cast<double>(i + 1) * plan.segmentLength, plan.length);
        section.at = deeperAtEnd ? section.to : section.from;
        const double h4 = plan.h4Start + (plan.h4End - plan.h4Start) * section.at / plan.length;
        section.h4Text = formatDouble(roundToDecimals(h4, 3));
        // The value the run reads from the text: beyond 15 digits the text
        // is the shorter one, and the case and `none` must follow the run.
        section.h4 = parseDouble(section.h4Text).value_or(roundToDecimals(h4, 3));
        list.push_back(std::move(section));
    }
    return list;
}

double steelPerMetre(double providedArea, double h1, double h4) { return providedArea * (h1 - h4) * kSteelKgPerMm2M; }

std::string_view SegmentDesign::box(Control control) const {
    const std::string* text = result.written(control);
    return text != nullptr ? std::string_view(*text) : std::string_view();
}

std::string SegmentDesign::messages() const {
    if (status == SegmentStatus::None) {
        return "墙底不低于土面 h2，不挡土，无需计算";
    }
    std::string joined;
    for (const WindowEvent* message : result.messages()) {
        joined += (joined.empty() ? "" : " | ") + message->text;
    }
    return joined;
}

std::string SegmentDesign::arrangement() const {
    if (!spacing || box(Control::Text18).empty()) {
        return {};
    }
    return std::string(box(Control::Text18)) + "@" + inputs.text(Control::Text10);
}

bool Schedule::allPass() const {
    return std::all_of(segments.begin(), segments.end(), [](const SegmentDesign& segment) {
        return segment.status == SegmentStatus::Ok || segment.status == SegmentStatus::None;
    });
}

std::vector<Stretch> Schedule::stretches() const {
    std::vector<Stretch> list;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        std::string arrangement = segments[i].arrangement();
        const SegmentStatus status = segments[i].status;
        const bool designed = !arrangement.empty();
        // A failing segment is not merged with a passing one of the same bars.
        const bool same = !list.empty() && list.back().arrangement == arrangement &&
                          (designed ? (list.back().status == SegmentStatus::Fails) == (status == SegmentStatus::Fails)
                                    : list.back().status == status);
        if (same) {
            list.back().last = i;
        } else {
            list.push_back({i, i, std::move(arrangement), status});
        }
    }
    return list;
}

std::vector<std::size_t> Schedule::governingSegments() const {
    std::vector<std::size_t> governing;
    std::vector<std::string> arrangements;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::string arrangement = segments[i].arrangement();
        if (arrangement.empty()) {
            continue;
        }
        const auto known = std::find(arrangements.begin(), arrangements.end(), arrangement);
        if (known == arrangements.end()) {
            arrangements.push_back(arrangement);
            governing.push_back(i);
        } else {
            std::size_t& deepest = governing[static_cast<std::size_t>(known - arrangements.begin())];
            if (segments[i].section.h4 < segments[deepest].section.h4) {
                deepest = i;
            }
        }
    }
    return governing;
}

Schedule designRamp(const CodeEdition& edition, const FactorValues& factors, const FormInputs& form,
                    const RampPlan& plan) {
    Schedule schedule{plan, &edition, factors, form, {}, 0, 0};
    const std::optional<double> h1 = number(form.text(Control::Text1));
    const std::optional<double> h2 = number(form.text(Control::Text2));
    const std::optional<double> h3 = number(form.text(Control::Text3));
    // Boxes and lists only: the sheet is written again for a book.
    const RunDetail detail{.sheet = false, .values = false, .report = false};
    std::vector<Trial> trials;
    for (Section& section : sections(plan)) {
        SegmentDesign& segment = schedule.segments.emplace_back();
        const double length = section.to - section.from;
        segment.section = std::move(section);
        const Section& at = segment.section;
        segment.inputs = form;
        segment.inputs.setText(Control::Text16, at.h4Text);
        // A text that is no number is left to the run, which says so.
        if (h2 && !(at.h4 < *h2)) {
            segment.status = SegmentStatus::None;
            continue;
        }
        const bool caseA = h3 && *h3 > at.h4;
        segment.loadCase = caseA ? LoadCase::CaseA : LoadCase::CaseB;
        const int entry = caseA ? kCaseAEntry : kCaseBEntry;
        segment.inputs.setSelected(Control::Combo3, entry);
        segment.inputs.setText(Control::Combo3, kLoadCaseEntries[static_cast<std::size_t>(entry)]);

        trials.clear();
        for (std::size_t k = 0; k < plan.spacings.size(); ++k) {
            Trial& trial = trials.emplace_back(Trial{k, segment.inputs, {}, std::nullopt});
            trial.inputs.setText(Control::Text10, plan.spacings[k].text);
            DesignState state;
            trial.result = edition.design({trial.inputs, factors, detail}, state);
            // The area provided is the crack-control box's: the bars as
            // built, as the schedule shows them, so a hand check of the
            // weight starts from a printed number.
            const std::string* provided = trial.result.written(Control::Text9);
            const std::optional<double> area = provided != nullptr ? number(*provided) : std::nullopt;
            if (trial.result.completed() && area && h1) {
                trial.kgPerMetre = steelPerMetre(*area, *h1, at.h4);
            }
        }
        const Trial* best = nullptr;
        for (const bool mustPass : {true, false}) {
            for (const Trial& trial : trials) {
                const bool fits = mustPass ? trial.result.passes() : trial.result.completed();
                if (fits && (best == nullptr || lighter(trial, *best, plan))) {
                    best = &trial;
                }
            }
            if (best != nullptr) {
                break;
            }
        }
        if (best == nullptr) {
            segment.status = SegmentStatus::Stopped;
            segment.inputs = std::move(trials.front().inputs);
            segment.result = std::move(trials.front().result);
            ++schedule.stoppedCount;
            continue;
        }
        segment.status = best->result.passes() ? SegmentStatus::Ok : SegmentStatus::Fails;
        segment.spacing = best->spacing;
        segment.kgPerMetre = best->kgPerMetre;
        if (segment.kgPerMetre) {
            segment.kg = *segment.kgPerMetre * length;
            schedule.totalKg += *segment.kg;
        }
        Trial& chosen = trials[static_cast<std::size_t>(best - trials.data())];
        segment.inputs = std::move(chosen.inputs);
        segment.result = std::move(chosen.result);
    }
    return schedule;
}

RunResult rerunForBook(const Schedule& schedule, std::size_t segment) {
    DesignState state;
    return schedule.edition->design(
        {schedule.segments.at(segment).inputs, schedule.factors, {.sheet = true, .values = true, .report = true}},
        state);
}

std::array<std::string, kScheduleColumns.size()> scheduleFields(const Schedule& schedule, std::size_t index) {
    const SegmentDesign& segment = schedule.segments.at(index);
    const Section& at = segment.section;
    std::string caseLetter;
    if (segment.loadCase) {
        caseLetter = *segment.loadCase == LoadCase::CaseA ? "A" : "B";
    }
    // A segment no spacing completed has no results: what its first run
    // wrote before it stopped is not a design.
    const bool designed = segment.spacing.has_value();
    const auto result = [&](Control box) { return designed ? std::string(segment.box(box)) : std::string(); };
    return {
        formatInteger(static_cast<long long>(at.number)),
        decimalText(at.from, 3),
        decimalText(at.to, 3),
        at.h4Text,
        caseLetter,
        segment.spacing ? schedule.plan.spacings[*segment.spacing].text : std::string(),
        result(Control::Text6),
        result(Control::Text7),
        result(Control::Text19),
        result(Control::Text9),
        result(Control::Text18),
        result(Control::Text11),
        segment.kgPerMetre ? decimalText(*segment.kgPerMetre, 2) : std::string(),
        segment.kg ? decimalText(*segment.kg, 1) : std::string(),
        std::string(statusKey(segment.status)),
        segment.messages(),
    };
}

std::string totalText(const Schedule& schedule) {
    std::string text = "钢筋合计 " + decimalText(schedule.totalKg, 1) + " kg";
    if (schedule.stoppedCount > 0) {
        text += "（" + formatInteger(static_cast<long long>(schedule.stoppedCount)) + " 段未完成计算，未计入）";
    }
    return text;
}

} // namespace rampwall::ramp
