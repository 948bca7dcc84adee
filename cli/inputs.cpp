#include "cli/inputs.h"

#include "calc/headless_window.h"
#include "calc/materials.h"
#include "calc/number_text.h"
#include "design/design_file.h"

#include <charconv>
#include <limits>
#include <map>

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

// The start-up form of each edition, made once: a batch opens one a row.
const FormInputs& startupForm(const CodeEdition& edition) {
    static std::map<const CodeEdition*, FormInputs> forms;
    auto found = forms.find(&edition);
    if (found == forms.end()) {
        found = forms.emplace(&edition, HeadlessWindow(edition).inputs()).first;
    }
    return found->second;
}

// Whether any edition's list has the text as an entry or a name.
bool namesAnEntry(Control list, std::string_view text) {
    for (const CodeEdition* edition : editions()) {
        if (listIndex(*edition, list, text)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<int> listIndex(const CodeEdition& edition, Control list, std::string_view text) {
    // An empty list text is what the window's list holds when nothing is chosen.
    if (text.empty()) {
        return -1;
    }
    if (const std::optional<int> number = wholeNumber(text)) {
        return number;
    }
    if (list == Control::Combo3) {
        if (equalsIgnoringAsciiCase(text, "A")) {
            return 0;
        }
        if (equalsIgnoringAsciiCase(text, "B")) {
            return 1;
        }
        return entryIndex(edition, list, text);
    }
    if (list == Control::Combo2) {
        if (const std::optional<int> entry = entryIndex(edition, list, text)) {
            return entry;
        }
        return steelIndexByCode(edition, text);
    }
    const std::vector<std::string_view> entries = listEntries(edition, list);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (equalsIgnoringAsciiCase(entries[i], text)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::vector<Setting> settings() {
    std::vector<Setting> all{{"edition", nullptr, nullptr}};
    for (const CodeEdition* edition : editions()) {
        for (const FactorDefinition& factor : edition->factors()) {
            all.push_back({factor.key, &factor, edition});
        }
    }
    return all;
}

std::optional<Setting> settingByName(std::string_view name) {
    for (const Setting& setting : settings()) {
        if (setting.name == name) {
            return setting;
        }
    }
    return std::nullopt;
}

std::optional<std::string> DesignInputs::setSetting(const Setting& setting, std::string_view text,
                                                    bool emptyIsDefault) {
    const std::string named = "--" + std::string(setting.name) + ": ";
    if (setting.factor == nullptr) {
        const CodeEdition* chosen = text.empty() && emptyIsDefault ? &defaultEdition() : editionByKey(text);
        if (chosen == nullptr) {
            return named + "\"" + design::shortened(text) + "\" is no edition; give " + editionKeysText("", "", " or ");
        }
        m_edition = chosen;
        m_editionGiven = true;
        m_editionText.assign(text);
        return std::nullopt;
    }
    if (!text.empty() || !emptyIsDefault) {
        const std::optional<double> value = parseDouble(text);
        if (!value) {
            return named + factorNotANumber(*setting.factor);
        }
        if (std::optional<std::string> problem = factorProblem(*setting.factor, *value)) {
            return named + *problem;
        }
        m_factors.set(*setting.factor, *value);
    }
    m_factorTexts.emplace_back(setting.name, std::string(text));
    return std::nullopt;
}

bool DesignInputs::isSettingSet(std::string_view name) const {
    if (name == "edition") {
        return m_editionGiven;
    }
    for (const auto& [key, given] : m_factorTexts) {
        if (key == name) {
            return true;
        }
    }
    return false;
}

std::string DesignInputs::settingText(std::string_view name) const {
    if (name == "edition") {
        return m_editionText;
    }
    for (const auto& [key, given] : m_factorTexts) {
        if (key == name) {
            return given;
        }
    }
    return {};
}

std::optional<std::string> DesignInputs::conflict(bool emptyIsGiven) const {
    const std::size_t steel = inputOf(Control::Combo2);
    if (m_given[steel] && !m_free[steel] && !listIndex(*m_edition, Control::Combo2, m_texts[steel])) {
        return "--steel: \"" + design::shortened(m_texts[steel]) + "\" is not in the steel list of " +
               std::string(m_edition->title());
    }
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (!m_given[i] || usesInput(*m_edition, kInputs[i].control) || (!emptyIsGiven && m_texts[i].empty())) {
            continue;
        }
        std::string users;
        for (const CodeEdition* other : editions()) {
            if (usesInput(*other, kInputs[i].control)) {
                users += (users.empty() ? "" : ", ") + std::string(other->title());
            }
        }
        std::string message = "--" + std::string(kInputs[i].key) + " is the single factor of " + users + "; in " +
                              std::string(m_edition->title());
        std::string instead;
        for (const FactorDefinition& factor : m_edition->factors()) {
            instead += (instead.empty() ? " give --" : ", --") + std::string(factor.key);
        }
        const std::size_t last = instead.rfind(", --");
        if (last != std::string::npos) {
            instead.replace(last, 2, " and ");
        }
        message += instead.empty() ? " it is not used" : instead + " instead";
        return message;
    }
    for (const auto& [key, given] : m_factorTexts) {
        const CodeEdition* owner = editionOfFactor(key);
        if (owner != m_edition && (emptyIsGiven || !given.empty())) {
            return "--" + std::string(key) + " is a load factor of " + std::string(owner->title()) +
                   "; add --edition " + std::string(owner->key());
        }
    }
    return std::nullopt;
}

bool DesignInputs::set(std::size_t input, std::string_view text) {
    // A grade of any edition's list (HPB300, HRB500) is a name too; whether the design's
    // edition lists it is settled once the edition is known.
    if (isListInput(input) && !namesAnEntry(kInputs[input].control, text)) {
        return false;
    }
    m_texts[input].assign(text);
    m_given[input] = true;
    m_free[input] = false;
    return true;
}

void DesignInputs::setFreeText(std::size_t input, std::string_view text) {
    m_texts[input] = std::string(text);
    m_given[input] = true;
    m_free[input] = true;
}

FormInputs DesignInputs::formInputs() const {
    FormInputs form = startupForm(*m_edition);
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (!m_given[i]) {
            continue;
        }
        if (!isListInput(i)) {
            form.texts[i] = m_texts[i];
            continue;
        }
        const Control list = kInputs[i].control;
        const int index = m_free[i] ? -1 : listIndex(*m_edition, list, m_texts[i]).value_or(-1);
        const std::vector<std::string_view> entries = listEntries(*m_edition, list);
        form.selected[i - kBoxInputCount] = index;
        if (m_free[i]) {
            form.texts[i] = m_texts[i];
        } else if (index >= 0 && static_cast<std::size_t>(index) < entries.size()) {
            form.texts[i] = std::string(entries[static_cast<std::size_t>(index)]);
        } else {
            form.texts[i].clear();
        }
    }
    return form;
}

} // namespace rampwall::cli
