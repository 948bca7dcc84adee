// What one run of 计算 found, as a value: the writes and messages the window
// replays in order, the named numbers, the checks with their verdicts, and
// for a book the load profile and the lines that explain the result. The
// window, the command-line tool, the browser module and the book all read a
// run from here; nothing reads a result back from a box.
#pragma once

#include "calc/controls.h"
#include "calc/editions/factor.h"
#include "calc/materials.h"
#include "calc/named_values.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rampwall {

enum class RunOutcome {
    Completed,  // the sheet was written
    Stopped,    // a message ended the run (elevations, no bar, bad input, arithmetic)
    NoLoadCase, // no load case selected: inputs read, nothing written
};

// A write into a box or a message box, as the window shows them.
struct WindowEvent {
    enum class Kind { Write, Message };
    Kind kind = Kind::Write;
    Control box = Control::Text12; // the box written (Write only)
    std::string text;              // the text written, or the message text
    std::string title;             // the message title (Message only)

    bool operator==(const WindowEvent&) const = default;
};

// One requirement the design must meet, with its verdict. The texts are
// filled only when the run was asked for a report; the verdict always.
struct Check {
    std::string_view name;   // "受弯承载力", "最大裂缝宽度"
    std::string_view clause; // "GB 50010-2010 第7.1.2条"; empty where the method names none
    std::string value;       // "wmax = 0.199 mm"
    std::string requirement; // "≤ 0.2 mm"
    bool satisfied = true;
};

// A text of the run beside its numbers: the bar as built ("22", "18/20").
struct NamedText {
    std::string_view name;
    std::string text;

    bool operator==(const NamedText&) const = default;
};

// A stretch of one layer's pressure: linear from p0 at depth d0 to p1 at d1
// (depths below the soil surface h2 in m, pressures on a metre of wall in kN/m).
struct PressureSegment {
    double d0 = 0, d1 = 0;
    double p0 = 0, p1 = 0;
};

// One layer of lateral pressure on a metre of wall, as the book tabulates and
// draws it.
struct PressureLayer {
    std::string name;     // "水上土压力"
    std::string ordinate; // "q11 = 9": the ordinate the table gives
    std::string where;    // "（水位处）"
    std::string moment;   // "MB11 = 4.125": its moment about the base
    std::vector<PressureSegment> segments;
    // The ordinate the figure writes, and the depth it writes it at.
    std::string labelName; // "q11"
    std::string labelText; // "9"
    double labelDepth = 0;
};

// Shear and bending moment of the characteristic loads at a depth below the
// soil surface (kN/m and kN·m/m); the deepest point is the base.
struct ProfilePoint {
    double depth = 0;
    double shear = 0;
    double moment = 0;
};

struct LoadProfile {
    double height = 0;                // retained height h2 − h4 (m)
    std::optional<double> waterDepth; // the water table below h2 when it is within the height (m)
    std::vector<PressureLayer> layers;
    std::vector<ProfilePoint> points; // from the surface to the base
    // The moment at the base as the diagram labels it: "MBk" and "144.166".
    std::string momentName, momentText;
    // The shear at the base likewise; none: the book draws no shear diagram.
    std::string shearName, shearText;

    bool empty() const { return layers.empty(); }
};

// A line of the book's tables: a caption and the text beside it, and the
// check (an index into the run's checks) whose verdict stands on the same line.
struct ReportRow {
    std::string caption;
    std::string text;
    std::optional<std::size_t> check = std::nullopt;
};

// What the book says of a run beyond its sheet; filled when a report is asked for.
struct RunReport {
    std::vector<std::pair<Control, std::string>> inputNotes; // the 设计资料 note of an input, with its values
    std::vector<ReportRow> forces;                           // 荷载与内力: the moments and shears of the base
    std::vector<ReportRow> results;                          // 结论: the reinforcement found
    std::string conclusion;                                  // the closing sentence
    std::vector<std::string> warnings;                       // what the checker must see, each naming its clause
    std::vector<std::pair<const FactorDefinition*, double>> factors; // the factors the run used
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Stopped;
    std::optional<LoadCase> loadCase;
    std::vector<WindowEvent> events;
    NamedValues values;           // when asked for
    std::vector<NamedText> texts; // when asked for
    std::vector<Check> checks;    // the checks the run reached
    LoadProfile profile;          // when a report is asked for
    RunReport report;             // when a report is asked for

    bool completed() const { return outcome == RunOutcome::Completed; }
    // Completed, and every check satisfied.
    bool passes() const;
    // The last text the run wrote into the box, or null when it wrote none.
    const std::string* written(Control box) const;
    // The messages in the order shown.
    std::vector<const WindowEvent*> messages() const;
};

} // namespace rampwall
