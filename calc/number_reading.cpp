// Typed text to number: the grammar of a typed number, the full-width forms a
// Chinese input method types, and correctly rounded conversion that never
// depends on the process locale: short decimals by one exact operation,
// everything else by fast_float.
#include "calc/number_text.h"

#include <fast_float/fast_float.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>
#include <type_traits>

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

// Exact powers of ten in double: 10^22 is the largest one.
constexpr std::array<double, 23> kExactPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Exact powers of ten in float: 10^10 = 2^10 · 5^10 and 5^10 < 2^24.
constexpr std::array<float, 11> kExactSinglePowers = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                      1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// The usual typed number, "-4.5", "350", "0.2", "2.5E-3": ASCII sign, digits
// with at most one point, an optional exponent of at most three digits, no
// blanks, at most 15 significant digits. Read in one pass as a whole mantissa
// and a power of ten; nothing for any other text, which fast_float then
// decides on. fast_float reads these too, but with a quarter more work.
struct TypedDecimal {
    bool negative = false;
    std::uint64_t mantissa = 0;
    int exponent = 0; // the value is mantissa · 10^exponent
};

std::optional<TypedDecimal> readTypedDecimal(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    if (at == end) {
        return std::nullopt;
    }
    TypedDecimal typed;
    typed.negative = *at == '-';
    if (typed.negative || *at == '+') {
        ++at;
    }
    // Below 10^14 before a digit is taken, the mantissa stays within 15
    // digits; leading zeros leave it at 0 and so count for nothing.
    constexpr std::uint64_t kFifteenDigitsAfterThis = 100'000'000'000'000;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; at != end; ++at) {
        const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*at)) - unsigned{'0'};
        if (digit < 10U) {
            if (typed.mantissa >= kFifteenDigitsAfterThis) {
                return std::nullopt;
            }
            anyDigit = true;
            typed.mantissa = typed.mantissa * 10U + digit;
            typed.exponent -= afterPoint ? 1 : 0;
        } else if (*at == '.' && !afterPoint) {
            afterPoint = true;
        } else if (*at == 'e' || *at == 'E') {
            break;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (at != end) {
        ++at; // 'e' or 'E'
        const bool negativeExponent = at != end && *at == '-';
        if (at != end && (*at == '-' || *at == '+')) {
            ++at;
        }
        if (at == end || end - at > 3) {
            return std::nullopt;
        }
        int written = 0;
        for (; at != end; ++at) {
            const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*at)) - unsigned{'0'};
            if (digit >= 10U) {
                return std::nullopt;
            }
            written = written * 10 + static_cast<int>(digit);
        }
        typed.exponent += negativeExponent ? -written : written;
    }
    return typed;
}

// A typed decimal whose mantissa and power of ten are both exact in T needs
// one multiplication or division, which IEEE arithmetic rounds correctly:
// up to 15 digits and 10^±22 for a double, up to 2^24 and 10^±10 for a Single.
template <typename T>
std::optional<T> quickValue(std::string_view text) {
    const std::optional<TypedDecimal> typed = readTypedDecimal(text);
    if (!typed) {
        return std::nullopt;
    }
    const auto power = static_cast<std::size_t>(std::abs(typed->exponent));
    T magnitude{};
    if constexpr (std::is_same_v<T, double>) {
        if (power >= kExactPowers.size()) {
            return std::nullopt;
        }
        const auto whole = static_cast<double>(typed->mantissa);
        magnitude = typed->exponent < 0 ? whole / kExactPowers[power] : whole * kExactPowers[power];
    } else {
        if (power >= kExactSinglePowers.size() || typed->mantissa > (std::uint64_t{1} << 24U)) {
            return std::nullopt;
        }
        const auto whole = static_cast<float>(typed->mantissa);
        magnitude = typed->exponent < 0 ? whole / kExactSinglePowers[power] : whole * kExactSinglePowers[power];
    }
    return typed->negative ? -magnitude : magnitude;
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

// fast_float reads exactly the typed grammar, "sign digits . digits e sign
// digits" with at least one mantissa digit, but for two forms handled here: it
// refuses a leading plus, and it takes "inf" and "nan", which are not finite.
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
    // The usual text is a short plain decimal with nothing to strip or translate.
    if (const std::optional<T> value = quickValue<T>(text)) {
        return value;
    }
    if (const std::optional<T> value = convert<T>(text)) {
        return value;
    }
    // Translating keeps the length only when there was nothing to strip or
    // translate, and the text has been refused as it stands.
    const std::optional<std::string> ascii = toAscii(text);
    if (!ascii || ascii->size() == text.size()) {
        return std::nullopt;
    }
    if (const std::optional<T> value = quickValue<T>(*ascii)) {
        return value;
    }
    return convert<T>(*ascii);
}

} // namespace

std::optional<double> parseDouble(std::string_view text) { return parse<double>(text); }

std::optional<float> parseSingle(std::string_view text) { return parse<float>(text); }

} // namespace rampwall
