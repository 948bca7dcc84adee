// The materials of GB 50010-2010 (2015 revision): the concrete grades with
// the design and characteristic strengths of its tables 4.1.4-1, 4.1.4-2 and
// 4.1.3-2, the stress-block factors of 6.2.1 and 6.2.6, and the steel grades
// of tables 4.2.3-1 and 4.2.5 with the bond factor ν of table 7.1.2-2.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace rampwall::gb2010 {

struct Concrete {
    std::string_view entry; // "C30": the list's entry
    int fcuk;               // the cube strength the grade is named by, N/mm²
    double fc;              // design compressive strength, N/mm²
    double ft;              // design tensile strength, N/mm²
    double ftk;             // characteristic tensile strength, N/mm²
};

// fc as the table gives it: unlike the 2002 method's own table, no α1 is
// folded into the grades from C55 up, since the formulas apply α1 themselves.
inline constexpr std::array<Concrete, 14> kConcrete = {{
    {"C15", 15, 7.2, 0.91, 1.27},
    {"C20", 20, 9.6, 1.1, 1.54},
    {"C25", 25, 11.9, 1.27, 1.78},
    {"C30", 30, 14.3, 1.43, 2.01},
    {"C35", 35, 16.7, 1.57, 2.2},
    {"C40", 40, 19.1, 1.71, 2.39},
    {"C45", 45, 21.1, 1.8, 2.51},
    {"C50", 50, 23.1, 1.89, 2.64},
    {"C55", 55, 25.3, 1.96, 2.74},
    {"C60", 60, 27.5, 2.04, 2.85},
    {"C65", 65, 29.7, 2.09, 2.93},
    {"C70", 70, 31.8, 2.14, 2.99},
    {"C75", 75, 33.8, 2.18, 3.05},
    {"C80", 80, 35.9, 2.22, 3.11},
}};

struct Steel {
    std::string_view entry; // "HRB400": the list's entry and the grade's name
    int fy;                 // design yield strength, N/mm²
    int fyk;                // characteristic yield strength, N/mm²: the grade's number
    double Es;              // modulus of elasticity, N/mm²
    double nu;              // ν: 0.7 for a plain bar, 1.0 for a ribbed one
};

// HPB235 is gone from the 2010 edition; its plain bar is HPB300.
inline constexpr std::array<Steel, 5> kSteel = {{
    {"HPB300", 270, 300, 2.1e5, 0.7},
    {"HRB335", 300, 335, 2.0e5, 1.0},
    {"HRB400", 360, 400, 2.0e5, 1.0},
    {"RRB400", 360, 400, 2.0e5, 1.0},
    {"HRB500", 435, 500, 2.0e5, 1.0},
}};

// A list index outside the table (including -1 for none) selects nothing.
std::optional<Concrete> concreteAt(int index);
std::optional<Steel> steelAt(int index);

// The rectangular stress block and the ultimate strain: α1, β1, εcu.
struct StressBlock {
    double alpha1;
    double beta1;
    double epsilonCu;
};

// Constant up to C50, then straight lines to α1 0.94, β1 0.74 and εcu 0.003 at C80.
StressBlock stressBlock(int fcuk);

} // namespace rampwall::gb2010
