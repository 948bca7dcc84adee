#include "cli/design_run.h"

#include "calc/design_state.h"

namespace rampwall::cli {

design::DesignRun runDesign(const DesignInputs& inputs, const RunDetail& detail) {
    design::DesignRun run{inputs.formInputs(), &inputs.edition(), inputs.factors(), {}};
    DesignState state;
    run.result = run.edition->design({run.inputs, run.factors, detail}, state);
    return run;
}

std::vector<std::pair<Control, const std::string*>> writtenBoxes(const RunResult& result) {
    std::vector<std::pair<Control, const std::string*>> boxes;
    for (const WindowEvent& event : result.events) {
        if (event.kind != WindowEvent::Kind::Write) {
            continue;
        }
        bool seen = false;
        for (auto& [box, text] : boxes) {
            if (box == event.box) {
                text = &event.text;
                seen = true;
            }
        }
        if (!seen) {
            boxes.emplace_back(event.box, &event.text);
        }
    }
    return boxes;
}

std::string_view statusOf(const RunResult& result) {
    if (!result.completed()) {
        return "stopped";
    }
    return result.passes() ? "ok" : "fails";
}

} // namespace rampwall::cli
