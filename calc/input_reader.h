// The numbers behind the typed input fields. Each text is converted where a
// formula first needs it, so a box that is not a number stops the run exactly
// at that point (a failing elevation check before the first use of h1 still
// shows the elevation message). The value is kept for the rest of the run.
#pragma once

#include "calc/controls.h"
#include "calc/design_state.h"
#include "calc/window_ops.h"

#include <optional>

namespace rampwall {

class InputReader {
public:
    explicit InputReader(const DesignState& state) : m_state(state) {}

    double h1() { return number(m_h1, m_state.h1, Control::Text1); }
    double h2() { return number(m_h2, m_state.h2, Control::Text2); }
    double h3() { return number(m_h3, m_state.h3, Control::Text3); }
    double h4() { return number(m_h4, m_state.h4, Control::Text16); }
    double h5() { return number(m_h5, m_state.h5, Control::Text4); }
    double fxxs() { return number(m_fxxs, m_state.fxxs, Control::Text5); }
    double TRZ() { return number(m_TRZ, m_state.TRZ, Control::Text14); }
    double FJHZ() { return number(m_FJHZ, m_state.FJHZ, Control::Text15); }
    double Wmax() { return number(m_Wmax, m_state.Wmax, Control::Text8); }
    double ss() { return number(m_ss, m_state.ss, Control::Text10); }

private:
    static double number(std::optional<double>& cache, const std::string& text, Control box);

    const DesignState& m_state;
    std::optional<double> m_h1, m_h2, m_h3, m_h4, m_h5, m_fxxs, m_TRZ, m_FJHZ, m_Wmax, m_ss;
};

// The eleven boxes into the state as typed, the cover converted at once to
// 32 bits, and h0 = h5 − c; stops when the cover or the thickness is not a
// number or h0 is not positive.
void readBoxes(DesignState& state, WindowOps& window);

} // namespace rampwall
