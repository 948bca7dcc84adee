// A design typed into a window of an edition just opened (a list by its
// index) and one 计算 asked for its report, as the book tests make them.
#pragma once

#include "book/book_input.h"
#include "calc/headless_window.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rampwall::testing_support {

using Typed = std::vector<std::pair<Control, std::string>>;

// The run when it makes a book.
inline std::optional<design::DesignRun> runForBook(const Typed& typed, const CodeEdition& edition = defaultEdition(),
                                                   bool sheet = true) {
    HeadlessWindow window(edition);
    for (const auto& [control, text] : typed) {
        if (isList(control)) {
            window.setSelectedIndex(control, std::stoi(text));
        } else {
            window.setText(control, text);
        }
    }
    DesignState state;
    design::DesignRun run{window.inputs(), &edition, {}, {}};
    run.result = edition.design({run.inputs, {}, {.sheet = sheet, .values = true, .report = true}}, state);
    return book::hasBook(run) ? std::optional(run) : std::nullopt;
}

} // namespace rampwall::testing_support
