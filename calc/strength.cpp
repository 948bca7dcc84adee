#include "calc/strength.h"

#include "calc/calculation_stop.h"
#include "calc/rounding.h"

#include <cmath>

namespace rampwall {

BarDiameter chooseBar(float SAas) {
    const auto required = static_cast<double>(SAas);
    BarDiameter chosen;
    // Every row is tried; a later (smaller) match overwrites an earlier one.
    for (const BarSize& bar : kBarTable) {
        if (bar.threshold >= required) {
            chosen = bar.diameter;
        }
    }
    if (required > kBarTable[0].threshold) {
        chosen = TooLarge{};
    }
    return chosen;
}

float designForStrength(DesignState& state, InputReader& inputs, WindowOps& window) {
    const double Fc = widen(state.Fc);
    const double h0 = widen(state.h0);
    const double MB = widen(state.MB);

    const float alfas = roundStored(divide(MB * 1000000, Fc * 1000 * (h0 * h0), "αs"), "αs");
    state.alfas = alfas;

    if (static_cast<double>(alfas) >= 0.5) {
        // Over-reinforced: tell the user, then carry on with ζ = 1.
        window.showMessage(kMomentTooLargeMessage, kNoticeTitle);
        state.kese = 1;
    } else {
        // 2·αs and 1 − 2·αs are each formed as 32-bit values.
        const float twice = 2.0f * alfas;
        const float remainder = 1.0f - twice;
        state.kese = roundStored(1.0 - std::pow(static_cast<double>(remainder), 0.5), "ζ");
    }

    const double kese = widen(state.kese);
    const auto Fy = static_cast<double>(state.Fy.value_or(0));
    const float Aas = roundStored(divide(Fc * 1000 * h0 * kese, Fy, "As"), "As");
    state.Aas = Aas;

    window.replaceText(Control::Text6, textOf(state.MBk));
    window.replaceText(Control::Text7, textOf(state.Aas));

    const double ss = inputs.ss();
    if (!(ss > 0)) {
        stopNotPositive(Control::Text10);
    }
    const float SAas = roundStored(static_cast<double>(Aas) * ss / 1000, "单根钢筋面积");
    state.SAas = SAas;

    const BarDiameter bar = chooseBar(SAas);
    state.deq = bar;
    state.d = bar;
    if (std::holds_alternative<TooLarge>(bar)) {
        stopNoBar();
    }
    window.replaceText(Control::Text19, textOf(state.d));
    return Aas;
}

} // namespace rampwall
