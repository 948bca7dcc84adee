// A window without a screen and the one design state, as the tests drive them.
#pragma once

#include "calc/compute.h"
#include "calc/design_state.h"
#include "calc/headless_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rampwall::testing_support {

class DesignFixture : public ::testing::Test {
protected:
    RunOutcome compute() {
        window.clearEvents();
        return COMPUTE(state, window);
    }

    void type(Control box, const std::string& text) { window.setText(box, text); }
    void choose(Control list, int index) { window.setSelectedIndex(list, index); }

    // The boxes the last run wrote, in order.
    std::vector<std::string> writtenBoxes() const {
        std::vector<std::string> boxes;
        for (const WindowEvent& event : window.events()) {
            if (event.kind == WindowEvent::Kind::Write) {
                boxes.emplace_back(controlName(event.box));
            }
        }
        return boxes;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const WindowEvent& event : window.messages()) {
            texts.push_back(event.text);
        }
        return texts;
    }

    std::string box(Control control) const { return window.text(control); }

    HeadlessWindow window;
    DesignState state;
};

} // namespace rampwall::testing_support
