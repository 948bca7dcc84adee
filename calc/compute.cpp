#include "calc/compute.h"

#include "calc/control_table.h"
#include "calc/editions/registry.h"
#include "calc/form_inputs.h"

#include <algorithm>

namespace rampwall {

namespace {

// The written boxes are the six results and the sheet, each once.
constexpr bool writtenBoxesAreTheResults() {
    for (const Control result : kResultBoxes) {
        if (std::count(kWrittenBoxes.begin(), kWrittenBoxes.end(), result) != 1) {
            return false;
        }
    }
    return kWrittenBoxes.back() == Control::Text12 && kWrittenBoxes.size() == kResultBoxes.size() + 1;
}
static_assert(writtenBoxesAreTheResults());

} // namespace

void replay(const RunResult& result, WindowOps& window) {
    for (const WindowEvent& event : result.events) {
        if (event.kind == WindowEvent::Kind::Message) {
            window.showMessage(event.text, event.title);
        } else {
            window.replaceText(event.box, event.text);
        }
    }
}

RunResult runInWindow(const CodeEdition& edition, DesignState& state, WindowOps& window, const FactorValues& factors,
                      const RunDetail& detail) {
    RunResult result = edition.design({FormInputs::readFrom(window), factors, detail}, state);
    replay(result, window);
    return result;
}

// The window is written: runInWindow replays the run into it (cppcheck
// loses the call in the designated initialisers below).
// cppcheck-suppress constParameter
RunOutcome COMPUTE(DesignState& state, WindowOps& window, const ComputeOptions& options) {
    const CodeEdition& edition = options.edition != nullptr ? *options.edition : defaultEdition();
    RunResult result = runInWindow(edition, state, window, options.factors,
                                   {.sheet = options.composeSheet, .values = options.namedValues});
    state.values = std::move(result.values);
    return result.outcome;
}

} // namespace rampwall
