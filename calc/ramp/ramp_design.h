// The ramp designed segment by segment: each segment at its deeper end with
// the load case of that section, the lightest spacing that passes, and the
// steel it takes. One implementation for the command line, the window, the
// page and the book.
#pragma once

#include "calc/editions/code_edition.h"
#include "calc/ramp/ramp_input.h"
#include "calc/run_result.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rampwall::ramp {

// Steel's mass per mm² of section and metre of bar (7850 kg/m³).
inline constexpr double kSteelKgPerMm2M = 0.00785;

enum class SegmentStatus {
    Ok,      // designed, every check satisfied
    Fails,   // designed, but no spacing satisfies every check
    Stopped, // every spacing stopped with a message
    None,    // the floor is not below the soil: nothing retained, nothing designed
};

std::string_view statusKey(SegmentStatus status);     // "ok", "fails", "stopped", "none"
std::string_view statusCaption(SegmentStatus status); // "满足", "不满足", "未完成", "无需计算"

// Where a segment is designed: its deeper end.
struct Section {
    std::size_t number = 0;  // from 1 at the upper end
    double from = 0, to = 0; // stations along the ramp (m)
    double at = 0;           // the station of the governing section
    double h4 = 0;           // the floor there, rounded half away from zero to the millimetre
    std::string h4Text;      // as it goes into the h4 box: "-1.188", "-2"
};

// The sections of the plan's segments, from the upper end.
std::vector<Section> sections(const RampPlan& plan);

struct SegmentDesign {
    Section section;
    SegmentStatus status = SegmentStatus::None;
    std::optional<LoadCase> loadCase;   // the case chosen for the section; none for a `none` one
    std::optional<std::size_t> spacing; // the index into the plan's spacings; none when stopped or none
    FormInputs inputs;                  // what the chosen (or the first stopped) design ran on
    RunResult result;                   // its run, without the sheet
    std::optional<double> kgPerMetre;   // steel per metre of wall; none without a design
    std::optional<double> kg;           // per segment: kgPerMetre × its length

    // The result box's text, empty when the run did not write it.
    std::string_view box(Control control) const;
    // The messages of the run, joined by " | ".
    std::string messages() const;
    // The bars as built: "22@100", "18/20@150"; empty without a design.
    std::string arrangement() const;
};

// Consecutive segments with the same arrangement, merged for the drawing
// and the book's summary.
struct Stretch {
    std::size_t first = 0, last = 0;          // indices into the schedule's segments
    std::string arrangement;                  // empty for segments without a design
    SegmentStatus status = SegmentStatus::Ok; // of the first; segments without a design merge by status
};

struct Schedule {
    RampPlan plan;
    const CodeEdition* edition = nullptr;
    FactorValues factors;
    FormInputs form; // the form the ramp runs over, as typed
    std::vector<SegmentDesign> segments;
    double totalKg = 0;           // summed from the unrounded weights
    std::size_t stoppedCount = 0; // segments the total leaves out

    // Every segment ok or none.
    bool allPass() const;
    std::vector<Stretch> stretches() const;
    // For each distinct arrangement, the segment that governs it: its
    // deepest (lowest h4), in the order the arrangements first appear.
    std::vector<std::size_t> governingSegments() const;
};

// Designs every segment: each section's h4 and load case typed into the
// form, then each spacing, run through the edition as 计算 runs it.
Schedule designRamp(const CodeEdition& edition, const FactorValues& factors, const FormInputs& form,
                    const RampPlan& plan);

// The steel of the designed face's vertical bars per metre of wall: As
// (mm²/m) over the height h1 − h4 (m). Laps, anchorage and the inside face
// are not included.
double steelPerMetre(double providedArea, double h1, double h4);

// The run of one segment again with the sheet and the book's report, for
// its calculation book; the same inputs, so the same result.
RunResult rerunForBook(const Schedule& schedule, std::size_t segment);

// The schedule's columns: the key of the command line's CSV, the header of
// the tables and workbooks with its unit, and how many decimals a number
// of the column shows (-1: a text column; 3: as the boxes show them).
struct ScheduleColumn {
    std::string_view key;
    std::string_view header;
    int decimals;
};
inline constexpr std::array<ScheduleColumn, 16> kScheduleColumns = {{
    {"segment", "段号", 0},
    {"from", "起点桩号(m)", 3},
    {"to", "终点桩号(m)", 3},
    {"h4", "控制截面h4(m)", 3},
    {"case", "情况", -1},
    {"spacing", "间距(mm)", 3},
    {"MBk", "MBk(kN·m/m)", 3},
    {"As_strength", "强度配筋As(mm²/m)", 3},
    {"bar_strength", "强度选用钢筋(mm)", -1},
    {"As_crack", "裂缝控制As(mm²/m)", 3},
    {"bar_crack", "选用钢筋(mm)", -1},
    {"crack_width", "wmax(mm)", 3},
    {"steel_kg_per_m", "钢筋重(kg/m)", 2},
    {"steel_kg", "钢筋重(kg)", 1},
    {"status", "结论", -1},
    {"message", "提示", -1},
}};

// The fields of one segment in the columns' order, as the CSV writes them.
std::array<std::string, kScheduleColumns.size()> scheduleFields(const Schedule& schedule, std::size_t index);

// "钢筋合计 1234.5 kg（竖向受力钢筋，不含搭接、锚固和内侧钢筋；2 段未完成，未计入）"
std::string totalText(const Schedule& schedule);
// What the weights leave out, said wherever they are shown.
inline constexpr std::string_view kWeightNote = "钢筋重量只计迎土（水）面竖向受力钢筋，不含搭接、锚固和内侧钢筋";

} // namespace rampwall::ramp
