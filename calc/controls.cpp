#include "calc/controls.h"

#include "calc/control_table.h"

namespace rampwall {

namespace {

// kAllControls is indexed by the enum; keep the two in the same order.
constexpr bool listMatchesEnum() {
    for (std::size_t i = 0; i < kAllControls.size(); ++i) {
        if (static_cast<std::size_t>(kAllControls[i]) != i) {
            return false;
        }
    }
    return true;
}
static_assert(listMatchesEnum());

} // namespace

std::string_view controlName(Control control) { return rowOf(control).name; }

std::optional<Control> controlByName(std::string_view name) {
    const ControlRow* row = findControlRow(name);
    if (row == nullptr || row->kind == ControlKind::Label) {
        return std::nullopt;
    }
    return row->control;
}

} // namespace rampwall
