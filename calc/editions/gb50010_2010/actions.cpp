#include "calc/editions/gb50010_2010/actions.h"

#include "calc/loads.h"
#include "calc/rounding.h"

namespace rampwall::gb2010 {

namespace {

void caseA(InputReader& inputs, const Factors& f, Actions& x) {
    checkCaseAElevations(inputs);
    const double gamma = inputs.TRZ();
    x.a = finite(inputs.h3() - inputs.h4(), "a");
    x.b = finite(inputs.h2() - inputs.h3(), "b");
    x.H = finite(x.a + x.b, "H");
    const double a = x.a;
    const double b = x.b;
    // The earth above the water table presses with K0·γ·b at the water table
    // and with that much all the way down the submerged height, besides the
    // submerged earth's own triangle.
    x.q11 = finite(f.K0 * gamma * b, "q11");
    x.MB11 = finite(0.5 * x.q11 * b * (a + b / 3), "MB11");
    x.MB12 = finite(x.q11 * a * a / 2, "MB12");
    x.q21 = finite(f.K0 * (gamma - kWaterWeight) * a, "q21");
    x.MB21 = finite(x.q21 * a * a / 6, "MB21");
    x.q31 = finite(kWaterWeight * a, "q31");
    x.MB31 = finite(x.q31 * a * a / 6, "MB31");
    x.q42 = finite(f.K0 * inputs.FJHZ(), "q42");
    x.MB42 = finite(0.5 * x.q42 * (a + b) * (a + b), "MB42");
    x.MG = finite(x.MB11 + x.MB12 + x.MB21 + x.MB31, "MG");
    x.MQ = x.MB42;
    x.VG = finite(0.5 * x.q11 * b + x.q11 * a + 0.5 * x.q21 * a + 0.5 * x.q31 * a, "VG");
    x.VQ = finite(x.q42 * (a + b), "VQ");
}

void caseB(InputReader& inputs, const Factors& f, Actions& x) {
    checkCaseBElevations(inputs);
    const double H = finite(inputs.h2() - inputs.h4(), "H");
    x.H = H;
    x.q11 = finite(f.K0 * inputs.TRZ() * H, "q11");
    x.MB11 = finite(x.q11 * H * H / 6, "MB11");
    x.q42 = finite(f.K0 * inputs.FJHZ(), "q42");
    x.MB42 = finite(0.5 * x.q42 * H * H, "MB42");
    x.MG = x.MB11;
    x.MQ = x.MB42;
    x.VG = finite(0.5 * x.q11 * H, "VG");
    x.VQ = finite(x.q42 * H, "VQ");
}

} // namespace

Actions actionsOf(InputReader& inputs, LoadCase loadCase, const Factors& f) {
    Actions x;
    x.loadCase = loadCase;
    if (loadCase == LoadCase::CaseA) {
        caseA(inputs, f, x);
    } else {
        caseB(inputs, f, x);
    }
    x.Mk = finite(x.MG + x.MQ, "Mk");
    x.M = finite(f.gamma0 * (f.gammaG * x.MG + f.gammaQ * f.gammaL * x.MQ), "M");
    x.V = finite(f.gamma0 * (f.gammaG * x.VG + f.gammaQ * f.gammaL * x.VQ), "V");
    x.Mq = finite(x.MG + f.psiQ * x.MQ, "Mq");
    return x;
}

} // namespace rampwall::gb2010
