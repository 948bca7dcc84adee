// The book's drawings as display lists, without a toolkit: at extreme but
// valid designs every item stays inside its figure, no two texts overlap,
// and the wall is drawn to the scale its caption states.
#include "book/figure_geometry.h"
#include "book/text_measure.h"
#include "calc/control_table.h"
#include "calc/headless_window.h"
#include "tests/book/book_run.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <variant>

using namespace rampwall;
using namespace rampwall::book;

namespace {

struct Design {
    const char* name;
    testing_support::Typed typed; // a list by its index
};

const std::vector<Design> kDesigns = {
    {"start-up", {}},
    {"Case B", {{Control::Combo3, "1"}, {Control::Text3, "-5.0"}, {Control::Combo1, "2"}, {Control::Combo2, "1"}}},
    {"30 m wall, water at the base",
     {{Control::Text2, "-0.5"},
      {Control::Text3, "-29.9"},
      {Control::Text16, "-30"},
      {Control::Text14, "1"},
      {Control::Text15, "0"},
      {Control::Text4, "2000"},
      {Control::Combo1, "3"},
      {Control::Combo2, "1"}}},
    {"30 m wall, Case B, water far below",
     {{Control::Combo3, "1"},
      {Control::Text2, "0"},
      {Control::Text3, "-60"},
      {Control::Text16, "-30"},
      {Control::Text14, "1"},
      {Control::Text15, "0"},
      {Control::Text4, "2000"},
      {Control::Combo1, "3"},
      {Control::Combo2, "1"}}},
    {"0.1 m wall", {{Control::Text2, "0"}, {Control::Text3, "-0.05"}, {Control::Text16, "-0.1"}}},
    {"huge loads",
     {{Control::Text14, "12345.678"},
      {Control::Text15, "98765.4321"},
      {Control::Text3, "-0.6"},
      {Control::Text16, "-0.7"},
      {Control::Text4, "3000"},
      {Control::Text10, "50"},
      {Control::Combo1, "13"}}},
    {"tiny loads", {{Control::Text14, "0.001"}, {Control::Text15, "0.001"}}},
    {"long typed texts", {{Control::Text1, "0.000000000000000000000"}, {Control::Text4, "+350.0000000000000000"}}},
    // Water inside the height with the soil above it: the most pressure panels.
    {"Case A, water half way", {{Control::Text3, "-3.0"}}},
};

design::DesignRun runOf(const Design& design) {
    return testing_support::runForBook(design.typed).value(); // throws, failing the test, for no book
}

struct Box {
    double left, top, right, bottom;
};

Box boxOf(const Text& text) {
    const double width = textWidth(text.text, text.points);
    const double left = text.anchor == Anchor::End      ? text.x - width
                        : text.anchor == Anchor::Middle ? text.x - width / 2
                                                        : text.x;
    return {left, text.top, left + width, text.top + pointsToMm(text.points)};
}

std::vector<Text> textsOf(const Figure& figure) {
    std::vector<Text> texts;
    for (const FigureItem& item : figure.items) {
        if (const Text* text = std::get_if<Text>(&item)) {
            texts.push_back(*text);
        }
    }
    return texts;
}

void expectInsideAndApart(const Figure& figure) {
    const double slack = 0.01;
    for (const FigureItem& item : figure.items) {
        if (const Path* path = std::get_if<Path>(&item)) {
            for (const Point& p : path->points) {
                EXPECT_TRUE(p.x >= -slack && p.x <= figure.width + slack && p.y >= -slack &&
                            p.y <= figure.height + slack)
                    << p.x << ", " << p.y;
            }
        }
    }
    const std::vector<Text> texts = textsOf(figure);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Box a = boxOf(texts[i]);
        EXPECT_TRUE(a.left >= -slack && a.right <= figure.width + slack && a.top >= -slack &&
                    a.bottom <= figure.height + slack)
            << texts[i].text;
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const Box b = boxOf(texts[j]);
            const double across = std::min(a.right, b.right) - std::max(a.left, b.left);
            const double down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
            EXPECT_FALSE(across > 0.1 && down > 0.1) << texts[i].text << " / " << texts[j].text;
        }
    }
}

