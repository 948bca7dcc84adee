#include "design/design_document.h"

#include "calc/control_table.h"

#include <utility>

namespace rampwall::design {

DesignDocument::DesignDocument(std::string today, const CodeEdition& edition, const FactorValues& factors)
    : m_form(edition), m_edition(&edition), m_factors(factors), m_today(std::move(today)) {
    m_saved = startupDesign();
    m_project = m_saved.project;
    m_codeEdition = m_saved.codeEdition;
}

void DesignDocument::type(Control control, std::string_view text) {
    if (isList(control)) {
        m_form.typeIntoList(control, text);
    } else {
        m_form.setText(control, text);
    }
}

void DesignDocument::choose(Control list, int index) { m_form.setSelectedIndex(list, index); }

void DesignDocument::setEdition(const CodeEdition& edition) {
    if (&edition == m_edition) {
        return;
    }
    m_form.changeSteelList(*m_edition, edition);
    m_edition = &edition;
    clearResults();
}

void DesignDocument::setFactors(const FactorValues& factors) { m_factors = factors; }

DesignFile DesignDocument::current() const {
    DesignFile design;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const Control control = kInputs[i].control;
        design.inputs[i].text = m_form.text(control);
        design.inputs[i].freeText = isListInput(i) && m_form.shownEntry(control) < 0;
    }
    design.project = m_project;
    const bool unnamed = m_codeEdition.empty() && m_edition == &defaultEdition();
    design.codeEdition = unnamed ? std::string() : std::string(m_edition->key());
    design.factors = m_factors;
    design.ramp = m_ramp;
    return design;
}

DesignFile DesignDocument::startupDesign() const { return design::startupDesign(m_today, *m_edition, m_factors); }

void DesignDocument::show(const DesignFile& design, const std::string& path) {
    // The edition first: it fills the steel list the design's grade is in.
    const CodeEdition& shown = editionOf(design);
    setEdition(shown);
    m_factors = design.factors;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const Control control = kInputs[i].control;
        const InputValue& value = design.inputs[i];
        if (isListInput(i)) {
            m_form.setSelectedIndex(control, value.freeText ? -1 : entryIndex(shown, control, value.text).value_or(-1));
        }
        m_form.setText(control, value.text);
    }
    m_project = design.project;
    m_ramp = design.ramp;
    m_codeEdition = design.codeEdition;
    clearResults();
    m_saved = design;
    m_path = path;
}

void DesignDocument::markSaved(const std::string& path) {
    m_saved = current();
    m_path = path;
}

RunResult DesignDocument::compute(const RunDetail& detail) {
    const FormInputs inputs = m_form.inputs();
    RunResult result = m_edition->design({inputs, m_factors, detail}, m_state);
    m_form.clearEvents();
    replay(result, m_form);
    m_writtenByLastRun.fill(false);
    for (const WindowEvent& event : result.events) {
        if (event.kind == WindowEvent::Kind::Write) {
            const auto slot = static_cast<std::size_t>(event.box);
            m_writtenByLastRun[slot] = true;
            m_holdsResult[slot] = true;
        }
    }
    m_lastRunCompleted = result.completed();
    m_lastRun = DesignRun{inputs, m_edition, m_factors, result};
    return result;
}

bool DesignDocument::runIsCurrent() const {
    return m_lastRun && m_lastRun->edition == m_edition && m_lastRun->factors == m_factors &&
           m_lastRun->inputs == m_form.inputs();
}

const DesignRun* DesignDocument::completedRun() const {
    return m_lastRunCompleted && runIsCurrent() ? &*m_lastRun : nullptr;
}

std::vector<Control> DesignDocument::staleBoxes() const {
    std::vector<Control> stale;
    const bool runStands = runIsCurrent();
    for (const Control box : kWrittenBoxes) {
        const auto slot = static_cast<std::size_t>(box);
        if (m_holdsResult[slot] && !(runStands && m_writtenByLastRun[slot])) {
            stale.push_back(box);
        }
    }
    return stale;
}

void DesignDocument::clearResults() {
    m_state = DesignState{};
    for (const Control output : kWrittenBoxes) {
        m_form.setText(output, initialText(output));
    }
    m_lastRun.reset();
    m_lastRunCompleted = false;
    m_writtenByLastRun.fill(false);
    m_holdsResult.fill(false);
}

} // namespace rampwall::design
