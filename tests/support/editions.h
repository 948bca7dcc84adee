// The real editions by their keys, and factor sets written as key–value
// pairs, as the tests name them.
#pragma once

#include "calc/editions/factor.h"
#include "calc/editions/registry.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace rampwall::testing_support {

inline const CodeEdition& edition(std::string_view key) {
    const CodeEdition* found = editionByKey(key);
    if (found == nullptr) {
        throw std::invalid_argument("no edition " + std::string(key));
    }
    return *found;
}

inline const CodeEdition& edition2002() { return edition("2002"); }
inline const CodeEdition& edition2010() { return edition("2010"); }

// Values for factors of any edition, by key.
inline FactorValues factorsOf(std::initializer_list<std::pair<std::string_view, double>> values) {
    FactorValues factors;
    for (const auto& [key, value] : values) {
        const CodeEdition* owner = editionOfFactor(key);
        if (owner == nullptr) {
            throw std::invalid_argument("no factor " + std::string(key));
        }
        factors.set(*factorOf(*owner, key), value);
    }
    return factors;
}

} // namespace rampwall::testing_support