TEST(figure_geometry_test, every_item_inside_its_figure_and_no_two_texts_overlap) {
    for (const CodeEdition* edition : editions()) {
        std::size_t drawn = 0;
        for (const Design& design : kDesigns) {
            SCOPED_TRACE(std::string(edition->key()) + ": " + design.name);
            // A design an edition stops (its own limits) has no book to draw.
            const std::optional<design::DesignRun> run = testing_support::runForBook(design.typed, *edition);
            if (!run) {
                continue;
            }
            ++drawn;
            expectInsideAndApart(wallFigure(*run));
            expectInsideAndApart(loadFigure(*run));
        }
        EXPECT_GE(drawn, kDesigns.size() / 2) << edition->key();
    }
}

// The wall's outline spans h1 to h4 at the scale its caption names.
TEST(figure_geometry_test, wall_is_drawn_at_the_scale_it_states) {
    for (const Design& design : kDesigns) {
        SCOPED_TRACE(design.name);
        const design::DesignRun run = runOf(design);
        const Figure figure = wallFigure(run);
        double denominator = 0;
        for (const Text& text : textsOf(figure)) {
            std::smatch m;
            if (std::regex_search(text.text, m, std::regex("比例 1:([0-9.]+)"))) {
                denominator = std::stod(m[1]);
            }
        }
        ASSERT_GT(denominator, 0);
        // The concrete: the one closed outline with eight corners.
        const Path* concrete = nullptr;
        for (const FigureItem& item : figure.items) {
            const Path* path = std::get_if<Path>(&item);
            if (path != nullptr && path->closed && path->points.size() == 8) {
                concrete = path;
            }
        }
        ASSERT_NE(concrete, nullptr);
        const std::optional<Levels> levels = levelsOf(run);
        ASSERT_TRUE(levels);
        const double drawn = concrete->points[2].y - concrete->points[0].y;
        EXPECT_NEAR(drawn, (levels->h1 - levels->h4) * 1000 / denominator, 1e-9);
    }
}

TEST(figure_geometry_test, elevations_that_cannot_be_drawn_say_so) {
    design::DesignRun run = runOf(kDesigns.front());
    run.inputs.setText(Control::Text2, "x");
    for (const Figure& figure : {wallFigure(run), loadFigure(run)}) {
        const std::vector<Text> texts = textsOf(figure);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NE(texts.front().text.find("不能按比例绘制"), std::string::npos);
    }
}

// ---- The width model ----

// Every byte belongs to a whole UTF-8 character.
bool wholeCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (size == 0 || i + size > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < size; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += size;
    }
    return true;
}

TEST(text_measure_test, widths_add_up_and_chinese_is_a_full_em) {
    EXPECT_DOUBLE_EQ(textWidth("", 8), 0);
    EXPECT_DOUBLE_EQ(textWidth("h2=-0.5", 8), textWidth("h2=", 8) + textWidth("-0.5", 8));
    EXPECT_DOUBLE_EQ(textWidth("迎水面", 10), 3 * pointsToMm(10));
    EXPECT_DOUBLE_EQ(textWidth("q11=4.5", 16), 2 * textWidth("q11=4.5", 8));
    EXPECT_LT(textWidth("1", 8), textWidth("中", 8));
}

TEST(text_measure_test, elided_text_fits_keeps_both_ends_and_whole_characters) {
    struct Case {
        const char* name;
        std::string text;
        double width;
    };
    const Case cases[] = {
        {"fits", "h1=0", 20},
        {"digits", "h1=0.000000000000000000000", 20},
        {"chinese", "某地下车库工程坡道外墙", 12},
        {"mixed", "WQ-1 坡道外墙 墙身", 15},
        {"narrower than the ellipsis", "12345", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string elided = elideMiddle(c.text, 8, c.width);
        if (textWidth(c.text, 8) <= c.width) {
            EXPECT_EQ(elided, c.text);
            continue;
        }
        const std::size_t dots = elided.find("…");
        ASSERT_NE(dots, std::string::npos);
        EXPECT_TRUE(c.text.starts_with(elided.substr(0, dots)));
        EXPECT_TRUE(c.text.ends_with(elided.substr(dots + std::string("…").size())));
        if (c.width >= textWidth("…", 8)) {
            EXPECT_LE(textWidth(elided, 8), c.width);
        }
        EXPECT_TRUE(wholeCharacters(elided)) << elided;
    }
}

} // namespace
