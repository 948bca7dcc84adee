// Typed text to number: the grammar of a typed number, the full-width forms a
// Chinese input method types, and fast_float's correctly rounded conversion,
// which never depends on the process locale.
#include "number_text.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <string>
#include <system_error>

namespace rampwall {

namespace {

// Translates the typed text into ASCII: blanks around it (space, tab, U+3000
// IDEOGRAPHIC SPACE, E3 80 80 in UTF-8) dropped, full-width plus, minus,
// point and digits (U+FF0B, U+FF0D, U+FF0E, U+FF10..U+FF19: EF BC 8B, 8D, 8E,
// 90..99) turned into their ASCII twins. Anything else non-ASCII fails.
std::optional<std::string> toAscii(std::string_view text) {
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    for (;;) {
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        } else if (text.substr(0, 3) == kIdeographicSpace) {
            text.remove_prefix(3);
        } else {
            break;
        }
    }
    for (;;) {
        if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
            text.remove_suffix(1);
        } else if (text.size() >= 3 && text.substr(text.size() - 3) == kIdeographicSpace) {
            text.remove_suffix(3);
        } else {
            break;
        }
    }

    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ascii.push_back(text[i]);
            ++i;
            continue;
        }
        if (text.size() - i >= 3 && byte == 0xEF && static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            const auto last = static_cast<unsigned char>(text[i + 2]);
            if (last >= 0x90 && last <= 0x99) {
                ascii.push_back(static_cast<char>('0' + (last - 0x90)));
            } else if (last == 0x8B) {
                ascii.push_back('+');
            } else if (last == 0x8D) {
                ascii.push_back('-');
            } else if (last == 0x8E) {
                ascii.push_back('.');
            } else {
                return std::nullopt;
            }
            i += 3;
            continue;
        }
        return std::nullopt;
    }
    return ascii;
}

// A nonzero digit before the exponent: a value that comes out as zero from
// such a text lies below the type's range, as one beyond it comes out infinite.
bool hasNonZeroDigit(std::string_view ascii) {
    for (char ch : ascii) {
        if (ch == 'e' || ch == 'E') {
            break;
        }
        if (ch >= '1' && ch <= '9') {
            return true;
        }
    }
    return false;
}

// fast_float reads the typed grammar, "sign digits . digits e sign digits"
// with at least one mantissa digit, except for a leading plus, which it
// refuses, and "inf" and "nan", whose values are not finite.
template <typename T>
std::optional<T> convert(std::string_view ascii) {
    if (!ascii.empty() && ascii.front() == '+') {
        ascii.remove_prefix(1);
        if (!ascii.empty() && ascii.front() == '-') {
            return std::nullopt; // "+-1"
        }
    }
    T value{};
    const char* const last = ascii.data() + ascii.size();
    const fast_float::from_chars_result result = fast_float::from_chars(ascii.data(), last, value);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0 && hasNonZeroDigit(ascii)) {
        return std::nullopt;
    }
    return value;
}

template <typename T>
std::optional<T> parse(std::string_view text) {
    // The usual text is plain ASCII with nothing to strip or translate.
    if (const std::optional<T> value = convert<T>(text)) {
        return value;
    }
    // Translating keeps the length only when there was nothing to strip or
    // translate, and the text has been refused as it stands.
    const std::optional<std::string> ascii = toAscii(text);
    if (!ascii || ascii->size() == text.size()) {
        return std::nullopt;
    }
    return convert<T>(*ascii);
}

} // namespace

std::optional<double> parseDouble(std::string_view text) { return parse<double>(text); }

std::optional<float> parseSingle(std::string_view text) { return parse<float>(text); }

} // namespace rampwall
