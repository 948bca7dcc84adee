// One press of 计算 over what a window shows: the edition's run over the
// form's inputs, then its writes and messages replayed into the window in
// the order the run made them.
#pragma once

#include "calc/controls.h"
#include "calc/design_state.h"
#include "calc/editions/code_edition.h"
#include "calc/run_result.h"
#include "calc/window_ops.h"

#include <array>

namespace rampwall {

// The boxes a completed run writes, in the order it writes them: the six
// results (kResultBoxes, in another order) and the sheet. A stopped run
// writes a leading part of this list.
inline constexpr std::array<Control, 7> kWrittenBoxes = {
    Control::Text6, Control::Text7, Control::Text19, Control::Text9, Control::Text11, Control::Text18, Control::Text12,
};

// Shows the run in the window: each write and each message in order, a
// message returning only once it is closed.
void replay(const RunResult& result, WindowOps& window);

// Runs the edition over the window's inputs with `state` as the window's
// record, and replays the result into the window.
RunResult runInWindow(const CodeEdition& edition, DesignState& state, WindowOps& window, const FactorValues& factors,
                      const RunDetail& detail = {});

struct ComputeOptions {
    // Batch runs want only the six results; the sheet is then not composed and
    // Text12 is left alone.
    bool composeSheet = true;
    // The code edition, the default one when null, and its factors.
    const CodeEdition* edition = nullptr;
    FactorValues factors = {};
    // Fill state.values with the run's named numbers. Off by default: only a
    // report of them needs them, and recording costs a batch row 13 % more
    // instructions.
    bool namedValues = false;
};

// The run of the handler 计算: as runInWindow, keeping the named values, when
// asked for, in state.values.
RunOutcome COMPUTE(DesignState& state, WindowOps& window, const ComputeOptions& options = {});

} // namespace rampwall
