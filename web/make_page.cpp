// Writes the web page's index.html from the control table: every control of
// the window as an element with its name as id, at its place in pixels, with
// its caption, its font role and its tab index; the window's own texts for
// page.js; the colours and fonts as CSS variables. The page's behaviour is in
// page.js and its look in page.css, which take everything else from here.
// Usage: make_page OUTPUT.html
#include "calc/calculation_stop.h"
#include "calc/control_table.h"
#include "calc/controls.h"
#include "calc/editions/code_edition.h"
#include "calc/editions/registry.h"
#include "calc/text_bytes.h"
#include "calc/version.h"
#include "calc/window_look.h"
#include "calc/window_texts.h"
#include "design/design_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace rampwall;

// A script element ends at the first "</": JSON may write it as "<\/".
std::string scriptText(std::string_view json) {
    std::string out;
    for (std::size_t i = 0; i < json.size(); ++i) {
        out += json[i];
        if (json[i] == '<' && i + 1 < json.size() && json[i + 1] == '/') {
            out += '\\';
        }
    }
    return out;
}

std::string px(int twips) { return std::to_string(twipsToPixels(twips)) + "px"; }

std::string placeOf(const ControlRow& row) {
    return "left:" + px(row.twips.left) + ";top:" + px(row.twips.top) + ";width:" + px(row.twips.width) +
           ";height:" + px(row.twips.height);
}

std::string rgb(Rgb colour) {
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

// The layout's face, its desktop stand-in, then faces with Chinese glyphs
// that Windows, macOS, Android and Linux browsers have.
std::string fontStack(FontRole role) {
    const FontFace face = fontFace(role);
    const std::string_view others = role == FontRole::Credit
                                        ? R"("STXingkai", "KaiTi", "楷体", "STKaiti", "AR PL UKai CN", serif)"
                                        : R"("Microsoft YaHei", "PingFang SC", "Noto Sans CJK SC", )"
                                          R"("Source Han Sans SC", "SimSun", sans-serif)";
    return "\"" + std::string(face.family) + "\", \"" + std::string(face.standIn) + "\", " + std::string(others);
}

std::string fontSize(FontRole role) {
    char text[16];
    std::snprintf(text, sizeof text, "%gpt", fontFace(role).points);
    return text;
}

std::string_view classOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::CentredLabel: return "label credit";
    case ControlKind::TextBox: return "box";
    case ControlKind::ReportBox: return "box sheet";
    case ControlKind::List: return "list";
    case ControlKind::Frame: return "frame";
    case ControlKind::Button: return "button";
    case ControlKind::SketchArea: return "sketch";
    case ControlKind::HiddenPlayer: return "player";
    }
    return "";
}

// Positive tab indices come before every other focusable element of the
// page, in the window's order; the table counts from 0.
std::string tabIndexOf(const ControlRow& row) {
    return takesFocus(row) ? " tabindex=\"" + std::to_string(row.tabIndex + 1) + "\"" : std::string();
}

// The sheet has no caption on the window; a screen reader names it so.
constexpr std::string_view kSheetName = "计算过程";

// A result box is named by its frame and its label ("裂缝控制： As（mm2）："),
// as the two As boxes have the same label; any other box by its label.
std::string accessibleName(const ControlRow& row) {
    if (std::find(kResultFrames.begin(), kResultFrames.end(), row.container) == kResultFrames.end() || !row.control) {
        return {};
    }
    const ControlRow* label = labelOf(*row.control);
    return label == nullptr
               ? std::string()
               : " aria-labelledby=\"" + std::string(row.container) + "-caption " + std::string(label->name) + "\"";
}

void writeControl(std::ostream& out, const ControlRow& row, int depth);

void writeChildren(std::ostream& out, std::string_view container, int depth) {
    for (const ControlRow& row : kControlTable) {
        if (row.container == container) {
            writeControl(out, row, depth);
        }
    }
}

// A box holds what the desktop's box holds; a longer paste is cut there.
std::string maxLength() { return " maxlength=\"" + std::to_string(design::kMaxBoxCharacters) + "\""; }

