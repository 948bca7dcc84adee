#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
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

// "sign digits . digits e sign digits" with at least one mantissa digit. The
// grammar is checked here because from_chars would also take "inf", "nan"
// and other forms that are not typed numbers.
bool isPlainNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto digitsFrom = [&](std::size_t& at) {
        const std::size_t start = at;
        while (at < n && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        return at - start;
    };
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = digitsFrom(i);
    if (i < n && text[i] == '.') {
        ++i;
        mantissaDigits += digitsFrom(i);
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digitsFrom(i) == 0) {
            return false;
        }
    }
    return i == n;
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
// and a power of ten; nothing for any other text, which the general path
// then decides on.
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

template <typename T>
std::optional<T> convert(std::string_view ascii) {
    if (!isPlainNumber(ascii)) {
        return std::nullopt;
    }
    if (const std::optional<T> value = quickValue<T>(ascii)) {
        return value;
    }
    if (ascii.front() == '+') {
        ascii.remove_prefix(1); // from_chars takes no plus sign
    }
    T value{};
    const char* last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.data(), last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

template <typename T>
std::optional<T> parse(std::string_view text) {
    if (const std::optional<T> value = quickValue<T>(text)) {
        return value;
    }
    // Otherwise the usual text is plain ASCII with nothing to strip or translate.
    bool plain = !text.empty();
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        plain = plain && byte < 0x80 && ch != ' ' && ch != '\t';
    }
    if (plain) {
        return convert<T>(text);
    }
    const std::optional<std::string> ascii = toAscii(text);
    if (!ascii) {
        return std::nullopt;
    }
    return convert<T>(*ascii);
}

// Significant digits, at most 15 of them (17 in a shortest round-trip text),
// with room behind: any run of them is copied as one fixed 16-byte block,
// which the compiler does in two moves instead of a call to memcpy.
using Digits = std::array<char, 32>;
constexpr std::size_t kDigitBlock = 16;

// "00" to "99": digits are written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// 10^0 to 10^15 as integers: the digit count of a whole number below 10^16.
constexpr std::array<std::uint64_t, 16> kWholePowers = [] {
    std::array<std::uint64_t, 16> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10U;
    }
    return powers;
}();

// The `count` lowest decimal digits of `value`, leading zeros included, into
// sig[0..count).
void writeDigits(Digits& sig, std::uint64_t value, std::size_t count) {
    std::size_t at = count;
    while (at >= 2) {
        const auto pair = static_cast<std::size_t>(value % 100U) * 2;
        value /= 100U;
        at -= 2;
        sig[at] = kDigitPairs[pair];
        sig[at + 1] = kDigitPairs[pair + 1];
    }
    if (at == 1) {
        sig[0] = static_cast<char>('0' + value % 10U);
    }
}

// A number's text built on the stack and appended to the output in one go.
// The longest general form is 22 characters, "-0.000" and 15 digits or
// "-d.ddddddddddddddE-308"; a digit block may write up to 16 beyond the text.
class NumberText {
public:
    void put(char ch) { m_chars[m_size++] = ch; }
    void putDigits(const Digits& sig, std::size_t from, std::size_t count) {
        std::memcpy(m_chars.data() + m_size, sig.data() + from, kDigitBlock);
        m_size += count;
    }
    void repeat(char ch, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            m_chars[m_size++] = ch;
        }
    }
    void appendTo(std::string& out) const { out.append(m_chars.data(), m_size); }

private:
    std::array<char, 48> m_chars{};
    std::size_t m_size = 0;
};

// Places the significant digits sig[0..count) with decimal exponent `exponent`
// (the value is d.ddd × 10^exponent) in the general form. `count` is at most
// `digits`, which is 7 or 15.
void placeDigits(std::string& out, bool negative, const Digits& sig, std::size_t count, int exponent, int digits) {
    while (count > 1 && sig[count - 1] == '0') {
        --count;
    }
    NumberText text;
    if (negative) {
        text.put('-');
    }
    if (exponent < -4 || exponent >= digits) {
        text.put(sig[0]);
        if (count > 1) {
            text.put('.');
            text.putDigits(sig, 1, count - 1);
        }
        text.put('E');
        text.put(exponent < 0 ? '-' : '+');
        int magnitude = std::abs(exponent);
        if (magnitude >= 100) {
            text.put(static_cast<char>('0' + magnitude / 100));
            magnitude %= 100;
        }
        text.put(static_cast<char>('0' + magnitude / 10));
        text.put(static_cast<char>('0' + magnitude % 10));
    } else if (exponent < 0) {
        text.put('0');
        text.put('.');
        text.repeat('0', static_cast<std::size_t>(-exponent - 1));
        text.putDigits(sig, 0, count);
    } else if (const auto wholeDigits = static_cast<std::size_t>(exponent) + 1; count <= wholeDigits) {
        text.putDigits(sig, 0, count);
        text.repeat('0', wholeDigits - count);
    } else {
        text.putDigits(sig, 0, wholeDigits);
        text.put('.');
        text.putDigits(sig, wholeDigits, count - wholeDigits);
    }
    text.appendTo(out);
}

