#include "calc/headless_window.h"

#include "calc/control_table.h"
#include "calc/list_selection.h"
#include "calc/startup.h"

namespace rampwall {

HeadlessWindow::HeadlessWindow(const CodeEdition& edition) {
    m_selected.fill(-1);
    for (Control control : kAllControls) {
        m_texts[slot(control)] = std::string(initialText(control));
    }
    fillLists(*this, edition);
    m_events.reserve(kEventsOfACompleteRun);
}

std::string HeadlessWindow::readText(Control box) { return m_texts[slot(box)]; }

void HeadlessWindow::replaceText(Control box, std::string_view text) {
    m_texts[slot(box)].assign(text);
    // Built in place: a batch row or a benchmark writes seven boxes a run.
    WindowEvent& written = m_events.emplace_back();
    written.kind = WindowEvent::Kind::Write;
    written.box = box;
    written.text.assign(text);
}

int HeadlessWindow::selectedIndex(Control list) { return m_selected[slot(list)]; }

void HeadlessWindow::showMessage(std::string_view text, std::string_view title) {
    m_events.push_back({WindowEvent::Kind::Message, Control::Text12, std::string(text), std::string(title)});
}

void HeadlessWindow::appendEntry(Control list, std::string_view entry) { m_entries[slot(list)].emplace_back(entry); }

void HeadlessWindow::selectEntry(Control list, int index) {
    const auto& listed = m_entries[slot(list)];
    if (index >= 0 && static_cast<std::size_t>(index) < listed.size()) {
        m_selected[slot(list)] = index;
        m_texts[slot(list)] = listed[static_cast<std::size_t>(index)];
    }
}

void HeadlessWindow::closeWindow() { m_closed = true; }

void HeadlessWindow::setText(Control box, std::string_view text) { m_texts[slot(box)] = std::string(text); }

void HeadlessWindow::setSelectedIndex(Control list, int index) {
    m_selected[slot(list)] = index;
    const auto& listed = m_entries[slot(list)];
    m_texts[slot(list)] = index >= 0 && static_cast<std::size_t>(index) < listed.size()
                              ? listed[static_cast<std::size_t>(index)]
                              : std::string();
}

void HeadlessWindow::changeSteelList(const CodeEdition& from, const CodeEdition& to) {
    if (&from == &to) {
        return;
    }
    const int shown = shownEntry(Control::Combo2);
    const std::string typed = m_texts[slot(Control::Combo2)];
    const std::optional<int> mapped = steelIndexIn(shown, from, to);
    m_entries[slot(Control::Combo2)].clear();
    for (std::string_view entry : listEntries(to, Control::Combo2)) {
        appendEntry(Control::Combo2, entry);
    }
    setSelectedIndex(Control::Combo2, mapped.value_or(-1));
    if (!mapped && shown < 0) {
        m_texts[slot(Control::Combo2)] = typed;
    }
}

void HeadlessWindow::typeIntoList(Control list, std::string_view text) {
    const int index = selectionForText(m_entries[slot(list)], text, m_selected[slot(list)]);
    setSelectedIndex(list, index);
    m_texts[slot(list)].assign(text);
}

FormInputs HeadlessWindow::inputs() const {
    FormInputs inputs;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        inputs.texts[i] = m_texts[slot(kInputs[i].control)];
        if (isListInput(i)) {
            inputs.selected[i - kBoxInputCount] = m_selected[slot(kInputs[i].control)];
        }
    }
    return inputs;
}

const std::string& HeadlessWindow::text(Control box) const { return m_texts[slot(box)]; }

int HeadlessWindow::shownEntry(Control list) const {
    const int index = m_selected[slot(list)];
    const auto& listed = m_entries[slot(list)];
    return index >= 0 && static_cast<std::size_t>(index) < listed.size() &&
                   listed[static_cast<std::size_t>(index)] == m_texts[slot(list)]
               ? index
               : -1;
}

const std::vector<std::string>& HeadlessWindow::entries(Control list) const { return m_entries[slot(list)]; }

std::vector<WindowEvent> HeadlessWindow::messages() const {
    std::vector<WindowEvent> shown;
    for (const WindowEvent& event : m_events) {
        if (event.kind == WindowEvent::Kind::Message) {
            shown.push_back(event);
        }
    }
    return shown;
}

} // namespace rampwall
