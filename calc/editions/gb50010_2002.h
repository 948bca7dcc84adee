// GB 50010-2002: the program's own method, box for box and line for line as
// it has always computed, with one load factor η typed in the form.
#pragma once

#include "calc/editions/code_edition.h"

namespace rampwall {

class Gb50010_2002 final : public CodeEdition {
public:
    std::string_view key() const override { return "2002"; }
    std::string_view title() const override { return "GB 50010-2002"; }
    std::span<const SteelChoice> steelGrades() const override;
    EditionBook book() const override;
    RunResult design(const RunRequest& request, DesignState& state) const override;
};

} // namespace rampwall
