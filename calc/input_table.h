// The fourteen inputs of a design: the eleven boxes and the three lists, with
// the names the command line, the batch columns and the design files give
// them, their units, the command line's help and the book's note. The caption
// is the label's, from the control table. Every front end lists the inputs
// from here.
#pragma once

#include "calc/controls.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace rampwall {

struct InputRow {
    std::string_view key;  // "soil-weight": option without its dashes, column and design-file key
    Control control;       // the box or list it fills
    std::string_view unit; // "kN/m3"; empty for a plain number or a list
    std::string_view help; // the command line's one-line description
    std::string_view note; // what the book's 设计资料 says of it
};

// The eleven boxes first, then the three lists; the command line's help, the
// batch columns and the design files follow this order.
inline constexpr std::size_t kBoxInputCount = 11;
inline constexpr std::array<InputRow, 14> kInputs = {{
    {"h1", Control::Text1, "m", "elevation of the wall top", "墙顶标高"},
    {"h2", Control::Text2, "m", "elevation of the retained soil surface", "墙后土面标高"},
    {"h3", Control::Text3, "m", "elevation of the groundwater table", "地下水位标高"},
    {"h4", Control::Text16, "m", "elevation of the wall base", "墙底标高，计算截面"},
    {"h5", Control::Text4, "mm", "wall thickness", "墙厚"},
    {"cover", Control::Text13, "mm", "concrete cover on the water side", "混凝土保护层厚度"},
    {"soil-weight", Control::Text14, "kN/m3", "unit weight of the soil", "γ"},
    {"surcharge", Control::Text15, "kN/m2", "surcharge on the soil surface", "地面附加荷载 Qfj"},
    {"load-factor", Control::Text5, "", "load partial factor", "荷载分项系数"},
    {"spacing", Control::Text10, "mm", "bar spacing", "竖向受力钢筋间距"},
    {"crack-limit", Control::Text8, "mm", "admissible crack width", "允许最大裂缝宽度"},
    {"concrete", Control::Combo1, "", "concrete grade: C15 ... C80, or a list index", "混凝土强度等级"},
    {"steel", Control::Combo2, "", "steel grade, or a list index", "钢筋种类"},
    {"case", Control::Combo3, "", "load case: A, B, 情况A, 情况B, or a list index", "地下水位与墙底的关系"},
}};

constexpr bool isListInput(std::size_t input) { return input >= kBoxInputCount; }

// Position in kInputs of a key, or nullopt for a name that is no input.
constexpr std::optional<std::size_t> inputByKey(std::string_view key) {
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (kInputs[i].key == key) {
            return i;
        }
    }
    return std::nullopt;
}

// Position in kInputs of the input a control holds; kInputs.size() for the
// result boxes and the sheet.
constexpr std::size_t inputOf(Control control) {
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (kInputs[i].control == control) {
            return i;
        }
    }
    return kInputs.size();
}

constexpr const InputRow& inputRow(std::string_view key) { return kInputs[*inputByKey(key)]; }

} // namespace rampwall
