// The whole command-line tool behind main(), with its streams passed in so
// that tests can run it without a process.
#pragma once

#include "cli/exit_status.h"

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

namespace rampwall::cli {

// args excludes the program name. Returns the exit status.
int runCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace rampwall::cli