void writeControl(std::ostream& out, const ControlRow& row, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    const std::string name(row.name);
    const std::string place = placeOf(row);
    const std::string common = " class=\"" + std::string(classOf(row.kind)) + "\" style=\"" + place + "\"";
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::CentredLabel:
        // A caption that names no box is text, not a label.
        if (row.control) {
            out << indent << "<label id=\"" << name << "\" for=\"" << controlName(*row.control) << "\"" << common << ">"
                << escapedMarkup(row.text) << "</label>\n";
        } else {
            out << indent << "<div id=\"" << name << "\"" << common << ">" << escapedMarkup(row.text) << "</div>\n";
        }
        break;
    case ControlKind::TextBox:
        out << indent << "<input id=\"" << name << "\"" << common << tabIndexOf(row) << accessibleName(row)
            << maxLength() << " type=\"text\" spellcheck=\"false\" autocomplete=\"off\" value=\""
            << escapedMarkup(row.text) << "\">\n";
        break;
    case ControlKind::ReportBox:
        out << indent << "<textarea id=\"" << name << "\"" << common << tabIndexOf(row) << " aria-label=\""
            << escapedMarkup(kSheetName) << "\" wrap=\"off\" spellcheck=\"false\">" << escapedMarkup(row.text)
            << "</textarea>\n";
        break;
    case ControlKind::List:
        // The edit line carries the name: it is what takes the focus and the
        // typing; the drop-down lists the entries the module fills in.
        out << indent << "<div class=\"list\" style=\"" << place << "\">"
            << "<input id=\"" << name << "\" class=\"list-edit\"" << tabIndexOf(row) << maxLength()
            << " type=\"text\" role=\"combobox\" aria-expanded=\"false\" aria-controls=\"" << name
            << "-entries\" spellcheck=\"false\" autocomplete=\"off\" value=\"" << escapedMarkup(row.text) << "\">"
            << "<span class=\"list-button\" aria-hidden=\"true\"></span>"
            << "<ul id=\"" << name << "-entries\" class=\"list-entries\" role=\"listbox\" hidden></ul></div>\n";
        break;
    case ControlKind::Frame:
        out << indent << "<div id=\"" << name << "\"" << common << " role=\"group\" aria-labelledby=\"" << name
            << "-caption\"><span id=\"" << name << "-caption\" class=\"frame-caption\">" << escapedMarkup(row.text)
            << "</span>\n";
        writeChildren(out, row.name, depth + 1);
        out << indent << "</div>\n";
        break;
    case ControlKind::Button:
        out << indent << "<button id=\"" << name << "\"" << common << tabIndexOf(row) << " type=\"button\">"
            << escapedMarkup(row.text) << "</button>\n";
        break;
    case ControlKind::SketchArea:
        out << indent << "<div id=\"" << name << "\"" << common << tabIndexOf(row)
            << " role=\"img\" aria-label=\"计算简图\"><img data-src=\"sketch.svg\" alt=\"\" "
               "draggable=\"false\"></div>\n";
        break;
    case ControlKind::HiddenPlayer:
        // The desktop's background tune: the page stays silent and holds no
        // sound file, so the player is only a place.
        out << indent << "<div id=\"" << name << "\"" << common << " hidden></div>\n";
        break;
    }
}

// What only the page says: the About box names the browser instead of a
// toolkit; the form waits for the calculation while it loads, and says so
// when it cannot load; a browser with scripts off is told why nothing works.
constexpr std::string_view kPageToolkit = "网页版：计算在本机的浏览器中进行，不连网络";
constexpr std::string_view kLoading = "正在加载…";
constexpr std::string_view kModuleFailure = "计算模块无法载入：";
constexpr std::string_view kModuleFailureHint =
    "请检查网络连接后重新打开本页；也可以改用不需要网络、可以复制到任何电脑上的单个文件 rampwall.html。";
constexpr std::string_view kNoScript = "本页的计算需要 JavaScript：请允许本页运行脚本后重新打开。";
// The page makes no PDF itself: the browser's print does.
constexpr std::string_view kExportNote = "计算书将在浏览器的打印对话框中导出：请在“目标打印机”中选择“另存为 PDF”，"
                                         "纸张 A4，再按“保存”。";
