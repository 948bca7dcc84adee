// One design from start to end: the edition's start-up form with the given
// inputs typed in, one press of Compute, and what the run showed.
#pragma once

#include "calc/controls.h"
#include "calc/editions/code_edition.h"
#include "calc/run_result.h"
#include "cli/inputs.h"
#include "design/design_document.h"

#include <string>
#include <utility>
#include <vector>

namespace rampwall::cli {

// Each call starts from a fresh design state, so nothing of an earlier
// design carries over.
design::DesignRun runDesign(const DesignInputs& inputs, const RunDetail& detail = {});

// Each box the run wrote, in the order first written, with its last text.
std::vector<std::pair<Control, const std::string*>> writtenBoxes(const RunResult& result);

// "ok", "fails" (a check is not satisfied) or "stopped", as batch rows and
// the exit status tell them apart.
std::string_view statusOf(const RunResult& result);

} // namespace rampwall::cli
