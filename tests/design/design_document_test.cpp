// The design document the window and the page both show: what text typed
// over a list selects, and which results no longer belong to the inputs.
#include "design/design_document.h"

#include "calc/control_table.h"
#include "calc/materials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace rampwall::design {
namespace {

int entryOf(const DesignDocument& document, Control list, std::string_view text) {
    const std::vector<std::string>& entries = document.form().entries(list);
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

// Typed over the concrete list after a run in C15: text that is exactly an
// entry selects it and the next run reads its strengths; any other text
// selects none, and the run keeps the strengths it read last.
TEST(design_document, typed_list_text_selects_the_entry_it_equals) {
    struct Step {
        const char* name;
        std::string typed;
        std::string grade; // whose strengths the run computes with
        bool selects;
    };
    const std::vector<Step> steps = {
        {"an entry with a blank added", "C30 ", "C15", false},
        {"a blank before an entry", " C30", "C15", false},
        {"another list's entry", "HRB335", "C15", false},
        {"full-width letters", "Ｃ３０", "C15", false},
        {"an entry exactly", "C30", "C30", true},
        {"after C30, another grade's text with a blank", "C20 ", "C30", false},
        {"empty", "", "C30", false},
        {"another entry exactly", "C20", "C20", true},
    };
    DesignDocument document("2024-05-06");
    document.compute();
    const double c15 = *document.state().Fc;
    DesignDocument c30("2024-05-06");
    c30.choose(Control::Combo1, entryOf(c30, Control::Combo1, "C30"));
    c30.compute();
    ASSERT_NE(*c30.state().Fc, c15) << "the grade shows in the run";
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        document.type(Control::Combo1, step.typed);
        EXPECT_EQ(document.text(Control::Combo1), step.typed) << "typed text stays as typed";
        const int selected = document.form().shownEntry(Control::Combo1);
        EXPECT_EQ(selected, step.selects ? entryOf(document, Control::Combo1, step.typed) : -1);
        document.compute();
        DesignDocument fresh("2024-05-06");
        fresh.choose(Control::Combo1, entryOf(fresh, Control::Combo1, step.grade));
        fresh.compute();
        EXPECT_EQ(*document.state().Fc, *fresh.state().Fc) << step.grade;
        EXPECT_EQ(document.text(Control::Text7), fresh.text(Control::Text7)) << step.grade;
    }
}

std::vector<Control> results() {
    std::vector<Control> boxes(kResultBoxes.begin(), kResultBoxes.end());
    boxes.push_back(Control::Text12);
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

std::vector<Control> sorted(std::vector<Control> boxes) {
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

// The results are stale while any input differs from the last completed
// run's, and after a run that stopped for what it did not write; the book
// commands follow the same rule.
TEST(design_document, stale_results_and_the_book_follow_the_inputs) {
    DesignDocument document("2024-05-06");
    EXPECT_TRUE(document.staleBoxes().empty()) << "nothing computed, nothing stale";
    document.compute();
    EXPECT_TRUE(document.staleBoxes().empty());
    EXPECT_NE(document.completedRun(), nullptr);

    struct Edit {
        const char* name;
        Control control;
        std::string text;
    };
    const std::vector<Edit> edits = {
        {"a box", Control::Text4, "400"},
        {"a box with a blank", Control::Text4, "350 "},
        {"a list", Control::Combo1, "C30"},
        {"the load case as text", Control::Combo3, "情况B "},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        const std::string was = document.text(edit.control);
        const int selected = isList(edit.control) ? document.form().shownEntry(edit.control) : -1;
        document.type(edit.control, edit.text);
        EXPECT_EQ(sorted(document.staleBoxes()), results());
        EXPECT_EQ(document.completedRun(), nullptr);
        // Back as it was: the results are the inputs' again.
        if (isList(edit.control)) {
            document.choose(edit.control, selected);
        } else {
            document.type(edit.control, was);
        }
        EXPECT_TRUE(document.staleBoxes().empty());
        EXPECT_NE(document.completedRun(), nullptr);
    }

    // A run that stops at the elevations: the boxes it did not write are
    // older than it.
    document.type(Control::Text1, "abc");
    const RunResult stopped = document.compute();
    ASSERT_FALSE(stopped.completed());
    std::vector<Control> unwritten;
    for (const Control box : results()) {
        if (stopped.written(box) == nullptr) {
            unwritten.push_back(box);
        }
    }
    ASSERT_FALSE(unwritten.empty());
    EXPECT_EQ(sorted(document.staleBoxes()), unwritten);
    EXPECT_EQ(document.completedRun(), nullptr);
    document.type(Control::Text1, "0");
    document.compute();
    EXPECT_TRUE(document.staleBoxes().empty());

    // Another edition's factors, or the edition itself: the results go.
    document.setEdition(*editionByKey("2010"));
    EXPECT_TRUE(document.staleBoxes().empty()) << "cleared, not stale";
    EXPECT_EQ(document.completedRun(), nullptr);
}

} // namespace
} // namespace rampwall::design
