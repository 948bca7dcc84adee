// The whole command-line tool behind main(), with its streams passed in so
// that tests can run it without a process.
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

namespace rampwall::cli {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitNotCompleted = 1;
inline constexpr int kExitUsage = 2;

// args excludes the program name. Returns the exit status.
int runCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace rampwall::cli
