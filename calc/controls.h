// The named controls that the calculation and the start-up handler reach.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace rampwall {

// The boxes and lists of the window that the design reads or writes, by their
// window names. There is no Text17: the window never had one.
// clang-format off
enum class Control {
    Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Text11, Text12, Text13, Text14, Text15, Text16, Text18, Text19,
    Combo1, Combo2, Combo3,
};
// clang-format on

inline constexpr std::array<Control, 21> kAllControls = {
    Control::Text1,  Control::Text2,  Control::Text3,  Control::Text4,  Control::Text5,  Control::Text6,
    Control::Text7,  Control::Text8,  Control::Text9,  Control::Text10, Control::Text11, Control::Text12,
    Control::Text13, Control::Text14, Control::Text15, Control::Text16, Control::Text18, Control::Text19,
    Control::Combo1, Control::Combo2, Control::Combo3,
};

constexpr bool isList(Control control) {
    return control == Control::Combo1 || control == Control::Combo2 || control == Control::Combo3;
}

// "Text6", "Combo3": the control's name in the window (its objectName), as
// the control table gives it.
std::string_view controlName(Control control);
std::optional<Control> controlByName(std::string_view name);

} // namespace rampwall
