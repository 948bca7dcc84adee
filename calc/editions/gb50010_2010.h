// GB 50010-2010 (2015 revision): the current code. The earth at rest (K0)
// and the partial factors of GB 50068-2018 are set beside the form; doubles
// throughout, never rounded; bars that can be bought, each with its own h0;
// the balanced-section limit, the minimum steel, the crack width of 7.1.2
// and the shear of a slab without stirrups; the minimums of the general codes
// as warnings.
#pragma once

#include "calc/editions/code_edition.h"

namespace rampwall {

class Gb50010_2010 final : public CodeEdition {
public:
    std::string_view key() const override { return "2010"; }
    std::string_view title() const override { return "GB 50010-2010(2015年版)"; }
    std::span<const SteelChoice> steelGrades() const override;
    std::span<const FactorDefinition> factors() const override;
    std::string_view factorNote() const override;
    std::span<const UnusedInput> unusedInputs() const override;
    int startupEntry(Control list) const override;
    EditionBook book() const override;
    RunResult design(const RunRequest& request, DesignState& memory) const override;
};

} // namespace rampwall
