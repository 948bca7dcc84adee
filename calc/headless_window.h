// A window without a screen: box texts and list selections held in memory,
// every write and every message recorded in order. Tests and the command-line
// tool drive the calculation through it.
#pragma once

#include "calc/editions/code_edition.h"
#include "calc/editions/registry.h"
#include "calc/form_inputs.h"
#include "calc/run_result.h"
#include "calc/window_ops.h"

#include <array>
#include <string>
#include <vector>

namespace rampwall {

class HeadlessWindow final : public WindowOps {
public:
    // Opens with the initial texts and with the lists filled and selected, as
    // the window does at start-up; the steel list is the edition's.
    explicit HeadlessWindow(const CodeEdition& edition = defaultEdition());

    std::string readText(Control box) override;
    void replaceText(Control box, std::string_view text) override;
    int selectedIndex(Control list) override;
    void showMessage(std::string_view text, std::string_view title) override;
    void appendEntry(Control list, std::string_view entry) override;
    void selectEntry(Control list, int index) override;
    void closeWindow() override;

    // What the user does: type into a box, or leave a list at any index, -1 and
    // out-of-range included (typing free text into a list does the first).
    void setText(Control box, std::string_view text);
    void setSelectedIndex(Control list, int index);
    // Typing over a list: the text selects the entry it is exactly, or none.
    void typeIntoList(Control list, std::string_view text);

    // The window's code menu: the steel list refilled for another edition.
    // The grade shown becomes the same grade of the new list, or none; then
    // text typed over the list stays and a grade the new list lacks goes.
    void changeSteelList(const CodeEdition& from, const CodeEdition& to);

    const std::string& text(Control box) const;
    // The entry a list shows: its selected index while its text is that
    // entry's, else -1, as the window counts a selection.
    int shownEntry(Control list) const;
    const std::vector<std::string>& entries(Control list) const;
    // The inputs a run reads now.
    FormInputs inputs() const;
    const std::vector<WindowEvent>& events() const { return m_events; }
    std::vector<WindowEvent> messages() const;
    void clearEvents() { m_events.clear(); }
    bool isClosed() const { return m_closed; }

private:
    // Seven writes and at most two messages: room enough that a run never
    // grows the record.
    static constexpr std::size_t kEventsOfACompleteRun = 9;

    static std::size_t slot(Control control) { return static_cast<std::size_t>(control); }

    std::array<std::string, kAllControls.size()> m_texts;
    std::array<std::vector<std::string>, kAllControls.size()> m_entries;
    std::array<int, kAllControls.size()> m_selected{};
    std::vector<WindowEvent> m_events;
    bool m_closed = false;
};

} // namespace rampwall
