#include "design/design_file.h"

#include "calc/control_table.h"
#include "calc/editions/registry.h"
#include "calc/materials.h"
#include "calc/text_bytes.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>

namespace rampwall::design {

namespace {

using Json = nlohmann::json;

// A design nests three levels deep ({"inputs": {"concrete": {"text": …}}});
// deeper text is refused while it is read, before it can cost anything.
constexpr int kMaxDepth = 8;

// A fault that ends the reading; its text is the whole error.
struct Fault {
    std::string text;
};

std::string inQuotes(std::string_view text) { return "“" + shortened(text) + "”"; }

// A path is the user's own and longer than a key or an entry; only a path
// beyond any a person would type is cut.
std::string fileNameInQuotes(std::string_view path) { return "“" + shortened(path, 256) + "”"; }

// “h5”, or “inputs”中的“h5” for a key inside an object.
std::string keyName(std::string_view parent, std::string_view key) {
    return parent.empty() ? inQuotes(key) : inQuotes(parent) + "中的" + inQuotes(key);
}

std::string_view typeName(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null: return "空值 null";
    case Json::value_t::boolean: return "真假值";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float: return "数字";
    case Json::value_t::string: return "文字";
    case Json::value_t::array: return "数组";
    case Json::value_t::object: return "对象";
    case Json::value_t::binary:
    case Json::value_t::discarded: break;
    }
    return "其他内容";
}

std::string_view listName(Control list) {
    switch (list) {
    case Control::Combo1: return "砼强度等级";
    case Control::Combo2: return "钢筋种类";
    default: return "情况选择";
    }
}

std::string wholeNumber(std::uintmax_t number) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return {buffer, result.ptr};
}

// A count of bytes with its thousands marked, as a person reads it.
std::string byteCount(std::uintmax_t bytes) {
    const std::string digits = wholeNumber(bytes);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped.push_back(',');
        }
        grouped.push_back(digits[i]);
    }
    return grouped + " 字节";
}

// Line and column (in characters) of a byte position, both counted from 1.
std::string position(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "第 " + wholeNumber(line) + " 行第 " + wholeNumber(column) + " 列";
}

// The library frees a document through a list of a container's children,
// as long as the container: freeing a large document, as when memory ran out
// while it was read, would need memory itself and end the program. The depth
// is limited, so it is emptied from the inside out instead, each container
// freed once its children are plain values.
void emptyInsideOut(Json& value) noexcept {
    if (auto* array = value.get_ptr<Json::array_t*>()) {
        for (Json& child : *array) {
            emptyInsideOut(child);
        }
        array->clear();
    } else if (auto* object = value.get_ptr<Json::object_t*>()) {
        for (auto& child : *object) {
            emptyInsideOut(child.second);
        }
        object->clear();
    }
}

// Empties a document from the inside out when it goes, however it goes.
class EmptiedOnExit {
public:
    explicit EmptiedOnExit(Json& document) : m_document(document) {}
    ~EmptiedOnExit() { emptyInsideOut(m_document); }
    EmptiedOnExit(const EmptiedOnExit&) = delete;
    EmptiedOnExit& operator=(const EmptiedOnExit&) = delete;

private:
    Json& m_document;
};

