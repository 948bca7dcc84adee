#include "design_run.h"

#include "design_state.h"
#include "headless_window.h"

namespace rampwall::cli {

const std::string* DesignResult::boxText(Control box) const {
    for (const BoxText& written : boxes) {
        if (written.box == box) {
            return &written.text;
        }
    }
    return nullptr;
}

DesignResult runDesign(const DesignInputs& inputs, const ComputeOptions& options, const RunObserver& observe) {
    // Opening a window fills its lists; copying one that has just been opened
    // gives the same start-up state for a fraction of the cost, which counts
    // when a batch runs a window per row.
    static const HeadlessWindow startUp2002(Edition::GB50010_2002);
    static const HeadlessWindow startUp2010(Edition::GB50010_2010);
    HeadlessWindow window = inputs.edition() == Edition::GB50010_2010 ? startUp2010 : startUp2002;
    inputs.applyTo(window);

    ComputeOptions run = inputs.computeOptions();
    run.composeSheet = options.composeSheet;
    run.namedValues = options.namedValues;
    DesignState state;
    DesignResult result;
    result.boxes.reserve(7); // the six results and the sheet
    result.outcome = COMPUTE(state, window, run);
    if (observe) {
        observe(result.outcome, state, window, run);
    }
    result.values = std::move(state.values);

    for (const WindowEvent& event : window.events()) {
        if (event.kind == WindowEvent::Kind::Message) {
            result.messages.push_back({event.title, event.text});
            continue;
        }
        bool seen = false;
        for (BoxText& written : result.boxes) {
            if (written.box == event.box) {
                written.text = event.text;
                seen = true;
            }
        }
        if (!seen) {
            result.boxes.push_back({event.box, event.text});
        }
    }
    return result;
}

} // namespace rampwall::cli
