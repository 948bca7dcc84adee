// The schedule as the dialogs show it and as the CSV writes it, made once
// for the window, the page and the command line.
#pragma once

#include "calc/ramp/ramp_design.h"

#include <array>
#include <string>

namespace rampwall::ramp {

// The dialog's row of a segment, in the columns of kRampTableHeaders:
// 段号, 桩号 from～to, h4, 情况, MBk, 配筋 (bar@spacing), As, wmax, 结论,
// kg/m, kg.
std::array<std::string, 11> tableRow(const Schedule& schedule, std::size_t segment);

// The schedule as RFC 4180 CSV with CR LF line ends: the keys of
// kScheduleColumns, then a record per segment.
std::string scheduleCsv(const Schedule& schedule);

} // namespace rampwall::ramp
