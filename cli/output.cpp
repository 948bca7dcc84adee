#include "output.h"

#include "control_table.h"

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

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    while (!text.empty()) {
        const char ch = text.front();
        const auto byte = static_cast<unsigned char>(ch);
        std::size_t length = 1;
        switch (ch) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            if (byte < 0x20) {
                out.append("\\u00");
                out.push_back(kHex[byte >> 4]);
                out.push_back(kHex[byte & 0xF]);
            } else if ((length = utf8SequenceLength(text)) > 0) {
                out.append(text.substr(0, length));
            } else {
                out.append("\\ufffd");
                length = 1;
            }
        }
        text.remove_prefix(length);
    }
    out.push_back('"');
}

void printForPerson(std::ostream& out, const DesignResult& result) {
    std::string text;
    for (const ShownMessage& message : result.messages) {
        text.append(message.title).append(" ").append(message.text).append("\n");
    }
    if (!result.messages.empty()) {
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
        if (const std::string* written = result.boxText(box)) {
            text.append(*written);
        }
        text.append("\n");
    }
    if (const std::string* sheet = result.boxText(Control::Text12)) {
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

void printJson(std::ostream& out, const DesignResult& result) {
    std::string text = "{\"completed\": ";
    text.append(result.completed() ? "true" : "false");
    text.append(", \"messages\": [");
    for (std::size_t i = 0; i < result.messages.size(); ++i) {
        text.append(i > 0 ? ", " : "").append("{\"title\": ");
        appendJsonString(text, result.messages[i].title);
        text.append(", \"text\": ");
        appendJsonString(text, result.messages[i].text);
        text.append("}");
    }
    text.append("], \"boxes\": {");
    for (std::size_t i = 0; i < result.boxes.size(); ++i) {
        text.append(i > 0 ? ", " : "");
        appendJsonString(text, controlName(result.boxes[i].box));
        text.append(": ");
        appendJsonString(text, result.boxes[i].text);
    }
    text.append("}}\n");
    out << text;
}

} // namespace rampwall::cli
