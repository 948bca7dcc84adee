// The concrete and steel grades of the two material lists, and the load cases
// of the third, in list order.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace rampwall {

struct ConcreteGrade {
    std::string_view entry;
    double Fc;  // design compressive strength, N/mm²
    double Ft;  // design tensile strength, N/mm² (kept, used by no formula)
    double Ftk; // characteristic tensile strength, N/mm²
};

struct SteelGrade {
    std::string_view entry;
    std::string_view code; // "HRB335": the grade without its class numeral
    int Fy;                // design yield strength, N/mm²
};

enum class LoadCase { CaseA, CaseB };

// C55 to C80 reduce Fc by the factor in the product; the stored value is the
// double product itself (29.7 * 0.97 is 28.808999999999997, not 28.809).
inline constexpr std::array<ConcreteGrade, 14> kConcreteGrades = {{
    {"C15", 7.2, 0.91, 1.27},
    {"C20", 9.6, 1.1, 1.54},
    {"C25", 11.9, 1.27, 1.78},
    {"C30", 14.3, 1.43, 2.01},
    {"C35", 16.7, 1.57, 2.2},
    {"C40", 19.1, 1.71, 2.39},
    {"C45", 21.1, 1.8, 2.51},
    {"C50", 23.1, 1.89, 2.64},
    {"C55", 25.3 * 0.99, 1.96, 2.74},
    {"C60", 27.5 * 0.98, 2.04, 2.85},
    {"C65", 29.7 * 0.97, 2.09, 2.93},
    {"C70", 31.8 * 0.96, 2.14, 2.99},
    {"C75", 33.8 * 0.95, 2.18, 3.05},
    {"C80", 35.9 * 0.94, 2.22, 3.11},
}};

// The Roman numerals are the single characters U+2160 to U+2163.
inline constexpr std::array<SteelGrade, 4> kSteelGrades = {{
    {"Ⅰ级(HPB235)", "HPB235", 210},
    {"Ⅱ级(HRB335)", "HRB335", 300},
    {"Ⅲ级(HRB400)", "HRB400", 360},
    {"Ⅳ级(RRB400)", "RRB400", 400},
}};

inline constexpr std::array<std::string_view, 2> kLoadCaseEntries = {"情况A", "情况B"};

// A list index outside the table (including -1 for none) selects nothing.
std::optional<ConcreteGrade> concreteAt(int index);
std::optional<SteelGrade> steelAt(int index);
std::optional<LoadCase> loadCaseAt(int index);

} // namespace rampwall
