#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace rampwall {

namespace {

// Turns the typed text into plain ASCII "sign digits . digits e sign digits",
// or fails. Full-width forms (U+FF0B plus, U+FF0D minus, U+FF0E point,
// U+FF10..U+FF19 digits) are three UTF-8 bytes: EF BC 8B/8D/8E/90..99.
// The leading '+' is dropped, since from_chars does not take it.
std::optional<std::string> normalise(std::string_view text) {
    auto isBlankAt = [&](std::size_t i, std::size_t& width) {
        if (text[i] == ' ' || text[i] == '\t') {
            width = 1;
            return true;
        }
        // U+3000 IDEOGRAPHIC SPACE is E3 80 80.
        if (text.substr(i, 3) == "\xE3\x80\x80") {
            width = 3;
            return true;
        }
        return false;
    };
    std::size_t begin = 0;
    std::size_t end = text.size();
    std::size_t width = 0;
    while (begin < end && isBlankAt(begin, width)) {
        begin += width;
    }
    while (end > begin) {
        if (text[end - 1] == ' ' || text[end - 1] == '\t') {
            --end;
        } else if (end - begin >= 3 && text.substr(end - 3, 3) == "\xE3\x80\x80") {
            end -= 3;
        } else {
            break;
        }
    }

    std::string ascii;
    ascii.reserve(end - begin);
    for (std::size_t i = begin; i < end;) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ascii.push_back(text[i]);
            ++i;
            continue;
        }
        if (end - i >= 3 && byte == 0xEF && static_cast<unsigned char>(text[i + 1]) == 0xBC) {
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

    // Check the grammar ourselves: from_chars would also take "inf", "nan"
    // and a bare exponent-less hex form, none of which is a typed number.
    std::size_t i = 0;
    const std::size_t n = ascii.size();
    auto digitsFrom = [&](std::size_t& at) {
        const std::size_t start = at;
        while (at < n && ascii[at] >= '0' && ascii[at] <= '9') {
            ++at;
        }
        return at - start;
    };
    if (i < n && (ascii[i] == '+' || ascii[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = digitsFrom(i);
    if (i < n && ascii[i] == '.') {
        ++i;
        mantissaDigits += digitsFrom(i);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < n && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        if (i < n && (ascii[i] == '+' || ascii[i] == '-')) {
            ++i;
        }
        if (digitsFrom(i) == 0) {
            return std::nullopt;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    if (ascii.front() == '+') {
        ascii.erase(0, 1);
    }
    return ascii;
}

template <typename T>
std::optional<T> parse(std::string_view text) {
    const std::optional<std::string> ascii = normalise(text);
    if (!ascii) {
        return std::nullopt;
    }
    T value{};
    const char* first = ascii->data();
    const char* last = first + ascii->size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Writes `value` rounded to `digits` significant digits in the general form.
template <typename T>
void appendGeneral(std::string& out, T value, int digits) {
    if (value == 0) {
        out.push_back('0'); // also for -0: a zero has no sign on the sheet
        return;
    }
    if (!std::isfinite(value)) {
        // The calculation stops before a non-finite value reaches any text;
        // this only keeps the function total.
        out += std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
        return;
    }
    // d.ddddde±x with exactly `digits` significant digits, correctly rounded.
    std::array<char, 64> sci{};
    const auto result =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, digits - 1);
    std::string_view text(sci.data(), static_cast<std::size_t>(result.ptr - sci.data()));

    const bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::size_t ePos = text.find('e');
    std::string_view mantissa = text.substr(0, ePos);
    const int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());

    // The significant digits without the point, trailing zeros dropped.
    std::array<char, 40> sig{};
    std::size_t count = 0;
    for (char ch : mantissa) {
        if (ch != '.') {
            sig[count++] = ch;
        }
    }
    while (count > 1 && sig[count - 1] == '0') {
        --count;
    }

    if (negative) {
        out.push_back('-');
    }
    if (exponent < -4 || exponent >= digits) {
        out.push_back(sig[0]);
        if (count > 1) {
            out.push_back('.');
            out.append(sig.data() + 1, count - 1);
        }
        out.push_back('E');
        out.push_back(exponent < 0 ? '-' : '+');
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            out.push_back('0');
        }
        appendInteger(out, magnitude);
        return;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(sig.data(), count);
        return;
    }
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= wholeDigits) {
        out.append(sig.data(), count);
        out.append(wholeDigits - count, '0');
        return;
    }
    out.append(sig.data(), wholeDigits);
    out.push_back('.');
    out.append(sig.data() + wholeDigits, count - wholeDigits);
}

} // namespace

std::optional<double> parseDouble(std::string_view text) { return parse<double>(text); }

std::optional<float> parseSingle(std::string_view text) { return parse<float>(text); }

void appendDouble(std::string& out, double value) { appendGeneral(out, value, 15); }

void appendSingle(std::string& out, float value) { appendGeneral(out, value, 7); }

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
