// The calculation behind the web page: one design document held in memory
// for the page's whole life, as the desktop window holds one, and a few C
// functions over it. rampwall_api.js wraps them for JavaScript; texts cross
// as UTF-8 bytes with their length, so a text may hold any character.
#include "book/book_content.h"
#include "book/book_html.h"
#include "book/book_input.h"
#include "book/ramp_book_content.h"
#include "calc/controls.h"
#include "calc/editions/factor.h"
#include "calc/editions/registry.h"
#include "calc/number_text.h"
#include "calc/ramp/ramp_drawing.h"
#include "calc/ramp/ramp_table.h"
#include "calc/run_result.h"
#include "design/design_document.h"
#include "design/design_file.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using namespace rampwall;

std::unique_ptr<design::DesignDocument> document;

design::DesignDocument& current() {
    if (!document) {
        document = std::make_unique<design::DesignDocument>(std::string());
    }
    return *document;
}

// The last run of 计算; its events are what the page replays.
RunResult lastRun;

// The record as it was before the last run. The page computes without the
// book's report, for speed; a book runs the same design again from here, as
// the run it shows began.
DesignState stateBeforeLastRun;

// The factors dialog's boxes, read one by one and kept only when all are sound.
FactorValues typedFactors;

// Every edition's factors, in the order of the 规范 menu.
const std::vector<const FactorDefinition*>& allFactors() {
    static const std::vector<const FactorDefinition*> all = [] {
        std::vector<const FactorDefinition*> definitions;
        for (const CodeEdition* edition : editions()) {
            for (const FactorDefinition& factor : edition->factors()) {
                definitions.push_back(&factor);
            }
        }
        return definitions;
    }();
    return all;
}

const FactorDefinition* factorByKey(std::string_view key) {
    const CodeEdition* edition = editionOfFactor(key);
    return edition != nullptr ? factorOf(*edition, key) : nullptr;
}

// An empty key is the default edition, as in a design file.
const CodeEdition* editionNamed(const char* key, std::size_t size) {
    return size == 0 ? &defaultEdition() : editionByKey(std::string_view(key, size));
}

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
// the controls, the lists, the factors or the run's events.
bool isControl(int index) { return index >= 0 && static_cast<std::size_t>(index) < kAllControls.size(); }

Control controlAt(int index) { return kAllControls[static_cast<std::size_t>(index)]; }

bool isListControl(int index) { return isControl(index) && isList(controlAt(index)); }

const FactorDefinition* factorAt(int index) {
    const auto& all = allFactors();
    return index >= 0 && static_cast<std::size_t>(index) < all.size() ? all[static_cast<std::size_t>(index)] : nullptr;
}

const WindowEvent* eventAt(int index) {
    return index >= 0 && static_cast<std::size_t>(index) < lastRun.events.size()
               ? &lastRun.events[static_cast<std::size_t>(index)]
               : nullptr;
}

// The ramp dialog's last design, and the text last handed out of it.
std::optional<ramp::Schedule> rampSchedule;
std::string rampFault;
std::string rampText;

bool isRampField(int field) { return field >= 0 && static_cast<std::size_t>(field) < design::kRampFields.size(); }

bool isRampRow(int row) {
    return rampSchedule && row >= 0 && static_cast<std::size_t>(row) < rampSchedule->segments.size();
}

const char* handOutRamp(std::string text) {
    rampText = std::move(text);
    return handOut(rampText);
}

} // namespace

