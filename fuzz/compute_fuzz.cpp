// A whole calculation over arbitrary window contents. The input is text:
// the first line holds the selected indices of Combo1, Combo2 and Combo3,
// then optionally the edition's key (anything that is no key is the
// default edition) and the edition's factors in its order (a token that is
// no number keeps the default); the next eleven lines the texts of the input boxes in the order
// the calculation reads them; missing lines leave a box empty. Whatever is
// typed, COMPUTE must return, every stop must be told in a message, and
// nothing but well-formed numbers (or the "too large" text of the bar box)
// may reach the output boxes.
#include "calc/calculation_stop.h"
#include "calc/compute.h"
#include "calc/editions/registry.h"
#include "calc/headless_window.h"
#include "calc/number_text.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/number_grammar.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace rampwall;
using rampwall::fuzz::isNumberText;
using rampwall::fuzz::require;

constexpr std::array<Control, 11> kInputBoxes = {
    Control::Text1,  Control::Text2,  Control::Text3,  Control::Text16, Control::Text4,  Control::Text5,
    Control::Text13, Control::Text14, Control::Text15, Control::Text8,  Control::Text10,
};
constexpr std::array<Control, 3> kLists = {Control::Combo1, Control::Combo2, Control::Combo3};

struct Design {
    std::array<int, 3> indices{};
    const CodeEdition* edition = &defaultEdition();
    FactorValues factors;
    std::array<std::string, 11> texts;

    // The edition whose named values and loops check2010 knows.
    bool current() const { return edition->key() != defaultEdition().key(); }
};

int clampedInt(std::string_view token) {
    long long value = 0;
    std::from_chars(token.data(), token.data() + token.size(), value);
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Design decode(std::string_view input) {
    std::vector<std::string_view> lines;
    while (lines.size() < 12) {
        const std::size_t end = input.find('\n');
        lines.push_back(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + 1);
    }
    Design design;
    std::string_view header = lines[0];
    auto nextToken = [&header] {
        while (!header.empty() && header.front() == ' ') {
            header.remove_prefix(1);
        }
        const std::size_t end = std::min(header.find(' '), header.size());
        const std::string_view token = header.substr(0, end);
        header.remove_prefix(end);
        return token;
    };
    for (int& index : design.indices) {
        index = clampedInt(nextToken());
    }
    if (const CodeEdition* named = editionByKey(nextToken())) {
        design.edition = named;
    }
    for (const FactorDefinition& factor : design.edition->factors()) {
        // Unsound values too: the run must stop on them with a message.
        if (const std::optional<double> value = parseDouble(nextToken()); value && *value != factor.defaultValue) {
            design.factors.set(factor, *value);
        }
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        design.texts[i - 1] = std::string(lines[i]);
    }
    return design;
}

void enter(HeadlessWindow& window, const Design& design) {
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        window.setSelectedIndex(kLists[i], design.indices[i]);
    }
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        window.setText(kInputBoxes[i], design.texts[i]);
    }
}

bool containsNonFiniteWord(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; });
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Text of a 32-bit field: well formed, and the field rounded to 7 digits.
void checkSingleBox(const HeadlessWindow& window, Control box, const SingleField& field) {
    const std::string& text = window.text(box);
    require(isNumberText(text, 7), "a Single's box holds a number of at most 7 digits", text);
    require(field.has_value(), "a written box has its field set", text);
    const std::optional<double> shown = parseDouble(text);
    require(shown.has_value(), "the box's number reads back", text);
    const double exact = static_cast<double>(*field);
    require(std::fabs(*shown - exact) <= 5.000001e-7 * std::fabs(exact), "the box shows its field to 7 digits", text);
}

// Text of a double rounded to three decimals: well formed, and within half
// a thousandth of the value (or its 15 digits, for a value too large to
// have decimals).
void checkDecimalBox(const HeadlessWindow& window, Control box, double value) {
    const std::string& text = window.text(box);
    require(isNumberText(text, 15), "a 2010 box holds a number of at most 15 digits", text);
    const std::optional<double> shown = parseDouble(text);
    require(shown.has_value() && std::fabs(*shown - value) <= 0.0005000001 + 5e-15 * std::fabs(value),
            "a 2010 box shows its value to three decimals", text);
}

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty() || text.front() == '-' ||
        (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    return value;
}

