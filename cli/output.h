// One design's result for a person, or as one JSON object for a program.
#pragma once

#include "design_run.h"

#include <ostream>
#include <string>
#include <string_view>

namespace rampwall::cli {

// The messages, the six results under their frame and box captions as the
// window shows them, and the sheet with this system's own line ends.
void printForPerson(std::ostream& out, const DesignResult& result);

// {"completed": ..., "messages": [{"title": ..., "text": ...}], "boxes": {...}}:
// the boxes this run wrote, with their exact texts, in the order written.
void printJson(std::ostream& out, const DesignResult& result);

// A JSON string literal with its quotes. UTF-8 passes unescaped; control
// characters are escaped, and bytes that are not UTF-8 become U+FFFD so the
// output stays valid JSON whatever was typed.
void appendJsonString(std::string& out, std::string_view text);

} // namespace rampwall::cli
