// Typed text to number: whatever bytes arrive, parseDouble and parseSingle
// either refuse them or return the correctly rounded value of a plain decimal
// number. The reference is the C library's strtod/strtof in the "C" locale,
// which glibc rounds correctly, applied to the text after an independent
// translation of the full-width forms and the blanks that may surround it.
#include "calc/number_text.h"
#include "fuzz/fuzz_check.h"

#include <bit>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

using rampwall::parseDouble;
using rampwall::parseSingle;
using rampwall::fuzz::require;

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// sign? digits? ("." digits?)? with at least one digit, then (e sign? digits)?
bool isPlainNumber(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < n && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return i == n;
}

// The text a Chinese input method's full-width characters stand for, with the
// ideographic space as a blank; nullopt when any other non-ASCII byte occurs.
std::optional<std::string> toAscii(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out.push_back(text[i++]);
            continue;
        }
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\u3000")) {
            out.push_back(' ');
        } else if (rest.starts_with("\uFF0B")) {
            out.push_back('+');
        } else if (rest.starts_with("\uFF0D")) {
            out.push_back('-');
        } else if (rest.starts_with("\uFF0E")) {
            out.push_back('.');
        } else if (rest.size() >= 3 && rest.substr(0, 2) == "\xEF\xBC" && static_cast<unsigned char>(rest[2]) >= 0x90 &&
                   static_cast<unsigned char>(rest[2]) <= 0x99) {
            out.push_back(static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90)));
        } else {
            return std::nullopt;
        }
        i += 3;
    }
    return out;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool hasNonZeroDigit(std::string_view plain) {
    for (const char ch : plain) {
        if (ch == 'e' || ch == 'E') {
            return false;
        }
        if (ch >= '1' && ch <= '9') {
            return true;
        }
    }
    return false;
}

// The same bits: -0 is not 0.
template <typename T>
bool sameValue(T a, T b) {
    using Bits = std::conditional_t<sizeof(T) == sizeof(std::uint64_t), std::uint64_t, std::uint32_t>;
    static_assert(sizeof(Bits) == sizeof(T));
    return std::bit_cast<Bits>(a) == std::bit_cast<Bits>(b);
}

// The reference value of a plain number, or nullopt when it lies beyond the
// type's range. A nonzero number so small that it rounds to zero may be
// refused as well: the reference then returns zero and `mayRefuse` is set.
template <typename T>
std::optional<T> reference(const std::string& plain, bool& mayRefuse) {
    errno = 0;
    char* end = nullptr;
    T value{};
    if constexpr (sizeof(T) == sizeof(double)) {
        value = strtod_l(plain.c_str(), &end, cLocale());
    } else {
        value = strtof_l(plain.c_str(), &end, cLocale());
    }
    require(end == plain.c_str() + plain.size(), "the reference reads the whole plain number", plain);
    if (std::isinf(value)) {
        return std::nullopt;
    }
    mayRefuse = value == 0 && hasNonZeroDigit(plain);
    return value;
}

template <typename T>
void checkAgainstReference(std::optional<T> got, std::string_view text) {
    require(!got || std::isfinite(*got), "an accepted number is finite", text);
    const std::optional<std::string> ascii = toAscii(text);
    const std::string plain = ascii ? std::string(trimBlanks(*ascii)) : std::string();
    if (!ascii || !isPlainNumber(plain)) {
        require(!got, "only a typed number is accepted", text);
        return;
    }
    bool mayRefuse = false;
    const std::optional<T> expected = reference<T>(plain, mayRefuse);
    if (!expected) {
        require(!got, "a value beyond the range is refused", text);
        return;
    }
    if (!got) {
        require(mayRefuse, "a number in range is accepted", text);
        return;
    }
    require(sameValue(*got, *expected), "the value is the correctly rounded one", text);
}

// The same number typed with the full-width sign, digits and point.
std::string fullWidthTwin(std::string_view plain) {
    std::string out;
    for (const char ch : plain) {
        if (ch >= '0' && ch <= '9') {
            out += "\xEF\xBC";
            out.push_back(static_cast<char>(0x90 + (ch - '0')));
        } else if (ch == '+') {
            out += "\uFF0B";
        } else if (ch == '-') {
            out += "\uFF0D";
        } else if (ch == '.') {
            out += "\uFF0E";
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

template <typename T>
bool sameResult(std::optional<T> a, std::optional<T> b) {
    return a.has_value() == b.has_value() && (!a || sameValue(*a, *b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> asDouble = parseDouble(text);
    const std::optional<float> asSingle = parseSingle(text);
    checkAgainstReference(asDouble, text);
    checkAgainstReference(asSingle, text);

    // For plain ASCII input: the full-width twin and the same text between
    // blanks read as the same number, or are refused alike.
    if (isPlainNumber(text)) {
        const std::string twin = fullWidthTwin(text);
        require(sameResult(parseDouble(twin), asDouble) && sameResult(parseSingle(twin), asSingle),
                "the full-width twin reads the same", twin);
        const std::string padded = "\u3000 " + std::string(text) + "\t\u3000";
        require(sameResult(parseDouble(padded), asDouble) && sameResult(parseSingle(padded), asSingle),
                "surrounding blanks change nothing", padded);
    }
    return 0;
}
