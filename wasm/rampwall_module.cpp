// The calculation behind the web page: one window held in memory for the
// page's whole life, as the desktop window holds one design state, with the
// code edition, the load factors and the design file the desktop window keeps
// beside it, and a few C functions over them. rampwall_api.js wraps them for
// JavaScript; texts cross as UTF-8 bytes with their length, so a text may
// hold any character.
#include "compute.h"
#include "control_table.h"
#include "design_file.h"
#include "design_state.h"
#include "headless_window.h"
#include "number_text.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace rampwall;

// The window and what the desktop's document and code menu keep for it.
struct Page {
    explicit Page(Edition opened = kDefaultEdition, std::string_view date = {})
        : window(opened), edition(opened), today(date) {}

    HeadlessWindow window;
    DesignState state;
    Edition edition;
    LoadFactors factors;
    LoadFactors typedFactors; // the dialog's boxes, read one by one
    std::string today;        // the date a start-up design's project gets
    design::DesignFile saved;
    design::ProjectInfo project;
    std::string codeEdition; // kept as the file had it
};

std::unique_ptr<Page> page;

// The start-up design in the edition and with the factors the window has now.
design::DesignFile startupDesign(const Page& on) { return design::startupDesign(on.today, on.edition, on.factors); }

// The design as the window shows it now.
design::DesignFile currentDesign(const Page& on) {
    design::DesignFile design;
    for (std::size_t i = 0; i < design::kDesignInputs.size(); ++i) {
        const Control control = design::kDesignInputs[i].control;
        design.inputs[i].text = on.window.text(control);
        design.inputs[i].freeText = design::isListInput(i) && on.window.shownEntry(control) < 0;
    }
    design.project = on.project;
    // A file that named no edition keeps naming none while it stays in 2002.
    const bool unnamed = on.codeEdition.empty() && on.edition == kDefaultEdition;
    design.codeEdition = unnamed ? std::string() : std::string(editionKey(on.edition));
    design.factors = on.factors;
    return design;
}

// A window opens with the start-up design as its saved one.
std::unique_ptr<Page> openPage(Edition edition, std::string_view today) {
    auto opened = std::make_unique<Page>(edition, today);
    opened->saved = startupDesign(*opened);
    opened->project = opened->saved.project;
    opened->codeEdition = opened->saved.codeEdition;
    return opened;
}

Page& current() {
    if (!page) {
        page = openPage(kDefaultEdition, {});
    }
    return *page;
}

// Nothing computed stays after the code or the design changes.
void clearResults(Page& on) {
    on.state = DesignState{};
    for (const Control output : kWrittenBoxes) {
        on.window.setText(output, initialText(output));
    }
}

void setEdition(Page& on, Edition edition) {
    if (edition == on.edition) {
        return;
    }
    on.window.changeSteelList(on.edition, edition);
    on.edition = edition;
    clearResults(on);
}

// A design opened from a file, shown as the user would have left it.
void show(Page& on, const design::DesignFile& design) {
    // The edition first: it fills the steel list the design's grade is in.
    const Edition edition = design::editionOf(design);
    setEdition(on, edition);
    on.factors = design.factors;
    for (std::size_t i = 0; i < design::kDesignInputs.size(); ++i) {
        const Control control = design::kDesignInputs[i].control;
        const design::InputValue& value = design.inputs[i];
        if (design::isListInput(i)) {
            const int index = value.freeText ? -1 : design::entryIndex(control, value.text, edition).value_or(-1);
            on.window.setSelectedIndex(control, index);
        }
        on.window.setText(control, value.text);
    }
    on.project = design.project;
    on.codeEdition = design.codeEdition;
    clearResults(on);
}

std::optional<Edition> editionNamed(const char* key, std::size_t size) {
    return editionByKey(std::string_view(key, size));
}

bool isLoadFactor(int field) { return field >= 0 && static_cast<std::size_t>(field) < kLoadFactorFields.size(); }

bool isProjectField(int field) { return field >= 0 && static_cast<std::size_t>(field) < design::kProjectFields.size(); }

// The texts handed out last that are made for the call: a message, a file.
std::string lastMessage;
std::string lastFile;

// The length of the text the last call returned, read by rw_text_size.
std::size_t lastSize = 0;

const char* handOut(std::string_view text) {
    lastSize = text.size();
    return text.data();
}

// Indices from JavaScript are checked here, so no call can reach outside
// the controls, the lists or the recorded events.
bool isControl(int index) { return index >= 0 && static_cast<std::size_t>(index) < kAllControls.size(); }

Control controlAt(int index) { return kAllControls[static_cast<std::size_t>(index)]; }

