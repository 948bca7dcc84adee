#include "calc/editions/code_edition.h"

#include "calc/control_table.h"
#include "calc/materials.h"

#include <algorithm>

namespace rampwall {

namespace {

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

int CodeEdition::startupEntry(Control) const { return 0; }

bool usesInput(const CodeEdition& edition, Control input) { return unusedTip(edition, input).empty(); }

std::string_view unusedTip(const CodeEdition& edition, Control input) {
    for (const UnusedInput& unused : edition.unusedInputs()) {
        if (unused.box == input) {
            return unused.tip;
        }
    }
    return {};
}

std::vector<std::string_view> listEntries(const CodeEdition& edition, Control list) {
    std::vector<std::string_view> entries;
    switch (list) {
    case Control::Combo1:
        for (const ConcreteGrade& grade : kConcreteGrades) {
            entries.push_back(grade.entry);
        }
        break;
    case Control::Combo2:
        for (const SteelChoice& grade : edition.steelGrades()) {
            entries.push_back(grade.entry);
        }
        break;
    case Control::Combo3: entries.assign(kLoadCaseEntries.begin(), kLoadCaseEntries.end()); break;
    default: break;
    }
    return entries;
}

std::optional<int> entryIndex(const CodeEdition& edition, Control list, std::string_view text) {
    const std::vector<std::string_view> entries = listEntries(edition, list);
    const auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - entries.begin());
}

std::optional<int> steelIndexByCode(const CodeEdition& edition, std::string_view code) {
    const std::span<const SteelChoice> grades = edition.steelGrades();
    for (std::size_t i = 0; i < grades.size(); ++i) {
        if (sameIgnoringAsciiCase(grades[i].code, code)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<int> steelIndexIn(int index, const CodeEdition& from, const CodeEdition& to) {
    const std::span<const SteelChoice> grades = from.steelGrades();
    if (index < 0 || static_cast<std::size_t>(index) >= grades.size()) {
        return std::nullopt;
    }
    const SteelChoice& chosen = grades[static_cast<std::size_t>(index)];
    if (const std::optional<int> same = steelIndexByCode(to, chosen.code)) {
        return same;
    }
    if (chosen.plain) {
        const std::span<const SteelChoice> targets = to.steelGrades();
        const auto plain = std::find_if(targets.begin(), targets.end(), [](const SteelChoice& g) { return g.plain; });
        if (plain != targets.end()) {
            return static_cast<int>(plain - targets.begin());
        }
    }
    return std::nullopt;
}

std::string creditLine(const CodeEdition& edition) { return std::string(kCreditLead) + std::string(edition.title()); }

const FactorDefinition* factorOf(const CodeEdition& edition, std::string_view key) {
    for (const FactorDefinition& factor : edition.factors()) {
        if (factor.key == key) {
            return &factor;
        }
    }
    return nullptr;
}

std::optional<std::string> factorsProblem(const CodeEdition& edition, const FactorValues& values) {
    for (const FactorDefinition& factor : edition.factors()) {
        if (std::optional<std::string> problem = factorProblem(factor, values.value(factor))) {
            return problem;
        }
    }
    return std::nullopt;
}

} // namespace rampwall
