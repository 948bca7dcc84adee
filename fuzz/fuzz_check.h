// A failed property in a fuzz target: say which one and on what input, then
// abort so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace rampwall::fuzz {

[[noreturn]] inline void fail(std::string_view property, std::string_view detail = {}) {
    std::fprintf(stderr, "\nPROPERTY FAILED: %.*s\n", static_cast<int>(property.size()), property.data());
    if (!detail.empty()) {
        std::fprintf(stderr, "  detail: [%.*s]\n", static_cast<int>(detail.size()), detail.data());
    }
    std::abort();
}

inline void require(bool holds, std::string_view property, std::string_view detail = {}) {
    if (!holds) {
        fail(property, detail);
    }
}

} // namespace rampwall::fuzz
