#include "control_table.h"

#include <array>

namespace rampwall {

namespace {

using K = ControlKind;

// Top to bottom, left to right; a frame comes before the controls it holds.
// The captions' colons and the result frames' brackets are full-width, the
// input captions' brackets ASCII, exactly as the window has always shown them.
constexpr std::array<ControlSpec, 50> kControls = {{
    {"Label15", K::CentredLabel, "Form1", kCreditLine, {120, 120, 9675, 255}, 28},
    {"Label1", K::Label, "Form1", "砼强度等级：", {240, 600, 1215, 255}, 0},
    {"Combo1", K::List, "Form1", "", {1560, 600, 1455, 315}, 2},
    {"Label2", K::Label, "Form1", "钢筋种类：", {240, 1080, 975, 255}, 1},
    {"Combo2", K::List, "Form1", "", {1560, 1080, 1455, 315}, 3},
    {"Label3", K::Label, "Form1", "情况选择：", {240, 1560, 1095, 255}, 4},
    {"Combo3", K::List, "Form1", "", {1560, 1560, 1455, 315}, 5},
    {"Frame1", K::Frame, "Form1", "标高：", {240, 2040, 3255, 1215}, 6},
    {"Label4", K::Label, "Frame1", "h1(m)：", {120, 240, 615, 255}, 7},
    {"Text1", K::TextBox, "Frame1", "", {840, 240, 735, 285}, 8},
    {"Label5", K::Label, "Frame1", "h2(m)：", {1680, 240, 615, 255}, 9},
    {"Text2", K::TextBox, "Frame1", "", {2400, 240, 735, 285}, 10},
    {"Label6", K::Label, "Frame1", "h3(m)：", {120, 720, 615, 255}, 11},
    {"Text3", K::TextBox, "Frame1", "", {840, 720, 735, 285}, 12},
    {"Label19", K::Label, "Frame1", "h4(m)：", {1680, 720, 615, 255}, 48},
    {"Text16", K::TextBox, "Frame1", "", {2400, 720, 735, 300}, 49},
    {"Label7", K::Label, "Form1", "墙厚度h5(mm)：", {240, 3360, 1695, 255}, 13},
    {"Text4", K::TextBox, "Form1", "", {2640, 3360, 855, 285}, 14},
    {"Label16", K::Label, "Form1", "迎水面保护层厚度c(mm)：", {240, 3720, 2415, 255}, 30},
    {"Text13", K::TextBox, "Form1", "", {2640, 3720, 855, 285}, 31},
    {"Label17", K::Label, "Form1", "土容重(kN/m3)：", {240, 4080, 1815, 255}, 32},
    {"Text14", K::TextBox, "Form1", "", {2640, 4080, 855, 285}, 33},
    {"Label18", K::Label, "Form1", "附加荷载(kN/m2)：", {240, 4440, 1695, 255}, 34},
    {"Text15", K::TextBox, "Form1", "", {2640, 4440, 855, 285}, 35},
    {"Label8", K::Label, "Form1", "荷载分项系数：", {240, 4800, 1335, 255}, 17},
    {"Text5", K::TextBox, "Form1", "", {2040, 4800, 855, 285}, 18},
    {"Label13", K::Label, "Form1", "钢筋间距(mm)：", {240, 5160, 1695, 255}, 36},
    {"Text10", K::TextBox, "Form1", "", {2040, 5160, 855, 285}, 37},
    {"Label11", K::Label, "Form1", "裂缝限值(mm)：", {240, 5520, 1575, 255}, 40},
    {"Text8", K::TextBox, "Form1", "", {2040, 5520, 855, 285}, 41},
    {"Frame2", K::Frame, "Form1", "配筋计算结果：", {240, 5880, 2655, 1455}, 16},
    {"Label9", K::Label, "Frame2", "MBk（kN.m）：", {120, 360, 1335, 255}, 19},
    {"Text6", K::TextBox, "Frame2", "", {1800, 360, 735, 285}, 20},
    {"Label10", K::Label, "Frame2", "As（mm2）：", {120, 720, 1215, 255}, 21},
    {"Text7", K::TextBox, "Frame2", "", {1800, 720, 735, 285}, 22},
    {"Label22", K::Label, "Frame2", "选用钢筋（mm）：", {120, 1080, 1575, 255}, 42},
    {"Text19", K::TextBox, "Frame2", "", {1800, 1080, 735, 285}, 43},
    {"Frame3", K::Frame, "Form1", "裂缝控制：", {240, 7440, 2655, 1455}, 23},
    {"Label12", K::Label, "Frame3", "As（mm2）：", {120, 360, 1095, 255}, 24},
    {"Text9", K::TextBox, "Frame3", "", {1800, 360, 735, 285}, 25},
    {"Label21", K::Label, "Frame3", "选用钢筋（mm）：", {120, 720, 1575, 255}, 38},
    {"Text18", K::TextBox, "Frame3", "", {1800, 720, 735, 285}, 39},
    {"Label14", K::Label, "Frame3", "Wmax（mm）：", {120, 1080, 1335, 255}, 26},
    {"Text11", K::TextBox, "Frame3", "", {1800, 1080, 735, 285}, 27},
    {"Command1", K::Button, "Form1", "计算", {240, 9120, 855, 495}, 15},
    {"Command2", K::Button, "Form1", "帮助", {1200, 9120, 855, 495}, 45},
    {"Command3", K::Button, "Form1", "退出", {2160, 9120, 855, 495}, 46},
    {"OLE1", K::SketchArea, "Form1", "", {3840, 480, 6255, 4215}, 44},
    {"WindowsMediaPlayer1", K::HiddenPlayer, "Form1", "", {3120, 840, 615, 495}, 47},
    {"Text12", K::ReportBox, "Form1", "", {3120, 4920, 6975, 4695}, 29},
}};

// Each row must name a unique control, sit in a container defined above it,
// and hold its own tab index. A row missing from the initialiser would be
// left empty and fail here too.
constexpr bool tableIsConsistent() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].name.empty()) {
            return false;
        }
        bool containerFound = kControls[i].container == kFormName;
        for (std::size_t j = 0; j < i; ++j) {
            if (kControls[j].name == kControls[i].name || kControls[j].tabIndex == kControls[i].tabIndex) {
                return false;
            }
            if (kControls[j].kind == ControlKind::Frame && kControls[j].name == kControls[i].container) {
                containerFound = true;
            }
        }
        if (!containerFound) {
            return false;
        }
    }
    return true;
}

} // namespace

std::span<const ControlSpec> controlTable() {
    static_assert(tableIsConsistent());
    return kControls;
}

const ControlSpec* findControlSpec(std::string_view name) {
    for (const ControlSpec& row : kControls) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

FontRole fontRoleOf(const ControlSpec& row) {
    switch (row.kind) {
    case ControlKind::ReportBox: return FontRole::Report;
    case ControlKind::CentredLabel: return FontRole::Credit;
    default: return FontRole::Standard;
    }
}

bool takesFocus(const ControlSpec& row) {
    switch (row.kind) {
    case ControlKind::TextBox:
    case ControlKind::ReportBox:
    case ControlKind::List:
    case ControlKind::Button:
    case ControlKind::SketchArea: return true;
    default: return false; // labels and frames hold a tab index but never the focus
    }
}

QRect pixelRect(const TwipRect& twips) {
    return {twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
            twipsToPixels(twips.height)};
}

QSize clientSizePixels() { return {twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips)}; }

} // namespace rampwall
