#include "materials_2010.h"

#include <algorithm>

namespace rampwall {

namespace {

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::optional<SteelGrade2010> steel2010At(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kSteelGrades2010.size()) {
        return std::nullopt;
    }
    return kSteelGrades2010[static_cast<std::size_t>(index)];
}

ConcreteFactors2010 concreteFactors2010(int fcuk) {
    // Grades above C80 do not exist in the list; below C50 nothing changes.
    const auto beyondC50 = static_cast<double>(std::clamp(fcuk - 50, 0, 30));
    return {1.0 - 0.002 * beyondC50, 0.8 - 0.002 * beyondC50, 0.0033 - 1e-5 * beyondC50};
}

std::vector<std::string_view> steelEntries(Edition edition) {
    std::vector<std::string_view> entries;
    if (edition == Edition::GB50010_2010) {
        for (const SteelGrade2010& grade : kSteelGrades2010) {
            entries.push_back(grade.entry);
        }
    } else {
        for (const SteelGrade& grade : kSteelGrades) {
            entries.push_back(grade.entry);
        }
    }
    return entries;
}

std::optional<std::string_view> steelCodeAt(Edition edition, int index) {
    if (edition == Edition::GB50010_2010) {
        if (const std::optional<SteelGrade2010> grade = steel2010At(index)) {
            return grade->entry;
        }
    } else if (const std::optional<SteelGrade> grade = steelAt(index)) {
        return grade->code;
    }
    return std::nullopt;
}

std::optional<int> steelIndexByCode(Edition edition, std::string_view code) {
    for (int index = 0;; ++index) {
        const std::optional<std::string_view> listed = steelCodeAt(edition, index);
        if (!listed) {
            return std::nullopt;
        }
        if (sameIgnoringAsciiCase(*listed, code)) {
            return index;
        }
    }
}

std::optional<int> steelIndexInEdition(int index, Edition from, Edition to) {
    const std::optional<std::string_view> code = steelCodeAt(from, index);
    if (!code) {
        return std::nullopt;
    }
    if (const std::optional<int> same = steelIndexByCode(to, *code)) {
        return same;
    }
    if (*code == "HPB235" || *code == "HPB300") {
        return steelIndexByCode(to, to == Edition::GB50010_2010 ? "HPB300" : "HPB235");
    }
    return std::nullopt;
}

} // namespace rampwall