bool finiteField(const SingleField& field) { return !field || std::isfinite(*field); }
bool finiteField(const DoubleField& field) { return !field || std::isfinite(*field); }

void checkStateFinite(const DesignState& s) {
    const bool finite = finiteField(s.c) && finiteField(s.Fc) && finiteField(s.Ft) && finiteField(s.Ftk) &&
                        finiteField(s.h0) && finiteField(s.a) && finiteField(s.b) && finiteField(s.q11) &&
                        finiteField(s.q21) && finiteField(s.q31) && finiteField(s.q42) && finiteField(s.q22) &&
                        finiteField(s.MB11) && finiteField(s.MB21) && finiteField(s.MB31) && finiteField(s.MB42) &&
                        finiteField(s.MB22) && finiteField(s.MBk) && finiteField(s.MB) && finiteField(s.alfas) &&
                        finiteField(s.Aas) && finiteField(s.SAas) && finiteField(s.Csk) && finiteField(s.Fai) &&
                        finiteField(s.W) && std::isfinite(widen(s.kese)) && std::isfinite(widen(s.Rte));
    require(finite, "every field of the design is finite");
    for (const NamedValue& value : s.values) {
        require(std::isfinite(value.value), "every named value of the run is finite", value.name);
    }
}

// The current edition's design: ξ within ξb, the bars provided carry the
// area the strength needs and the minimum, the width within the limit, bars
// on sale (one size, or two neighbouring sizes), and the boxes show the
// run's own values.
bool barsOnSale(const std::string& text) {
    const int sizes[] = {12, 14, 16, 18, 20, 22, 25, 28, 32};
    const std::size_t slash = text.find('/');
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        if (slash == std::string::npos && text == std::to_string(sizes[i])) {
            return true;
        }
        if (i > 0 && text == std::to_string(sizes[i - 1]) + "/" + std::to_string(sizes[i])) {
            return true;
        }
    }
    return false;
}

void checkCurrent(const RunResult& result, const HeadlessWindow& window, double limit) {
    const auto value = [&](std::string_view name) {
        const std::optional<double> found = valueNamed(result.values, name);
        require(found.has_value(), "a completed run names its values", name);
        return *found;
    };
    const auto text = [&](std::string_view name) {
        for (const NamedText& named : result.texts) {
            if (named.name == name) {
                return named.text;
            }
        }
        require(false, "a completed run names its bars", name);
        return std::string();
    };
    require(value("xi") <= value("xi_b"), "a completed run has ξ within ξb");
    require(value("As") >= value("As_required") && value("As") >= value("As_min"),
            "the bars provided carry the area needed and the minimum");
    require(value("As") >= value("As_strength") || value("h0") > 0, "the design carries the strength area");
    require(value("w_max") <= limit, "the design's width is within the limit");
    require(barsOnSale(text("bar")) && barsOnSale(text("strength_bar")), "only bars on sale", text("bar"));
    require(window.text(Control::Text18) == text("bar") && window.text(Control::Text19) == text("strength_bar"),
            "the bar boxes show the run's bars");
    checkDecimalBox(window, Control::Text6, value("Mk"));
    checkDecimalBox(window, Control::Text7, value("As_strength"));
    checkDecimalBox(window, Control::Text9, value("As"));
    checkDecimalBox(window, Control::Text11, value("w_max"));
    require(result.passes() == (value("V") <= value("V_c")), "only the shear can fail a completed design");
}

std::vector<WindowEvent> run(const Design& design, bool composeSheet, RunOutcome& outcome, DesignState& state,
                             HeadlessWindow& window, RunResult* kept = nullptr) {
    enter(window, design);
    RunResult result = runInWindow(*design.edition, state, window, design.factors,
                                   {.sheet = composeSheet, .values = true, .report = true});
    outcome = result.outcome;
    state.values = result.values;
    if (kept != nullptr) {
        *kept = std::move(result);
    }
    return window.events();
}

