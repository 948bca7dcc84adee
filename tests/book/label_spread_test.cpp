#include "book/label_spread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace rampwall::book;

namespace {

struct SpreadCase {
    const char* name;
    std::vector<Span> spans;
    double low, high;
};

// Crowded, out-of-range and unsorted labels: wherever they end up, none
// overlaps the next, their order along the line is kept, they stay within
// the range, and a label with room to spare stays at its anchor.
TEST(label_spread_test, labels_never_overlap_and_keep_their_order) {
    const SpreadCase cases[] = {
        {"apart", {{10, 4}, {30, 4}, {50, 4}}, 0, 100},
        {"same anchor", {{20, 4}, {20, 4}, {20, 4}, {20, 4}}, 0, 100},
        {"beyond the end", {{98, 4}, {99, 4}, {100, 4}}, 0, 100},
        {"before the start", {{-5, 4}, {0, 6}, {1, 4}}, 0, 100},
        {"unsorted", {{60, 4}, {10, 4}, {61, 4}, {11, 4}}, 0, 100},
        {"exactly full", {{5, 9.4}, {5, 9.4}, {5, 9.4}}, 0, 30},
    };
    const double gap = 0.6;
    for (const SpreadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> centres = spread(c.spans, gap, c.low, c.high);
        ASSERT_EQ(centres.size(), c.spans.size());
        std::vector<std::size_t> order(centres.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t x, std::size_t y) { return c.spans[x].wanted < c.spans[y].wanted; });
        for (std::size_t k = 0; k < order.size(); ++k) {
            const Span& span = c.spans[order[k]];
            EXPECT_GE(centres[order[k]] - span.size / 2, c.low - 1e-9);
            EXPECT_LE(centres[order[k]] + span.size / 2, c.high + 1e-9);
            if (k > 0) {
                const Span& before = c.spans[order[k - 1]];
                EXPECT_GE(centres[order[k]] - span.size / 2, centres[order[k - 1]] + before.size / 2 + gap - 1e-9);
            }
        }
    }
    EXPECT_EQ(spread({{10, 4}, {30, 4}}, gap, 0, 100), (std::vector<double>{10, 30}));
}

} // namespace
