// The named numbers of one run, in full double precision and in the order
// the run formed them, so that a script can check them without reading the
// rounded texts of the boxes and the sheet.
#pragma once

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace rampwall {

struct NamedValue {
    std::string_view name; // "M", "alpha_s", "w_max": a name with static storage
    double value;

    bool operator==(const NamedValue&) const = default;
};

using NamedValues = std::vector<NamedValue>;

// The value of the last entry of that name, or nullopt.
inline std::optional<double> valueNamed(const NamedValues& values, std::string_view name) {
    const auto found =
        std::find_if(values.rbegin(), values.rend(), [name](const NamedValue& entry) { return entry.name == name; });
    if (found == values.rend()) {
        return std::nullopt;
    }
    return found->value;
}

} // namespace rampwall