// Splits to_chars' scientific text "-d.ddde±x" into digits and exponent.
template <typename T>
void placeScientific(std::string& out, const char* first, const char* last, int digits) {
    const bool negative = *first == '-';
    if (negative) {
        ++first;
    }
    Digits sig{};
    std::size_t count = 0;
    const char* at = first;
    for (; at != last && *at != 'e'; ++at) {
        if (*at != '.' && count < sig.size() - kDigitBlock) {
            sig[count++] = *at;
        }
    }
    int exponent = 0;
    if (at != last) {
        ++at; // 'e'
        const bool negativeExponent = *at == '-';
        ++at; // sign
        for (; at != last; ++at) {
            exponent = exponent * 10 + (*at - '0');
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    placeDigits(out, negative, sig, count, exponent, digits);
}

// The exact value rounded to `digits` significant digits (ties to even).
template <typename T>
void appendRounded(std::string& out, T value, int digits) {
    std::array<char, 64> sci{};
    const auto result =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, digits - 1);
    placeScientific<T>(out, sci.data(), result.ptr, digits);
}

bool finiteNonZero(std::string& out, double value) {
    if (value == 0) {
        out.push_back('0'); // also for -0: a zero has no sign on the sheet
        return false;
    }
    if (!std::isfinite(value)) {
        // The calculation stops before a non-finite value reaches any text;
        // this only keeps the function total.
        out += std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
        return false;
    }
    return true;
}

// The plain-form limits 10^-4 to 10^7; no 32-bit value lies between a limit
// and its nearest double, so comparing against the double is exact enough.
constexpr std::array<double, 12> kPowersOfTen = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
// 10^0 to 10^10, each exact in double.
constexpr std::array<double, 11> kScales = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};

// Rounds 0 ≤ x < 2^52 to a whole number, ties to even, as nearbyint does in
// the default rounding mode: x + 2^52 has no bits below the units, so the
// addition itself rounds, and taking 2^52 away again is exact.
double roundToWhole(double x) { return (x + 0x1p52) - 0x1p52; }

} // namespace

void appendSingle(std::string& out, float value) {
    const auto wide = static_cast<double>(value);
    if (!finiteNonZero(out, wide)) {
        return;
    }
    const double magnitude = std::fabs(wide);
    // Plain-form magnitudes, 0.0001 to below 10^7: scaled to seven whole
    // digits, x · 10^(6−e) is exact in double (24 bits times at most 5^10),
    // so rounding it to an integer is the exact decimal rounding.
    if (magnitude >= kPowersOfTen.front() && magnitude < kPowersOfTen.back()) {
        // kPowersOfTen[above] is the first power of ten beyond the magnitude.
        std::size_t above = 1;
        while (magnitude >= kPowersOfTen[above]) {
            ++above;
        }
        int exponent = static_cast<int>(above) - 5;
        const double scaled = magnitude * kScales[static_cast<std::size_t>(6 - exponent)];
        // Below 10^7 + 1: unsigned 32-bit digit steps are the cheapest.
        auto whole = static_cast<std::uint32_t>(roundToWhole(scaled));
        if (whole == 10000000U) {
            whole = 1000000U;
            ++exponent;
        }
        if (exponent < 7) {
            Digits sig{};
            writeDigits(sig, whole, 7);
            placeDigits(out, wide < 0, sig, 7, exponent, 7);
            return;
        }
    }
    appendRounded(out, value, 7);
}

void appendDouble(std::string& out, double value) {
    if (!finiteNonZero(out, value)) {
        return;
    }
    // Most doubles here are short decimals (3.5, 7.2, 300). If |value| · 10^k
    // rounds to a whole number P of at most 15 digits, P / 10^k is the value's
    // 15-digit rounding: the product is off by at most half a binary step,
    // which is finer than half a 15-digit decimal step.
    const double magnitude = std::fabs(value);
    for (int k = 0; k <= 6; ++k) {
        const double product = magnitude * kScales[static_cast<std::size_t>(k)];
        if (product >= 1e15) {
            break;
        }
        if (product >= 1 && product == std::floor(product)) {
            const auto whole = static_cast<std::uint64_t>(product);
            std::size_t count = 1;
            while (count < kWholePowers.size() && whole >= kWholePowers[count]) {
                ++count;
            }
            Digits sig{};
            writeDigits(sig, whole, count);
            placeDigits(out, value < 0, sig, count, static_cast<int>(count) - 1 - k, 15);
            return;
        }
    }
    // A double's shortest round-trip text with at most 15 digits is also its
    // 15-digit rounding: its binary step is finer than a 15-digit decimal step.
    // Not so below the normal range, where the step is coarse and the
    // shortest text has fewer digits than the exact value needs.
    std::array<char, 64> shortest{};
    const auto result =
        std::to_chars(shortest.data(), shortest.data() + shortest.size(), value, std::chars_format::scientific);
    const char* first = shortest.data();
    std::size_t significant = 0;
    for (const char* at = first; at != result.ptr && *at != 'e'; ++at) {
        significant += (*at >= '0' && *at <= '9') ? 1 : 0;
    }
    if (significant <= 15 && magnitude >= std::numeric_limits<double>::min()) {
        placeScientific<double>(out, first, result.ptr, 15);
        return;
    }
    appendRounded(out, value, 15);
}

std::optional<double> parseDouble(std::string_view text) { return parse<double>(text); }

std::optional<float> parseSingle(std::string_view text) { return parse<float>(text); }

void appendInteger(std::string& out, long long value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

std::string formatDouble(double value) {
    std::string out;
    appendDouble(out, value);
    return out;
}

std::string formatSingle(float value) {
    std::string out;
    appendSingle(out, value);
    return out;
}

std::string formatInteger(long long value) {
    std::string out;
    appendInteger(out, value);
    return out;
}

} // namespace rampwall
