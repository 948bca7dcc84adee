// A small strict JSON reader for checking what the tool prints: it accepts
// only well-formed JSON, so a test that reads the output also proves it valid.
#pragma once

#include <charconv>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace rampwall::testing_support {

struct JsonValue;
using JsonObject = std::vector<std::pair<std::string, JsonValue>>; // keys in the order written
using JsonArray = std::vector<JsonValue>;

struct JsonValue {
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<JsonArray>, std::shared_ptr<JsonObject>>
        value;

    bool isString() const { return std::holds_alternative<std::string>(value); }
    const std::string& string() const { return std::get<std::string>(value); }
    double number() const { return std::get<double>(value); }
    bool boolean() const { return std::get<bool>(value); }
    const JsonArray& array() const { return *std::get<std::shared_ptr<JsonArray>>(value); }
    const JsonObject& object() const { return *std::get<std::shared_ptr<JsonObject>>(value); }
    const JsonValue& at(std::string_view key) const {
        for (const auto& [name, member] : object()) {
            if (name == key) {
                return member;
            }
        }
        throw std::out_of_range("no member " + std::string(key));
    }
};

class JsonReader {
public:
    // The one value the text holds, with nothing but blanks around it.
    static JsonValue parse(std::string_view text) {
        JsonReader reader(text);
        JsonValue value = reader.value();
        reader.blanks();
        if (reader.m_pos != text.size()) {
            reader.fail("text after the value");
        }
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(m_pos));
    }
    void blanks() {
        while (m_pos < m_text.size() && std::string_view(" \t\r\n").find(m_text[m_pos]) != std::string_view::npos) {
            ++m_pos;
        }
    }
    bool take(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) == word) {
            m_pos += word.size();
            return true;
        }
        return false;
    }
    void expect(char ch) {
        blanks();
        if (m_pos >= m_text.size() || m_text[m_pos] != ch) {
            fail(std::string("expected '") + ch + "'");
        }
        ++m_pos;
    }

    JsonValue value() {
        blanks();
        if (m_pos >= m_text.size()) {
            fail("no value");
        }
        const char ch = m_text[m_pos];
        if (ch == '{') {
            return {object()};
        }
        if (ch == '[') {
            return {array()};
        }
        if (ch == '"') {
            return {string()};
        }
        if (take("true")) {
            return {true};
        }
        if (take("false")) {
            return {false};
        }
        if (take("null")) {
            return {nullptr};
        }
        if (ch == '-' || (ch >= '0' && ch <= '9')) {
            return {number()};
        }
        fail("unexpected character");
    }
    // A number read back correctly rounded; from_chars refuses what is none.
    double number() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               std::string_view("+-.eE0123456789").find(m_text[m_pos]) != std::string_view::npos) {
            ++m_pos;
        }
        double result = 0;
        const auto [end, error] = std::from_chars(m_text.data() + start, m_text.data() + m_pos, result);
        if (error != std::errc() || end != m_text.data() + m_pos) {
            fail("bad number");
        }
        return result;
    }

    std::shared_ptr<JsonObject> object() {
        auto members = std::make_shared<JsonObject>();
        expect('{');
        blanks();
        if (take("}")) {
            return members;
        }
        for (;;) {
            blanks();
            std::string key = string();
            expect(':');
            members->emplace_back(std::move(key), value());
            blanks();
            if (take("}")) {
                return members;
            }
            expect(',');
        }
    }

    std::shared_ptr<JsonArray> array() {
        auto items = std::make_shared<JsonArray>();
        expect('[');
        blanks();
        if (take("]")) {
            return items;
        }
        for (;;) {
            items->push_back(value());
            blanks();
            if (take("]")) {
                return items;
            }
            expect(',');
        }
    }

    unsigned hex4() {
        if (m_pos + 4 > m_text.size()) {
            fail("short \\u escape");
        }
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char ch = m_text[m_pos++];
            code <<= 4;
            if (ch >= '0' && ch <= '9') {
                code |= static_cast<unsigned>(ch - '0');
            } else if (ch >= 'a' && ch <= 'f') {
                code |= static_cast<unsigned>(ch - 'a' + 10);
            } else if (ch >= 'A' && ch <= 'F') {
                code |= static_cast<unsigned>(ch - 'A' + 10);
            } else {
                fail("bad \\u escape");
            }
        }
        return code;
    }

    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }

    std::string string() {
        expect('"');
        std::string out;
        for (;;) {
            if (m_pos >= m_text.size()) {
                fail("unterminated string");
            }
            const char ch = m_text[m_pos++];
            if (ch == '"') {
                return out;
            }
            if (static_cast<unsigned char>(ch) < 0x20) {
                fail("raw control character in a string");
            }
            if (ch != '\\') {
                out.push_back(ch);
                continue;
            }
            if (m_pos >= m_text.size()) {
                fail("unterminated escape");
            }
            switch (m_text[m_pos++]) {
            case '"': out.push_back('"'); break;
            case '\\': out.push_back('\\'); break;
            case '/': out.push_back('/'); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case 'u': {
                unsigned code = hex4();
                if (code >= 0xD800 && code <= 0xDBFF) {
                    if (!take("\\u")) {
                        fail("lone high surrogate");
                    }
                    const unsigned low = hex4();
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, code);
                break;
            }
            default: fail("unknown escape");
            }
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace rampwall::testing_support
