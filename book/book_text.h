// Texts of the book that more than one place needs.
#pragma once

#include <string_view>

namespace rampwall::book {

inline constexpr std::string_view kBookTitle = "坡道外墙配筋计算书";
inline constexpr std::string_view kSatisfied = "满足";
inline constexpr std::string_view kNotSatisfied = "不满足";

} // namespace rampwall::book
