// A ramp's schedule as a workbook, for the command line and the window alike.
#pragma once

#include "calc/ramp/ramp_design.h"

#include <optional>
#include <string>

namespace rampwall::workbook {

// Nullopt once the workbook is at `path`, or why it is not.
std::optional<std::string> writeSchedule(const ramp::Schedule& schedule, const std::string& path);

} // namespace rampwall::workbook
