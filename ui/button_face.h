// The push buttons' face: flat, in the dialog face colour, with the raised
// border of a classic dialog button, sunk while pressed, and a dotted frame
// inside while the button has the focus. Fusion's own face is a gradient,
// which the window's colours do not ask for.
#pragma once

class QPainter;
class QStyleOption;

namespace rampwall {

// Draws the panel of a push button (QStyle::PE_PanelButtonCommand), the
// focus mark included: Fusion shows the focus on its own panel's outline.
void drawFlatButtonPanel(const QStyleOption& option, QPainter& painter);

} // namespace rampwall