constexpr std::string_view kPrintButton = "打印…";
constexpr std::string_view kCloseButton = "关闭";

// The commands the page offers, menu by menu in the order of kMenus; "" is
// a separator. The code menu lists the editions before its commands.
constexpr std::string_view kSeparator;
constexpr std::array<std::string_view, 11> kPageFileCommands = {
    "actionNew",        "actionOpen",      "actionSave",         "actionSaveAs", kSeparator,  "actionProjectInfo",
    "actionExportBook", "actionPrintBook", "actionPrintPreview", kSeparator,     "actionExit"};
constexpr std::array<std::string_view, 2> kPageCodeCommands = {kSeparator, "actionLoadFactors"};
constexpr std::array<std::string_view, 2> kPageHelpCommands = {"actionHelp", "actionAbout"};
constexpr std::array<std::string_view, 1> kPageToolsCommands = {"actionRamp"};

std::span<const std::string_view> pageCommands(std::string_view menu) {
    if (menu == "FileMenu") {
        return kPageFileCommands;
    }
    if (menu == "CodeMenu") {
        return kPageCodeCommands;
    }
    if (menu == "HelpMenu") {
        return kPageHelpCommands;
    }
    if (menu == "ToolsMenu") {
        return kPageToolsCommands;
    }
    return {};
}

// A browser keeps Ctrl+N and Ctrl+Q for itself; these reach the page.
constexpr std::array<std::string_view, 6> kPageShortcuts = {"actionOpen",       "actionSave",      "actionSaveAs",
                                                            "actionExportBook", "actionPrintBook", "actionHelp"};

// The commands that need a completed 计算, as on the desktop.
constexpr std::array<std::string_view, 3> kBookCommands = {"actionExportBook", "actionPrintBook", "actionPrintPreview"};

bool asksInThePage(const CommandText& command) { return command.asksMore; }

nlohmann::json commandItem(const CommandText& command) {
    nlohmann::json item = {
        {"name", command.name},
        {"caption", menuCaption(command.caption, command.mnemonic, asksInThePage(command), false)},
    };
    if (std::find(kPageShortcuts.begin(), kPageShortcuts.end(), command.name) != kPageShortcuts.end()) {
        item["shortcut"] = command.shortcut;
    }
    if (std::find(kBookCommands.begin(), kBookCommands.end(), command.name) != kBookCommands.end()) {
        item["book"] = true;
    }
    return item;
}

nlohmann::json menus() {
    nlohmann::json all = nlohmann::json::array();
    for (const MenuText& menu : kMenus) {
        nlohmann::json items = nlohmann::json::array();
        if (menu.name == "CodeMenu") {
            for (const CodeEdition* edition : editions()) {
                items.push_back({{"name", editionActionName(edition->key())},
                                 {"caption", edition->title()},
                                 {"edition", edition->key()}});
            }
        }
        for (const std::string_view name : pageCommands(menu.name)) {
            if (name.empty()) {
                items.push_back(nullptr);
                continue;
            }
            // commandText gives the first command for a name it does not know.
            const CommandText& command = commandText(name);
            if (command.name != name) {
                throw std::invalid_argument("no command " + std::string(name));
            }
            items.push_back(commandItem(command));
        }
        if (!items.empty()) {
            all.push_back({{"name", menu.name},
                           {"caption", menuCaption(menu.caption, menu.mnemonic, false, false)},
                           {"mnemonic", std::string(1, menu.mnemonic)},
                           {"items", items}});
        }
    }
    return all;
}

