#include "calc/editions/gb50010_2010/materials.h"

#include <algorithm>

namespace rampwall::gb2010 {

namespace {

template <typename Table>
std::optional<typename Table::value_type> at(const Table& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        return std::nullopt;
    }
    return table[static_cast<std::size_t>(index)];
}

} // namespace

std::optional<Concrete> concreteAt(int index) { return at(kConcrete, index); }

std::optional<Steel> steelAt(int index) { return at(kSteel, index); }

StressBlock stressBlock(int fcuk) {
    const auto beyondC50 = static_cast<double>(std::clamp(fcuk - 50, 0, 30));
    return {1.0 - 0.002 * beyondC50, 0.8 - 0.002 * beyondC50, 0.0033 - 1e-5 * beyondC50};
}

} // namespace rampwall::gb2010
