// Design file reader: whatever bytes arrive, parse either gives a design or
// one error, never both, and a design it gives survives a save and a second
// reading unchanged, with nothing left over to note. A ramp it holds is
// planned over its inputs: a plan or a message, and sections within bounds.
#include "calc/ramp/ramp_design.h"
#include "design/design_file.h"
#include "fuzz/fuzz_check.h"

#include <cstdint>
#include <string_view>

using rampwall::design::parse;
using rampwall::design::serialize;
using rampwall::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const rampwall::design::DesignFile defaults = rampwall::design::startupDesign("2024-05-06");
    const rampwall::design::ParseResult read = parse(text, defaults);
    require(read.design.has_value() != !read.error.empty(), "a design or an error, not both", text);
    if (!read.design) {
        require(read.notes.empty(), "a refused file has no notes", text);
        return 0;
    }
    const std::string saved = serialize(*read.design);
    const rampwall::design::ParseResult again = parse(saved, defaults);
    require(again.design.has_value() && *again.design == *read.design, "a saved design reads back the same", saved);
    require(again.notes.empty(), "a saved design has nothing to note", saved);
    require(serialize(*again.design) == saved, "saving twice gives the same bytes", saved);
    if (read.design->ramp) {
        rampwall::FormInputs form;
        for (std::size_t i = 0; i < rampwall::kInputs.size(); ++i) {
            form.texts[i] = read.design->inputs[i].text;
        }
        const auto planned = rampwall::ramp::planRamp(*read.design->ramp, form);
        if (const auto* plan = std::get_if<rampwall::ramp::RampPlan>(&planned)) {
            require(plan->segments >= 1 && plan->segments <= rampwall::ramp::kMostSegments, "segments within bounds",
                    saved);
            require(!plan->spacings.empty() && plan->spacings.size() <= rampwall::ramp::kMostSpacings,
                    "spacings within bounds", saved);
            require(rampwall::ramp::sections(*plan).size() == plan->segments, "a section per segment", saved);
        } else {
            require(!std::get<std::string>(planned).empty(), "a refused ramp says why", saved);
        }
    }
    return 0;
}