// A text with blanks to fill: the pieces between them. The page puts the
// values in, so the wording stays where it is written.
constexpr char kBlank = '\x01';
nlohmann::json pieces(std::string_view text) {
    nlohmann::json parts = nlohmann::json::array();
    std::size_t from = 0;
    for (std::size_t at = text.find(kBlank); at != std::string_view::npos; at = text.find(kBlank, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(text.substr(from));
    return parts;
}

nlohmann::json editionTexts(const CodeEdition& edition) {
    nlohmann::json factors = nlohmann::json::array();
    for (const FactorDefinition& factor : edition.factors()) {
        factors.push_back({{"key", factor.key},
                           {"symbol", factor.symbol},
                           {"caption", factor.caption},
                           {"clause", factor.clause},
                           {"default", factor.defaultValue},
                           {"lowest", factor.lowest},
                           {"lowestIncluded", factor.lowestIncluded},
                           {"highest", factor.highest}});
    }
    nlohmann::json unused = nlohmann::json::array();
    for (const UnusedInput& input : edition.unusedInputs()) {
        unused.push_back({{"box", controlName(input.box)}, {"tip", input.tip}});
    }
    nlohmann::json steel = nlohmann::json::array();
    for (const std::string_view entry : listEntries(edition, Control::Combo2)) {
        steel.push_back(entry);
    }
    const std::string credit = creditLine(edition);
    return {
        {"key", edition.key()},
        {"title", edition.title()},
        {"action", editionActionName(edition.key())},
        {"credit", credit},
        {"about", aboutText(kWindowTitle, RAMPWALL_VERSION, credit, kPageToolkit)},
        {"steel", steel},
        {"factors", factors},
        {"factorsNote", factors.empty() ? std::string() : factorsNote(edition.title(), edition.factorNote())},
        {"unused", unused},
    };
}

// What page.js needs besides the controls: the window's texts, menus,
// dialogs and questions, and the code editions.
nlohmann::json windowTexts() {
    const std::string blank(1, kBlank);
    nlohmann::json texts = {
        {"title", kWindowTitle},
        {"helpTitle", kHelpTitle},
        {"helpText", kHelpText},
        {"noticeTitle", kNoticeTitle},
        {"failure", kUnexpectedFailureMessage},
        {"moduleFailure", kModuleFailure},
        {"moduleFailureHint", kModuleFailureHint},
        {"exportBookTitle", kExportBookTitle},
        {"exportNote", kExportNote},
        {"printPreviewTitle", kPrintPreviewTitle},
        {"printButton", kPrintButton},
        {"closeButton", kCloseButton},
        {"aboutTitle", aboutTitle(kWindowTitle)},
        {"version", RAMPWALL_VERSION},
        {"fileSuffix", design::kFileSuffix},
        {"maxFileBytes", design::kMaxFileBytes},
        {"untitled", kUntitled},
        {"designFileKind", kDesignFileKind},
        {"projectInfoTitle", kProjectInfoTitle},
        {"loadFactorsTitle", kLoadFactorsTitle},
        {"buttons", {{"ok", kOkButton}, {"cancel", kCancelButton}, {"save", kSaveButton}, {"discard", kDiscardButton}}},
        {"saveQuestion", saveQuestion({})},
        {"saveQuestionNamed", pieces(saveQuestion(blank))},
        {"saveFailure", pieces(design::saveFailureMessage(blank, blank))},
        {"defaultEdition", defaultEdition().key()},
        {"menus", menus()},
        {"maxBoxCharacters", design::kMaxBoxCharacters},
    };
    nlohmann::json fields = nlohmann::json::array();
    for (const design::ProjectField& field : design::kProjectFields) {
        fields.push_back({{"key", field.key}, {"label", field.label}});
    }
    texts["projectFields"] = fields;
    nlohmann::json rampBoxes = nlohmann::json::array();
    for (const RampBox& box : kRampBoxes) {
        rampBoxes.push_back({{"name", box.name}, {"caption", box.caption}, {"tip", box.tip}});
    }
    texts["ramp"] = {
        {"title", kRampTitle},
        {"boxes", rampBoxes},
        {"compute", kRampButtons.front().caption},
        {"exportBook", kRampButtons[1].caption},
        {"print", kRampButtons[2].caption},
        {"close", kRampButtons.back().caption},
        {"csv", kRampCsvButton},
        {"headers", kRampTableHeaders},
        {"lowerEnd", kRampLowerEnd},
    };
    nlohmann::json all = nlohmann::json::array();
    for (const CodeEdition* edition : editions()) {
        all.push_back(editionTexts(*edition));
    }
    texts["editions"] = all;
    return texts;
}

// What goes into the page besides the controls. Its style and scripts are
// always inside it: a new visitor's browser then fetches the page and the
// wasm, and nothing else before the results show. The icon and the sketch
// are files beside index.html, or inside rampwall.html with the gzipped wasm,
// one file that opens anywhere with no other file and no network.
struct Parts {
    bool single = false;
    std::string style;                    // page.css
    std::vector<std::string> headScripts; // run before the form is read: load_wasm.js
    std::vector<std::string> scripts;     // run after it: the module's loader, page.js
    std::string icon, sketch;             // data: addresses (single only)
    std::string wasmGzip;                 // the gzipped wasm (single only)
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string base64(std::string_view bytes) {
    static constexpr std::string_view digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (left > 1) {
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        if (left > 2) {
            group |= static_cast<unsigned char>(bytes[i + 2]);
        }
        encoded += digits[(group >> 18) & 63];
        encoded += digits[(group >> 12) & 63];
        encoded += left > 1 ? digits[(group >> 6) & 63] : '=';
        encoded += left > 2 ? digits[group & 63] : '=';
    }
    return encoded;
}

// A script inside the page ends at the first "</script"; "<!--" would start
// the parser's comment-like state. Both are written so that JavaScript reads
// the same text and HTML sees neither.
std::string insideScript(std::string_view code) {
    std::string out;
    out.reserve(code.size());
    for (std::size_t i = 0; i < code.size(); ++i) {
        out += code[i];
        if (code[i] == '<' && (code.substr(i + 1, 7) == "/script" || code.substr(i + 1, 3) == "!--")) {
            out += '\\';
        }
    }
    return out;
}

// The viewport's minimum-scale=1: a phone's browser must not zoom out to a
// window wider than the screen, as page.js scales the window to the screen.
void writePage(std::ostream& out, const Parts& parts) {
    out << R"(<!DOCTYPE html>
<html lang="zh-CN" data-kind=")"
        << (parts.single ? "single" : "folder") << R"(">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1, minimum-scale=1">
<meta name="theme-color" content=")"
        << rgb(kDialogFaceColour) << R"(">
<title>)"
        << escapedMarkup(kWindowTitle) << "</title>\n<link rel=\"icon\" href=\""
        << (parts.single ? parts.icon : "icon.svg") << "\" type=\"image/svg+xml\">\n";
    out << "<style>\n" << parts.style << "</style>\n";
    out << R"(<style>
:root {
  --dialog-face: )"
        << rgb(kDialogFaceColour) << R"(;
  --caption-text: )"
        << rgb(kCaptionTextColour) << R"(;
  --box-background: )"
        << rgb(kBoxBackgroundColour) << R"(;
  --credit-text: )"
        << rgb(kCreditTextColour) << R"(;
  --sketch-background: )"
        << rgb(kSketchBackgroundColour) << R"(;
  --stale-text: )"
        << rgb(kStaleTextColour) << R"(;
  --standard-font: )"
        << fontStack(FontRole::Standard) << R"(;
  --standard-size: )"
        << fontSize(FontRole::Standard) << R"(;
  --report-font: )"
        << fontStack(FontRole::Report) << R"(;
  --report-size: )"
        << fontSize(FontRole::Report) << R"(;
  --credit-font: )"
        << fontStack(FontRole::Credit) << R"(;
  --credit-size: )"
        << fontSize(FontRole::Credit) << R"(;
}
</style>
<noscript><style>.window { display: none; }</style></noscript>
)";
    if (parts.single) {
        // The wasm before the loader that starts it on its way.
        out << "<script>var rampwallWasmGzip = \"" << base64(parts.wasmGzip) << "\";</script>\n";
    }
    for (const std::string& script : parts.headScripts) {
        out << "<script>\n" << insideScript(script) << "\n</script>\n";
    }
    out << R"(</head>