// Builds the document as nlohmann's own reader does, and also refuses what
// that reader lets pass: a key given twice in one object (the last one would
// silently win) and text nested deeper than a design. It keeps where the
// text went wrong, which the library's exceptions do not always carry.
class DocumentBuilder {
public:
    // Reads into root, which its owner empties from the inside out, and
    // keeps the text of a number the file gives the format version, which
    // a double would not show as written.
    DocumentBuilder(Json& root, std::optional<std::string>& versionText) : m_root(root), m_versionText(versionText) {}

    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    bool null() { return add(Json(nullptr)); }
    bool boolean(bool value) { return add(Json(value)); }
    bool number_integer(number_integer_t value) { return add(Json(value)); }
    bool number_unsigned(number_unsigned_t value) { return add(Json(value)); }
    bool number_float(number_float_t value, const string_t& written) {
        if (m_open.size() == 1 && m_open.back().key == "version") {
            m_versionText = written;
        }
        return add(Json(value));
    }
    bool string(string_t& value) { return add(Json(std::move(value))); }
    bool binary(binary_t& /*only in binary formats, never in JSON text*/) { return add(Json()); }
    bool start_object(std::size_t /*unknown*/) { return open(Json::object()); }
    bool start_array(std::size_t /*unknown*/) { return open(Json::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool key(string_t& key) {
        Level& level = m_open.back();
        if (level.value->contains(key)) {
            m_fault = keyName(level.name, key) + "出现了两次；同一对象中的键只能出现一次";
            return false;
        }
        level.key = std::move(key);
        return true;
    }
    bool parse_error(std::size_t position, const std::string& token, const Json::exception& error) {
        m_errorPosition = position;
        m_errorToken = token;
        m_errorId = error.id;
        return false;
    }

    // Parses the whole of text, which must be one value and nothing more
    // than blanks after it.
    void parse(std::string_view text) {
        // The library takes a NUL byte for the end of the text; whatever
        // followed it would pass unread.
        if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
            throw Fault{"文件中有空字符（" + position(text, nul) + "），不是 JSON 格式"};
        }
        if (Json::sax_parse(text.begin(), text.end(), this)) {
            return;
        }
        if (!m_fault.empty()) {
            throw Fault{m_fault};
        }
        if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
            throw Fault{"文件是空的"};
        }
        // A number beyond a double's range is reported after it was read;
        // the user looks for where it starts.
        constexpr int kNumberOverflow = 406;
        if (m_errorId == kNumberOverflow) {
            const std::size_t start =
                m_errorPosition >= m_errorToken.size() ? m_errorPosition - m_errorToken.size() : 0;
            throw Fault{"文件中的数" + inQuotes(m_errorToken) + "超出了数的范围（" + position(text, start) + "）"};
        }
        // The parser counts the byte it stopped at from 1.
        const std::size_t offset = m_errorPosition > 0 ? m_errorPosition - 1 : 0;
        throw Fault{"文件不是 JSON 格式（" + position(text, offset) + "有误）"};
    }

private:
    struct Level {
        Json* value;
        std::string name; // "inputs.steel", as messages name the object
        std::string key;  // the key whose value comes next
    };

    bool add(Json&& value) {
        if (m_open.empty()) {
            m_root = std::move(value);
            return true;
        }
        Level& level = m_open.back();
        if (level.value->is_array()) {
            level.value->push_back(std::move(value));
        } else {
            (*level.value)[level.key] = std::move(value);
        }
        return true;
    }

    bool open(Json&& container) {
        if (m_open.size() >= kMaxDepth) {
            m_fault = "文件内容嵌套过深，不是设计文件";
            return false;
        }
        std::string name;
        Json* value = &m_root;
        if (!m_open.empty()) {
            const Level& parent = m_open.back();
            if (parent.value->is_array()) {
                name = parent.name;
                parent.value->push_back(std::move(container));
                value = &parent.value->back();
            } else {
                name = parent.name.empty() ? parent.key : parent.name + "." + parent.key;
                value = &((*parent.value)[parent.key] = std::move(container));
            }
        } else {
            m_root = std::move(container);
        }
        m_open.push_back({value, std::move(name), {}});
        return true;
    }

    bool close() {
        m_open.pop_back();
        return true;
    }

    Json& m_root;
    std::optional<std::string>& m_versionText;
    // The containers being read, outermost first; each points into
    // m_root, where nothing moves while it is open.
    std::vector<Level> m_open;
    std::string m_fault;
    std::size_t m_errorPosition = 0;
    std::string m_errorToken;
    int m_errorId = 0;
};

void parseJson(std::string_view text, Json& root, std::optional<std::string>& versionText) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            throw Fault{"文件不是 UTF-8 编码的文字（" + position(text, i) + "）"};
        }
        i += length;
    }
    DocumentBuilder(root, versionText).parse(text);
}

class Reader {
public:
    explicit Reader(std::vector<std::string>& unknownKeys) : m_unknown(unknownKeys) {}

    // The object under key, or null when the key is absent.
    const Json* object(const Json& parent, std::string_view parentName, std::string_view key) {
        const auto found = parent.find(key);
        if (found == parent.end()) {
            return nullptr;
        }
        if (!found->is_object()) {
            throw Fault{keyName(parentName, key) + "应为对象 {…}，文件中是" + std::string(typeName(*found))};
        }
        return &*found;
    }

