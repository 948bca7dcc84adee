#include "inputs.h"

#include "materials.h"
#include "materials_2010.h"
#include "number_text.h"

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

// The steel list index a text names in an edition's own list.
std::optional<int> steelIndexIn(Edition edition, std::string_view text) {
    if (text.empty()) {
        return -1;
    }
    if (const std::optional<int> number = wholeNumber(text)) {
        return number;
    }
    if (edition == Edition::GB50010_2010) {
        return steelIndexByCode(edition, text);
    }
    return findIn(kSteelGrades, [&](const SteelGrade& grade) {
        return grade.entry == text || equalsIgnoringAsciiCase(grade.code, text);
    });
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
    case Control::Combo2: {
        // A 2010 grade (HPB300, HRB500) is a name too; whether the design's
        // edition lists it is settled once the edition is known.
        const std::optional<int> found = steelIndexIn(Edition::GB50010_2002, text);
        return found ? found : steelIndexByCode(Edition::GB50010_2010, text);
    }
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

std::string_view settingName(std::size_t setting) {
    return setting == kEditionSetting ? std::string_view("edition") : kLoadFactorFields[setting - 1].key;
}

std::optional<std::size_t> settingByName(std::string_view name) {
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        if (settingName(i) == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> DesignInputs::setSetting(std::size_t setting, std::string_view text, bool emptyIsDefault) {
    const std::string named = "--" + std::string(settingName(setting)) + ": ";
    if (setting == kEditionSetting) {
        const std::optional<Edition> chosen = text.empty() && emptyIsDefault ? kDefaultEdition : editionByKey(text);
        if (!chosen) {
            return named + "\"" + std::string(text) + "\" is no edition; give 2002 or 2010";
        }
        m_edition = *chosen;
    } else if (!text.empty() || !emptyIsDefault) {
        const LoadFactorField& field = kLoadFactorFields[setting - 1];
        const std::optional<double> value = parseDouble(text);
        if (!value) {
            return named + "“" + std::string(field.caption) + "”必须是数字，请重新输入";
        }
        if (std::optional<std::string> problem = loadFactorProblem(field, *value)) {
            return named + *problem;
        }
        m_factors.*field.member = *value;
    }
    m_settingTexts[setting].assign(text);
    m_settingGiven[setting] = true;
    return std::nullopt;
}

ComputeOptions DesignInputs::computeOptions() const { return {.edition = m_edition, .factors = m_factors}; }

std::optional<std::string> DesignInputs::conflict(bool emptyIsGiven) const {
    const std::size_t steel = *inputByName("steel");
    if (m_given[steel] && !steelIndexIn(m_edition, m_texts[steel])) {
        return "--steel: \"" + m_texts[steel] + "\" is not in the steel list of " +
               std::string(editionTitle(m_edition));
    }
    const std::size_t loadFactor = *inputByName("load-factor");
    if (m_edition == Edition::GB50010_2010 && m_given[loadFactor] && (emptyIsGiven || !m_texts[loadFactor].empty())) {
        return std::string("--load-factor is the single factor of GB 50010-2002; in GB 50010-2010 give "
                           "--gamma-0, --gamma-g, --gamma-q, --gamma-l and --psi-q instead");
    }
    for (std::size_t i = 1; i < kSettingCount; ++i) {
        if (m_edition == Edition::GB50010_2002 && m_settingGiven[i] && (emptyIsGiven || !m_settingTexts[i].empty())) {
            return "--" + std::string(settingName(i)) + " is a load factor of GB 50010-2010; add --edition 2010";
        }
    }
    return std::nullopt;
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
        if (kInputOptions[i].control == Control::Combo2) {
            window.setSelectedIndex(Control::Combo2, steelIndexIn(m_edition, m_texts[i]).value_or(-1));
        } else if (isListInput(i)) {
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
