#include "calc/materials.h"

namespace rampwall {

namespace {
template <typename Table>
bool inTable(const Table& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}
} // namespace

std::optional<ConcreteGrade> concreteAt(int index) {
    if (!inTable(kConcreteGrades, index)) {
        return std::nullopt;
    }
    return kConcreteGrades[static_cast<std::size_t>(index)];
}

std::optional<SteelGrade> steelAt(int index) {
    if (!inTable(kSteelGrades, index)) {
        return std::nullopt;
    }
    return kSteelGrades[static_cast<std::size_t>(index)];
}

std::optional<LoadCase> loadCaseAt(int index) {
    switch (index) {
    case 0: return LoadCase::CaseA;
    case 1: return LoadCase::CaseB;
    default: return std::nullopt;
    }
}

} // namespace rampwall
