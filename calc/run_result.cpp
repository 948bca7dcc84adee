#include "calc/run_result.h"

#include <algorithm>

namespace rampwall {

bool RunResult::passes() const {
    return completed() && std::all_of(checks.begin(), checks.end(), [](const Check& check) { return check.satisfied; });
}

const std::string* RunResult::written(Control box) const {
    // The last write counts: a box written twice shows its second text.
    const auto last = std::find_if(events.rbegin(), events.rend(), [box](const WindowEvent& event) {
        return event.kind == WindowEvent::Kind::Write && event.box == box;
    });
    return last != events.rend() ? &last->text : nullptr;
}

std::vector<const WindowEvent*> RunResult::messages() const {
    std::vector<const WindowEvent*> shown;
    for (const WindowEvent& event : events) {
        if (event.kind == WindowEvent::Kind::Message) {
            shown.push_back(&event);
        }
    }
    return shown;
}

} // namespace rampwall
