#include "calc/editions/factor.h"

#include "calc/number_text.h"

#include <algorithm>

namespace rampwall {

std::optional<std::string> factorProblem(const FactorDefinition& factor, double value) {
    const bool aboveLowest = factor.lowestIncluded ? value >= factor.lowest : value > factor.lowest;
    if (aboveLowest && value <= factor.highest) {
        return std::nullopt;
    }
    const std::string lowest = formatDouble(factor.lowest);
    const std::string highest = formatDouble(factor.highest);
    const std::string range = factor.lowestIncluded ? "必须在" + lowest + "到" + highest + "之间"
                                                    : "必须大于" + lowest + "且不大于" + highest;
    return "“" + std::string(factor.caption) + "”" + range + "，请重新输入";
}

std::string factorNotANumber(const FactorDefinition& factor) {
    return "“" + std::string(factor.caption) + "”应为数字，请重新输入";
}

double FactorValues::value(const FactorDefinition& factor) const {
    return valueSet(factor.key).value_or(factor.defaultValue);
}

std::optional<double> FactorValues::valueSet(std::string_view key) const {
    const auto found =
        std::lower_bound(m_values.begin(), m_values.end(), key,
                         [](const auto& entry, std::string_view wanted) { return entry.first < wanted; });
    if (found == m_values.end() || found->first != key) {
        return std::nullopt;
    }
    return found->second;
}

void FactorValues::set(const FactorDefinition& factor, double value) {
    const auto found =
        std::lower_bound(m_values.begin(), m_values.end(), factor.key,
                         [](const auto& entry, std::string_view wanted) { return entry.first < wanted; });
    const bool present = found != m_values.end() && found->first == factor.key;
    if (value == factor.defaultValue) {
        if (present) {
            m_values.erase(found);
        }
    } else if (present) {
        found->second = value;
    } else {
        m_values.insert(found, {factor.key, value});
    }
}

} // namespace rampwall
