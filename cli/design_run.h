// One design from start to end: a window just opened, the given inputs typed
// in, one press of Compute, and what the run showed.
#pragma once

#include "compute.h"
#include "controls.h"
#include "design_state.h"
#include "headless_window.h"
#include "inputs.h"

#include <functional>
#include <string>
#include <vector>

namespace rampwall::cli {

struct ShownMessage {
    std::string title;
    std::string text;
};

struct BoxText {
    Control box;
    std::string text;
};

struct DesignResult {
    RunOutcome outcome = RunOutcome::Stopped;
    std::vector<ShownMessage> messages; // in the order shown
    std::vector<BoxText> boxes;         // each box this run wrote, in the order first written, with its last text

    bool completed() const { return outcome == RunOutcome::Completed; }
    // The text this run wrote into the box, or null when it did not write it.
    const std::string* boxText(Control box) const;
};

// Each call starts from a fresh DesignState and a window in its start-up
// state, so nothing of an earlier design carries over.
// An observer sees the run's state and window before they are dropped (the
// calculation book is made from them).
using RunObserver = std::function<void(RunOutcome, const DesignState&, HeadlessWindow&)>;
DesignResult runDesign(const DesignInputs& inputs, const ComputeOptions& options = {}, const RunObserver& observe = {});

} // namespace rampwall::cli
