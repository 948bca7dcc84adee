#include "edition.h"

namespace rampwall {

std::string_view editionTitle(Edition edition) {
    return edition == Edition::GB50010_2010 ? "GB 50010-2010(2015年版)" : "GB 50010-2002";
}

std::string_view editionKey(Edition edition) { return edition == Edition::GB50010_2010 ? "2010" : "2002"; }

std::optional<Edition> editionByKey(std::string_view key) {
    if (key == "2002") {
        return Edition::GB50010_2002;
    }
    if (key == "2010") {
        return Edition::GB50010_2010;
    }
    return std::nullopt;
}

std::optional<std::string> loadFactorProblem(const LoadFactorField& field, double value) {
    const std::string named = "“" + std::string(field.caption) + "”";
    if (field.member == &LoadFactors::psiQ) {
        // A quasi-permanent value is a part of the characteristic one.
        if (!(value >= 0 && value <= 1)) {
            return named + "必须在0到1之间，请重新输入";
        }
    } else if (!(value > 0 && value <= kLargestLoadFactor)) {
        return named + "必须大于0且不大于10，请重新输入";
    }
    return std::nullopt;
}

std::optional<std::string> loadFactorProblem(const LoadFactors& factors) {
    for (const LoadFactorField& field : kLoadFactorFields) {
        if (std::optional<std::string> problem = loadFactorProblem(field, factors.*field.member)) {
            return problem;
        }
    }
    return std::nullopt;
}

} // namespace rampwall
