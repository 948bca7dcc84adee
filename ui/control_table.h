// Every control of the window as data: name, kind, container, caption,
// position and size in twips, tab index. The window is built from this table
// and from nothing else, so all of its captions and geometry live here.
#pragma once

#include <QRect>
#include <QSize>

#include <span>
#include <string_view>

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

struct ControlSpec {
    std::string_view name; // the widget's objectName
    ControlKind kind;
    std::string_view container; // "Form1" or the frame's name
    std::string_view caption;   // labels, frames and buttons; boxes take their initial text elsewhere
    TwipRect twips;
    int tabIndex;
};

inline constexpr std::string_view kFormName = "Form1";

// 15 twips make one pixel at 96 dots per inch; Qt scales device-independent
// pixels on denser screens, so the window stays in proportion there.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 10290;
inline constexpr int kClientHeightTwips = 9795;

std::span<const ControlSpec> controlTable();
const ControlSpec* findControlSpec(std::string_view name);
FontRole fontRoleOf(const ControlSpec& row);
bool takesFocus(const ControlSpec& row);

constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
QRect pixelRect(const TwipRect& twips);
QSize clientSizePixels();

// The texts of the window that no box holds: its title, the credit line and
// the help box.
inline constexpr std::string_view kWindowTitle = "坡道外墙配筋计算";
// What the program does and the code it follows; it names no person.
inline constexpr std::string_view kCreditLine = "开敞坡道挡土外墙竖向配筋计算　依据《混凝土结构设计规范》GB 50010-2002";
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

} // namespace rampwall
