// Writes the web page's index.html from the control table: every control of
// the window as an element with its name as id, at its place in pixels, with
// its caption, its font role and its tab index; the window's own texts for
// page.js; the colours and fonts as CSS variables. The page's behaviour is in
// page.js and its look in page.css, which take everything else from here.
// Usage: make_page OUTPUT.html
#include "calculation_stop.h"
#include "compute.h"
#include "control_table.h"
#include "design_file.h"
#include "edition.h"
#include "window_look.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace rampwall;

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

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

void writeControl(std::ostream& out, const ControlRow& row, int depth);

void writeChildren(std::ostream& out, std::string_view container, int depth) {
    for (const ControlRow& row : kControlTable) {
        if (row.container == container) {
            writeControl(out, row, depth);
        }
    }
}

void writeControl(std::ostream& out, const ControlRow& row, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    const std::string name(row.name);
    const std::string place = placeOf(row);
    const std::string common = " class=\"" + std::string(classOf(row.kind)) + "\" style=\"" + place + "\"";
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::CentredLabel: {
        const std::string forBox = row.control ? " for=\"" + std::string(controlName(*row.control)) + "\"" : "";
        out << indent << "<label id=\"" << name << "\"" << forBox << common << ">" << escaped(row.text) << "</label>\n";
        break;
    }
    case ControlKind::TextBox:
        out << indent << "<input id=\"" << name << "\"" << common << tabIndexOf(row)
            << " type=\"text\" spellcheck=\"false\" autocomplete=\"off\" value=\"" << escaped(row.text) << "\">\n";
        break;
    case ControlKind::ReportBox:
        out << indent << "<textarea id=\"" << name << "\"" << common << tabIndexOf(row)
            << " wrap=\"off\" spellcheck=\"false\">" << escaped(row.text) << "</textarea>\n";
        break;
    case ControlKind::List:
        // The edit line carries the name: it is what takes the focus and the
        // typing; the drop-down lists the entries the module fills in.
        out << indent << "<div class=\"list\" style=\"" << place << "\">"
            << "<input id=\"" << name << "\" class=\"list-edit\"" << tabIndexOf(row)
            << " type=\"text\" role=\"combobox\" aria-expanded=\"false\" aria-controls=\"" << name
            << "-entries\" spellcheck=\"false\" autocomplete=\"off\" value=\"" << escaped(row.text) << "\">"
            << "<span class=\"list-button\" aria-hidden=\"true\"></span>"
            << "<ul id=\"" << name << "-entries\" class=\"list-entries\" role=\"listbox\" hidden></ul></div>\n";
        break;
    case ControlKind::Frame:
        out << indent << "<div id=\"" << name << "\"" << common << " role=\"group\" aria-labelledby=\"" << name
            << "-caption\"><span id=\"" << name << "-caption\" class=\"frame-caption\">" << escaped(row.text)
            << "</span>\n";
        writeChildren(out, row.name, depth + 1);
        out << indent << "</div>\n";
        break;
    case ControlKind::Button:
        out << indent << "<button id=\"" << name << "\"" << common << tabIndexOf(row) << " type=\"button\">"
            << escaped(row.text) << "</button>\n";
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

// What page.js needs besides the controls: the window's texts, the results
// a run writes with what they show before one, and the editions.
nlohmann::json windowTexts() {
    nlohmann::json texts = {
        {"title", kWindowTitle},
        {"helpTitle", kHelpTitle},
        {"helpText", kHelpText},
        {"noticeTitle", kNoticeTitle},
        {"failure", kUnexpectedFailureMessage},
        {"credit", kCreditLine},
        {"loadFactorBoxTip2010", kLoadFactorBoxTip2010},
        {"loadFactorNote", kLoadFactorNote},
        {"version", RAMPWALL_VERSION},
        {"fileSuffix", design::kFileSuffix},
        {"maxFileBytes", design::kMaxFileBytes},
    };
    nlohmann::json fields = nlohmann::json::array();
    for (const design::ProjectField& field : design::kProjectFields) {
        fields.push_back({{"key", field.key}, {"label", field.label}});
    }
    texts["projectFields"] = fields;
    nlohmann::json written = nlohmann::json::object();
    for (const Control control : kWrittenBoxes) {
        written[std::string(controlName(control))] = initialText(control);
    }
    texts["resultBoxes"] = written;
    nlohmann::json editions = nlohmann::json::array();
    for (const Edition edition : {Edition::GB50010_2002, Edition::GB50010_2010}) {
        editions.push_back({{"key", editionKey(edition)}, {"title", editionTitle(edition)}});
    }
    texts["editions"] = editions;
    return texts;
}

void writePage(std::ostream& out) {
    out << R"(<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>)"
        << escaped(kWindowTitle) << R"(</title>
<link rel="icon" href="icon.svg" type="image/svg+xml">
<link rel="stylesheet" href="page.css">
<style>
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
<script src="load_wasm.js"></script>
<script src="rampwall.js" defer></script>
<script src="page.js" defer></script>
</head>
<body>
<div class="window">
<nav id="MenuBar" class="menu-bar" aria-label="菜单"></nav>
<div id=")"
        << kFormName << R"(" class="client" style="width:)" << px(kClientWidthTwips)
        << ";height:" << px(kClientHeightTwips) << R"(">
)";
    writeChildren(out, kFormName, 1);
    out << R"(</div>
</div>
<dialog id="MessageBox" aria-labelledby="MessageBoxTitle" aria-describedby="MessageBoxText">
  <div id="MessageBoxTitle" class="dialog-title"></div>
  <p id="MessageBoxText" class="dialog-text"></p>
  <div id="MessageBoxButtons" class="dialog-buttons"></div>
</dialog>
<input id="DesignFilePicker" type="file" accept=".rampwall,application/x-rampwall,application/json" hidden>
<script id="WindowTexts" type="application/json">)"
        << scriptText(windowTexts().dump()) << R"(</script>
</body>
</html>
)";
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
bool writeWasmScript(const std::string& wasmPath, const std::string& scriptPath) {
    std::ifstream in(wasmPath, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        return false;
    }
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
    std::ofstream out(scriptPath, std::ios::binary);
    out << "// rampwall.wasm for a page opened from a disk.\nvar rampwallWasmBase64 = \"" << encoded << "\";\n";
    out.close();
    return !bytes.empty() && static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--tab-order") {
        writeTabOrder(std::cout);
        return 0;
    }
    if (args.size() == 3 && args[0] == "--embed-wasm") {
        if (!writeWasmScript(std::string(args[1]), std::string(args[2]))) {
            std::cerr << "make_page: cannot embed " << args[1] << " in " << args[2] << "\n";
            return 1;
        }
        return 0;
    }
    if (args.size() != 1 || args[0].starts_with("-")) {
        std::cerr << "usage: make_page OUTPUT.html | make_page --tab-order | make_page --embed-wasm IN.wasm OUT.js\n";
        return 2;
    }
    std::ofstream out{std::string(args[0]), std::ios::binary};
    writePage(out);
    out.close();
    if (!out) {
        std::cerr << "make_page: cannot write " << args[0] << "\n";
        return 1;
    }
    return 0;
}
