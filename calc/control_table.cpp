#include "calc/control_table.h"

#include <algorithm>

namespace rampwall {

namespace {

constexpr bool isBoxOrList(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ReportBox || kind == ControlKind::List;
}

// Each row must name a unique control, sit in a container defined above it,
// and hold its own tab index.
constexpr bool rowsAreConsistent() {
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        const ControlRow& row = kControlTable[i];
        if (row.name.empty()) {
            return false;
        }
        bool containerFound = row.container == kFormName;
        for (std::size_t j = 0; j < i; ++j) {
            if (kControlTable[j].name == row.name || kControlTable[j].tabIndex == row.tabIndex) {
                return false;
            }
            if (kControlTable[j].kind == ControlKind::Frame && kControlTable[j].name == row.container) {
                containerFound = true;
            }
        }
        if (!containerFound) {
            return false;
        }
    }
    return true;
}
static_assert(rowsAreConsistent());

// Every control of the calculation has exactly one row, of its kind, and
// every other box or list row names a control; at most one label names a
// control, with a caption that ends in the colon. So the
// window cannot lack a box the calculation writes, nor build one it cannot
// reach.
constexpr ControlKind kindOf(Control control) {
    if (control == Control::Text12) {
        return ControlKind::ReportBox;
    }
    return isList(control) ? ControlKind::List : ControlKind::TextBox;
}

constexpr bool everyControlHasItsRow() {
    for (const Control control : kAllControls) {
        int rows = 0;
        int labels = 0;
        for (const ControlRow& row : kControlTable) {
            if (row.control != control) {
                continue;
            }
            if (row.kind == ControlKind::Label) {
                if (!row.text.ends_with(kCaptionColon)) {
                    return false;
                }
                ++labels;
            } else if (row.kind == kindOf(control)) {
                ++rows;
            } else {
                return false;
            }
        }
        if (rows != 1 || labels > 1) {
            return false;
        }
    }
    for (const ControlRow& row : kControlTable) {
        if (isBoxOrList(row.kind) != row.control.has_value() && row.kind != ControlKind::Label) {
            return false;
        }
    }
    return true;
}
static_assert(everyControlHasItsRow());

// The six results are six different boxes, each inside a result frame and
// with a label beside it.
constexpr bool resultBoxesAreTheFramesBoxes() {
    for (std::size_t i = 0; i < kResultBoxes.size(); ++i) {
        const std::string_view frame = rowOf(kResultBoxes[i]).container;
        if ((frame != kResultFrames[0] && frame != kResultFrames[1]) || labelOf(kResultBoxes[i]) == nullptr) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (kResultBoxes[j] == kResultBoxes[i]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(resultBoxesAreTheFramesBoxes());

} // namespace

const ControlRow* findControlRow(std::string_view name) {
    for (const ControlRow& row : kControlTable) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

std::string_view captionOf(Control control) {
    const ControlRow* label = labelOf(control);
    if (label == nullptr) {
        return {};
    }
    std::string_view caption = label->text;
    caption.remove_suffix(kCaptionColon.size());
    return caption;
}

std::string_view initialText(Control control) { return rowOf(control).text; }

FontRole fontRoleOf(const ControlRow& row) {
    switch (row.kind) {
    case ControlKind::ReportBox: return FontRole::Report;
    case ControlKind::CentredLabel: return FontRole::Credit;
    default: return FontRole::Standard;
    }
}

bool takesFocus(const ControlRow& row) {
    switch (row.kind) {
    case ControlKind::TextBox:
    case ControlKind::ReportBox:
    case ControlKind::List:
    case ControlKind::Button:
    case ControlKind::SketchArea: return true;
    default: return false; // labels and frames hold a tab index but never the focus
    }
}

std::vector<const ControlRow*> tabOrder() {
    std::vector<const ControlRow*> focusable;
    for (const ControlRow& row : kControlTable) {
        if (takesFocus(row)) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    return focusable;
}

} // namespace rampwall
