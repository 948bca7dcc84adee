#include "design_file.h"

#include "control_table.h"
#include "materials.h"
#include "materials_2010.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>

namespace rampwall::design {

namespace {

using Json = nlohmann::json;

// A design nests three levels deep ({"inputs": {"concrete": {"text": …}}});
// deeper text is refused while it is read, before it can cost anything.
constexpr int kMaxDepth = 8;

struct TooDeep {};

// A fault that ends the reading; its text is the whole error.
struct Fault {
    std::string text;
};

std::string inQuotes(std::string_view text) { return "“" + std::string(text) + "”"; }

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

// One decimal with a point whatever the locale, rounded half to even as
// printf rounds the exact quotient; whole numbers only, so every target
// writes the same.
std::string megabytes(std::uintmax_t bytes) {
    constexpr std::uintmax_t kMegabyte = std::uintmax_t{1} << 20;
    std::uintmax_t whole = bytes / kMegabyte;
    const std::uintmax_t scaled = bytes % kMegabyte * 10;
    std::uintmax_t tenth = scaled / kMegabyte;
    const std::uintmax_t rest = scaled % kMegabyte * 2;
    if (rest > kMegabyte || (rest == kMegabyte && tenth % 2 == 1)) {
        ++tenth;
    }
    if (tenth == 10) {
        ++whole;
        tenth = 0;
    }
    return wholeNumber(whole) + "." + wholeNumber(tenth) + " MB";
}

// Length of the well-formed UTF-8 sequence at text[at], or 0 when it is not
// one (overlong forms, surrogates and code points beyond U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
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

Json parseJson(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            throw Fault{"文件不是 UTF-8 编码的文字（" + position(text, i) + "）"};
        }
        i += length;
    }
    const auto limitDepth = [](int depth, Json::parse_event_t, Json&) {
        if (depth > kMaxDepth) {
            throw TooDeep{};
        }
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), limitDepth);
    } catch (const TooDeep&) {
        throw Fault{"文件内容嵌套过深，不是设计文件"};
    } catch (const Json::parse_error& error) {
        if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
            throw Fault{"文件是空的"};
        }
        // The parser counts the byte it stopped at from 1.
        const std::size_t offset = error.byte > 0 ? error.byte - 1 : 0;
        throw Fault{"文件不是 JSON 格式（" + position(text, offset) + "有误）"};
    } catch (const Json::exception&) {
        throw Fault{"文件不是 JSON 格式"};
    }
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

    void list(const Json& inputs, std::string_view key, Control control, Edition edition, InputValue& target) {
        const auto found = inputs.find(key);
        if (found == inputs.end()) {
            return;
        }
        const std::string name = keyName("inputs", key);
        if (found->is_string()) {
            std::string entry = found->get<std::string>();
            if (!entryIndex(control, entry, edition)) {
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

    // A number within what loadFactorProblem accepts; keeps target when absent.
    void factor(const Json& factors, const LoadFactorField& field, double& target) {
        const auto found = factors.find(field.key);
        if (found == factors.end()) {
            return;
        }
        const std::string name = keyName("load-factors", field.key);
        if (!found->is_number()) {
            throw Fault{name + "应为数字，文件中是" + std::string(typeName(*found))};
        }
        const double value = found->get<double>();
        if (const std::optional<std::string> problem = loadFactorProblem(field, value)) {
            throw Fault{name + "：" + *problem};
        }
        target = value;
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

void readVersion(const Json& root, std::vector<std::string>& notes) {
    const auto found = root.find("version");
    if (found == root.end()) {
        throw Fault{"缺少格式版本“version”"};
    }
    // The parser keeps every whole number from 0 up as unsigned.
    if (!found->is_number_unsigned() || found->get<unsigned long long>() < 1) {
        const std::string shown = found->is_number() ? found->dump() : std::string(typeName(*found));
        throw Fault{"格式版本“version”应为正整数，文件中是" + shown};
    }
    if (found->get<unsigned long long>() > kFormatVersion) {
        notes.push_back("文件的格式版本是 " + found->dump() + "，由较新的程序写成；本程序按版本 " +
                        wholeNumber(kFormatVersion) + " 读取");
    }
}

DesignFile readDesign(const Json& root, const DesignFile& defaults, std::vector<std::string>& notes) {
    if (!root.is_object()) {
        throw Fault{"这不是坡道外墙设计文件：内容应为 JSON 对象 {…}，文件中是" + std::string(typeName(root))};
    }
    const auto format = root.find("format");
    if (format == root.end()) {
        throw Fault{"这不是坡道外墙设计文件：缺少格式名“format”"};
    }
    if (!format->is_string() || format->get<std::string>() != kFormatName) {
        const std::string shown = format->is_string() ? inQuotes(format->get<std::string>()) : format->dump();
        throw Fault{"这不是坡道外墙设计文件：格式名是" + shown + "，应为" + inQuotes(kFormatName)};
    }
    readVersion(root, notes);

    std::vector<std::string> unknown;
    Reader reader(unknown);
    DesignFile design = defaults;
    // The edition first: it decides which steel grades the list holds. A file
    // that names none was written for the 2002 edition, whatever edition the
    // window has now.
    design.codeEdition.clear();
    reader.text(root, "", "code", design.codeEdition);
    if (!design.codeEdition.empty() && !editionByKey(design.codeEdition)) {
        throw Fault{"规范版本“code”应为" + inQuotes(editionKey(Edition::GB50010_2002)) + "或" +
                    inQuotes(editionKey(Edition::GB50010_2010)) + "，文件中是" + inQuotes(design.codeEdition)};
    }
    const Edition edition = editionOf(design);
    if (const Json* inputs = reader.object(root, "", "inputs")) {
        std::vector<std::string_view> known;
        for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
            const DesignInput& input = kDesignInputs[i];
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
    // edition lists it: the start-up HPB235 is HPB300 in 2010, and back.
    InputValue& steel = design.inputs[12];
    const Edition defaultsEdition = editionOf(defaults);
    if (!steel.freeText && !entryIndex(Control::Combo2, steel.text, edition)) {
        const std::optional<int> from = entryIndex(Control::Combo2, steel.text, defaultsEdition);
        if (const std::optional<int> to = from ? steelIndexInEdition(*from, defaultsEdition, edition) : std::nullopt) {
            steel.text = std::string(steelEntries(edition).at(static_cast<std::size_t>(*to)));
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
        for (const LoadFactorField& field : kLoadFactorFields) {
            known.push_back(field.key);
            reader.factor(*factors, field, design.factors.*field.member);
        }
        reader.unknownKeys(*factors, "load-factors", known);
    }
    reader.unknownKeys(root, "", {"format", "version", "inputs", "project", "code", "load-factors"});

    if (!unknown.empty()) {
        std::string note = "以下内容本程序不认识，已略过：";
        for (std::size_t i = 0; i < unknown.size(); ++i) {
            note += (i == 0 ? "" : "、") + unknown[i];
        }
        notes.push_back(std::move(note));
    }
    return design;
}

} // namespace

DesignFile startupDesign(std::string_view today) {
    DesignFile design;
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        design.inputs[i].text = std::string(initialText(kDesignInputs[i].control));
    }
    design.inputs[11].text = std::string(kConcreteGrades[0].entry);
    design.inputs[12].text = std::string(kSteelGrades[0].entry);
    design.inputs[13].text = std::string(kLoadCaseEntries[0]);
    design.project.date = std::string(today);
    return design;
}

DesignFile startupDesign(std::string_view today, Edition edition, const LoadFactors& factors) {
    DesignFile design = startupDesign(today);
    if (edition != kDefaultEdition) {
        design.codeEdition = std::string(editionKey(edition));
        design.inputs[12].text = std::string(steelEntries(edition).front());
    }
    design.factors = factors;
    return design;
}

std::optional<int> entryIndex(Control list, std::string_view entry) {
    const auto find = [&](const auto& table, auto entryOf) -> std::optional<int> {
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (entryOf(table[i]) == entry) {
                return static_cast<int>(i);
            }
        }
        return std::nullopt;
    };
    switch (list) {
    case Control::Combo1: return find(kConcreteGrades, [](const ConcreteGrade& grade) { return grade.entry; });
    case Control::Combo2: return find(kSteelGrades, [](const SteelGrade& grade) { return grade.entry; });
    case Control::Combo3: return find(kLoadCaseEntries, [](std::string_view text) { return text; });
    default: return std::nullopt;
    }
}

std::optional<int> entryIndex(Control list, std::string_view entry, Edition edition) {
    if (list != Control::Combo2 || edition == Edition::GB50010_2002) {
        return entryIndex(list, entry);
    }
    const std::vector<std::string_view> entries = steelEntries(edition);
    const auto found = std::find(entries.begin(), entries.end(), entry);
    return found == entries.end() ? std::nullopt : std::optional<int>(static_cast<int>(found - entries.begin()));
}

Edition editionOf(const DesignFile& design) { return editionByKey(design.codeEdition).value_or(kDefaultEdition); }

ParseResult parse(std::string_view text, const DesignFile& defaults) {
    ParseResult result;
    try {
        if (text.size() > kMaxFileBytes) {
            throw Fault{"文件太大，不是设计文件"};
        }
        result.design = readDesign(parseJson(text), defaults, result.notes);
    } catch (const Fault& fault) {
        result.error = fault.text;
        result.notes.clear();
    }
    return result;
}

std::string serialize(const DesignFile& design) {
    nlohmann::ordered_json inputs = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        const InputValue& value = design.inputs[i];
        if (isListInput(i) && value.freeText) {
            inputs[kDesignInputs[i].key] = {{"text", value.text}};
        } else {
            inputs[kDesignInputs[i].key] = value.text;
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
    if (design.factors != LoadFactors{}) {
        nlohmann::ordered_json factors = nlohmann::ordered_json::object();
        for (const LoadFactorField& field : kLoadFactorFields) {
            factors[field.key] = design.factors.*field.member;
        }
        root["load-factors"] = std::move(factors);
    }
    // Texts from the window are UTF-8; anything else is replaced rather than
    // failing the save.
    return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string tooLargeFault(std::uintmax_t size) {
    return "文件有 " + megabytes(size) + "，太大了，设计文件不会超过 " + megabytes(kMaxFileBytes);
}

std::string openFailureMessage(std::string_view fileName, std::string_view fault) {
    return "无法打开设计文件" + inQuotes(fileName) + "：\n" + std::string(fault);
}

std::string saveFailureMessage(std::string_view fileName, std::string_view fault) {
    return "无法保存设计文件" + inQuotes(fileName) + "：\n" + std::string(fault);
}

std::string notesMessage(std::string_view fileName, const std::vector<std::string>& notes) {
    std::string text = "设计文件" + inQuotes(fileName) + "已打开。";
    for (const std::string& note : notes) {
        text += "\n" + note;
    }
    return text;
}

} // namespace rampwall::design
