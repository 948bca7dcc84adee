// One design's result for a person, or as one JSON object for a program.
#pragma once

#include "calc/run_result.h"

#include <ostream>
#include <string>
#include <string_view>

namespace rampwall::cli {

// The messages, the six results under their frame and box captions as the
// window shows them, and the sheet with this system's own line ends.
void printForPerson(std::ostream& out, const RunResult& result);

// {"completed": ..., "messages": [{"title": ..., "text": ...}], "boxes": {...}}
// on one line: the boxes this run wrote, with their exact texts, in the order
// written. UTF-8 passes unescaped, control characters are escaped, and a byte
// that is not UTF-8 becomes U+FFFD, so the output is valid JSON whatever was
// typed. "values" holds the run's named numbers, then its named texts.
void printJson(std::ostream& out, const RunResult& result);

} // namespace rampwall::cli
