// What the 2010 edition adds to the material lists: the concrete factors
// that follow from the grade, and its own steel list, which replaces the
// 2002 one while that edition is chosen.
#pragma once

#include "edition.h"
#include "materials.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace rampwall {

struct SteelGrade2010 {
    std::string_view entry; // "HRB400": the list entry and the grade's name
    int fy;                 // design yield strength, N/mm²
    int fyk;                // characteristic yield strength, N/mm²: the grade's number
    double Es;              // modulus of elasticity, N/mm²
    double nu;              // ν, bond of the bar surface in the crack formula

    bool operator==(const SteelGrade2010&) const = default;
};

// HPB235 is gone from the 2010 edition; its plain bar is HPB300.
inline constexpr std::array<SteelGrade2010, 5> kSteelGrades2010 = {{
    {"HPB300", 270, 300, 2.1e5, 0.7},
    {"HRB335", 300, 335, 2.0e5, 1.0},
    {"HRB400", 360, 400, 2.0e5, 1.0},
    {"RRB400", 360, 400, 2.0e5, 1.0},
    {"HRB500", 435, 500, 2.0e5, 1.0},
}};

// A list index outside the table (including -1 for none) selects nothing.
std::optional<SteelGrade2010> steel2010At(int index);

// The equivalent rectangular stress block and the ultimate strain of the
// concrete: α1, β1 and εcu.
struct ConcreteFactors2010 {
    double alpha1;
    double beta1;
    double epsilonCu;
};

// fcu,k, the cube strength of the grade: "C30" is 30.
constexpr int cubeStrength(std::string_view entry) {
    int value = 0;
    for (char digit : entry.substr(1)) {
        value = value * 10 + (digit - '0');
    }
    return value;
}
static_assert(cubeStrength(kConcreteGrades.front().entry) == 15 && cubeStrength(kConcreteGrades.back().entry) == 80);

// Constant up to C50, then straight lines to α1 0.94, β1 0.74 and εcu 0.003
// at C80.
ConcreteFactors2010 concreteFactors2010(int fcuk);

// The steel list of an edition in list order, as start-up fills it.
std::vector<std::string_view> steelEntries(Edition edition);

// The grade name at an index of an edition's list ("HPB235", "HRB500").
std::optional<std::string_view> steelCodeAt(Edition edition, int index);

// The index of a grade name in an edition's list, any letter case.
std::optional<int> steelIndexByCode(Edition edition, std::string_view code);

// The entry of the other edition's list that a selected grade becomes when
// the edition changes: the same grade where it exists, a plain bar the other
// edition's plain bar (HPB235 and HPB300). Nullopt when there is none
// (HRB500 has no 2002 grade) or nothing was selected.
std::optional<int> steelIndexInEdition(int index, Edition from, Edition to);

} // namespace rampwall
