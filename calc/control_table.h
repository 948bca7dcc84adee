// Every control of the window as plain data: name, kind, container, text,
// position and size in twips, tab index, and for a box, a list or the label
// beside one, the control the calculation knows it by. The window is built
// from this table and from nothing else; the calculation's messages and the
// command-line tool take their captions from it, so each caption is written
// once.
#pragma once

#include "calc/controls.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace rampwall {

enum class ControlKind {
    Label,
    CentredLabel, // the credit line
    TextBox,      // single line, editable
    ReportBox,    // multi-line, both scroll bars, never wraps
    List,         // editable drop-down list
    Frame,        // group box; the container of the rows that name it
    Button,
    SketchArea,
    HiddenPlayer, // the background-sound player: never shown, takes no room
};

enum class FontRole { Standard, Report, Credit };

// Left, top, width, height in twips (1/1440 inch), relative to the container.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlRow {
    std::string_view name; // the widget's objectName
    ControlKind kind;
    std::string_view container; // "Form1" or the frame's name
    // A label's, frame's or button's caption; the text a box shows when the
    // window opens.
    std::string_view text;
    TwipRect twips;
    int tabIndex;
    // A box or list: the control the calculation reads or writes. A label:
    // the box or list it names.
    std::optional<Control> control = std::nullopt;
};

inline constexpr std::string_view kFormName = "Form1";
inline constexpr int kClientWidthTwips = 10290;
inline constexpr int kClientHeightTwips = 9795;

// The texts of the window that no control holds: its title and the help box.
inline constexpr std::string_view kWindowTitle = "坡道外墙配筋计算";
inline constexpr std::string_view kHelpTitle = "友情帮助:";
// Four lines joined by CR LF. Line 3 finishes the sentence of line 2, hence
// its single leading blank; the blanks belong to the text.
inline constexpr std::string_view kHelpText = "    如果坡道有顶，请使用本人的地下室外墙程序计算。\r\n"
                                              "    外墙的计算厚度h0为墙厚减掉保护层厚，未考虑钢筋直径，如要求精确，\r\n"
                                              " 可在输入保护层厚度时加上已算出钢筋直径的一半重新计算。\r\n"
                                              " 如有意见或建议，欢迎在本项目的问题跟踪页面提出。";
// Shown only if something other than the calculation's own stops escapes a
// run (running out of memory, say); the window must survive even that.
inline constexpr std::string_view kUnexpectedFailureMessage = "计算中出现意外错误，请检查输入数据后重新计算";
// What the program does and the code it follows; it names no person. The
// window opens with the default edition's title after the lead, and shows
// the chosen edition's in its place.
inline constexpr std::string_view kCreditLead = "开敞坡道挡土外墙竖向配筋计算　依据《混凝土结构设计规范》";
inline constexpr std::string_view kCreditLine = "开敞坡道挡土外墙竖向配筋计算　依据《混凝土结构设计规范》GB 50010-2002";
static_assert(kCreditLine.starts_with(kCreditLead));

