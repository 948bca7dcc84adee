// The few operations the calculation and the start-up handler need of the
// window. The Qt window and the headless provider both implement them.
#pragma once

#include "calc/controls.h"

#include <string>
#include <string_view>

namespace rampwall {

class WindowOps {
public:
    virtual ~WindowOps() = default;

    // The box's text exactly as typed: no trimming, no reformatting.
    virtual std::string readText(Control box) = 0;
    // The box then shows exactly this text (UTF-8; CR LF line breaks in the report).
    virtual void replaceText(Control box, std::string_view text) = 0;
    // Position of the selected entry from 0, or -1 when none is selected
    // (including when the user has typed free text into the list).
    virtual int selectedIndex(Control list) = 0;
    // A modal box with one OK button and no icon; returns once it is closed.
    virtual void showMessage(std::string_view text, std::string_view title) = 0;
    virtual void appendEntry(Control list, std::string_view entry) = 0;
    virtual void selectEntry(Control list, int index) = 0;
    virtual void closeWindow() = 0;

protected:
    WindowOps() = default;
    WindowOps(const WindowOps&) = default;
    WindowOps& operator=(const WindowOps&) = default;
};

} // namespace rampwall
