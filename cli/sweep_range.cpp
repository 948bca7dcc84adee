#include "cli/sweep_range.h"

#include "calc/number_text.h"
#include "cli/inputs.h"

#include <array>
#include <optional>
#include <string>

namespace rampwall::cli {

std::variant<SweepRange, UsageError> parseSweep(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return UsageError{"a sweep is written NAME=START:STOP:STEP"};
    }
    const std::string_view name = text.substr(0, equals);
    const std::optional<std::size_t> input = inputByKey(name);
    if (!input || isListInput(*input)) {
        return UsageError{"cannot sweep \"" + std::string(name) + "\": only the numeric inputs can be swept"};
    }

    std::string_view rest = text.substr(equals + 1);
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t colon = rest.find(':');
        const bool last = i + 1 == numbers.size();
        if ((colon == std::string_view::npos) != last) {
            return UsageError{"a sweep is written NAME=START:STOP:STEP"};
        }
        const std::string_view part = rest.substr(0, colon);
        const std::optional<double> number = parseDouble(part);
        if (!number || !std::isfinite(*number)) {
            // Appended rather than literal + string: g++ 12 at -O3 warns
            // falsely about overlapping copies in the latter.
            return UsageError{std::string(1, '"').append(part).append("\" is not a number")};
        }
        numbers[i] = *number;
        rest.remove_prefix(last ? rest.size() : colon + 1);
    }
    const auto [start, stop, step] = numbers;

    if (step == 0) {
        return UsageError{"the step of a sweep cannot be zero"};
    }
    const double steps = (stop - start) / step;
    if (!std::isfinite(steps)) {
        return UsageError{"the sweep has too many rows"};
    }
    // A billionth of a step absorbs the rounding in (stop - start) / step, so
    // -1:-6:-0.5 ends on -6 and 0:0.3:0.1 ends on 0.3.
    const double last = std::floor(steps + 1e-9);
    if (last < 0) {
        return UsageError{"the step of the sweep goes away from its end"};
    }
    if (last >= static_cast<double>(kMaxSweepRows)) {
        return UsageError{"the sweep has more than " + std::to_string(kMaxSweepRows) + " rows"};
    }
    return SweepRange{*input, start, step, static_cast<std::size_t>(last) + 1};
}

} // namespace rampwall::cli
