// A code edition: the rules a design follows, as one object. It names itself,
// lists its steel grades and its factors, says which boxes of the form it
// reads, what its book states, and designs a wall from the form's inputs.
// Every front end asks an edition through this interface and never which one
// it is, so a new edition is a new class and a line in the registry.
#pragma once

#include "calc/design_state.h"
#include "calc/editions/factor.h"
#include "calc/form_inputs.h"
#include "calc/run_result.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rampwall {

// One entry of the steel list.
struct SteelChoice {
    std::string_view entry; // the list's text: "Ⅱ级(HRB335)", "HRB400"
    std::string_view code;  // the grade's name: "HRB335"
    bool plain = false;     // a plain round bar: another edition's plain bar maps to it
};

// A box of the form the edition does not read, greyed out with a tip saying why.
struct UnusedInput {
    Control box;
    std::string_view tip;
};

// What an edition's calculation book states besides the run's own numbers.
struct EditionBook {
    std::string_view codeName;                // "《混凝土结构设计规范》GB 50010-2002"
    std::span<const std::string_view> basis;  // 设计依据: every standard used, with its edition
    std::span<const std::string_view> method; // 计算方法: the formulas and rules, a line each
    std::span<const std::string_view> notes;  // 计算方法说明 or 计算假定, in plain words
};

// What a run is asked to produce besides the boxes and messages.
struct RunDetail {
    bool sheet = true;   // compose the calculation sheet (Text12)
    bool values = false; // the named numbers and texts
    bool report = false; // the check texts, the load profile and the book's lines
};

struct RunRequest {
    FormInputs inputs;
    FactorValues factors;
    RunDetail detail;
};

class CodeEdition {
public:
    virtual ~CodeEdition() = default;

    // "2002": the key of the command line, the settings and the design files.
    virtual std::string_view key() const = 0;
    // "GB 50010-2002": how menus, titles and messages name it.
    virtual std::string_view title() const = 0;
    virtual std::span<const SteelChoice> steelGrades() const = 0;
    // The factors set beside the form (the 规范 menu's dialog), and what the
    // dialog says they are for.
    virtual std::span<const FactorDefinition> factors() const { return {}; }
    virtual std::string_view factorNote() const { return {}; }
    virtual std::span<const UnusedInput> unusedInputs() const { return {}; }
    // The entry a list opens with in this edition's start-up design.
    virtual int startupEntry(Control list) const;
    virtual EditionBook book() const = 0;

    // One press of 计算 over the inputs. `memory` is the record the window
    // keeps from run to run: an edition may take from it what a run leaves
    // unset (the 2002 method keeps every field a run does not reach).
    virtual RunResult design(const RunRequest& request, DesignState& memory) const = 0;

protected:
    CodeEdition() = default;
    CodeEdition(const CodeEdition&) = default;
    CodeEdition& operator=(const CodeEdition&) = default;
};

// ---- Questions every front end asks of an edition ----

// Whether the edition reads the input; the boxes it does not are greyed out.
bool usesInput(const CodeEdition& edition, Control input);
// The tip of a box the edition does not read; empty for one it reads.
std::string_view unusedTip(const CodeEdition& edition, Control input);

// A list's entries in this edition: the concrete grades and the load cases
// are the form's own, the steel grades the edition's.
std::vector<std::string_view> listEntries(const CodeEdition& edition, Control list);
// The index of a list's entry whose text is exactly `text`, or nullopt.
std::optional<int> entryIndex(const CodeEdition& edition, Control list, std::string_view text);

// The steel grade of that name in the edition's list, any letter case.
std::optional<int> steelIndexByCode(const CodeEdition& edition, std::string_view code);
// The entry of `to`'s steel list that a grade selected in `from`'s becomes
// when the edition changes: the same grade where it exists, a plain bar the
// other's plain bar; nullopt when there is none or nothing was selected.
std::optional<int> steelIndexIn(int index, const CodeEdition& from, const CodeEdition& to);

// The window's top line: what the program does and the code it follows.
std::string creditLine(const CodeEdition& edition);

// The edition's factor of that key, or null.
const FactorDefinition* factorOf(const CodeEdition& edition, std::string_view key);
// The first of the edition's factors whose value in `values` is not sound.
std::optional<std::string> factorsProblem(const CodeEdition& edition, const FactorValues& values);

} // namespace rampwall
