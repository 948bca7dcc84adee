// A factor an edition takes beside the form's boxes (the load factors of the
// 规范 menu), and a set of values for them. The command line, the batch
// columns, the design files, the settings, the factors dialog and the book
// all take the factors from these descriptions, so an edition's factor is
// written once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rampwall {

struct FactorDefinition {
    std::string_view key;     // "gamma-g": option, batch column, design-file and settings key
    std::string_view symbol;  // "γG": as formulas and the book write it
    std::string_view caption; // "永久荷载分项系数γG": a dialog's caption, a message's name for it
    std::string_view clause;  // "GB 50068-2018 第8.2.9条": where its value comes from
    double defaultValue;
    // The values it may take: lowest < value (or ≤ when included) and value ≤ highest.
    double lowest;
    bool lowestIncluded;
    double highest;
};

// The message for a value the factor cannot take, or nullopt when it is sound:
// "“准永久值系数ψq”必须在0到1之间，请重新输入".
std::optional<std::string> factorProblem(const FactorDefinition& factor, double value);

// The message for a typed text that is no number.
std::string factorNotANumber(const FactorDefinition& factor);

// Values by factor key. A factor not set here has its default, and setting
// the default takes the entry out again, so two sets are equal exactly when
// every factor has the same value in both.
class FactorValues {
public:
    double value(const FactorDefinition& factor) const;
    void set(const FactorDefinition& factor, double value);
    // The value set for a key, or nullopt when it is the default.
    std::optional<double> valueSet(std::string_view key) const;
    bool empty() const { return m_values.empty(); }

    bool operator==(const FactorValues&) const = default;

private:
    // Sorted by key; keys have static storage, as the definitions that name them.
    std::vector<std::pair<std::string_view, double>> m_values;
};

} // namespace rampwall
