// Runs the command-line tool in-process, and the same design straight through
// the headless window, which is what the tool must reproduce.
#pragma once

#include "calc/compute.h"
#include "calc/design_state.h"
#include "calc/headless_window.h"
#include "cli/app.h"

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rampwall::testing_support {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = cli::runCli(views, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// What a user does in a window just opened: type into boxes, pick entries.
struct WindowInputs {
    std::vector<std::pair<Control, std::string>> texts;
    std::vector<std::pair<Control, int>> selections;
};

struct WindowRun {
    RunOutcome outcome;
    std::vector<WindowEvent> events;
};

inline WindowRun computeInWindow(const WindowInputs& inputs, ComputeOptions options = {}) {
    HeadlessWindow window;
    for (const auto& [box, text] : inputs.texts) {
        window.setText(box, text);
    }
    for (const auto& [list, index] : inputs.selections) {
        window.setSelectedIndex(list, index);
    }
    DesignState state;
    const RunOutcome outcome = COMPUTE(state, window, options);
    return {outcome, window.events()};
}

inline std::vector<std::string> splitLines(const std::string& text, std::string_view separator) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + separator.size();
    }
}

} // namespace rampwall::testing_support
