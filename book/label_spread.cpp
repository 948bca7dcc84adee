#include "book/label_spread.h"

#include <algorithm>
#include <numeric>

namespace rampwall::book {

std::vector<double> spread(const std::vector<Span>& spans, double gap, double low, double high) {
    const std::size_t n = spans.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return spans[x].wanted < spans[y].wanted; });

    std::vector<double> centre(n);
    double total = 0;
    for (const Span& span : spans) {
        total += span.size + gap;
    }
    // Labels that cannot all fit start at `low` and run on past `high`.
    const bool fits = total - gap <= high - low;

    // Downwards: each label at least its distance below the one before.
    double floor = low;
    for (std::size_t k = 0; k < n; ++k) {
        const Span& span = spans[order[k]];
        const double half = span.size / 2;
        centre[order[k]] = std::max(span.wanted, floor + half);
        floor = centre[order[k]] + half + gap;
    }
    if (!fits) {
        return centre;
    }
    // Upwards from `high`: what ran past it moves back, pushing the ones before.
    double ceiling = high;
    for (std::size_t k = n; k-- > 0;) {
        const Span& span = spans[order[k]];
        const double half = span.size / 2;
        centre[order[k]] = std::min(centre[order[k]], ceiling - half);
        ceiling = centre[order[k]] - half - gap;
    }
    return centre;
}

} // namespace rampwall::book