    // Keeps target when the key is absent.
    void text(const Json& parent, std::string_view parentName, std::string_view key, std::string& target) {
        const auto found = parent.find(key);
        if (found == parent.end()) {
            return;
        }
        if (!found->is_string()) {
            throw Fault{keyName(parentName, key) + "应为带引号的文字，文件中是" + std::string(typeName(*found))};
        }
        target = found->get<std::string>();
    }

    void list(const Json& inputs, std::string_view key, Control control, const CodeEdition& edition,
              InputValue& target) {
        const auto found = inputs.find(key);
        if (found == inputs.end()) {
            return;
        }
        const std::string name = keyName("inputs", key);
        if (found->is_string()) {
            std::string entry = found->get<std::string>();
            if (!entryIndex(edition, control, entry)) {
                throw Fault{name + "：" + std::string(listName(control)) + "列表中没有" + inQuotes(entry) + "这一项"};
            }
            target = {std::move(entry), false};
            return;
        }
        const auto typed = found->is_object() ? found->find("text") : found->end();
        if (!found->is_object() || typed == found->end()) {
            throw Fault{name + "应为列表中的一项，或 {\"text\": …} 形式的自由文字，文件中是" +
                        std::string(typeName(*found))};
        }
        InputValue value{{}, true};
        text(*found, "inputs." + std::string(key), "text", value.text);
        unknownKeys(*found, "inputs." + std::string(key), {"text"});
        target = std::move(value);
    }

    // A number the factor may take; keeps target when absent.
    void factor(const Json& factors, const FactorDefinition& definition, FactorValues& target) {
        const auto found = factors.find(definition.key);
        if (found == factors.end()) {
            return;
        }
        const std::string name = keyName("load-factors", definition.key);
        if (!found->is_number()) {
            throw Fault{name + "应为数字，文件中是" + std::string(typeName(*found))};
        }
        const double value = found->get<double>();
        if (const std::optional<std::string> problem = factorProblem(definition, value)) {
            throw Fault{name + "：" + *problem};
        }
        target.set(definition, value);
    }

    // Notes every key of object that is not among known.
    void unknownKeys(const Json& object, std::string_view name, const std::vector<std::string_view>& known) {
        for (const auto& item : object.items()) {
            if (std::find(known.begin(), known.end(), item.key()) == known.end()) {
                m_unknown.push_back(keyName(name, item.key()));
            }
        }
    }

private:
    std::vector<std::string>& m_unknown;
};

// versionText: the number as the file writes it, when it is not whole or
// too large for a whole number; a double would show 1e23 as 9.999999999999999e+22.
void readVersion(const Json& root, const std::optional<std::string>& versionText, std::vector<std::string>& notes) {
    const auto found = root.find("version");
    if (found == root.end()) {
        throw Fault{"缺少格式版本“version”"};
    }
    // The parser keeps every whole number from 0 up as unsigned.
    if (!found->is_number_unsigned() || found->get<unsigned long long>() < 1) {
        std::string shown(typeName(*found));
        if (found->is_number()) {
            shown = shortened(found->is_number_float() && versionText ? *versionText : found->dump());
        }
        throw Fault{"格式版本“version”应为正整数，文件中是" + shown};
    }
    if (found->get<unsigned long long>() > kFormatVersion) {
        notes.push_back("文件的格式版本是 " + found->dump() + "，由较新的程序写成；本程序按版本 " +
                        wholeNumber(kFormatVersion) + " 读取");
    }
}

