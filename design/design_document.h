// The design a window shows, as a document with no widgets: the form's
// texts and lists, the code edition and its factors, the project, the file
// it came from and whether it changed since, and the last run of 计算. The
// desktop window, the browser module and the command-line tool each hold
// one; a window shows it and hands it what the user does.
#pragma once

#include "calc/compute.h"
#include "calc/design_state.h"
#include "calc/editions/code_edition.h"
#include "calc/editions/registry.h"
#include "calc/form_inputs.h"
#include "calc/headless_window.h"
#include "calc/run_result.h"
#include "design/design_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace rampwall::design {

// A run of 计算 and what it ran on: a completed one makes a book.
struct DesignRun {
    FormInputs inputs;
    const CodeEdition* edition = nullptr;
    FactorValues factors;
    RunResult result;
};

class DesignDocument {
public:
    // Opens with the start-up design of the edition, with these factors,
    // dated `today`, as the saved one.
    explicit DesignDocument(std::string today, const CodeEdition& edition = defaultEdition(),
                            const FactorValues& factors = {});

    // ---- The form ----
    // Every box's and list's text, and the lists' entries and selections.
    const HeadlessWindow& form() const { return m_form; }
    const std::string& text(Control control) const { return m_form.text(control); }
    // Typing into a box, or over a list: a list's text that is exactly one
    // of its entries selects that entry, any other text none.
    void type(Control control, std::string_view text);
    // Choosing an entry of a list (-1: none).
    void choose(Control list, int index);

    // ---- Code edition, factors, project ----
    const CodeEdition& edition() const { return *m_edition; }
    // Refills the steel list (the grade kept where the other edition has it)
    // and clears the results, which belonged to the other edition.
    void setEdition(const CodeEdition& edition);
    const FactorValues& factors() const { return m_factors; }
    void setFactors(const FactorValues& factors);
    const ProjectInfo& project() const { return m_project; }
    void setProject(const ProjectInfo& project) { m_project = project; }
    const std::string& today() const { return m_today; }
    // The ramp the section belongs to, as the ramp dialog last left it; none
    // until the dialog or a design file gives one.
    const std::optional<ramp::RampInput>& ramp() const { return m_ramp; }
    void setRamp(const ramp::RampInput& ramp) { m_ramp = ramp; }

    // ---- The file ----
    // The design's file; empty for one never saved.
    const std::string& path() const { return m_path; }
    // The design as it would be saved now.
    DesignFile current() const;
    // Whether it differs from the file, or from the start-up design when
    // there is none.
    bool isModified() const { return current() != m_saved; }
    // The start-up design in the edition and with the factors the document has now.
    DesignFile startupDesign() const;
    // Shows a design as the user would have left it, computed nothing, as
    // saved at `path` (empty: never saved).
    void show(const DesignFile& design, const std::string& path);
    // What the document holds now is saved at `path`.
    void markSaved(const std::string& path);

    // ---- 计算 ----
    // Runs the edition over the form; the result's writes are in the form.
    // A window replays the same result into its own boxes.
    RunResult compute(const RunDetail& detail = {.sheet = true, .values = true, .report = true});
    // The last run if it completed and nothing it ran on has changed since.
    const DesignRun* completedRun() const;
    // The result boxes and the sheet whose texts are not this design's
    // results: from a run of other inputs, or older than a run that stopped.
    std::vector<Control> staleBoxes() const;
    // Empties the result boxes, puts the sheet's hint back and forgets what
    // earlier runs computed, as for a design just opened.
    void clearResults();

    // The record the runs share, as the window keeps it.
    const DesignState& state() const { return m_state; }

private:
    bool runIsCurrent() const;

    HeadlessWindow m_form;
    DesignState m_state;
    const CodeEdition* m_edition;
    FactorValues m_factors;
    ProjectInfo m_project;
    std::optional<ramp::RampInput> m_ramp;
    std::string m_today;
    std::string m_path;
    DesignFile m_saved;
    // The edition as the file named it: a file that named none keeps naming
    // none while it stays in the default edition.
    std::string m_codeEdition;

    // The last run: what it ran on, the boxes it wrote, and when it completed its result.
    std::optional<DesignRun> m_lastRun;
    std::array<bool, kAllControls.size()> m_writtenByLastRun{};
    std::array<bool, kAllControls.size()> m_holdsResult{};
    bool m_lastRunCompleted = false;
};

} // namespace rampwall::design
