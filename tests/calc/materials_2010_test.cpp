#include "materials_2010.h"

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
        const ConcreteFactors2010 f = concreteFactors2010(row.fcuk);
        EXPECT_NEAR(f.alpha1, row.alpha1, 1e-12) << row.fcuk;
        EXPECT_NEAR(f.beta1, row.beta1, 1e-12) << row.fcuk;
        EXPECT_NEAR(f.epsilonCu, row.epsilonCu, 1e-15) << row.fcuk;
    }
}

TEST(materials_2010, SelectedSteelFollowsTheEditionChange) {
    struct Row {
        Edition from;
        const char* code;
        std::optional<std::string_view> becomes;
    };
    const Edition e2002 = Edition::GB50010_2002;
    const Edition e2010 = Edition::GB50010_2010;
    for (const Row& row :
         {Row{e2002, "HPB235", "HPB300"}, Row{e2002, "HRB335", "HRB335"}, Row{e2002, "HRB400", "HRB400"},
          Row{e2002, "RRB400", "RRB400"}, Row{e2010, "HPB300", "HPB235"}, Row{e2010, "RRB400", "RRB400"},
          Row{e2010, "HRB500", std::nullopt}}) {
        const Edition to = row.from == e2002 ? e2010 : e2002;
        const std::optional<int> index =
            steelIndexInEdition(steelIndexByCode(row.from, row.code).value(), row.from, to);
        EXPECT_EQ(index ? steelCodeAt(to, *index) : std::nullopt, row.becomes) << row.code;
    }
    EXPECT_EQ(steelIndexInEdition(-1, e2002, e2010), std::nullopt);
    EXPECT_EQ(steelIndexByCode(e2010, "hrb500"), 4);
}

} // namespace
} // namespace rampwall