DesignFile readDesign(const Json& root, const std::optional<std::string>& versionText, const DesignFile& defaults,
                      std::vector<std::string>& notes) {
    if (!root.is_object()) {
        throw Fault{"这不是坡道外墙设计文件：内容应为 JSON 对象 {…}，文件中是" + std::string(typeName(root))};
    }
    const auto format = root.find("format");
    if (format == root.end()) {
        throw Fault{"这不是坡道外墙设计文件：缺少格式名“format”"};
    }
    if (!format->is_string() || format->get<std::string>() != kFormatName) {
        const std::string shown =
            format->is_string() ? inQuotes(format->get<std::string>()) : shortened(format->dump());
        throw Fault{"这不是坡道外墙设计文件：格式名是" + shown + "，应为" + inQuotes(kFormatName)};
    }
    readVersion(root, versionText, notes);

    std::vector<std::string> unknown;
    Reader reader(unknown);
    DesignFile design = defaults;
    // The edition first: it decides which steel grades the list holds. A file
    // that names none was written before editions were named, for the default
    // edition, whatever edition the window has now.
    design.codeEdition.clear();
    reader.text(root, "", "code", design.codeEdition);
    if (!design.codeEdition.empty() && editionByKey(design.codeEdition) == nullptr) {
        throw Fault{"规范版本“code”应为" + editionKeysText("“", "”", "或") + "，文件中是" +
                    inQuotes(design.codeEdition)};
    }
    const CodeEdition& edition = editionOf(design);
    if (const Json* inputs = reader.object(root, "", "inputs")) {
        std::vector<std::string_view> known;
        for (std::size_t i = 0; i < kInputs.size(); ++i) {
            const InputRow& input = kInputs[i];
            known.push_back(input.key);
            if (isListInput(i)) {
                reader.list(*inputs, input.key, input.control, edition, design.inputs[i]);
            } else {
                reader.text(*inputs, "inputs", input.key, design.inputs[i].text);
            }
        }
        reader.unknownKeys(*inputs, "inputs", known);
    }
    // A steel grade the file does not give keeps the start-up entry, as this
    // edition lists it: one edition's start-up HPB235 is the other's HPB300.
    InputValue& steel = design.inputs[inputOf(Control::Combo2)];
    const CodeEdition& defaultsEdition = editionOf(defaults);
    if (!steel.freeText && !entryIndex(edition, Control::Combo2, steel.text)) {
        const std::optional<int> from = entryIndex(defaultsEdition, Control::Combo2, steel.text);
        if (const std::optional<int> to = from ? steelIndexIn(*from, defaultsEdition, edition) : std::nullopt) {
            steel.text = std::string(listEntries(edition, Control::Combo2).at(static_cast<std::size_t>(*to)));
        }
    }
    if (const Json* project = reader.object(root, "", "project")) {
        std::vector<std::string_view> known;
        for (const ProjectField& field : kProjectFields) {
            known.push_back(field.key);
            reader.text(*project, "project", field.key, design.project.*field.member);
        }
        reader.unknownKeys(*project, "project", known);
    }
    if (const Json* factors = reader.object(root, "", "load-factors")) {
        std::vector<std::string_view> known;
        for (const CodeEdition* any : editions()) {
            for (const FactorDefinition& definition : any->factors()) {
                known.push_back(definition.key);
                reader.factor(*factors, definition, design.factors);
            }
        }
        reader.unknownKeys(*factors, "load-factors", known);
    }
    design.ramp.reset();
    if (const Json* ramp = reader.object(root, "", "ramp")) {
        // A key left out keeps the start-up ramp's text.
        ramp::RampInput input = ramp::startupRamp();
        std::vector<std::string_view> known;
        for (const RampField& field : kRampFields) {
            known.push_back(field.key);
            reader.text(*ramp, "ramp", field.key, input.*field.member);
        }
        reader.unknownKeys(*ramp, "ramp", known);
        design.ramp = std::move(input);
    }
    reader.unknownKeys(root, "", {"format", "version", "inputs", "project", "code", "load-factors", "ramp"});

    if (!unknown.empty()) {
        // A file may hold any number of them; a note names a readable few.
        constexpr std::size_t kNamed = 10;
        std::string note = "以下内容本程序不认识，已略过：";
        for (std::size_t i = 0; i < unknown.size() && i < kNamed; ++i) {
            note += (i == 0 ? "" : "、") + unknown[i];
        }
        if (unknown.size() > kNamed) {
            note += "等 " + wholeNumber(unknown.size()) + " 项";
        }
        notes.push_back(std::move(note));
    }
    return design;
}

} // namespace

DesignFile startupDesign(std::string_view today) { return startupDesign(today, defaultEdition(), {}); }

DesignFile startupDesign(std::string_view today, const CodeEdition& edition, const FactorValues& factors) {
    DesignFile design;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const Control control = kInputs[i].control;
        if (isListInput(i)) {
            const std::vector<std::string_view> entries = listEntries(edition, control);
            design.inputs[i].text = std::string(entries.at(static_cast<std::size_t>(edition.startupEntry(control))));
        } else {
            design.inputs[i].text = std::string(initialText(control));
        }
    }
    design.project.date = std::string(today);
    if (&edition != &defaultEdition()) {
        design.codeEdition = std::string(edition.key());
    }
    design.factors = factors;
    return design;
}

