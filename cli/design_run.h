// One design from start to end: a window just opened, the given inputs typed
// in, one press of Compute, and what the run showed.
#pragma once

#include "compute.h"
#include "controls.h"
#include "design_state.h"
#include "headless_window.h"
#include "inputs.h"
#include "named_values.h"

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
    NamedValues values;                 // the run's named numbers, when asked for

    bool completed() const { return outcome == RunOutcome::Completed; }
    // The text this run wrote into the box, or null when it did not write it.
    const std::string* boxText(Control box) const;
};

// Each call starts from a fresh DesignState and a window in its start-up
// state, so nothing of an earlier design carries over. The edition and the
// load factors are the inputs' own, whatever the options say.
// An observer sees the run's state, window and options before they are
// dropped (the calculation book is made from them).
using RunObserver = std::function<void(RunOutcome, const DesignState&, HeadlessWindow&, const ComputeOptions&)>;
DesignResult runDesign(const DesignInputs& inputs, const ComputeOptions& options = {}, const RunObserver& observe = {});

} // namespace rampwall::cli