extern "C" {

// A design opens afresh in an edition ("" for the default one): initial
// texts, lists filled, nothing computed, the start-up design dated today as
// the saved one, with the factors last read when asked (rw_read_factor).
// 0 for an edition there is not, and nothing changes.
EMSCRIPTEN_KEEPALIVE int rw_open(const char* edition, std::size_t editionSize, const char* today, std::size_t todaySize,
                                 int withTypedFactors) {
    const CodeEdition* opened = editionNamed(edition, editionSize);
    if (opened == nullptr) {
        return 0;
    }
    document = std::make_unique<design::DesignDocument>(std::string(today, todaySize), *opened,
                                                        withTypedFactors != 0 ? typedFactors : FactorValues{});
    lastRun = {};
    return 1;
}

// 新建: the start-up design in the edition and with the factors the
// document has now, dated today.
EMSCRIPTEN_KEEPALIVE void rw_new_design(const char* today, std::size_t todaySize) {
    const design::DesignDocument& was = current();
    document = std::make_unique<design::DesignDocument>(std::string(today, todaySize), was.edition(), was.factors());
    lastRun = {};
}

EMSCRIPTEN_KEEPALIVE std::size_t rw_text_size() { return lastSize; }

EMSCRIPTEN_KEEPALIVE int rw_control_count() { return static_cast<int>(kAllControls.size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_control_name(int control) {
    return handOut(isControl(control) ? controlName(controlAt(control)) : std::string_view());
}

// What the user types into a box or over a list; a list's text that is
// exactly one of its entries selects that entry, any other text none.
EMSCRIPTEN_KEEPALIVE void rw_type(int control, const char* text, std::size_t size) {
    if (isControl(control)) {
        current().type(controlAt(control), std::string_view(text, size));
    }
}

// An entry of a list chosen; any index, -1 and out-of-range included, as a
// list may be left at.
EMSCRIPTEN_KEEPALIVE void rw_choose(int control, int index) {
    if (isListControl(control)) {
        current().choose(controlAt(control), index);
    }
}

EMSCRIPTEN_KEEPALIVE const char* rw_text(int control) {
    return handOut(isControl(control) ? std::string_view(current().text(controlAt(control))) : std::string_view());
}

// The entry a list shows, -1 when its text is no entry.
EMSCRIPTEN_KEEPALIVE int rw_selected(int control) {
    return isListControl(control) ? current().form().shownEntry(controlAt(control)) : -1;
}

EMSCRIPTEN_KEEPALIVE int rw_entry_count(int control) {
    return isControl(control) ? static_cast<int>(current().form().entries(controlAt(control)).size()) : 0;
}

EMSCRIPTEN_KEEPALIVE const char* rw_entry(int control, int index) {
    if (index < 0 || index >= rw_entry_count(control)) {
        return handOut({});
    }
    return handOut(current().form().entries(controlAt(control))[static_cast<std::size_t>(index)]);
}

// One press of 计算: the RunOutcome, or -1 when something other than a
// calculation stop ended the run, which the page reports as the desktop
// window does. The run's writes and messages follow, in order.
EMSCRIPTEN_KEEPALIVE int rw_compute(int composeSheet) {
    try {
        stateBeforeLastRun = current().state();
        lastRun = current().compute({.sheet = composeSheet != 0, .values = false, .report = false});
        return static_cast<int>(lastRun.outcome);
    } catch (const std::exception&) {
        lastRun = {};
        return -1;
    }
}

EMSCRIPTEN_KEEPALIVE int rw_event_count() { return static_cast<int>(lastRun.events.size()); }

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

// The result boxes and the sheet that do not hold the results of the inputs
// as they are now, in the order of the controls.
EMSCRIPTEN_KEEPALIVE int rw_stale_count() { return static_cast<int>(current().staleBoxes().size()); }

EMSCRIPTEN_KEEPALIVE int rw_stale_box(int index) {
    const std::vector<Control> stale = current().staleBoxes();
    return index >= 0 && static_cast<std::size_t>(index) < stale.size()
               ? static_cast<int>(stale[static_cast<std::size_t>(index)])
               : -1;
}

// Whether the book commands are offered: the last 计算 completed and
// nothing it ran on has changed since, as on the desktop.
EMSCRIPTEN_KEEPALIVE int rw_has_book() { return current().completedRun() != nullptr ? 1 : 0; }

// The calculation book of the last completed run as HTML, with the project
// and the design file it has now; empty when there is none.
EMSCRIPTEN_KEEPALIVE const char* rw_book_html() {
    const design::DesignRun* run = current().completedRun();
    if (run == nullptr) {
        return handOut({});
    }
    design::DesignRun reported = *run;
    DesignState state = stateBeforeLastRun;
    reported.result =
        run->edition->design({run->inputs, run->factors, {.sheet = true, .values = true, .report = true}}, state);
    // The same run, or no book: a book must show the results on the screen.
    if (reported.result.events != run->result.events || !book::hasBook(reported)) {
        return handOut({});
    }
    lastFile = book::bookHtml(
        book::composeBook({.run = reported, .project = current().project(), .designFileName = current().path()}));
    return handOut(lastFile);
}

// The name the book is offered under, without ".pdf".
EMSCRIPTEN_KEEPALIVE const char* rw_book_name() {
    lastMessage = book::bookFileStem(current().project(), current().path());
    return handOut(lastMessage);
}

// The 规范 menu: the edition by its key; 0 for one there is not.
EMSCRIPTEN_KEEPALIVE const char* rw_edition() { return handOut(current().edition().key()); }

EMSCRIPTEN_KEEPALIVE int rw_set_edition(const char* key, std::size_t size) {
    const CodeEdition* edition = size == 0 ? nullptr : editionNamed(key, size);
    if (edition != nullptr) {
        current().setEdition(*edition);
    }
    return edition != nullptr ? 1 : 0;
}

// The factors of every edition, by key, and the document's value of each.
EMSCRIPTEN_KEEPALIVE int rw_factor_count() { return static_cast<int>(allFactors().size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_factor_key(int index) {
    const FactorDefinition* factor = factorAt(index);
    return handOut(factor != nullptr ? factor->key : std::string_view());
}

EMSCRIPTEN_KEEPALIVE double rw_factor_value(int index) {
    const FactorDefinition* factor = factorAt(index);
    return factor != nullptr ? current().factors().value(*factor) : 0;
}

// The factors dialog's 确定: the typed set starts from the document's values
// (or the defaults), each box is read into it, and only a set read whole is
// kept.
EMSCRIPTEN_KEEPALIVE void rw_begin_factors(int fromDefaults) {
    typedFactors = fromDefaults != 0 ? FactorValues{} : current().factors();
}

// One box as typed, read as the window's boxes read numbers: the message that
// sends the user back to it, or an empty text when it holds a sound value.
EMSCRIPTEN_KEEPALIVE const char* rw_read_factor(const char* key, std::size_t keySize, const char* text,
                                                std::size_t size) {
    const FactorDefinition* factor = factorByKey(std::string_view(key, keySize));
    if (factor == nullptr) {
        return handOut({});
    }
    const std::optional<double> value = parseDouble(std::string_view(text, size));
    std::optional<std::string> problem = value ? factorProblem(*factor, *value) : factorNotANumber(*factor);
    if (problem) {
        lastMessage = std::move(*problem);
        return handOut(lastMessage);
    }
    typedFactors.set(*factor, *value);
    return handOut({});
}

EMSCRIPTEN_KEEPALIVE void rw_keep_factors() { current().setFactors(typedFactors); }

// Opens a design from the first `size` bytes of a file of `totalSize` bytes:
// 1 when it opened, 0 when the document keeps what it had. The message to
// show follows from rw_design_message: why it did not open, or what was
// passed over; empty when there is nothing to say.
EMSCRIPTEN_KEEPALIVE int rw_open_design(const char* name, std::size_t nameSize, const char* bytes, std::size_t size,
                                        double totalSize) {
    design::DesignDocument& on = current();
    const std::string fileName(name, nameSize);
    // A size the page cannot know is the bytes it handed over.
    const double largest = 18e18;
    const double shown =
        totalSize > static_cast<double>(size) && totalSize < largest ? totalSize : static_cast<double>(size);
    if (shown > static_cast<double>(design::kMaxFileBytes)) {
        lastMessage = design::openFailureMessage(fileName, design::tooLargeFault(static_cast<std::uintmax_t>(shown)));
        return 0;
    }
    const design::ParseResult parsed = design::parse(std::string_view(bytes, size), on.startupDesign());
    if (!parsed.design) {
        lastMessage = design::openFailureMessage(fileName, parsed.error);
        return 0;
    }
    on.show(*parsed.design, fileName);
    lastRun = {};
    lastMessage = parsed.notes.empty() ? std::string() : design::notesMessage(fileName, parsed.notes);
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* rw_design_message() { return handOut(lastMessage); }

// The design as the text of its file. Not counted as saved: a page learns
// whether the file was written only after it tried (rw_mark_saved).
EMSCRIPTEN_KEEPALIVE const char* rw_design_text() {
    lastFile = design::serialize(current().current());
    return handOut(lastFile);
}

// The design as it is now is saved under that file name.
EMSCRIPTEN_KEEPALIVE void rw_mark_saved(const char* name, std::size_t size) {
    current().markSaved(std::string(name, size));
}

// The design's file name; empty for one never saved or opened.
EMSCRIPTEN_KEEPALIVE const char* rw_file_name() { return handOut(current().path()); }

// Why the design the window shows must not be saved under `name`: the file
// would be more than a design file may be, so it would not open again.
// Empty when it may be saved.
EMSCRIPTEN_KEEPALIVE const char* rw_design_save_fault(const char* name, std::size_t nameSize) {
    const design::DesignFile design = current().current();
    const std::string fault = design::saveFault(design, design::serialize(design));
    lastMessage = fault.empty() ? std::string() : design::saveFailureMessage(std::string_view(name, nameSize), fault);
    return handOut(lastMessage);
}

EMSCRIPTEN_KEEPALIVE int rw_is_modified() { return current().isModified() ? 1 : 0; }

// The project information by field, in the order of design::kProjectFields.
EMSCRIPTEN_KEEPALIVE int rw_project_field_count() { return static_cast<int>(design::kProjectFields.size()); }

EMSCRIPTEN_KEEPALIVE const char* rw_project_key(int field) {
    return handOut(isProjectField(field) ? design::kProjectFields[static_cast<std::size_t>(field)].key
                                         : std::string_view());
}

EMSCRIPTEN_KEEPALIVE const char* rw_project_value(int field) {
    return handOut(
        isProjectField(field)
            ? std::string_view(current().project().*design::kProjectFields[static_cast<std::size_t>(field)].member)
            : std::string_view());
}

EMSCRIPTEN_KEEPALIVE void rw_set_project_value(int field, const char* text, std::size_t size) {
    if (isProjectField(field)) {
        design::ProjectInfo project = current().project();
        (project.*design::kProjectFields[static_cast<std::size_t>(field)].member).assign(text, size);
        current().setProject(project);
    }
}

// ---- 工具 → 坡道分段配筋 ----

// A ramp box's text as the design keeps it (the start-up ramp's before the
// dialog first changed one), in the order of the design file's ramp keys.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_field(int field) {
    if (!isRampField(field)) {
        return handOut({});
    }
    const ramp::RampInput input = current().ramp().value_or(ramp::startupRamp());
    return handOutRamp(input.*design::kRampFields[static_cast<std::size_t>(field)].member);
}

EMSCRIPTEN_KEEPALIVE void rw_ramp_set(int field, const char* text, std::size_t size) {
    if (isRampField(field)) {
        ramp::RampInput input = current().ramp().value_or(ramp::startupRamp());
        input.*design::kRampFields[static_cast<std::size_t>(field)].member = std::string(text, size);
        current().setRamp(input);
    }
}

// Designs the ramp over the document's form: 1 with a schedule, 0 with the
// fault (rw_ramp_fault) when the ramp's inputs do not make one.
EMSCRIPTEN_KEEPALIVE int rw_ramp_design() {
    const design::DesignDocument& document = current();
    const FormInputs form = document.form().inputs();
    auto planned = ramp::planRamp(document.ramp().value_or(ramp::startupRamp()), form);
    if (const auto* problem = std::get_if<std::string>(&planned)) {
        rampSchedule.reset();
        rampFault = *problem;
        return 0;
    }
    rampFault.clear();
    rampSchedule = ramp::designRamp(document.edition(), document.factors(), form, std::get<ramp::RampPlan>(planned));
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* rw_ramp_fault() { return handOut(rampFault); }

EMSCRIPTEN_KEEPALIVE int rw_ramp_rows() { return rampSchedule ? static_cast<int>(rampSchedule->segments.size()) : 0; }

// A cell of the dialog's table, in the desktop dialog's columns.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_cell(int row, int column) {
    if (!isRampRow(row) || column < 0 || column >= 11) {
        return handOut({});
    }
    return handOutRamp(ramp::tableRow(*rampSchedule, static_cast<std::size_t>(row))[static_cast<std::size_t>(column)]);
}

// "ok", "fails", "stopped" or "none", and the row's messages.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_status(int row) {
    return handOut(isRampRow(row) ? ramp::statusKey(rampSchedule->segments[static_cast<std::size_t>(row)].status)
                                  : std::string_view());
}

EMSCRIPTEN_KEEPALIVE const char* rw_ramp_messages(int row) {
    return isRampRow(row) ? handOutRamp(rampSchedule->segments[static_cast<std::size_t>(row)].messages()) : handOut({});
}

EMSCRIPTEN_KEEPALIVE const char* rw_ramp_total() {
    return rampSchedule ? handOutRamp(ramp::totalText(*rampSchedule) + "；" + std::string(ramp::kWeightNote) + "。")
                        : handOut({});
}

// The schedule as the command line prints it.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_csv() {
    return rampSchedule ? handOutRamp(ramp::scheduleCsv(*rampSchedule)) : handOut({});
}

// The ramp's calculation book of the last designed ramp as HTML, with the
// project and the design file the document has now; empty with no ramp.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_book_html() {
    if (!rampSchedule) {
        return handOut({});
    }
    const design::DesignDocument& document = current();
    const book::RampBookContent content = book::composeRampBook({.schedule = &*rampSchedule,
                                                                 .ramp = document.ramp().value_or(ramp::startupRamp()),
                                                                 .project = document.project(),
                                                                 .designFileName = document.path()});
    return handOutRamp(book::rampBookHtml(content, *rampSchedule));
}

// The name the ramp's book is offered under, without ".pdf": the member, or
// the design file's name, or 坡道, then -分段配筋, as on the desktop.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_book_name() {
    return handOutRamp(book::rampBookFileStem(current().project(), current().path()));
}

// The elevation as an SVG element of that size, labels of that size.
EMSCRIPTEN_KEEPALIVE const char* rw_ramp_svg(double width, double height, double fontSize) {
    if (!rampSchedule || !(width > 0 && width < 1e5 && height > 0 && height < 1e5 && fontSize > 0 && fontSize < 1e3)) {
        return handOut({});
    }
    return handOutRamp(ramp::drawingSvg(ramp::drawRamp(*rampSchedule, width, height, fontSize)));
}

} // extern "C"