const CodeEdition& editionOf(const DesignFile& design) {
    const CodeEdition* named = editionByKey(design.codeEdition);
    return named != nullptr ? *named : defaultEdition();
}

ParseResult parse(std::string_view text, const DesignFile& defaults) {
    ParseResult result;
    try {
        if (text.size() > kMaxFileBytes) {
            throw Fault{tooLargeFault(text.size())};
        }
        Json root;
        const EmptiedOnExit emptied(root);
        std::optional<std::string> versionText;
        parseJson(text, root, versionText);
        result.design = readDesign(root, versionText, defaults, result.notes);
    } catch (const Fault& fault) {
        result.error = fault.text;
        result.notes.clear();
    }
    return result;
}

std::string serialize(const DesignFile& design) {
    nlohmann::ordered_json inputs = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const InputValue& value = design.inputs[i];
        if (isListInput(i) && value.freeText) {
            inputs[kInputs[i].key] = {{"text", value.text}};
        } else {
            inputs[kInputs[i].key] = value.text;
        }
    }
    nlohmann::ordered_json project = nlohmann::ordered_json::object();
    for (const ProjectField& field : kProjectFields) {
        project[field.key] = design.project.*field.member;
    }
    nlohmann::ordered_json root;
    root["format"] = kFormatName;
    root["version"] = kFormatVersion;
    root["inputs"] = std::move(inputs);
    root["project"] = std::move(project);
    if (!design.codeEdition.empty()) {
        root["code"] = design.codeEdition;
    }
    if (!design.factors.empty()) {
        // Every edition's factors, in the editions' order, once one differs
        // from its default.
        nlohmann::ordered_json factors = nlohmann::ordered_json::object();
        for (const CodeEdition* edition : editions()) {
            for (const FactorDefinition& definition : edition->factors()) {
                factors[definition.key] = design.factors.value(definition);
            }
        }
        root["load-factors"] = std::move(factors);
    }
    if (design.ramp) {
        nlohmann::ordered_json ramp = nlohmann::ordered_json::object();
        for (const RampField& field : kRampFields) {
            ramp[field.key] = (*design.ramp).*field.member;
        }
        root["ramp"] = std::move(ramp);
    }
    // Texts from the window are UTF-8; anything else is replaced rather than
    // failing the save.
    return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string saveFault(const DesignFile& design, std::string_view text) {
    if (text.size() <= kMaxFileBytes) {
        return {};
    }
    // The text that takes the most room in the file, escapes included.
    std::string largestName;
    std::size_t largest = 0;
    const auto weigh = [&](std::string_view parent, std::string_view key, const std::string& value) {
        const std::size_t size = Json(value).dump(-1, ' ', false, Json::error_handler_t::replace).size();
        if (size > largest) {
            largest = size;
            largestName = keyName(parent, key);
        }
    };
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        weigh("inputs", kInputs[i].key, design.inputs[i].text);
    }
    for (const ProjectField& field : kProjectFields) {
        weigh("project", field.key, design.project.*field.member);
    }
    return "设计文件将有 " + byteCount(text.size()) + "，超出了设计文件的上限 " + byteCount(kMaxFileBytes) +
           "，保存后无法再打开；最长的是" + largestName + "，在文件中占 " + byteCount(largest) + "，请把它改短";
}

std::string tooLargeFault(std::uintmax_t size) {
    return "文件有 " + byteCount(size) + "，超出了设计文件的上限 " + byteCount(kMaxFileBytes) + "，不是设计文件";
}

std::string shortened(std::string_view text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that does not continue one.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == maxCharacters) {
            return std::string(text.substr(0, i)) + "…";
        }
    }
    return std::string(text);
}

std::string openFailureMessage(std::string_view fileName, std::string_view fault) {
    return "无法打开设计文件" + fileNameInQuotes(fileName) + "：\n" + std::string(fault);
}

std::string saveFailureMessage(std::string_view fileName, std::string_view fault) {
    return "无法保存设计文件" + fileNameInQuotes(fileName) + "：\n" + std::string(fault);
}

std::string notesMessage(std::string_view fileName, const std::vector<std::string>& notes) {
    std::string text = "设计文件" + fileNameInQuotes(fileName) + "已打开。";
    for (const std::string& note : notes) {
        text += "\n" + note;
    }
    return text;
}

} // namespace rampwall::design
