// The one rule for text typed over a list, in the window and the page.
#include "calc/list_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rampwall {
namespace {

TEST(list_selection_test, text_selects_the_entry_it_is_exactly) {
    // Two entries may read the same: the one already selected stays so.
    const std::vector<std::string> entries = {"C15", "C20", "C30", "情况A", "C20"};
    struct Case {
        const char* name;
        std::string text;
        int current;
        int expected;
    };
    const Case cases[] = {
        {"an entry", "C30", 0, 2},
        {"the entry selected", "C15", 0, 0},
        {"an entry while none is selected", "C30", -1, 2},
        {"a blank after", "C30 ", 2, -1},
        {"a blank before", " C30", 2, -1},
        {"another case of letters", "c30", 2, -1},
        {"full-width letters", "Ｃ３０", 2, -1},
        {"Chinese", "情况A", 0, 3},
        {"empty", "", 1, -1},
        {"a duplicate, the second selected", "C20", 4, 4},
        {"a duplicate, neither selected", "C20", 0, 1},
        {"a selection beyond the list", "C15", 9, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(selectionForText(entries, c.text, c.current), c.expected) << c.name;
    }
    EXPECT_EQ(selectionForText({}, "C15", -1), -1) << "an empty list";
}

} // namespace
} // namespace rampwall
