// One calculation over what the window shows: materials and inputs, loads and
// moments, steel by strength, the crack-width loop, and the sheet.
#pragma once

#include "controls.h"
#include "design_state.h"
#include "edition.h"
#include "window_ops.h"

#include <array>

namespace rampwall {

enum class RunOutcome {
    Completed,  // the sheet was written
    Stopped,    // a message ended the run (elevations, no bar, bad input, arithmetic)
    NoLoadCase, // no load case selected: inputs read, nothing written
};

// The boxes a completed run writes, in the order it writes them: the six
// results (kResultBoxes, in another order) and the sheet. A stopped run
// writes a leading part of this list.
inline constexpr std::array<Control, 7> kWrittenBoxes = {
    Control::Text6, Control::Text7, Control::Text19, Control::Text9, Control::Text11, Control::Text18, Control::Text12,
};

struct ComputeOptions {
    // Batch runs want only the six results; the sheet is then not composed and
    // Text12 is left alone.
    bool composeSheet = true;
    // The code edition; the factors serve the 2010 edition only.
    Edition edition = kDefaultEdition;
    LoadFactors factors = {};
    // Fill state.values with the run's named numbers. Off by default: only a
    // report of them needs them, and recording costs a batch row 13 % more
    // instructions.
    bool namedValues = false;
};

// Runs the stages in order against the window; the state keeps every field a
// stage reaches, and state.values the named numbers of this run when asked
// (otherwise it is left empty). Messages are shown through the window and the
// run goes on or ends as each message says.
RunOutcome COMPUTE(DesignState& state, WindowOps& window, const ComputeOptions& options = {});

} // namespace rampwall
