// The inner margin of the window's text boxes. Text starts where a classic
// text box starts it, three pixels in from the box's outer edge, and ends as
// far from the right edge. The boxes are only 49 pixels wide, though: a
// seven-digit area like 3260.572 needs two pixels more, so a text that would
// not show whole gets a one-pixel margin instead.
#pragma once

class QLineEdit;

namespace rampwall {

// Sets box's margins for its text now and whenever the text changes.
void keepClassicTextMargins(QLineEdit& box);

} // namespace rampwall
