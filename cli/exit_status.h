// The tool's exit statuses, named once for every mode.
#pragma once

namespace rampwall::cli {

inline constexpr int kExitCompleted = 0;    // the design completed; in a batch or sweep, every row ran
inline constexpr int kExitNotCompleted = 1; // a run stopped, a row or column could not be used, or output failed
inline constexpr int kExitUsage = 2;        // a usage error, or a batch file that cannot be read

} // namespace rampwall::cli