// Top to bottom, left to right; a frame comes before the controls it holds.
// A label's caption ends in a full-width colon. The result frames' brackets
// are full-width and the input captions' brackets ASCII, exactly as the
// window has always shown them.
// clang-format off
inline constexpr std::array<ControlRow, 50> kControlTable = {{
    {"Label15", ControlKind::CentredLabel, "Form1", kCreditLine, {120, 120, 9675, 255}, 28},
    {"Label1", ControlKind::Label, "Form1", "砼强度等级：", {240, 600, 1215, 255}, 0, Control::Combo1},
    {"Combo1", ControlKind::List, "Form1", "", {1560, 600, 1455, 315}, 2, Control::Combo1},
    {"Label2", ControlKind::Label, "Form1", "钢筋种类：", {240, 1080, 975, 255}, 1, Control::Combo2},
    {"Combo2", ControlKind::List, "Form1", "", {1560, 1080, 1455, 315}, 3, Control::Combo2},
    {"Label3", ControlKind::Label, "Form1", "情况选择：", {240, 1560, 1095, 255}, 4, Control::Combo3},
    {"Combo3", ControlKind::List, "Form1", "", {1560, 1560, 1455, 315}, 5, Control::Combo3},
    {"Frame1", ControlKind::Frame, "Form1", "标高：", {240, 2040, 3255, 1215}, 6},
    {"Label4", ControlKind::Label, "Frame1", "h1(m)：", {120, 240, 615, 255}, 7, Control::Text1},
    {"Text1", ControlKind::TextBox, "Frame1", "0", {840, 240, 735, 285}, 8, Control::Text1},
    {"Label5", ControlKind::Label, "Frame1", "h2(m)：", {1680, 240, 615, 255}, 9, Control::Text2},
    {"Text2", ControlKind::TextBox, "Frame1", "-0.5", {2400, 240, 735, 285}, 10, Control::Text2},
    {"Label6", ControlKind::Label, "Frame1", "h3(m)：", {120, 720, 615, 255}, 11, Control::Text3},
    {"Text3", ControlKind::TextBox, "Frame1", "-1.0", {840, 720, 735, 285}, 12, Control::Text3},
    {"Label19", ControlKind::Label, "Frame1", "h4(m)：", {1680, 720, 615, 255}, 48, Control::Text16},
    {"Text16", ControlKind::TextBox, "Frame1", "-4.5", {2400, 720, 735, 300}, 49, Control::Text16},
    {"Label7", ControlKind::Label, "Form1", "墙厚度h5(mm)：", {240, 3360, 1695, 255}, 13, Control::Text4},
    {"Text4", ControlKind::TextBox, "Form1", "350", {2640, 3360, 855, 285}, 14, Control::Text4},
    {"Label16", ControlKind::Label, "Form1", "迎水面保护层厚度c(mm)：", {240, 3720, 2415, 255}, 30, Control::Text13},
    {"Text13", ControlKind::TextBox, "Form1", "50", {2640, 3720, 855, 285}, 31, Control::Text13},
    {"Label17", ControlKind::Label, "Form1", "土容重(kN/m3)：", {240, 4080, 1815, 255}, 32, Control::Text14},
    {"Text14", ControlKind::TextBox, "Form1", "18", {2640, 4080, 855, 285}, 33, Control::Text14},
    {"Label18", ControlKind::Label, "Form1", "附加荷载(kN/m2)：", {240, 4440, 1695, 255}, 34, Control::Text15},
    {"Text15", ControlKind::TextBox, "Form1", "10", {2640, 4440, 855, 285}, 35, Control::Text15},
    {"Label8", ControlKind::Label, "Form1", "荷载分项系数：", {240, 4800, 1335, 255}, 17, Control::Text5},
    {"Text5", ControlKind::TextBox, "Form1", "1.2", {2040, 4800, 855, 285}, 18, Control::Text5},
    {"Label13", ControlKind::Label, "Form1", "钢筋间距(mm)：", {240, 5160, 1695, 255}, 36, Control::Text10},
    {"Text10", ControlKind::TextBox, "Form1", "100", {2040, 5160, 855, 285}, 37, Control::Text10},
    {"Label11", ControlKind::Label, "Form1", "裂缝限值(mm)：", {240, 5520, 1575, 255}, 40, Control::Text8},
    {"Text8", ControlKind::TextBox, "Form1", "0.2", {2040, 5520, 855, 285}, 41, Control::Text8},
    {"Frame2", ControlKind::Frame, "Form1", "配筋计算结果：", {240, 5880, 2655, 1455}, 16},
    {"Label9", ControlKind::Label, "Frame2", "MBk（kN.m）：", {120, 360, 1335, 255}, 19, Control::Text6},
    {"Text6", ControlKind::TextBox, "Frame2", "", {1800, 360, 735, 285}, 20, Control::Text6},
    {"Label10", ControlKind::Label, "Frame2", "As（mm2）：", {120, 720, 1215, 255}, 21, Control::Text7},
    {"Text7", ControlKind::TextBox, "Frame2", "", {1800, 720, 735, 285}, 22, Control::Text7},
    {"Label22", ControlKind::Label, "Frame2", "选用钢筋（mm）：", {120, 1080, 1575, 255}, 42, Control::Text19},
    {"Text19", ControlKind::TextBox, "Frame2", "", {1800, 1080, 735, 285}, 43, Control::Text19},
    {"Frame3", ControlKind::Frame, "Form1", "裂缝控制：", {240, 7440, 2655, 1455}, 23},
    {"Label12", ControlKind::Label, "Frame3", "As（mm2）：", {120, 360, 1095, 255}, 24, Control::Text9},
    {"Text9", ControlKind::TextBox, "Frame3", "", {1800, 360, 735, 285}, 25, Control::Text9},
    {"Label21", ControlKind::Label, "Frame3", "选用钢筋（mm）：", {120, 720, 1575, 255}, 38, Control::Text18},
    {"Text18", ControlKind::TextBox, "Frame3", "", {1800, 720, 735, 285}, 39, Control::Text18},
    {"Label14", ControlKind::Label, "Frame3", "Wmax（mm）：", {120, 1080, 1335, 255}, 26, Control::Text11},
    {"Text11", ControlKind::TextBox, "Frame3", "", {1800, 1080, 735, 285}, 27, Control::Text11},
    {"Command1", ControlKind::Button, "Form1", "计算", {240, 9120, 855, 495}, 15},
    {"Command2", ControlKind::Button, "Form1", "帮助", {1200, 9120, 855, 495}, 45},
    {"Command3", ControlKind::Button, "Form1", "退出", {2160, 9120, 855, 495}, 46},
    {"OLE1", ControlKind::SketchArea, "Form1", "", {3840, 480, 6255, 4215}, 44},
    {"WindowsMediaPlayer1", ControlKind::HiddenPlayer, "Form1", "", {3120, 840, 615, 495}, 47},
    {"Text12", ControlKind::ReportBox, "Form1", "您可以在此处看到计算的全过程", {3120, 4920, 6975, 4695}, 29, Control::Text12},
}};
// clang-format on

