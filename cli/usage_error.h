// What is wrong with the command line, as the tool says it on its error
// stream before the usage reminder.
#pragma once

#include <string>

namespace rampwall::cli {

struct UsageError {
    std::string message;
};

} // namespace rampwall::cli
