// What a run reads of the form: the text of each input as typed (a list's as
// it shows) and the entry each list has selected.
#pragma once

#include "calc/input_table.h"
#include "calc/window_ops.h"

#include <array>
#include <string>

namespace rampwall {

struct FormInputs {
    std::array<std::string, kInputs.size()> texts;
    // The selected entry of each list, in kInputs order from the first list;
    // -1 when none is.
    std::array<int, kInputs.size() - kBoxInputCount> selected{-1, -1, -1};

    const std::string& text(Control input) const { return texts[inputOf(input)]; }
    int selectedIndex(Control list) const { return selected[inputOf(list) - kBoxInputCount]; }
    void setText(Control input, std::string_view text) { texts[inputOf(input)].assign(text); }
    void setSelected(Control list, int index) { selected[inputOf(list) - kBoxInputCount] = index; }

    // The inputs as a window shows them now.
    static FormInputs readFrom(WindowOps& window);

    bool operator==(const FormInputs&) const = default;
};

} // namespace rampwall