void checkRun(const Design& design) {
    const bool edition2010 = design.current();
    DesignState state;
    HeadlessWindow window(*design.edition);
    RunOutcome outcome{};
    // An overflow, an invalid operation or a division by zero in the hardware
    // must never go unnoticed: an infinite denominator makes a harmless-looking
    // 0, an infinite limit passes every width.
    std::feclearexcept(FE_ALL_EXCEPT);
    RunResult result;
    const std::vector<WindowEvent> events = run(design, true, outcome, state, window, &result);
    const bool arithmeticFault = std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO) != 0;

    std::size_t writes = 0;
    std::size_t messages = 0;
    std::vector<std::string> messageTexts;
    for (const WindowEvent& event : events) {
        require(!containsNonFiniteWord(event.text), "no text says nan or inf", event.text);
        if (event.kind == WindowEvent::Kind::Message) {
            ++messages;
            require(event.title == kNoticeTitle, "every message carries the notice title", event.title);
            require(!event.text.empty(), "a message says something");
            messageTexts.push_back(event.text);
            continue;
        }
        require(writes < kWrittenBoxes.size() && event.box == kWrittenBoxes[writes],
                "boxes are written once each, in the fixed order", controlName(event.box));
        ++writes;
    }
    require(messages <= 2, "at most two messages in one run");

    switch (outcome) {
    case RunOutcome::NoLoadCase:
        require(events.empty(), "a run without a load case writes and says nothing");
        require(design.indices[2] != 0 && design.indices[2] != 1, "only a missing load case ends a run silently");
        break;
    case RunOutcome::Stopped:
        require(messages >= 1, "every stop comes with a message");
        require(writes < kWrittenBoxes.size(), "a stopped run does not write the sheet");
        // Reading a typed number beyond the range may raise the overflow flag
        // in the C library; it is then not a number.
        require(!arithmeticFault || messageTexts.back().find("超出范围") != std::string::npos ||
                    messageTexts.back().find("不是有效的数字") != std::string::npos,
                "a run that overflowed stops with the out-of-range message", messageTexts.back());
        break;
    case RunOutcome::Completed:
        require(!arithmeticFault, "a completed run raised no overflow, invalid operation or division by zero");
        require(writes == kWrittenBoxes.size(), "a completed run writes all six results and the sheet");
        require(messages == 0 || (!edition2010 && messages == 1 && messageTexts[0] == kMomentTooLargeMessage),
                "a completed run can only have told that the moment is large, and only in 2002");
        require(!result.checks.empty(), "a completed run has checks");
        break;
    }

    checkStateFinite(state);
    if (writes >= 2 && !edition2010) {
        checkSingleBox(window, Control::Text6, state.MBk);
    }
    std::optional<int> strengthBar;
    if (writes >= 3 && !edition2010) {
        const std::string& bar = window.text(Control::Text19);
        strengthBar = wholeNumber(bar);
        require(bar == kTooLargeText || (strengthBar && *strengthBar >= 12 && *strengthBar <= 25),
                "the strength bar is a table diameter or too large", bar);
    }
    if (outcome == RunOutcome::Completed && edition2010) {
        checkCurrent(result, window, parseDouble(design.texts[9]).value_or(0));
    } else if (outcome == RunOutcome::Completed) {
        // Text7 held the strength area when it was written; by now Aas is the
        // crack-control area, which Text9 shows.
        checkSingleBox(window, Control::Text9, state.Aas);
        checkSingleBox(window, Control::Text11, state.W);
        const std::optional<int> crackBar = wholeNumber(window.text(Control::Text18));
        require(crackBar && strengthBar && *crackBar >= *strengthBar && *crackBar <= 10000,
                "the crack-control bar is a whole diameter from the strength bar up", window.text(Control::Text18));
        const std::optional<double> limit = parseDouble(state.Wmax);
        require(limit && widen(state.W) - 1.05 * *limit <= 0, "the width of a completed run meets the limit");
        require(widen(state.Aas) > 0, "a completed run has a steel area");
    }

    // The same window computed again gives the same run: nothing left over
    // from the first run changes the second.
    window.clearEvents();
    const RunOutcome again = runInWindow(*design.edition, state, window, design.factors).outcome;
    require(again == outcome && window.events() == events, "computing again repeats the run exactly");

    // Without the sheet the run is the same up to Text12.
    DesignState batchState;
    HeadlessWindow batchWindow(*design.edition);
    RunOutcome batchOutcome{};
    std::vector<WindowEvent> batchEvents = run(design, false, batchOutcome, batchState, batchWindow);
    std::vector<WindowEvent> expected = events;
    if (outcome == RunOutcome::Completed) {
        expected.pop_back();
    }
    require(batchOutcome == outcome && batchEvents == expected, "a run without the sheet gives the same results");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkRun(decode(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
