// The width model the figures are laid out by, against the face the desktop
// draws them in: a label measured narrower than it is drawn would run into
// its neighbour.
#include "book/text_measure.h"
#include "book/typesetter.h"

#include <gtest/gtest.h>

using namespace rampwall::book;

namespace {

TEST(figures_test, width_model_is_never_narrower_than_the_book_face) {
    std::string error;
    const std::optional<QString> family = bookFamily(&error);
    ASSERT_TRUE(family) << error;
    const Typesetter type(*family);
    std::vector<std::string> texts = {"比例 1:80，标高单位 m，墙厚单位 mm", "MBk=144.166", "h5=+350.0000", "…"};
    for (char c = ' '; c <= '~'; ++c) {
        texts.emplace_back(1, c);
    }
    for (const std::string& text : texts) {
        const double drawn = type.width(QString::fromStdString(text), 8);
        EXPECT_GE(textWidth(text, 8), drawn - 1e-6) << "\"" << text << "\"";
    }
}

} // namespace
