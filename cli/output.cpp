#include "cli/output.h"

#include "calc/control_table.h"
#include "calc/text_bytes.h"
#include "cli/design_run.h"

#include <nlohmann/json.hpp>

namespace rampwall::cli {

namespace {

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
