// Texts as bytes: where a well-formed UTF-8 character ends, and a text made
// safe to stand between markup's tags or in its attributes. Whatever a user
// typed passes through here on its way into a JSON file, a workbook or a page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rampwall {

// Length of the well-formed UTF-8 sequence at text[at], or 0 when it is not
// one (overlong forms, surrogates and code points beyond U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at = 0);

// Each byte that does not begin a well-formed UTF-8 sequence becomes U+FFFD.
std::string validUtf8(std::string_view text);

// The text with & < > " as entities, for HTML and SVG.
void appendEscapedMarkup(std::string& out, std::string_view text);
std::string escapedMarkup(std::string_view text);

} // namespace rampwall
