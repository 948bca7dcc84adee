#include "cli/output.h"

#include "calc/control_table.h"
#include "cli/design_run.h"

#include <nlohmann/json.hpp>

namespace rampwall::cli {

namespace {

// Length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// Each byte that does not begin a well-formed UTF-8 sequence becomes U+FFFD,
// so that whatever was typed the output is valid JSON.
std::string validUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    while (!text.empty()) {
        std::size_t length = utf8SequenceLength(text);
        if (length > 0) {
            valid.append(text.substr(0, length));
        } else {
            valid.append("\xEF\xBF\xBD");
            length = 1;
        }
        text.remove_prefix(length);
    }
    return valid;
}

// The library's layout of one member or element a line, joined into one
// line: a line break there is always structural, since a string's own breaks
// are escaped.
std::string oneLine(std::string_view laidOut) {
    std::string line;
    line.reserve(laidOut.size());
    for (const char ch : laidOut) {
        if (ch != '\n') {
            line.push_back(ch);
        } else if (!line.empty() && line.back() == ',') {
            line.push_back(' ');
        }
    }
    return line;
}

} // namespace

void printForPerson(std::ostream& out, const RunResult& result) {
    std::string text;
    const std::vector<const WindowEvent*> messages = result.messages();
    for (const WindowEvent* message : messages) {
        text.append(message->title).append(" ").append(message->text).append("\n");
    }
    if (!messages.empty()) {
        text.append("\n");
    }
    // Each result under its label, each frame's boxes under its caption.
    std::string_view frame;
    for (const Control box : kResultBoxes) {
        if (rowOf(box).container != frame) {
            frame = rowOf(box).container;
            text.append(findControlRow(frame)->text).append("\n");
        }
        text.append("  ").append(labelOf(box)->text);
        // A box this run did not reach shows what a window just opened shows: nothing.
        if (const std::string* written = result.written(box)) {
            text.append(*written);
        }
        text.append("\n");
    }
    if (const std::string* sheet = result.written(Control::Text12)) {
        text.append("\n");
        std::string_view rest = *sheet;
        for (std::size_t end = rest.find("\r\n"); end != std::string_view::npos; end = rest.find("\r\n")) {
            text.append(rest.substr(0, end)).append("\n");
            rest.remove_prefix(end + 2);
        }
        text.append(rest).append("\n");
    }
    out << text;
}

void printJson(std::ostream& out, const RunResult& result) {
    using Json = nlohmann::ordered_json;
    Json messages = Json::array();
    for (const WindowEvent* message : result.messages()) {
        messages.push_back(Json{{"title", validUtf8(message->title)}, {"text", validUtf8(message->text)}});
    }
    Json boxes = Json::object();
    for (const auto& [box, text] : writtenBoxes(result)) {
        boxes[std::string(controlName(box))] = validUtf8(*text);
    }
    // The library writes a double with as many digits as it needs to be read
    // back exactly.
    Json values = Json::object();
    for (const NamedValue& named : result.values) {
        values[std::string(named.name)] = named.value;
    }
    for (const NamedText& named : result.texts) {
        values[std::string(named.name)] = validUtf8(named.text);
    }
    const Json document = {
        {"completed", result.completed()}, {"messages", messages}, {"boxes", boxes}, {"values", values}};
    // The library's replacement is never needed after validUtf8; it keeps a
    // stray byte from ever throwing.
    out << oneLine(document.dump(0, ' ', false, Json::error_handler_t::replace)) << "\n";
}

} // namespace rampwall::cli
