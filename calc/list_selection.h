// How a list's text decides its selection, in the window and the page alike:
// text that is exactly one of the entries selects that entry (the one already
// selected when two read the same), any other text selects nothing.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace rampwall {

inline int selectionForText(std::span<const std::string> entries, std::string_view text, int current) {
    if (current >= 0 && static_cast<std::size_t>(current) < entries.size() &&
        entries[static_cast<std::size_t>(current)] == text) {
        return current;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace rampwall