const WindowEvent* eventAt(int index) {
    const auto& events = current().window.events();
    return index >= 0 && static_cast<std::size_t>(index) < events.size() ? &events[static_cast<std::size_t>(index)]
                                                                         : nullptr;
}

} // namespace

extern "C" {

// The window opens afresh in an edition ("2002", "2010"): initial texts,
// lists filled, an empty state, the start-up design dated today. 0 for an
// edition there is not, and nothing changes.
EMSCRIPTEN_KEEPALIVE int rw_open(const char* edition, std::size_t editionSize, const char* today,
                                 std::size_t todaySize) {
    const std::optional<Edition> opened = editionNamed(edition, editionSize);
    if (!opened) {
        return 0;
    }
    page = openPage(*opened, std::string_view(today, todaySize));
    return 1;
}

// The start-up design taken again as the saved one, with the factors the
// window has now: for factors put in as the window opens.
EMSCRIPTEN_KEEPALIVE void rw_retake_startup() {
    Page& on = current();
    on.saved = startupDesign(on);
    on.project = on.saved.project;
    on.codeEdition = on.saved.codeEdition;
}

EMSCRIPTEN_KEEPALIVE int rw_control_count() { return static_cast<int>(kAllControls.size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_control_name(int control) {
    return handOut(isControl(control) ? controlName(controlAt(control)) : std::string_view());
}

EMSCRIPTEN_KEEPALIVE std::size_t rw_text_size() { return lastSize; }

// What the user does: types into a box, or leaves a list at any index.
EMSCRIPTEN_KEEPALIVE void rw_set_text(int control, const char* text, std::size_t size) {
    if (isControl(control)) {
        current().window.setText(controlAt(control), std::string_view(text, size));
    }
}

EMSCRIPTEN_KEEPALIVE void rw_set_selected(int control, int index) {
    if (isControl(control) && isList(controlAt(control))) {
        current().window.setSelectedIndex(controlAt(control), index);
    }
}

EMSCRIPTEN_KEEPALIVE const char* rw_text(int control) {
    return handOut(isControl(control) ? std::string_view(current().window.text(controlAt(control)))
                                      : std::string_view());
}

EMSCRIPTEN_KEEPALIVE int rw_selected(int control) {
    return isControl(control) && isList(controlAt(control)) ? current().window.selectedIndex(controlAt(control)) : -1;
}

EMSCRIPTEN_KEEPALIVE int rw_entry_count(int control) {
    return isControl(control) ? static_cast<int>(current().window.entries(controlAt(control)).size()) : 0;
}

EMSCRIPTEN_KEEPALIVE const char* rw_entry(int control, int index) {
    if (index < 0 || index >= rw_entry_count(control)) {
        return handOut({});
    }
    return handOut(current().window.entries(controlAt(control))[static_cast<std::size_t>(index)]);
}

// One press of 计算: the RunOutcome, or -1 when something other than a
// calculation stop ended the run, which the page reports as the desktop
// window does. The run's writes and messages are recorded in order.
EMSCRIPTEN_KEEPALIVE int rw_compute(int composeSheet) {
    current().window.clearEvents();
    try {
        Page& on = current();
        return static_cast<int>(COMPUTE(
            on.state, on.window, {.composeSheet = composeSheet != 0, .edition = on.edition, .factors = on.factors}));
    } catch (const std::exception&) {
        return -1;
    }
}

EMSCRIPTEN_KEEPALIVE int rw_event_count() { return static_cast<int>(current().window.events().size()); }

// 0 for a write into a box, 1 for a message.
EMSCRIPTEN_KEEPALIVE int rw_event_kind(int index) {
    const WindowEvent* event = eventAt(index);
    return event != nullptr && event->kind == WindowEvent::Kind::Message ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int rw_event_box(int index) {
    const WindowEvent* event = eventAt(index);
    return event != nullptr ? static_cast<int>(event->box) : -1;
}

EMSCRIPTEN_KEEPALIVE const char* rw_event_text(int index) {
    const WindowEvent* event = eventAt(index);
    return handOut(event != nullptr ? std::string_view(event->text) : std::string_view());
}

EMSCRIPTEN_KEEPALIVE const char* rw_event_title(int index) {
    const WindowEvent* event = eventAt(index);
    return handOut(event != nullptr ? std::string_view(event->title) : std::string_view());
}

// The code menu: the edition by its key, 0 for one there is not.
EMSCRIPTEN_KEEPALIVE const char* rw_edition() { return handOut(editionKey(current().edition)); }

EMSCRIPTEN_KEEPALIVE int rw_set_edition(const char* key, std::size_t size) {
    const std::optional<Edition> edition = editionNamed(key, size);
    if (edition) {
        setEdition(current(), *edition);
    }
    return edition ? 1 : 0;
}

// The load factors dialog: a field's key (part 0), caption (1) and clause
// (2), and its value now.
EMSCRIPTEN_KEEPALIVE int rw_load_factor_count() { return static_cast<int>(kLoadFactorFields.size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_load_factor_label(int field, int part) {
    if (!isLoadFactor(field)) {
        return handOut({});
    }
    const LoadFactorField& named = kLoadFactorFields[static_cast<std::size_t>(field)];
    return handOut(part == 0 ? named.key : part == 1 ? named.caption : part == 2 ? named.clause : std::string_view());
}

EMSCRIPTEN_KEEPALIVE double rw_load_factor_value(int field) {
    return isLoadFactor(field) ? current().factors.*kLoadFactorFields[static_cast<std::size_t>(field)].member : 0;
}

// One box of the dialog as typed, trimmed: the message that sends the user
// back to it, or an empty text when it holds a sound value, kept aside until
// rw_keep_load_factors. Read as the window's boxes read numbers, without the
// locale.
EMSCRIPTEN_KEEPALIVE const char* rw_read_load_factor(int field, const char* text, std::size_t size) {
    if (!isLoadFactor(field)) {
        return handOut({});
    }
    const LoadFactorField& named = kLoadFactorFields[static_cast<std::size_t>(field)];
    const std::optional<double> value = parseDouble(std::string_view(text, size));
    std::optional<std::string> problem;
    if (!value) {
        problem = "“" + std::string(named.caption) + "”应为数字，请重新输入";
    } else {
        problem = loadFactorProblem(named, *value);
    }
    if (problem) {
        lastMessage = std::move(*problem);
        return handOut(lastMessage);
    }
    current().typedFactors.*named.member = *value;
    return handOut({});
}

EMSCRIPTEN_KEEPALIVE void rw_keep_load_factors() { current().factors = current().typedFactors; }

// Opens a design from the first `size` bytes of a file of `totalSize` bytes:
// 1 when it opened, 0 when the window keeps what it had. The message to show
// follows from rw_design_message: why it did not open, or what was passed
// over; empty when there is nothing to say.
EMSCRIPTEN_KEEPALIVE int rw_open_design(const char* name, std::size_t nameSize, const char* bytes, std::size_t size,
                                        double totalSize) {
    Page& on = current();
    const std::string_view fileName(name, nameSize);
    // A size the page cannot know is the bytes it handed over.
    const double largest = 18e18;
    const double shown =
        totalSize > static_cast<double>(size) && totalSize < largest ? totalSize : static_cast<double>(size);
    if (shown > static_cast<double>(design::kMaxFileBytes)) {
        lastMessage = design::openFailureMessage(fileName, design::tooLargeFault(static_cast<std::uintmax_t>(shown)));
        return 0;
    }
    const design::ParseResult parsed = design::parse(std::string_view(bytes, size), startupDesign(on));
    if (!parsed.design) {
        lastMessage = design::openFailureMessage(fileName, parsed.error);
        return 0;
    }
    show(on, *parsed.design);
    on.saved = *parsed.design;
    lastMessage = parsed.notes.empty() ? std::string() : design::notesMessage(fileName, parsed.notes);
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* rw_design_message() { return handOut(lastMessage); }

// The design as the window shows it, as the text of its file; saved from now.
// The design as the text of its file; marked saved only when asked, as a
// page learns whether the file was written only after it tried.
EMSCRIPTEN_KEEPALIVE const char* rw_design_text(int markSaved) {
    Page& on = current();
    const design::DesignFile design = currentDesign(on);
    if (markSaved != 0) {
        on.saved = design;
    }
    lastFile = design::serialize(design);
    return handOut(lastFile);
}

EMSCRIPTEN_KEEPALIVE int rw_is_modified() { return currentDesign(current()) != current().saved ? 1 : 0; }

// The project information by field, in the order of design::kProjectFields.
EMSCRIPTEN_KEEPALIVE int rw_project_field_count() { return static_cast<int>(design::kProjectFields.size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_project_key(int field) {
    return handOut(isProjectField(field) ? design::kProjectFields[static_cast<std::size_t>(field)].key
                                         : std::string_view());
}

EMSCRIPTEN_KEEPALIVE const char* rw_project_value(int field) {
    return handOut(
        isProjectField(field)
            ? std::string_view(current().project.*design::kProjectFields[static_cast<std::size_t>(field)].member)
            : std::string_view());
}

EMSCRIPTEN_KEEPALIVE void rw_set_project_value(int field, const char* text, std::size_t size) {
    if (isProjectField(field)) {
        (current().project.*design::kProjectFields[static_cast<std::size_t>(field)].member).assign(text, size);
    }
}

} // extern "C"
