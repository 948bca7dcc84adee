// Number to text in the general form: 15 significant digits for a double and
// 7 for a Single, exactly rounded, plain or with an exponent, the same on
// every machine and in every locale. Short decimals are written here, the
// rest from {fmt}'s digits.
#include "calc/number_text.h"

// {fmt} then never consults std::locale, whose machinery would otherwise be
// linked into the WebAssembly module; nothing here is written by locale.
#define FMT_STATIC_THOUSANDS_SEPARATOR ','
#include <fmt/compile.h>
#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace rampwall {

namespace {

// Significant digits, at most 15 of them, with room behind: any run of them
// is copied as one fixed 16-byte block, which the compiler does in two moves
// instead of a call to memcpy.
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

// Splits {fmt}'s scientific text "-d.ddde±xx" into digits and exponent and
// places them in the general form.
void placeScientific(std::string& out, const char* first, const char* last, int digits) {
    const bool negative = *first == '-';
    if (negative) {
        ++first;
    }
    Digits sig{};
    std::size_t count = 0;
    const char* at = first;
    for (; at != last && *at != 'e'; ++at) {
        if (*at != '.') {
            sig[count++] = *at;
        }
    }
    ++at; // 'e'
    const bool negativeExponent = *at == '-';
    ++at; // sign
    int exponent = 0;
    for (; at != last; ++at) {
        exponent = exponent * 10 + (*at - '0');
    }
    placeDigits(out, negative, sig, count, negativeExponent ? -exponent : exponent, digits);
}

// The exact value rounded to 15 significant digits for a double and 7 for a
// Single, ties to even: {fmt}'s scientific form "-d.ddde±xx".
template <typename T>
void appendRounded(std::string& out, T value) {
    std::array<char, 48> buffer{};
    const char* end = nullptr;
    constexpr int digits = std::is_same_v<T, double> ? 15 : 7;
    if constexpr (digits == 15) {
        end = fmt::format_to(buffer.data(), FMT_COMPILE("{:.14e}"), value);
    } else {
        end = fmt::format_to(buffer.data(), FMT_COMPILE("{:.6e}"), value);
    }
    placeScientific(out, buffer.data(), end, digits);
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
    appendRounded(out, value);
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
    appendRounded(out, value);
}

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
