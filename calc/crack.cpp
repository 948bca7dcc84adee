#include "calc/crack.h"

#include "calc/calculation_stop.h"
#include "calc/rounding.h"

#include <variant>

namespace rampwall {

namespace {

// Area per metre of bars of diameter deq at spacing ss (mm²/m), rounded.
float barArea(int deq, double ss) { return roundStored(kPi / 4 * deq * deq * 1000 / ss, "As"); }

// W − 1.05·Wmax in double: W is the stored value widened exactly. A limit
// so large that 1.05·Wmax overflows would pass every width unnoticed.
double excess(const DesignState& state, double Wmax) { return widen(state.W) - finite(1.05 * Wmax, "Wmax"); }

} // namespace

void crackPass(DesignState& state, InputReader& inputs) {
    const double Aas = widen(state.Aas);
    const int deq = std::get<int>(state.deq);

    const float rounded = roundStored(divide(Aas, 500 * inputs.h5(), "ρte"), "ρte");
    if (static_cast<double>(rounded) < 0.01) {
        state.Rte = 0.01; // the floor is the double 0.01, not a 32-bit value
    } else {
        state.Rte = rounded;
    }

    const float Csk = roundStored(divide(widen(state.MBk) * 1000000, 0.87 * widen(state.h0) * Aas, "σsk"), "σsk");
    state.Csk = Csk;

    // ρte·σsk is narrowed to 32 bits when both factors are 32-bit, as the
    // sheet's figures require; with ρte at its double floor it stays double.
    double product = 0;
    if (const float* single = std::get_if<float>(&state.Rte)) {
        product = static_cast<double>(*single * Csk);
    } else {
        product = widen(state.Rte) * static_cast<double>(Csk);
    }
    const double psi = 1.1 - divide(0.65 * widen(state.Ftk), product, "ψ");
    float Fai = roundStored(psi, "ψ");
    if (Fai < 0.2f) {
        Fai = 0.2f;
    }
    if (Fai > 1.0f) {
        Fai = 1.0f;
    }
    state.Fai = Fai;

    const double Rte = widen(state.Rte);
    const double c = widen(state.c);
    state.W = roundStored(2.1 * static_cast<double>(Fai) * static_cast<double>(Csk) / (2 * 100000.0) *
                              (1.9 * c + divide(0.08 * deq, Rte, "Wmax")),
                          "Wmax");
}

void controlCrackWidth(DesignState& state, InputReader& inputs, WindowOps& window) {
    const double Wmax = inputs.Wmax();
    // A limit of zero can only be met by an absurd bar, and a negative one never.
    if (!(Wmax > 0)) {
        stopNotPositive(Control::Text8);
    }
    const double ss = inputs.ss();

    // A wall with a very small moment has αs, ζ and the strength area rounded
    // to 0; the check then starts from the area of the chosen bar at the spacing.
    if (widen(state.Aas) == 0.0) {
        state.Aas = barArea(std::get<int>(state.deq), ss);
    }

    // The width is always computed at least once, so the sheet never shows
    // the figures of an older run; then the limit decides.
    for (;;) {
        crackPass(state, inputs);
        if (!(excess(state, Wmax) > 0)) {
            break;
        }
        const int next = std::get<int>(state.deq) + 1;
        if (next > kLargestDiameter) {
            stopCrackLimitUnreachable(kLargestDiameter);
        }
        state.deq = next;
        state.Aas = barArea(next, ss);
    }

    window.replaceText(Control::Text9, textOf(state.Aas));
    window.replaceText(Control::Text11, textOf(state.W));
    window.replaceText(Control::Text18, textOf(state.deq));
}

} // namespace rampwall
