#include "cli/design_io.h"

#include "design/file_io.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace rampwall::cli {

std::string today() {
    const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

bool loadDesign(const std::string& path, DesignInputs& inputs, design::DesignFile& loaded, std::ostream& err) {
    const design::FileText read = design::readDesignText(path);
    if (!read.error.empty()) {
        err << design::openFailureMessage(path, read.error) << "\n";
        return false;
    }
    const design::ParseResult parsed = design::parse(read.text, design::startupDesign(today()));
    if (!parsed.design) {
        err << design::openFailureMessage(path, parsed.error) << "\n";
        return false;
    }
    if (!parsed.notes.empty()) {
        err << design::notesMessage(path, parsed.notes) << "\n";
    }
    loaded = *parsed.design;
    // The file's edition and factors, unless options name their own.
    const CodeEdition& edition = design::editionOf(loaded);
    const std::optional<Setting> editionSetting = settingByName("edition");
    if (!inputs.isSettingSet("edition")) {
        static_cast<void>(inputs.setSetting(*editionSetting, edition.key(), false));
    }
    if (&inputs.edition() == &edition) {
        for (const FactorDefinition& factor : edition.factors()) {
            if (inputs.isSettingSet(factor.key) || !loaded.factors.valueSet(factor.key)) {
                continue;
            }
            // The shortest text that reads back to the same double.
            std::array<char, 32> text{};
            const auto written = std::to_chars(text.data(), text.data() + text.size(), loaded.factors.value(factor));
            static_cast<void>(
                inputs.setSetting(*settingByName(factor.key), std::string_view(text.data(), written.ptr), false));
        }
    }
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (inputs.isSet(i)) {
            continue;
        }
        const design::InputValue& value = loaded.inputs[i];
        if (isListInput(i) && (value.freeText || !entryIndex(edition, kInputs[i].control, value.text))) {
            inputs.setFreeText(i, value.text);
        } else {
            static_cast<void>(inputs.set(i, value.text)); // a box takes any text; a list entry was checked
        }
    }
    return true;
}

design::DesignFile describeDesign(const DesignInputs& inputs, const design::DesignFile& base) {
    const CodeEdition& edition = inputs.edition();
    design::DesignFile design = base;
    if (&edition != &defaultEdition()) {
        design.codeEdition = std::string(edition.key());
        design.factors = inputs.factors();
    } else if (&design::editionOf(base) != &defaultEdition()) {
        design.codeEdition.clear();
        design.factors = {};
    }
    // The lists of the design's own edition: a steel grade of one edition need
    // not be in another's list.
    const FormInputs form = inputs.formInputs();
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        design.inputs[i].text = form.texts[i];
        design.inputs[i].freeText = isListInput(i) && form.selectedIndex(kInputs[i].control) < 0;
    }
    return design;
}

} // namespace rampwall::cli
