#include "sweep.h"

#include "number_text.h"

#include <cmath>
#include <optional>
#include <vector>

namespace rampwall::cli {

std::variant<SweepRange, std::string> parseSweep(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::string("a sweep is written NAME=START:STOP:STEP");
    }
    const std::string_view name = text.substr(0, equals);
    const std::optional<std::size_t> input = inputByName(name);
    if (!input || isListInput(*input)) {
        return "cannot sweep \"" + std::string(name) + "\": only the numeric inputs can be swept";
    }

    std::string_view rest = text.substr(equals + 1);
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t colon = rest.find(':');
        const bool last = i + 1 == numbers.size();
        if ((colon == std::string_view::npos) != last) {
            return std::string("a sweep is written NAME=START:STOP:STEP");
        }
        const std::string_view part = rest.substr(0, colon);
        const std::optional<double> number = parseDouble(part);
        if (!number || !std::isfinite(*number)) {
            // Appended rather than literal + string: g++ 12 at -O3 warns
            // falsely about overlapping copies in the latter.
            return std::string(1, '"').append(part).append("\" is not a number");
        }
        numbers[i] = *number;
        rest.remove_prefix(last ? rest.size() : colon + 1);
    }
    const auto [start, stop, step] = numbers;

    if (step == 0) {
        return std::string("the step of a sweep cannot be zero");
    }
    const double steps = (stop - start) / step;
    if (!std::isfinite(steps)) {
        return std::string("the sweep has too many rows");
    }
    // A billionth of a step absorbs the rounding in (stop - start) / step, so
    // -1:-6:-0.5 ends on -6 and 0:0.3:0.1 ends on 0.3.
    const double last = std::floor(steps + 1e-9);
    if (last < 0) {
        return std::string("the step of the sweep goes away from its end");
    }
    if (last >= static_cast<double>(kMaxSweepRows)) {
        return "the sweep has more than " + std::to_string(kMaxSweepRows) + " rows";
    }
    return SweepRange{*input, start, step, static_cast<std::size_t>(last) + 1};
}

int runSweep(const SweepRange& range, const DesignInputs& fixed, RowWriter& writer) {
    std::vector<std::string_view> columns{kInputOptions[range.input].name};
    std::vector<std::size_t> given;
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (i != range.input && fixed.isSet(i)) {
            columns.push_back(kInputOptions[i].name);
            given.push_back(i);
        }
    }
    writer.header(columns);

    int status = 0;
    std::vector<std::string_view> fields;
    for (std::size_t i = 0; i < range.count; ++i) {
        const std::string value = formatDouble(range.value(i));
        DesignInputs inputs = fixed;
        // A box input always takes its text.
        static_cast<void>(inputs.set(range.input, value));
        fields.assign({value});
        for (std::size_t input : given) {
            fields.push_back(fixed.text(input));
        }
        if (!writer.row(i + 1, fields, inputs)) {
            status = 1;
        }
    }
    return status;
}

} // namespace rampwall::cli
