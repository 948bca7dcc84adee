// The fourteen inputs of a design as the command line names them, and a set
// of values for them: box texts exactly as typed, list selections as indices.
#pragma once

#include "compute.h"
#include "controls.h"
#include "edition.h"
#include "headless_window.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rampwall::cli {

struct InputOption {
    std::string_view name; // the option without its dashes, and the CSV column name
    Control control;       // the box or list it fills
    std::string_view unit; // shown by --help; empty for a plain number or a list
    std::string_view help;
};

// The eleven boxes first, then the three lists; CSV columns and --help follow
// this order.
inline constexpr std::size_t kBoxInputCount = 11;
inline constexpr std::array<InputOption, 14> kInputOptions = {{
    {"h1", Control::Text1, "m", "elevation of the wall top"},
    {"h2", Control::Text2, "m", "elevation of the retained soil surface"},
    {"h3", Control::Text3, "m", "elevation of the groundwater table"},
    {"h4", Control::Text16, "m", "elevation of the wall base"},
    {"h5", Control::Text4, "mm", "wall thickness"},
    {"cover", Control::Text13, "mm", "concrete cover on the water side"},
    {"soil-weight", Control::Text14, "kN/m3", "unit weight of the soil"},
    {"surcharge", Control::Text15, "kN/m2", "surcharge on the soil surface"},
    {"load-factor", Control::Text5, "", "load partial factor"},
    {"spacing", Control::Text10, "mm", "bar spacing"},
    {"crack-limit", Control::Text8, "mm", "admissible crack width"},
    {"concrete", Control::Combo1, "", "concrete grade: C15 ... C80, or a list index"},
    {"steel", Control::Combo2, "", "steel grade: HRB400, Ⅱ级(HRB335), or a list index"},
    {"case", Control::Combo3, "", "load case: A, B, 情况A, 情况B, or a list index"},
}};

// Position in kInputOptions, or nullopt for a name that is not an input.
std::optional<std::size_t> inputByName(std::string_view name);

// The settings beside the inputs: the code edition and the load factors of
// the 2010 edition (kLoadFactorFields, in that order). Options and columns
// take the same names as the inputs do.
inline constexpr std::size_t kEditionSetting = 0;
inline constexpr std::size_t kSettingCount = 1 + kLoadFactorFields.size();
std::string_view settingName(std::size_t setting);
std::optional<std::size_t> settingByName(std::string_view name);

inline bool isListInput(std::size_t input) { return input >= kBoxInputCount; }

// The list index an entry names: the entry itself ("C30", "Ⅱ级(HRB335)",
// "情况B"), the steel code ("HRB335", any letter case), the case letter ("A"
// or "B", any letter case), or any whole number. A number outside the list
// is kept (one beyond the int range as the nearest int): the window then has
// nothing selected, which the calculation handles itself; so does an empty
// text, the index -1. Nullopt for anything else.
std::optional<int> listIndex(Control list, std::string_view text);

// Values for some of the inputs; the others keep the window's start-up values.
class DesignInputs {
public:
    // Sets one input from its text; false for a list text that names no entry.
    [[nodiscard]] bool set(std::size_t input, std::string_view text);
    // Types free text over a list, which then has nothing selected, as a
    // design file may hold it.
    void setFreeText(std::size_t input, std::string_view text);

    bool isSet(std::size_t input) const { return m_given[input]; }
    // The text as given (a list's as typed, not its index).
    const std::string& text(std::size_t input) const { return m_texts[input]; }

    // Sets the edition ("2002" or "2010") or a load factor (a number); the
    // reason, naming the setting, when the text is none of these. An empty
    // batch cell (emptyIsDefault) leaves the default as a missing column does.
    [[nodiscard]] std::optional<std::string> setSetting(std::size_t setting, std::string_view text,
                                                        bool emptyIsDefault);
    bool isSettingSet(std::size_t setting) const { return m_settingGiven[setting]; }
    const std::string& settingText(std::size_t setting) const { return m_settingTexts[setting]; }

    Edition edition() const { return m_edition; }
    // The edition and the factors for the calculation.
    ComputeOptions computeOptions() const;

    // Why the inputs and settings do not go together, or nullopt: a steel
    // grade not in the edition's list, a load factor (in a 2002 design) or
    // the single load-factor box (in a 2010 design) where the edition has
    // none. In a batch an empty cell counts as not given, so that one file
    // can mix editions; on the command line an option given is given.
    std::optional<std::string> conflict(bool emptyIsGiven) const;

    // Types the texts and makes the selections, as a user would.
    void applyTo(HeadlessWindow& window) const;

private:
    std::array<std::string, kInputOptions.size()> m_texts;
    std::array<int, kInputOptions.size()> m_indices{};
    std::array<bool, kInputOptions.size()> m_given{};
    std::array<bool, kInputOptions.size()> m_free{};
    std::array<std::string, kSettingCount> m_settingTexts;
    std::array<bool, kSettingCount> m_settingGiven{};
    Edition m_edition = kDefaultEdition;
    LoadFactors m_factors;
};

} // namespace rampwall::cli
