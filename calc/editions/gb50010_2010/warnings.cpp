#include "calc/editions/gb50010_2010/design_run.h"

#include "calc/number_text.h"

namespace rampwall::gb2010 {

std::vector<std::string> gradeAndFactorWarnings(const Concrete& concrete, const Steel& steel, const Factors& factors) {
    std::vector<std::string> warnings;
    const std::string grade(concrete.entry);
    if (concrete.fcuk < 20) {
        warnings.push_back("注意：混凝土强度等级" + grade +
                           "低于C20，不满足GB 50010-2010第4.1.2条对钢筋混凝土结构构件的要求");
    }
    if (steel.fyk >= 400 && concrete.fcuk < 25) {
        warnings.push_back(
            "注意：采用400MPa及以上等级的钢筋时，混凝土强度等级不应低于C25（GB 50010-2010第4.1.2条），本设计为" +
            grade);
    }
    if (concrete.fcuk < 25) {
        warnings.push_back("注意：钢筋混凝土结构构件的混凝土强度等级不应低于C25（GB 55008-2021第2.0.2条），本设计为" +
                           grade);
    }
    if (steel.fyk >= 500 && concrete.fcuk < 30) {
        warnings.push_back("注意：采用500MPa及以上等级钢筋的钢筋混凝土结构构件，混凝土强度等级不应低于C30（GB "
                           "55008-2021第2.0.2条），本设计为" +
                           grade);
    }
    const auto below = [&](const char* name, double value, double least, const char* clause) {
        if (value < least) {
            warnings.push_back(std::string("注意：") + name + "=" + formatDouble(value) + "小于" + formatDouble(least) +
                               "，低于GB 55001-2021" + clause + "的规定");
        }
    };
    below("结构重要性系数γ0", factors.gamma0, 0.9, "第3.1.12条");
    below("永久作用分项系数γG", factors.gammaG, 1.3, "第3.1.13条");
    below("可变作用分项系数γQ", factors.gammaQ, 1.5, "第3.1.13条");
    return warnings;
}

std::optional<std::string> coverWarning(double cover, const Bars& bars) {
    if (!(cover < bars.large)) {
        return std::nullopt;
    }
    return "注意：保护层厚度c=" + formatDouble(cover) + "mm小于钢筋公称直径" + formatInteger(bars.large) +
           "mm，不满足GB 50010-2010第8.2.1条";
}

} // namespace rampwall::gb2010