<body>
<noscript><p class="noscript">)"
        << escapedMarkup(kNoScript) << R"(</p></noscript>
<div class="window" inert>
<nav id="MenuBar" class="menu-bar" role="menubar" aria-label="菜单"></nav>
<div id=")"
        << kFormName << R"(" class="client" style="width:)" << px(kClientWidthTwips)
        << ";height:" << px(kClientHeightTwips) << R"(">
)";
    writeChildren(out, kFormName, 1);
    out << R"(</div>
<div id="LoadStatus" class="load-status" role="status">)"
        << escapedMarkup(kLoading) << R"(</div>
</div>
<div id="Book" class="book-print"></div>
<dialog id="MessageBox" aria-labelledby="MessageBoxTitle" aria-describedby="MessageBoxText">
  <div id="MessageBoxTitle" class="dialog-title"></div>
  <p id="MessageBoxText" class="dialog-text"></p>
  <div id="MessageBoxButtons" class="dialog-buttons"></div>
</dialog>
<input id="DesignFilePicker" type="file" accept=".rampwall,application/x-rampwall,application/json" hidden>
<script id="WindowTexts" type="application/json">)"
        << scriptText(windowTexts().dump()) << "</script>\n";
    if (parts.single) {
        out << "<script id=\"Sketch\" type=\"text/plain\">" << parts.sketch << "</script>\n";
    }
    for (const std::string& script : parts.scripts) {
        out << "<script>\n" << insideScript(script) << "\n</script>\n";
    }
    out << "</body>\n</html>\n";
}

