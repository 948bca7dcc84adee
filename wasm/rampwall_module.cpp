// The calculation behind the web page: one window held in memory for the
// page's whole life, as the desktop window holds one design state, and a few
// C functions over it. rampwall_api.js wraps them for JavaScript; texts cross
// as UTF-8 bytes with their length, so a text may hold any character.
#include "compute.h"
#include "design_state.h"
#include "headless_window.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace rampwall;

struct Page {
    HeadlessWindow window;
    DesignState state;
};

std::unique_ptr<Page> page;

Page& current() {
    if (!page) {
        page = std::make_unique<Page>();
    }
    return *page;
}
// The length of the text the last call returned, read by rw_text_size.
std::size_t lastSize = 0;

const char* handOut(std::string_view text) {
    lastSize = text.size();
    return text.data();
}

// Indices from JavaScript are checked here, so no call can reach outside
// the controls, the lists or the recorded events.
bool isControl(int index) { return index >= 0 && static_cast<std::size_t>(index) < kAllControls.size(); }

Control controlAt(int index) { return kAllControls[static_cast<std::size_t>(index)]; }

const WindowEvent* eventAt(int index) {
    const auto& events = current().window.events();
    return index >= 0 && static_cast<std::size_t>(index) < events.size() ? &events[static_cast<std::size_t>(index)]
                                                                         : nullptr;
}

} // namespace

extern "C" {

// The window opens afresh: initial texts, lists filled, an empty state.
EMSCRIPTEN_KEEPALIVE void rw_open() { page = std::make_unique<Page>(); }

EMSCRIPTEN_KEEPALIVE int rw_control_count() { return static_cast<int>(kAllControls.size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_control_name(int control) {
    return handOut(isControl(control) ? controlName(controlAt(control)) : std::string_view());
}

EMSCRIPTEN_KEEPALIVE std::size_t rw_text_size() { return lastSize; }

// What the user does: types into a box, or leaves a list at any index.
EMSCRIPTEN_KEEPALIVE void rw_set_text(int control, const char* text, std::size_t size) {
    if (isControl(control)) {
        current().window.setText(controlAt(control), std::string_view(text, size));
    }
}

EMSCRIPTEN_KEEPALIVE void rw_set_selected(int control, int index) {
    if (isControl(control) && isList(controlAt(control))) {
        current().window.setSelectedIndex(controlAt(control), index);
    }
}

EMSCRIPTEN_KEEPALIVE const char* rw_text(int control) {
    return handOut(isControl(control) ? std::string_view(current().window.text(controlAt(control)))
                                      : std::string_view());
}

EMSCRIPTEN_KEEPALIVE int rw_selected(int control) {
    return isControl(control) && isList(controlAt(control)) ? current().window.selectedIndex(controlAt(control)) : -1;
}

EMSCRIPTEN_KEEPALIVE int rw_entry_count(int control) {
    return isControl(control) ? static_cast<int>(current().window.entries(controlAt(control)).size()) : 0;
}

EMSCRIPTEN_KEEPALIVE const char* rw_entry(int control, int index) {
    if (index < 0 || index >= rw_entry_count(control)) {
        return handOut({});
    }
    return handOut(current().window.entries(controlAt(control))[static_cast<std::size_t>(index)]);
}

// One press of 计算: the RunOutcome, or -1 when something other than a
// calculation stop ended the run, which the page reports as the desktop
// window does. The run's writes and messages are recorded in order.
EMSCRIPTEN_KEEPALIVE int rw_compute(int composeSheet) {
    current().window.clearEvents();
    try {
        return static_cast<int>(COMPUTE(current().state, current().window, {.composeSheet = composeSheet != 0}));
    } catch (const std::exception&) {
        return -1;
    }
}

EMSCRIPTEN_KEEPALIVE int rw_event_count() { return static_cast<int>(current().window.events().size()); }

// 0 for a write into a box, 1 for a message.
EMSCRIPTEN_KEEPALIVE int rw_event_kind(int index) {
    const WindowEvent* event = eventAt(index);
    return event != nullptr && event->kind == WindowEvent::Kind::Message ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int rw_event_box(int index) {
    const WindowEvent* event = eventAt(index);
    return event != nullptr ? static_cast<int>(event->box) : -1;
}

EMSCRIPTEN_KEEPALIVE const char* rw_event_text(int index) {
    const WindowEvent* event = eventAt(index);
    return handOut(event != nullptr ? std::string_view(event->text) : std::string_view());
}

EMSCRIPTEN_KEEPALIVE const char* rw_event_title(int index) {
    const WindowEvent* event = eventAt(index);
    return handOut(event != nullptr ? std::string_view(event->title) : std::string_view());
}

} // extern "C"
