// The book as the web page prints it: every text of the content in the HTML,
// in reading order and escaped, whatever the user typed; every item of the
// figures in their SVG; the margins' texts as CSS strings that no project
// name can break out of; and the name a book is offered under.
#include "book/book_html.h"

#include "book/book_content.h"
#include "book/book_input.h"
#include "book/ramp_book_content.h"
#include "calc/headless_window.h"
#include "calc/ramp/ramp_drawing.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <variant>

using namespace rampwall;
using namespace rampwall::book;

namespace {

design::DesignRun startUpRun(const std::string& h1 = "0") {
    HeadlessWindow window;
    window.setText(Control::Text1, h1);
    DesignState state;
    design::DesignRun run{window.inputs(), &defaultEdition(), {}, {}};
    run.result = defaultEdition().design({run.inputs, {}, {.sheet = true, .values = true, .report = true}}, state);
    return run;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// What a user may type into the project's fields and the boxes.
const design::ProjectInfo kAwkward = {
    "</style><script>alert(1)</script>", "WQ-1 \"A\" & <B>", "a\\b", "李\n四", "}@page{", "2026-12-08"};

TEST(book_html_test, holds_every_text_in_order_and_escaped) {
    const design::DesignRun run = startUpRun(" 0 ");
    ASSERT_TRUE(hasBook(run));
    const BookContent content = composeBook({.run = run, .project = kAwkward, .designFileName = "a</b>.rampwall"});
    const std::string html = bookHtml(content);
    std::size_t at = html.find("<article");
    ASSERT_NE(at, std::string::npos);
    const auto inOrder = [&](const std::string& text) {
        if (text.empty()) {
            return;
        }
        const std::size_t found = html.find(escaped(text), at);
        EXPECT_NE(found, std::string::npos) << text;
        if (found != std::string::npos) {
            at = found;
        }
    };
    for (const BookBlock& block : content.blocks) {
        inOrder(block.text);
        for (const Row& row : block.rows) {
            for (const Cell& cell : row) {
                inOrder(cell.text);
            }
        }
        for (const std::string& line : block.lines) {
            inOrder(line);
        }
    }
    // Nothing typed reaches the page as markup.
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<B>"), std::string::npos);
    EXPECT_EQ(html.find("</b>"), std::string::npos);
}

TEST(book_html_test, margins_are_css_strings_with_the_page_numbers) {
    const BookContent content =
        composeBook({.run = startUpRun(), .project = kAwkward, .designFileName = "wq.rampwall"});
    const std::string html = bookHtml(content);
    const std::size_t end = html.find("</style>");
    ASSERT_NE(end, std::string::npos);
    const std::string style = html.substr(0, end);
    // The project's "</style>" is written as CSS escapes; the one close is ours.
    EXPECT_EQ(style.find("</"), std::string::npos);
    EXPECT_EQ(html.find("</style>", end + 1), std::string::npos);
    // Each margin's content is one CSS string, quotes and backslashes escaped:
    // nothing typed closes the rule it stands in.
    static const std::regex content_(R"(content:("([^"\\]|\\.)*"( counter\(page\) | counter\(pages\) |))+;)");
    const auto margins =
        std::distance(std::sregex_iterator(style.begin(), style.end(), content_), std::sregex_iterator());
    EXPECT_EQ(margins, 4);
    EXPECT_NE(style.find("counter(page)"), std::string::npos);
    EXPECT_NE(style.find("counter(pages)"), std::string::npos);
    EXPECT_NE(style.find("wq.rampwall"), std::string::npos);
    EXPECT_NE(style.find("size:A4"), std::string::npos);
}

TEST(book_html_test, figures_have_every_item_of_their_display_lists) {
    const BookContent content = composeBook({.run = startUpRun()});
    int figures = 0;
    for (const BookBlock& block : content.blocks) {
        if (block.kind != BookBlock::Kind::WallFigure && block.kind != BookBlock::Kind::LoadFigure) {
            continue;
        }
        ++figures;
        const std::string svg = figureSvg(block.figure);
        std::size_t paths = 0;
        std::size_t from = 0;
        for (const FigureItem& item : block.figure.items) {
            if (std::holds_alternative<Path>(item)) {
                ++paths;
            } else {
                // Each text where the list puts it, after the one before.
                const std::string text = ">" + escaped(std::get<Text>(item).text) + "</text>";
                const std::size_t found = svg.find(text, from);
                EXPECT_NE(found, std::string::npos) << text;
                from = found == std::string::npos ? from : found;
            }
        }
        std::size_t drawn = 0;
        for (std::size_t at = svg.find("<path "); at != std::string::npos; at = svg.find("<path ", at + 1)) {
            ++drawn;
        }
        EXPECT_EQ(drawn, paths);
    }
    EXPECT_EQ(figures, 2);
}

TEST(book_html_test, offered_name_is_the_members_else_the_files) {
    struct Case {
        const char* name;
        std::string member, file, expected;
    };
    const Case cases[] = {
        {"the member", "WQ-1", "wall.rampwall", "WQ-1"},
        {"blanks around the member", "  WQ-1\t", "", "WQ-1"},
        {"characters no file name takes", "A/B:C*D?\"E\"<F>|G\\H", "", "A_B_C_D__E__F__G_H"},
        {"no member: the design file", "", "车库/坡道.WQ-1.rampwall", "坡道.WQ-1"},
        {"a file with no suffix", "", "wall", "wall"},
        {"nothing", "", "", "计算书"},
        {"only blanks", "   ", ".rampwall", "计算书"},
    };
    for (const Case& c : cases) {
        design::ProjectInfo project;
        project.member = c.member;
        EXPECT_EQ(bookFileStem(project, c.file), c.expected) << c.name;
    }
}

// The ramp's book as the page prints it: its front pages, one elevation
// across the column in millimetres, the schedule, then every arrangement's
// section, each text in reading order.
TEST(book_html_test, ramp_book_holds_its_pages_the_elevation_and_each_section_in_order) {
    HeadlessWindow window;
    window.setText(Control::Text3, "-3.0");
    window.setText(Control::Text16, "-6");
    const FormInputs form = window.inputs();
    const ramp::RampInput input{"44", "", "4", "", "100,150,200"};
    const ramp::Schedule schedule =
        ramp::designRamp(defaultEdition(), {}, form, std::get<ramp::RampPlan>(ramp::planRamp(input, form)));
    const RampBookContent content = composeRampBook({.schedule = &schedule, .ramp = input, .project = kAwkward});
    ASSERT_GE(content.sections.size(), 2U);
    const std::string html = rampBookHtml(content, schedule);

    std::size_t at = 0;
    const auto expectNext = [&](const std::string& text) {
        const std::size_t found = html.find(text, at);
        EXPECT_NE(found, std::string::npos) << text;
        at = found == std::string::npos ? at : found + text.size();
    };
    const auto expectTexts = [&](const BookContent& part) {
        for (const BookBlock& block : part.blocks) {
            if (!block.text.empty()) {
                expectNext(escaped(block.text));
            }
            for (const std::string& line : block.lines) {
                expectNext(escaped(line));
            }
        }
    };
    expectTexts(content.front);
    expectNext("<figure class=\"elevation\"");
    expectNext("width=\"165mm\"");
    // Every label the elevation has, as the desktop's book draws it.
    for (const ramp::DrawText& label : ramp::drawRamp(schedule, 165, 92, 7.5 * 25.4 / 72).texts) {
        expectNext(">" + escaped(label.text) + "</text>");
    }
    expectNext("</svg></figure>");
    expectTexts(content.back);
    for (const RampBookSection& section : content.sections) {
        expectTexts(section.content);
    }
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_EQ(html.rfind("</article>"), html.size() - 10);

    design::ProjectInfo named;
    named.member = "WQ-2";
    EXPECT_EQ(rampBookFileStem(named, ""), "WQ-2-分段配筋");
    EXPECT_EQ(rampBookFileStem({}, "车库/坡道一.rampwall"), "坡道一-分段配筋");
    EXPECT_EQ(rampBookFileStem({}, ""), "坡道-分段配筋");
}

} // namespace