// The full-width colon that ends every label's caption.
inline constexpr std::string_view kCaptionColon = "：";

// The row of a box or list.
constexpr const ControlRow& rowOf(Control control) {
    for (const ControlRow& row : kControlTable) {
        if (row.control == control && row.kind != ControlKind::Label) {
            return row;
        }
    }
    return kControlTable.front(); // not reached: control_table.cpp proves every control a row
}

// The row of the label beside a box or list, or null (the report box has none).
constexpr const ControlRow* labelOf(Control control) {
    for (const ControlRow& row : kControlTable) {
        if (row.control == control && row.kind == ControlKind::Label) {
            return &row;
        }
    }
    return nullptr;
}

// The frames that hold the results, as the window shows them from top to
// bottom: the strength results, then the crack control.
inline constexpr std::array<std::string_view, 2> kResultFrames = {"Frame2", "Frame3"};

// The boxes of a frame, from the top.
template <std::size_t N>
constexpr std::array<Control, N> boxesIn(std::string_view frame) {
    std::array<Control, N> boxes{};
    std::size_t count = 0;
    for (const ControlRow& row : kControlTable) {
        if (row.container == frame && row.kind == ControlKind::TextBox) {
            boxes.at(count++) = *row.control; // a frame with more than N boxes does not compile
        }
    }
    return boxes;
}

// The six results: each result frame's boxes from the top. Batch columns and
// printed results follow this order.
inline constexpr std::array<Control, 6> kResultBoxes = [] {
    const std::array<Control, 3> strength = boxesIn<3>(kResultFrames[0]);
    const std::array<Control, 3> crack = boxesIn<3>(kResultFrames[1]);
    return std::array<Control, 6>{strength[0], strength[1], strength[2], crack[0], crack[1], crack[2]};
}();

const ControlRow* findControlRow(std::string_view name);

// The caption of a box or list without its closing colon, as a message names
// it: "墙厚度h5(mm)". Empty for the report box.
std::string_view captionOf(Control control);

// The text a box shows when the window opens; empty for outputs and lists.
std::string_view initialText(Control control);

FontRole fontRoleOf(const ControlRow& row);
bool takesFocus(const ControlRow& row);

// The controls that take the focus, in the order Tab visits them.
std::vector<const ControlRow*> tabOrder();

} // namespace rampwall
