// An edition that only the tests know: its own key, steel list, factor and
// check, and a calculation of its own (a cantilever under a triangle of earth
// pressure, φt times the moment against a fixed capacity). Registered by a
// test, it must reach every front end through the registry alone.
#pragma once

#include "calc/control_table.h"
#include "calc/editions/code_edition.h"
#include "calc/editions/recording_window.h"
#include "calc/editions/registry.h"
#include "calc/load_profile.h"
#include "calc/number_text.h"

#include <array>
#include <string>

namespace rampwall::testing_support {

class TestEdition final : public CodeEdition {
public:
    static constexpr std::string_view kKey = "T9";
    static constexpr std::string_view kCheckName = "试验承载力";

    std::string_view key() const override { return kKey; }
    std::string_view title() const override { return "试验规范 TS 9-2099"; }
    std::span<const SteelChoice> steelGrades() const override { return kSteel; }
    std::span<const FactorDefinition> factors() const override { return kFactors; }
    std::string_view factorNote() const override { return "M = φt·Mk"; }
    std::span<const UnusedInput> unusedInputs() const override { return kUnused; }
    EditionBook book() const override { return {"《试验规范》TS 9-2099", kBasis, kMethod, {}}; }

    RunResult design(const RunRequest& request, DesignState&) const override {
        RunResult result;
        RecordingWindow window(request.inputs, result.events);
        const FormInputs& in = request.inputs;
        const std::optional<double> h2 = parseDouble(in.text(Control::Text2));
        const std::optional<double> h4 = parseDouble(in.text(Control::Text16));
        const std::optional<double> gamma = parseDouble(in.text(Control::Text14));
        result.loadCase = in.selectedIndex(Control::Combo3) == 1 ? LoadCase::CaseB : LoadCase::CaseA;
        if (!h2 || !h4 || !gamma || !(*h2 > *h4)) {
            window.showMessage("试验规范：标高或土容重有误", "友情提示:");
            result.outcome = RunOutcome::Stopped;
            return result;
        }
        const double H = *h2 - *h4;
        const double q = 0.5 * *gamma * H;
        const double Mk = q * H * H / 6;
        const double phi = request.factors.value(kFactors[0]);
        const double M = phi * Mk;
        const double capacity = 150;
        const std::string grade(
            kSteel[static_cast<std::size_t>(std::max(0, in.selectedIndex(Control::Combo2))) % kSteel.size()].code);
        for (const Control box :
             {Control::Text6, Control::Text7, Control::Text19, Control::Text9, Control::Text11, Control::Text18}) {
            window.replaceText(box, formatDouble(M));
        }
        if (request.detail.sheet) {
            window.replaceText(Control::Text12, "试验计算：Mk=" + formatDouble(Mk) +
                                                    "\r\nM=φt*Mk=" + formatDouble(phi) + "*" + formatDouble(Mk) + "=" +
                                                    formatDouble(M) + "\r\n钢筋：" + grade);
        }
        result.outcome = RunOutcome::Completed;
        if (request.detail.values) {
            result.values = {{"Mk", Mk}, {"M", M}};
            result.texts = {{"grade", grade}};
        }
        Check check{kCheckName, "TS 9-2099 第9.9.9条", {}, {}, M <= capacity};
        if (request.detail.report) {
            check.value = "M = " + formatDouble(M) + " kN·m/m";
            check.requirement = "≤ " + formatDouble(capacity) + " kN·m/m";
            PressureLayer earth;
            earth.name = "试验土压力";
            earth.ordinate = "q = " + formatDouble(q);
            earth.moment = "Mk = " + formatDouble(Mk);
            earth.segments = {{0, H, 0, q}};
            earth.labelName = "q";
            earth.labelText = formatDouble(q);
            earth.labelDepth = H;
            result.profile.height = H;
            result.profile.layers = {earth};
            result.profile.momentName = "Mk";
            result.profile.momentText = formatDouble(Mk);
            tracePoints(result.profile);
            result.report.forces = {{"试验弯矩", "M = φt·Mk = " + formatDouble(M)}};
            result.report.results = {{"试验配筋", "钢筋 " + grade, 0}};
            result.report.conclusion = check.satisfied ? "结论：满足试验规范。" : "结论：不满足试验规范。";
            result.report.factors = {{&kFactors[0], phi}};
        }
        result.checks.push_back(std::move(check));
        return result;
    }

    // Registers the one instance once; every test that needs it calls this.
    static const TestEdition& registered() {
        static const TestEdition edition;
        static const bool added = registerEdition(edition);
        static_cast<void>(added);
        return edition;
    }

private:
    static constexpr std::array<SteelChoice, 2> kSteel = {{{"TS300", "TS300", true}, {"TS600", "TS600", false}}};
    static constexpr std::array<FactorDefinition, 1> kFactors = {
        {{"phi-t", "φt", "试验系数φt", "TS 9-2099 第1.0.9条", 1.25, 1, true, 5}}};
    static constexpr std::array<UnusedInput, 1> kUnused = {{{Control::Text5, "试验规范不用这个系数"}}};
    static constexpr std::array<std::string_view, 1> kBasis = {"《试验规范》TS 9-2099"};
    static constexpr std::array<std::string_view, 1> kMethod = {"M = φt·Mk，Mk 为三角形土压力对墙底的弯矩"};
};

} // namespace rampwall::testing_support
