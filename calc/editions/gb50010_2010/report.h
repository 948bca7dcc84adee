// What a 2010 run reports beside its boxes and sheet: its named values, its
// checks, the load profile of the book's diagrams and the book's lines.
#pragma once

#include "calc/editions/factor.h"
#include "calc/editions/gb50010_2010/design_run.h"
#include "calc/run_result.h"

#include <span>

namespace rampwall::gb2010 {

// The numbers the run formed, in that order; a stopped run lists what it reached.
void noteValues(const DesignRun& run, RunResult& result);
void addChecks(const DesignRun& run, bool texts, std::vector<Check>& checks);
void addProfile(const DesignRun& run, LoadProfile& profile);
void addReport(const DesignRun& run, std::span<const FactorDefinition> factors, const FactorValues& values,
               const RunResult& result, RunReport& report);

} // namespace rampwall::gb2010
