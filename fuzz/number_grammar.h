// The form every number takes on screen: "-"? ("0" | [1-9][0-9]*)
// ("." [0-9]*[1-9])? ("E" [+-] [0-9]{2,})?, zero as "0" alone, at most a
// given number of significant digits.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace rampwall::fuzz {

inline bool isNumberText(std::string_view s, int maxDigits) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    const auto digitsFrom = [&](std::size_t start) {
        i = start;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            ++i;
        }
        return s.substr(start, i - start);
    };
    if (i < n && s[i] == '-') {
        ++i;
    }
    const std::string_view whole = digitsFrom(i);
    if (whole.empty() || (whole.size() > 1 && whole.front() == '0')) {
        return false;
    }
    std::string_view fraction;
    if (i < n && s[i] == '.') {
        fraction = digitsFrom(i + 1);
        if (fraction.empty() || fraction.back() == '0') {
            return false;
        }
    }
    bool exponent = false;
    if (i < n && s[i] == 'E') {
        exponent = true;
        if (i + 1 == n || (s[i + 1] != '+' && s[i + 1] != '-')) {
            return false;
        }
        if (digitsFrom(i + 2).size() < 2) {
            return false;
        }
    }
    if (i != n) {
        return false;
    }
    // Significant digits: the zeros that lead a fraction below 1 do not count.
    std::string digits = std::string(whole) + std::string(fraction);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) {
        return s == "0"; // never "-0", "0.0" or "0E+00"
    }
    if (exponent && whole == "0") {
        return false; // the exponent form starts with a nonzero digit
    }
    return static_cast<int>(digits.size()) <= maxDigits;
}

} // namespace rampwall::fuzz