// The order Tab walks through the window's controls, one name a line: what
// the page's tests expect of the browser.
void writeTabOrder(std::ostream& out) {
    for (const ControlRow* row : tabOrder()) {
        out << row->name << "\n";
    }
}

// The wasm as a script, base64 in a string: a page opened from a disk may
// load scripts beside it but not fetch other files.
void writeWasmScript(const std::string& wasmPath, const std::string& scriptPath) {
    const std::string bytes = readFile(wasmPath);
    if (bytes.empty()) {
        throw std::runtime_error(wasmPath + " is empty");
    }
    std::ofstream out(scriptPath, std::ios::binary);
    out << "// rampwall.wasm for a page opened from a disk.\nvar rampwallWasmBase64 = \"" << base64(bytes) << "\";\n";
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + scriptPath);
    }
}

// The parts from the command line: --style FILE, --head-script FILE and
// --script FILE (in order, repeated), and for rampwall.html --icon FILE,
// --sketch FILE and --wasm-gz FILE.
Parts partsFrom(std::span<const std::string_view> args, bool single) {
    Parts parts;
    parts.single = single;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        const std::string file(args[i + 1]);
        if (args[i] == "--style") {
            parts.style = readFile(file);
        } else if (args[i] == "--head-script") {
            parts.headScripts.push_back(readFile(file));
        } else if (args[i] == "--script") {
            parts.scripts.push_back(readFile(file));
        } else if (single && args[i] == "--icon") {
            parts.icon = "data:image/svg+xml;base64," + base64(readFile(file));
        } else if (single && args[i] == "--sketch") {
            parts.sketch = "data:image/svg+xml;base64," + base64(readFile(file));
        } else if (single && args[i] == "--wasm-gz") {
            parts.wasmGzip = readFile(file);
        } else {
            throw std::invalid_argument("unknown option " + std::string(args[i]));
        }
    }
    if (args.size() % 2 != 0 || parts.style.empty() || parts.scripts.empty() ||
        (single && (parts.icon.empty() || parts.sketch.empty() || parts.wasmGzip.empty()))) {
        throw std::invalid_argument("a page needs --style and --script; rampwall.html also --icon, --sketch and "
                                    "--wasm-gz");
    }
    return parts;
}

} // namespace

