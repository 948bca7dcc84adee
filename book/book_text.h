// Texts of the book that more than one place needs.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace rampwall::book {

inline constexpr std::string_view kBookTitle = "坡道外墙配筋计算书";
inline constexpr std::string_view kSatisfied = "满足";
inline constexpr std::string_view kNotSatisfied = "不满足";
// "第 1 页 共 3 页": the pieces around the page's number and the count.
inline constexpr std::array<std::string_view, 3> kPageNumber = {"第 ", " 页 共 ", " 页"};

// Box texts are single lines; a control character that would break one is
// shown as a blank (C0 and DEL, and the C1 controls U+0080…U+009F).
std::string oneLine(std::string_view text);

} // namespace rampwall::book
