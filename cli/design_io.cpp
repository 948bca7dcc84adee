#include "design_io.h"

#include "file_io.h"
#include "headless_window.h"

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
    const Edition edition = design::editionOf(loaded);
    if (!inputs.isSettingSet(kEditionSetting)) {
        static_cast<void>(inputs.setSetting(kEditionSetting, editionKey(edition), false));
    }
    if (inputs.edition() == Edition::GB50010_2010 && edition == Edition::GB50010_2010) {
        for (std::size_t f = 0; f < kLoadFactorFields.size(); ++f) {
            if (inputs.isSettingSet(kEditionSetting + 1 + f)) {
                continue;
            }
            // The shortest text that reads back to the same double.
            std::array<char, 32> text{};
            const double value = loaded.factors.*kLoadFactorFields[f].member;
            const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
            static_cast<void>(
                inputs.setSetting(kEditionSetting + 1 + f, std::string_view(text.data(), written.ptr), false));
        }
    }
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (inputs.isSet(i)) {
            continue;
        }
        const design::InputValue& value = loaded.inputs[i];
        if (isListInput(i) && (value.freeText || !design::entryIndex(kInputOptions[i].control, value.text, edition))) {
            inputs.setFreeText(i, value.text);
        } else {
            static_cast<void>(inputs.set(i, value.text)); // a box takes any text; a list entry was checked
        }
    }
    return true;
}

design::DesignFile describeDesign(const DesignInputs& inputs, const design::DesignFile& base) {
    // The lists of the design's own edition: a 2010 steel grade is not in
    // the 2002 list.
    const ComputeOptions code = inputs.computeOptions();
    HeadlessWindow window(code.edition);
    inputs.applyTo(window);
    design::DesignFile design = base;
    if (code.edition == Edition::GB50010_2010) {
        design.codeEdition = std::string(editionKey(code.edition));
        design.factors = code.factors;
    } else if (design::editionOf(base) != Edition::GB50010_2002) {
        design.codeEdition.clear();
        design.factors = LoadFactors{};
    }
    for (std::size_t i = 0; i < design::kDesignInputs.size(); ++i) {
        const Control control = design::kDesignInputs[i].control;
        design.inputs[i].text = window.text(control);
        design.inputs[i].freeText = design::isListInput(i) && window.selectedIndex(control) < 0;
    }
    return design;
}

} // namespace rampwall::cli
