#include "inputs.h"

#include "materials.h"

#include <charconv>
#include <limits>

namespace rampwall::cli {

namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// A whole number with an optional sign; from_chars alone refuses the '+'.
// One beyond the int range is no entry either way: it becomes the nearest
// int, which is out of every list as well.
std::optional<int> wholeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        return text.front() == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

template <typename Table, typename Matches>
std::optional<int> findIn(const Table& table, Matches matches) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (matches(table[i])) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> inputByName(std::string_view name) {
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (kInputOptions[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<int> listIndex(Control list, std::string_view text) {
    // An empty list text is what the window's list holds when nothing is chosen.
    if (text.empty()) {
        return -1;
    }
    if (const std::optional<int> number = wholeNumber(text)) {
        return number;
    }
    switch (list) {
    case Control::Combo1:
        return findIn(kConcreteGrades,
                      [&](const ConcreteGrade& grade) { return equalsIgnoringAsciiCase(grade.entry, text); });
    case Control::Combo2:
        return findIn(kSteelGrades, [&](const SteelGrade& grade) {
            return grade.entry == text || equalsIgnoringAsciiCase(grade.code, text);
        });
    case Control::Combo3: {
        if (equalsIgnoringAsciiCase(text, "A")) {
            return 0;
        }
        if (equalsIgnoringAsciiCase(text, "B")) {
            return 1;
        }
        return findIn(kLoadCaseEntries, [&](std::string_view entry) { return entry == text; });
    }
    default: return std::nullopt;
    }
}

bool DesignInputs::set(std::size_t input, std::string_view text) {
    if (isListInput(input)) {
        const std::optional<int> index = listIndex(kInputOptions[input].control, text);
        if (!index) {
            return false;
        }
        m_indices[input] = *index;
    }
    m_texts[input].assign(text);
    m_given[input] = true;
    m_free[input] = false;
    return true;
}

void DesignInputs::setFreeText(std::size_t input, std::string_view text) {
    m_texts[input] = std::string(text);
    m_indices[input] = -1;
    m_given[input] = true;
    m_free[input] = true;
}

void DesignInputs::applyTo(HeadlessWindow& window) const {
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (!m_given[i]) {
            continue;
        }
        if (isListInput(i)) {
            window.setSelectedIndex(kInputOptions[i].control, m_indices[i]);
            if (m_free[i]) {
                window.setText(kInputOptions[i].control, m_texts[i]);
            }
        } else {
            window.setText(kInputOptions[i].control, m_texts[i]);
        }
    }
}

} // namespace rampwall::cli
