// The inputs of a design as the command line names them, and a set of values
// for them: box texts exactly as typed, list selections as indices, the code
// edition and the factors of the editions. The names come from the input
// table and the editions' registry.
#pragma once

#include "calc/editions/code_edition.h"
#include "calc/editions/factor.h"
#include "calc/editions/registry.h"
#include "calc/form_inputs.h"
#include "calc/input_table.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rampwall::cli {

// The list index an entry names in an edition's lists: the entry itself
// ("C30", "Ⅱ级(HRB335)", "情况B"), the steel grade's name ("HRB335", any
// letter case), the case letter ("A" or "B", any letter case), or any whole
// number. A number outside the list is kept (one beyond the int range as the
// nearest int): the window then has nothing selected, which the calculation
// handles itself; so does an empty text, the index -1. Nullopt for anything
// else.
std::optional<int> listIndex(const CodeEdition& edition, Control list, std::string_view text);

// The settings beside the inputs: the code edition, then the factors of every
// edition in the registry's order. Options and columns take their names.
struct Setting {
    std::string_view name;                    // "edition", "gamma-g"
    const FactorDefinition* factor = nullptr; // null for the edition
    const CodeEdition* owner = nullptr;       // the edition of the factor
};
std::vector<Setting> settings();
std::optional<Setting> settingByName(std::string_view name);

// Values for some of the inputs; the others keep the edition's start-up values.
class DesignInputs {
public:
    // Sets one input from its text; false for a list text that names no
    // entry of any edition's list.
    [[nodiscard]] bool set(std::size_t input, std::string_view text);
    // Types free text over a list, which then has nothing selected, as a
    // design file may hold it.
    void setFreeText(std::size_t input, std::string_view text);

    bool isSet(std::size_t input) const { return m_given[input]; }
    // The text as given (a list's as typed, not its index).
    const std::string& text(std::size_t input) const { return m_texts[input]; }

    // Sets the edition (by its key) or a factor (a number); the reason,
    // naming the setting, when the text is neither. An empty batch cell
    // (emptyIsDefault) leaves the default as a missing column does.
    [[nodiscard]] std::optional<std::string> setSetting(const Setting& setting, std::string_view text,
                                                        bool emptyIsDefault);
    bool isSettingSet(std::string_view name) const;
    // The text given for a setting; empty when none was.
    std::string settingText(std::string_view name) const;

    const CodeEdition& edition() const { return *m_edition; }
    const FactorValues& factors() const { return m_factors; }

    // Why the inputs and settings do not go together, or nullopt: a steel
    // grade not in the edition's list, a box the edition does not read, or a
    // factor of another edition. In a batch an empty cell counts as not
    // given, so that one file can mix editions; on the command line an
    // option given is given.
    std::optional<std::string> conflict(bool emptyIsGiven) const;

    // The form as a window of the edition shows it with these inputs typed.
    FormInputs formInputs() const;

private:
    std::array<std::string, kInputs.size()> m_texts;
    std::array<bool, kInputs.size()> m_given{};
    std::array<bool, kInputs.size()> m_free{};
    const CodeEdition* m_edition = &defaultEdition();
    bool m_editionGiven = false;
    std::string m_editionText;
    // The factors given, by key, with their texts as given.
    std::vector<std::pair<std::string_view, std::string>> m_factorTexts;
    FactorValues m_factors;
};

} // namespace rampwall::cli
