// Labels along one line (a column of elevations, a dimension chain) moved
// apart just enough that none overlaps the next.
#pragma once

#include <vector>

namespace rampwall::book {

struct Span {
    double wanted; // where the label's centre would sit at its anchor
    double size;   // the label's extent along the line
};

// Centres in the order of `spans`, each as close to where it is wanted as
// the others allow, `gap` apart at least and within [low, high] when they
// fit there together. Order along the line is kept.
std::vector<double> spread(const std::vector<Span>& spans, double gap, double low, double high);

} // namespace rampwall::book
