#include "book/text_measure.h"

#include <array>
#include <cstdint>
#include <vector>

namespace rampwall::book {

namespace {

// Advances of ' ' to '~' in thousandths of an em: for each glyph the wider of
// WenQuanYi Micro Hei and DejaVu Sans.
constexpr std::array<std::uint16_t, 95> kAsciiAdvance = {
    318, 401, 460, 838, 636, 950, 780, 275, 390, 390, 551, 838, 318, 361,  318, 373, 636, 636, 636,
    636, 636, 636, 636, 636, 636, 636, 337, 337, 838, 838, 838, 531, 1000, 684, 686, 698, 770, 632,
    575, 775, 752, 339, 295, 656, 557, 870, 748, 787, 603, 787, 695, 635,  611, 732, 684, 989, 685,
    611, 685, 390, 373, 390, 838, 500, 577, 613, 635, 550, 635, 615, 352,  635, 634, 278, 278, 579,
    278, 974, 634, 612, 635, 635, 411, 521, 392, 634, 592, 818, 592, 592,  525, 636, 551, 636, 838,
};

// Anything else, Chinese or Greek, a full em: no face here draws one wider.
constexpr std::uint16_t kOtherAdvance = 1000;

// The characters of a UTF-8 text with their advances; a byte that starts no
// character counts as one.
struct Glyph {
    std::size_t from, size;
    std::uint16_t advance;
};

std::vector<Glyph> glyphsOf(std::string_view text) {
    std::vector<Glyph> glyphs;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        for (std::size_t k = 1; k < size; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                size = 1;
                break;
            }
        }
        const bool printable = lead >= 0x20 && lead < 0x7F;
        glyphs.push_back({i, size, printable ? kAsciiAdvance[lead - 0x20] : kOtherAdvance});
        i += size;
    }
    return glyphs;
}

double emsToMm(unsigned thousandths, double points) { return thousandths / 1000.0 * pointsToMm(points); }

} // namespace

double textWidth(std::string_view text, double points) {
    unsigned total = 0;
    for (const Glyph& glyph : glyphsOf(text)) {
        total += glyph.advance;
    }
    return emsToMm(total, points);
}

std::string elideMiddle(std::string_view text, double points, double widthMm) {
    if (textWidth(text, points) <= widthMm) {
        return std::string(text);
    }
    static constexpr std::string_view kEllipsis = "…";
    const std::vector<Glyph> glyphs = glyphsOf(text);
    // Characters taken from the two ends in turn, the start first, while the
    // whole still fits.
    unsigned used = kOtherAdvance;
    std::size_t head = 0;
    std::size_t tail = glyphs.size();
    for (bool fromStart = true; head < tail; fromStart = !fromStart) {
        const Glyph& next = fromStart ? glyphs[head] : glyphs[tail - 1];
        if (emsToMm(used + next.advance, points) > widthMm) {
            break;
        }
        used += next.advance;
        fromStart ? ++head : --tail;
    }
    const std::size_t headEnd = head == 0 ? 0 : glyphs[head - 1].from + glyphs[head - 1].size;
    const std::size_t tailStart = tail == glyphs.size() ? text.size() : glyphs[tail].from;
    return std::string(text.substr(0, headEnd)) + std::string(kEllipsis) + std::string(text.substr(tailStart));
}

} // namespace rampwall::book
