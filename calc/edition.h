// The code edition a design follows, and the load factors of the 2010
// edition. GB 50010-2002 is the program's own calculation and stays the
// default; GB 50010-2010 (2015 revision) is the current one, with the partial
// factors of GB 50068-2018 and the quasi-permanent factor of GB 50009-2012.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rampwall {

enum class Edition { GB50010_2002, GB50010_2010 };

inline constexpr Edition kDefaultEdition = Edition::GB50010_2002;

// "GB 50010-2002", "GB 50010-2010(2015年版)": how menus, titles and the sheet
// name the edition.
std::string_view editionTitle(Edition edition);

// "2002" or "2010": the key for command lines, settings and design files.
std::string_view editionKey(Edition edition);
std::optional<Edition> editionByKey(std::string_view key);

// The factors that turn the characteristic moments of the 2010 edition into
// the design moment M = γ0·(γG·MG + γQ·γL·MQ) and the quasi-permanent moment
// Mq = MG + ψq·MQ. The 2002 edition uses none of them.
struct LoadFactors {
    double gamma0 = 1.0; // structural importance
    double gammaG = 1.3; // permanent actions: soil and water
    double gammaQ = 1.5; // variable actions: surcharge
    double gammaL = 1.0; // design working life of 50 years
    double psiQ = 0.6;   // quasi-permanent part of the surcharge (vehicle passage)

    bool operator==(const LoadFactors&) const = default;
};

// One factor as the engineer meets it: the command-line name, the caption a
// message or a dialog uses, and the clause it comes from.
struct LoadFactorField {
    std::string_view key;     // "gamma-g": option and column name
    std::string_view caption; // "永久荷载分项系数γG"
    std::string_view clause;  // "GB 50068-2018 第8.2.9条"
    double LoadFactors::*member;
};

inline constexpr std::array<LoadFactorField, 5> kLoadFactorFields = {{
    {"gamma-0", "结构重要性系数γ0", "GB 50068-2018 第8.2.8条", &LoadFactors::gamma0},
    {"gamma-g", "永久荷载分项系数γG", "GB 50068-2018 第8.2.9条", &LoadFactors::gammaG},
    {"gamma-q", "可变荷载分项系数γQ", "GB 50068-2018 第8.2.9条", &LoadFactors::gammaQ},
    {"gamma-l", "设计使用年限调整系数γL", "GB 50068-2018 第8.2.10条", &LoadFactors::gammaL},
    {"psi-q", "准永久值系数ψq", "GB 50009-2012 表5.1.1", &LoadFactors::psiQ},
}};

// What the factors dialog says they are for.
inline constexpr std::string_view kLoadFactorNote =
    "只用于GB 50010-2010(2015年版)：M = γ0·(γG·MG + γQ·γL·MQ)，Mq = MG + ψq·MQ";

// Real γ factors lie near 1; ten times the load is no design situation.
inline constexpr double kLargestLoadFactor = 10;

// The message for a value the field cannot take, or nullopt when it is
// sound: the γ factors greater than 0 and at most 10, ψq from 0 to 1.
std::optional<std::string> loadFactorProblem(const LoadFactorField& field, double value);
// The first field of the set that has a problem, as above.
std::optional<std::string> loadFactorProblem(const LoadFactors& factors);

} // namespace rampwall
