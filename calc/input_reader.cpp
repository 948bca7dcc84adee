#include "calc/input_reader.h"

#include "calc/calculation_stop.h"
#include "calc/number_text.h"

namespace rampwall {

double InputReader::number(std::optional<double>& cache, const std::string& text, Control box) {
    if (!cache) {
        cache = parseDouble(text);
        if (!cache) {
            stopNotANumber(box);
        }
    }
    return *cache;
}

void readBoxes(DesignState& state, WindowOps& window) {
    state.h1 = window.readText(Control::Text1);
    state.h2 = window.readText(Control::Text2);
    state.h3 = window.readText(Control::Text3);
    state.h4 = window.readText(Control::Text16);
    state.h5 = window.readText(Control::Text4);
    state.fxxs = window.readText(Control::Text5);

    // The cover is the one input converted at once, and straight to 32 bits.
    const std::optional<float> c = parseSingle(window.readText(Control::Text13));
    if (!c) {
        stopNotANumber(Control::Text13);
    }
    state.c = *c;
    const std::optional<double> h5 = parseDouble(state.h5);
    if (!h5) {
        stopNotANumber(Control::Text4);
    }
    const double h0 = *h5 - static_cast<double>(*c);
    // No effective depth: the cover reaches through the wall.
    if (!(h0 > 0)) {
        stopCoverNotThinner();
    }
    state.h0 = h0;

    state.TRZ = window.readText(Control::Text14);
    state.FJHZ = window.readText(Control::Text15);
    state.Wmax = window.readText(Control::Text8);
    state.ss = window.readText(Control::Text10);
}

} // namespace rampwall
