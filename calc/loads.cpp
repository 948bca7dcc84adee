#include "calc/loads.h"

#include "calc/calculation_stop.h"
#include "calc/rounding.h"

namespace rampwall {

namespace {

// MBk is the sum of the rounded parts, added as 32-bit values; MB is taken
// from that sum before the sum itself is rounded.
void characteristicAndDesign(DesignState& state, InputReader& inputs, float partSum) {
    const double MB = inputs.fxxs() * static_cast<double>(partSum);
    state.MBk = roundStored(partSum, "MBk");
    state.MB = roundStored(MB, "MB");
}

} // namespace

void checkCaseAElevations(InputReader& inputs) {
    // The order of the checks matters: a failing check comes before the first
    // use of a later elevation that may not be a number.
    if (inputs.h2() - inputs.h3() < 0) {
        stopElevations();
    }
    if (inputs.h2() - inputs.h1() > 0) {
        stopElevations();
    }
    if (inputs.h3() - inputs.h1() > 0) {
        stopElevations();
    }
    if (inputs.h4() - inputs.h3() > 0) {
        stopElevations();
    }
}

void checkCaseBElevations(InputReader& inputs) {
    if (inputs.h4() - inputs.h3() < 0) {
        stopElevations();
    }
    if (inputs.h2() - inputs.h1() > 0) {
        stopElevations();
    }
    if (!(inputs.h2() - inputs.h3() > 0)) {
        stopElevations();
    }
    // With no retained height there is nothing to design for, and a negative
    // one has no physical meaning: the elevations are inconsistent.
    if (!(inputs.h2() - inputs.h4() > 0)) {
        stopElevations();
    }
}

void caseALoads(DesignState& state, InputReader& inputs) {
    checkCaseAElevations(inputs);

    // Every stored load passes the finiteness check before it is stored, so
    // an overflow stops the run at the formula that overflowed and the state
    // never holds an infinite value.
    const double a = finite(inputs.h3() - inputs.h4(), "a");
    const double b = finite(inputs.h2() - inputs.h3(), "b");
    state.a = a;
    state.b = b;

    const double q11 = finite(0.5 * b * inputs.TRZ(), "q11");
    state.q11 = q11;
    const float MB11 = roundStored(0.5 * q11 * b * (a + b / 3), "MB11");
    state.MB11 = MB11;

    const double q21 = finite(0.5 * (inputs.TRZ() - 10) * a, "q21");
    state.q21 = q21;
    const float MB21 = roundStored(q21 * a * a / 6, "MB21");
    state.MB21 = MB21;

    const double q31 = finite(10 * a, "q31");
    state.q31 = q31;
    const float MB31 = roundStored((1.0 / 6) * q31 * a * a, "MB31");
    state.MB31 = MB31;

    const double q42 = finite(0.5 * inputs.FJHZ(), "q42");
    state.q42 = q42;
    const float MB42 = roundStored(0.5 * q42 * (a + b) * (a + b), "MB42");
    state.MB42 = MB42;

    const float partSum = ((MB11 + MB21) + MB31) + MB42;
    characteristicAndDesign(state, inputs, partSum);
}

void caseBLoads(DesignState& state, InputReader& inputs) {
    checkCaseBElevations(inputs);

    // H = h2 - h4 is formed afresh wherever it occurs.
    const double q11 = finite(0.5 * (inputs.h2() - inputs.h4()) * inputs.TRZ(), "q11");
    state.q11 = q11;
    const float MB11 = roundStored(1.0 / 6 * q11 * (inputs.h2() - inputs.h4()) * (inputs.h2() - inputs.h4()), "MB11");
    state.MB11 = MB11;

    const double q22 = finite(0.5 * inputs.FJHZ(), "q22");
    state.q22 = q22;
    const float MB22 = roundStored(0.5 * q22 * (inputs.h2() - inputs.h4()) * (inputs.h2() - inputs.h4()), "MB22");
    state.MB22 = MB22;

    characteristicAndDesign(state, inputs, MB11 + MB22);
}

} // namespace rampwall
