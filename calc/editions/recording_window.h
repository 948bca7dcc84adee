// The window an edition's stages run against inside a run: it reads the
// form's inputs as the run was given them and records every write and
// message in order, for the result's events.
#pragma once

#include "calc/calculation_stop.h"
#include "calc/form_inputs.h"
#include "calc/run_result.h"
#include "calc/window_ops.h"

#include <vector>

namespace rampwall {

class RecordingWindow final : public WindowOps {
public:
    RecordingWindow(const FormInputs& inputs, std::vector<WindowEvent>& events) : m_inputs(inputs), m_events(events) {}

    std::string readText(Control box) override { return m_inputs.text(box); }
    void replaceText(Control box, std::string_view text) override {
        // Built in place: a batch row writes seven boxes a run.
        WindowEvent& written = m_events.emplace_back();
        written.box = box;
        written.text.assign(text);
    }
    int selectedIndex(Control list) override { return m_inputs.selectedIndex(list); }
    void showMessage(std::string_view text, std::string_view title) override {
        m_events.push_back({WindowEvent::Kind::Message, Control::Text12, std::string(text), std::string(title)});
    }
    // A run fills no list and closes nothing.
    void appendEntry(Control, std::string_view) override {}
    void selectEntry(Control, int) override {}
    void closeWindow() override {}

private:
    const FormInputs& m_inputs;
    std::vector<WindowEvent>& m_events;
};

// Runs an edition's stages against the window and ends the run the way every
// stop ends one: its message, then the box it still writes.
template <typename Stages>
RunOutcome runUntilStopped(WindowOps& window, Stages&& stages) {
    try {
        return stages();
    } catch (const CalculationStop& stop) {
        presentStop(window, stop);
        return RunOutcome::Stopped;
    }
}

} // namespace rampwall
