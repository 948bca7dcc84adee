// The tool's exit statuses, named once for every mode.
#pragma once

namespace rampwall::cli {

inline constexpr int kExitCompleted = 0; // the design completed and meets every check; in a batch or sweep, every row
inline constexpr int kExitNotCompleted = 1; // a run stopped, a row or column could not be used, or output failed
inline constexpr int kExitUsage = 2;        // a usage error, or a batch file that cannot be read
inline constexpr int kExitChecksFail = 3;   // the design completed but a check of its book is not satisfied

} // namespace rampwall::cli