// The served page's web app manifest: its name, colours and icons, each icon
// by its file name (an SVG for any size, a PNG "name-192.png" for 192 px).
void writeManifest(std::ostream& out, std::span<const std::string_view> icons) {
    nlohmann::json list = nlohmann::json::array();
    for (const std::string_view icon : icons) {
        const std::string name(icon.substr(icon.find_last_of('/') + 1));
        const bool svg = name.ends_with(".svg");
        const std::size_t dash = name.rfind('-');
        std::string sizes = "any";
        if (!svg && dash != std::string::npos) {
            const std::string side = name.substr(dash + 1, name.size() - dash - 5);
            sizes = side;
            sizes += 'x';
            sizes += side;
        }
        list.push_back(
            {{"src", name}, {"sizes", sizes}, {"type", svg ? "image/svg+xml" : "image/png"}, {"purpose", "any"}});
    }
    const nlohmann::json manifest = {
        {"name", kWindowTitle},
        {"short_name", kWindowTitle},
        {"lang", "zh-CN"},
        {"start_url", "./index.html"},
        {"scope", "./"},
        {"display", "standalone"},
        {"background_color", rgb(Rgb{128, 128, 128})},
        {"theme_color", rgb(kDialogFaceColour)},
        {"icons", list},
    };
    out << manifest.dump(2) << "\n";
}

// The service worker from its template: the files it keeps, and a version
// that changes whenever one of them does (64-bit FNV-1a over their bytes).
void writeWorker(const std::string& templatePath, std::ostream& out, std::span<const std::string_view> files) {
    std::uint64_t hash = 14695981039346656037ull;
    std::string list;
    for (const std::string_view file : files) {
        for (const char byte : readFile(std::string(file))) {
            hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
        }
        list += (list.empty() ? "'" : ", '") + std::string(file.substr(file.find_last_of('/') + 1)) + "'";
    }
    static constexpr std::string_view digits = "0123456789abcdef";
    std::string version;
    for (int shift = 60; shift >= 0; shift -= 4) {
        version += digits[(hash >> shift) & 15];
    }
    std::string text = readFile(templatePath);
    for (const auto& [mark, value] : {std::pair<std::string_view, std::string>{"@VERSION@", version},
                                      std::pair<std::string_view, std::string>{"'@FILES@'", list}}) {
        const std::size_t at = text.find(mark);
        if (at == std::string::npos) {
            throw std::runtime_error(templatePath + " has no " + std::string(mark));
        }
        text.replace(at, mark.size(), value);
    }
    out << text;
}

constexpr std::string_view kUsage =
    "usage: make_page OUTPUT.html --style CSS [--head-script JS]... --script JS...\n"
    "       make_page --single-file OUTPUT.html --style CSS [--head-script JS]... --script JS... --icon SVG\n"
    "                 --sketch SVG --wasm-gz GZ\n"
    "       make_page --manifest OUTPUT ICON...\n"
    "       make_page --worker TEMPLATE.js OUTPUT.js FILE...\n"
    "       make_page --tab-order\n"
    "       make_page --embed-wasm IN.wasm OUT.js\n";

int main(int argc, char** argv) {
    try {
        const std::vector<std::string_view> args(argv + 1, argv + argc);
        if (args.size() == 1 && args[0] == "--tab-order") {
            writeTabOrder(std::cout);
            return 0;
        }
        if (args.size() == 3 && args[0] == "--embed-wasm") {
            writeWasmScript(std::string(args[1]), std::string(args[2]));
            return 0;
        }
        if (args.size() >= 3 && (args[0] == "--manifest" || args[0] == "--worker")) {
            const bool worker = args[0] == "--worker";
            const std::string output(args[worker ? 2 : 1]);
            std::ostringstream text;
            if (worker) {
                writeWorker(std::string(args[1]), text, std::span(args).subspan(3));
            } else {
                writeManifest(text, std::span(args).subspan(2));
            }
            std::ofstream out{output, std::ios::binary};
            out << text.str();
            out.close();
            if (!out) {
                throw std::runtime_error("cannot write " + output);
            }
            return 0;
        }
        const bool single = !args.empty() && args[0] == "--single-file";
        const std::size_t at = single ? 1 : 0;
        if (args.size() <= at || args[at].starts_with("-")) {
            std::cerr << kUsage;
            return 2;
        }
        const Parts parts = partsFrom(std::span(args).subspan(at + 1), single);
        const std::string_view output = args[at];
        std::ofstream out{std::string(output), std::ios::binary};
        writePage(out, parts);
        out.close();
        if (!out) {
            std::cerr << "make_page: cannot write " << output << "\n";
            return 1;
        }
    } catch (const std::invalid_argument& error) {
        std::cerr << "make_page: " << error.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "make_page: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
