#include "compute.h"

#include "calculation_stop.h"
#include "control_table.h"
#include "crack.h"
#include "design_2010.h"
#include "input_reader.h"
#include "loads.h"
#include "materials.h"
#include "materials_2010.h"
#include "number_text.h"
#include "report.h"
#include "report_2010.h"
#include "strength.h"
#include "values_2002.h"

#include <algorithm>

namespace rampwall {

namespace {

// The written boxes are the six results and the sheet, each once.
constexpr bool writtenBoxesAreTheResults() {
    for (const Control result : kResultBoxes) {
        if (std::count(kWrittenBoxes.begin(), kWrittenBoxes.end(), result) != 1) {
            return false;
        }
    }
    return kWrittenBoxes.back() == Control::Text12 && kWrittenBoxes.size() == kResultBoxes.size() + 1;
}
static_assert(writtenBoxesAreTheResults());

// Materials, the eleven inputs, h0 and the load case, in the window's order.
std::optional<LoadCase> readInputs(DesignState& state, WindowOps& window, Edition edition) {
    if (const auto concrete = concreteAt(window.selectedIndex(Control::Combo1))) {
        state.Fc = concrete->Fc;
        state.Ft = concrete->Ft;
        state.Ftk = concrete->Ftk;
        state.gb2010.fcuk = cubeStrength(concrete->entry);
    }
    // The steel list holds the chosen edition's grades.
    if (edition == Edition::GB50010_2010) {
        if (const auto steel = steel2010At(window.selectedIndex(Control::Combo2))) {
            state.gb2010.steel = *steel;
        }
    } else if (const auto steel = steelAt(window.selectedIndex(Control::Combo2))) {
        state.Fy = steel->Fy;
    }

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

    return loadCaseAt(window.selectedIndex(Control::Combo3));
}

RunOutcome run(DesignState& state, WindowOps& window, const ComputeOptions& options) {
    state.values.clear();
    const std::optional<LoadCase> loadCase = readInputs(state, window, options.edition);
    if (!loadCase) {
        return RunOutcome::NoLoadCase;
    }
    InputReader inputs(state);
    if (options.edition == Edition::GB50010_2010) {
        design2010(state, inputs, window, *loadCase, options);
        if (options.composeSheet) {
            window.replaceText(Control::Text12, composeReport2010(state, *loadCase));
        }
        return RunOutcome::Completed;
    }

    if (*loadCase == LoadCase::CaseA) {
        caseALoads(state, inputs);
    } else {
        caseBLoads(state, inputs);
    }
    if (options.namedValues) {
        noteLoads2002(state, *loadCase);
    }
    // Zero or negative moments would give negative or no steel, and a
    // division by zero later on.
    if (!(widen(state.MBk) > 0) || !(widen(state.MB) > 0)) {
        stopMomentNotPositive();
    }
    float strengthArea = 0;
    try {
        strengthArea = designForStrength(state, inputs, window);
    } catch (const CalculationStop&) {
        // A stopped run still lists what it formed before the stop.
        if (options.namedValues) {
            noteStrength2002(state);
        }
        throw;
    }
    if (options.namedValues) {
        noteStrength2002(state);
    }
    controlCrackWidth(state, inputs, window);
    if (options.namedValues) {
        noteCrackCheck2002(state);
    }
    if (options.composeSheet) {
        window.replaceText(Control::Text12, composeReport(state, *loadCase, strengthArea));
    }
    return RunOutcome::Completed;
}

} // namespace

RunOutcome COMPUTE(DesignState& state, WindowOps& window, const ComputeOptions& options) {
    try {
        return run(state, window, options);
    } catch (const CalculationStop& stop) {
        window.showMessage(stop.what(), kNoticeTitle);
        if (const std::optional<WriteAfterMessage>& after = stop.writeAfterMessage()) {
            window.replaceText(after->box, after->text);
        }
        return RunOutcome::Stopped;
    }
}

} // namespace rampwall
