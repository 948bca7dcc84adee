// The ramp from typed texts: the bytes are split at 0x1F into the ramp's five
// boxes and the form's h1, h2, h3, h4 and spacing. Whatever they hold, the ramp
// is either refused with a message or designed with sections in order, a
// total that is the sum of its segments, and a drawing inside its frame.
#include "calc/editions/registry.h"
#include "calc/headless_window.h"
#include "calc/number_text.h"
#include "calc/ramp/ramp_drawing.h"
#include "calc/ramp/ramp_table.h"
#include "fuzz/fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using rampwall::fuzz::require;
namespace ramp = rampwall::ramp;

namespace {

// Designing every spacing of 2000 segments takes a while under the
// sanitizers; planning them does not.
constexpr std::size_t kMostDesigns = 240;

std::vector<std::string> fields(std::string_view text) {
    std::vector<std::string> parts(10);
    std::size_t at = 0;
    for (const char c : text) {
        if (c == '\x1f') {
            if (++at == parts.size()) {
                break;
            }
        } else {
            parts[at] += c;
        }
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> parts = fields(text);
    const ramp::RampInput input{parts[0], parts[1], parts[2], parts[3], parts[4]};
    rampwall::FormInputs form = rampwall::HeadlessWindow().inputs();
    const rampwall::Control boxes[] = {rampwall::Control::Text1, rampwall::Control::Text2, rampwall::Control::Text3,
                                       rampwall::Control::Text16, rampwall::Control::Text10};
    for (std::size_t i = 0; i < 5; ++i) {
        if (!parts[5 + i].empty()) {
            form.setText(boxes[i], parts[5 + i]);
        }
    }
    const auto planned = ramp::planRamp(input, form);
    if (const auto* problem = std::get_if<std::string>(&planned)) {
        require(!problem->empty(), "a refused ramp says why", text);
        return 0;
    }
    const ramp::RampPlan& plan = std::get<ramp::RampPlan>(planned);
    require(plan.segments >= 1 && plan.segments <= ramp::kMostSegments, "segments within bounds", text);
    const std::vector<ramp::Section> sections = ramp::sections(plan);
    for (const ramp::Section& section : sections) {
        require(section.from <= section.to && section.to <= plan.length, "segments in order", text);
        require(rampwall::parseDouble(section.h4Text) == section.h4, "h4 reads back as written", text);
    }
    if (plan.segments * plan.spacings.size() > kMostDesigns) {
        return 0;
    }
    const ramp::Schedule schedule = ramp::designRamp(rampwall::defaultEdition(), {}, form, plan);
    double total = 0;
    for (const ramp::SegmentDesign& segment : schedule.segments) {
        total += segment.kg.value_or(0);
        require(segment.kg.has_value() == segment.kgPerMetre.has_value(), "a weight per metre and per segment", text);
        require(segment.spacing.has_value() ==
                    (segment.status == ramp::SegmentStatus::Ok || segment.status == ramp::SegmentStatus::Fails),
                "a spacing exactly for a design", text);
    }
    require(total == schedule.totalKg, "the total is the sum of the segments", text);
    require(!ramp::scheduleCsv(schedule).empty(), "a schedule", text);
    const ramp::Drawing drawing = ramp::drawRamp(schedule, 800, 300, 12);
    for (const ramp::DrawLine& line : drawing.lines) {
        for (const ramp::DrawPoint& point : line.points) {
            require(std::isfinite(point.x) && std::isfinite(point.y), "finite drawing", text);
        }
    }
    return 0;
}
