#include "book/page_flow.h"

namespace rampwall::book {

std::vector<Page> flow(const std::vector<Block>& blocks) {
    // The height from each block to the end of the run of blocks kept with
    // it; a run too tall for any page is let go and breaks where it must.
    std::vector<double> needed(blocks.size());
    for (std::size_t i = blocks.size(); i-- > 0;) {
        needed[i] = blocks[i].height;
        if (blocks[i].keepWithNext && i + 1 < blocks.size()) {
            const double kept = needed[i] + blocks[i + 1].spaceBefore + needed[i + 1];
            if (kept <= kContent.height()) {
                needed[i] = kept;
            }
        }
    }
    std::vector<Page> pages(1);
    double y = kContent.top();
    const double bottom = kContent.bottom();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& block = blocks[i];
        const bool pageEmpty = pages.back().empty();
        double top = pageEmpty ? y : y + block.spaceBefore;
        if (!pageEmpty && top + needed[i] > bottom) {
            pages.emplace_back();
            top = kContent.top();
        }
        pages.back().push_back({&block, top});
        y = top + block.height;
    }
    return pages;
}

} // namespace rampwall::book
