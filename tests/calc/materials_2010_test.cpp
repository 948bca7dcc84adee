#include "calc/editions/code_edition.h"
#include "calc/editions/gb50010_2010/materials.h"
#include "support/editions.h"

#include <gtest/gtest.h>

#include <optional>

namespace rampwall {
namespace {

TEST(materials_2010, ConcreteFactorsBendAfterC50) {
    struct Row {
        int fcuk;
        double alpha1, beta1, epsilonCu;
    };
    for (const Row& row : {Row{15, 1.0, 0.8, 0.0033}, Row{50, 1.0, 0.8, 0.0033}, Row{65, 0.97, 0.77, 0.00315},
                           Row{80, 0.94, 0.74, 0.003}}) {
        const gb2010::StressBlock f = gb2010::stressBlock(row.fcuk);
        EXPECT_NEAR(f.alpha1, row.alpha1, 1e-12) << row.fcuk;
        EXPECT_NEAR(f.beta1, row.beta1, 1e-12) << row.fcuk;
        EXPECT_NEAR(f.epsilonCu, row.epsilonCu, 1e-15) << row.fcuk;
    }
}

TEST(materials_2010, SelectedSteelFollowsTheEditionChange) {
    struct Row {
        const CodeEdition* from;
        const char* code;
        std::optional<std::string_view> becomes;
    };
    const CodeEdition* e2002 = &testing_support::edition2002();
    const CodeEdition* e2010 = &testing_support::edition2010();
    for (const Row& row :
         {Row{e2002, "HPB235", "HPB300"}, Row{e2002, "HRB335", "HRB335"}, Row{e2002, "HRB400", "HRB400"},
          Row{e2002, "RRB400", "RRB400"}, Row{e2010, "HPB300", "HPB235"}, Row{e2010, "RRB400", "RRB400"},
          Row{e2010, "HRB500", std::nullopt}}) {
        const CodeEdition* to = row.from == e2002 ? e2010 : e2002;
        const std::optional<int> index = steelIndexIn(steelIndexByCode(*row.from, row.code).value(), *row.from, *to);
        const std::optional<std::string_view> code =
            index ? std::optional(to->steelGrades()[static_cast<std::size_t>(*index)].code) : std::nullopt;
        EXPECT_EQ(code, row.becomes) << row.code;
    }
    EXPECT_EQ(steelIndexIn(-1, *e2002, *e2010), std::nullopt);
    EXPECT_EQ(steelIndexByCode(*e2010, "hrb500"), 4);
}

} // namespace
} // namespace rampwall
