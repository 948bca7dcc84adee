// Designs for the WebAssembly module to compute again. Each output line is
// one window session as JSON: the edition it opens in, its runs, each with
// the edition and load factors chosen, what was typed and chosen and the
// outcome, writes and messages this build's calculation gave; for some, the
// design file the session ends with. The first line holds design files and
// load factors the module must refuse as this build does.
// Usage: wasm_design_generator SESSIONS
#include "compute.h"
#include "design_file.h"
#include "design_state.h"
#include "headless_window.h"
#include "materials_2010.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace rampwall;

std::mt19937 generator(17);

int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(generator); }
double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(generator); }

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        char escape[8] = {ch, 0};
        if (ch == '"' || ch == '\\' || static_cast<unsigned char>(ch) < 0x20) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(ch));
        }
        out += escape; // UTF-8 passes as it is
    }
    return out + "\"";
}

// A number as a person types it: plain, with an exponent, between blanks, in
// full-width digits, with a plus sign; now and then no usable number at all.
std::string typed(double value, int places) {
    static constexpr std::array<const char*, 24> kAwkward = {
        "",     "   ", "\u3000", "abc", "1,5",  "1 5",   "－",     "１ａ",   "1e400", "1e-400", "nan",  "inf",
        "0x10", "1e",  "+-1",    ".",   "12kN", "1e300", "-1e300", "1e-300", "0",     "-5",     "1e38", "\xEF\xBC"};
    if (pick(0, 35) == 0) {
        return kAwkward[static_cast<std::size_t>(pick(0, static_cast<int>(kAwkward.size()) - 1))];
    }
    char plain[64];
    std::snprintf(plain, sizeof plain, pick(0, 5) == 0 ? "%.*e" : "%.*f", places, value);
    const std::string text = plain;
    switch (pick(0, 6)) {
    case 0: return " \u3000" + text + "\t";
    case 1: {
        std::string wide;
        for (char ch : text) {
            wide += ch >= '0' && ch <= '9' ? std::string{'\xEF', '\xBC', static_cast<char>(0x90 + ch - '0')}
                                           : std::string{ch};
        }
        return wide;
    }
    case 2: return value >= 0 ? "+" + text : text;
    default: return text;
    }
}

constexpr std::string_view kToday = "2024-05-06";

// What the load factors dialog is given: sound values, now and then between
// blanks. Read back by the C library, not by the calculation's own reader.
std::string typedFactors(LoadFactors& factors) {
    const std::array<std::pair<double, double>, 5> ranges = {{{0.9, 1.1}, {1.0, 1.5}, {1.2, 1.6}, {0.9, 1.1}, {0, 1}}};
    std::string json = "[";
    for (std::size_t i = 0; i < kLoadFactorFields.size(); ++i) {
        char text[32];
        std::snprintf(text, sizeof text, pick(0, 3) == 0 ? " %.2f\t" : "%.2f",
                      uniform(ranges[i].first, ranges[i].second));
        factors.*kLoadFactorFields[i].member = std::strtod(text, nullptr);
        json += (i == 0 ? "" : ",") + quoted(text);
    }
    return json + "]";
}

// The design the session's window shows, as the desktop document takes it.
design::DesignFile shownDesign(const HeadlessWindow& window, Edition edition, Edition opened,
                               const LoadFactors& factors, const design::ProjectInfo& project) {
    design::DesignFile design;
    for (std::size_t i = 0; i < design::kDesignInputs.size(); ++i) {
        const Control control = design::kDesignInputs[i].control;
        design.inputs[i].text = window.text(control);
        design.inputs[i].freeText = design::isListInput(i) && window.shownEntry(control) < 0;
    }
    design.project = project;
    const bool unnamed = opened == kDefaultEdition && edition == kDefaultEdition;
    design.codeEdition = unnamed ? std::string() : std::string(editionKey(edition));
    design.factors = factors;
    return design;
}

// One to three presses of 计算 in a window opened afresh. The elevations and
// the load case change together, so that most designs stay consistent.
std::string session() {
    const Edition opened = pick(0, 1) == 0 ? Edition::GB50010_2002 : Edition::GB50010_2010;
    Edition edition = opened;
    LoadFactors factors;
    HeadlessWindow window(opened);
    DesignState state;
    std::string json = "{\"edition\":" + quoted(editionKey(opened)) + ",\"today\":" + quoted(kToday) + ",\"runs\":[";
    for (int run = 0, runs = pick(1, 3); run < runs; ++run) {
        json += run == 0 ? "{" : ",{";
        // The code menu between runs: the steel list refilled, nothing kept.
        if (run > 0 && pick(0, 4) == 0) {
            const Edition other = edition == Edition::GB50010_2002 ? Edition::GB50010_2010 : Edition::GB50010_2002;
            window.changeSteelList(edition, other);
            edition = other;
            state = DesignState{};
            json += "\"edition\":" + quoted(editionKey(edition)) + ",";
        }
        if (pick(0, 3) == 0) {
            json += "\"factors\":" + typedFactors(factors) + ",";
        }
        const bool caseB = pick(0, 4) < 2;
        const double h1 = uniform(-1, 1);
        const double h2 = h1 - uniform(0, 1.5);
        const double h3 = caseB ? h2 - uniform(0.3, 9) : h2 - uniform(0, 2);
        const double h4 = caseB ? h3 + uniform(0, h2 - h3 - 0.2) : h3 - uniform(0.3, 6);
        const std::array<std::pair<Control, std::string>, 11> boxes = {{
            {Control::Text1, typed(h1, pick(1, 3))},
            {Control::Text2, typed(h2, pick(1, 3))},
            {Control::Text3, typed(h3, pick(1, 3))},
            {Control::Text16, typed(h4, pick(1, 3))},
            {Control::Text4, typed(10.0 * pick(20, 60), 0)},
            {Control::Text5, typed(uniform(1.0, 1.5), 2)},
            {Control::Text13, typed(uniform(20, 60), pick(0, 2))}, // 32 bits: 50.1 is 50.099998...
            {Control::Text14, typed(uniform(16, 21), pick(0, 1))},
            {Control::Text15, typed(uniform(0, 30), pick(0, 1))},
            {Control::Text8, typed(uniform(0.05, 0.4), 2)},
            {Control::Text10, typed(10.0 * pick(8, 25), 0)},
        }};
        const bool newElevations = run == 0 || pick(0, 4) < 2;
        json += "\"texts\":{";
        const char* separator = "";
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (i < 4 ? newElevations : run == 0 || pick(0, 2) == 0) {
                window.setText(boxes[i].first, boxes[i].second);
                json += separator + quoted(controlName(boxes[i].first)) + ":" + quoted(boxes[i].second);
                separator = ",";
            }
        }
        // Mostly an entry; sometimes free text (-1) or an index beyond the list.
        json += "},\"lists\":{";
        separator = "";
        const std::array<std::pair<Control, int>, 3> lists = {
            {{Control::Combo1, pick(0, 13)},
             {Control::Combo2, pick(0, static_cast<int>(steelEntries(edition).size()) - 1)},
             {Control::Combo3, caseB ? 1 : 0}}};
        for (const auto& [list, entry] : lists) {
            if (list == Control::Combo3 ? newElevations : run == 0 || pick(0, 1) == 0) {
                const int index = pick(0, 24) == 0 ? -1 : pick(0, 49) == 0 ? pick(4, 20) : entry;
                window.setSelectedIndex(list, index);
                json += separator + quoted(controlName(list)) + ":" + std::to_string(index);
                separator = ",";
            }
        }
        window.clearEvents();
        static constexpr std::array<const char*, 3> kOutcomes = {"completed", "stopped", "noLoadCase"};
        const RunOutcome outcome = COMPUTE(state, window, {.edition = edition, .factors = factors});
        json += "},\"outcome\":" + quoted(kOutcomes[static_cast<std::size_t>(outcome)]);
        json += ",\"events\":[";
        separator = "";
        for (const WindowEvent& event : window.events()) {
            const bool write = event.kind == WindowEvent::Kind::Write;
            json += separator + std::string(write ? "{\"box\":" : "{\"title\":") +
                    quoted(write ? controlName(event.box) : event.title) + ",\"text\":" + quoted(event.text) + "}";
            separator = ",";
        }
        json += "]}";
    }
    json += "]";
    // Saved by the module as by the desktop, byte for byte; a quarter of the
    // sessions, some with project information that JSON must escape.
    if (pick(0, 3) == 0) {
        design::ProjectInfo project = design::startupDesign(kToday).project;
        if (pick(0, 1) == 0) {
            project.projectName = "地下车库 \"A\"\\";
            project.checker = "李\n\u0001";
            json += ",\"project\":{\"name\":" + quoted(project.projectName) +
                    ",\"checker\":" + quoted(project.checker) + "}";
        }
        const design::DesignFile design = shownDesign(window, edition, opened, factors, project);
        const design::DesignFile startup =
            shownDesign(HeadlessWindow(opened), opened, opened, {}, design::startupDesign(kToday).project);
        json += ",\"modified\":" + std::string(design != startup ? "true" : "false");
        json += ",\"design\":" + quoted(design::serialize(design));
    }
    return json + "}";
}

// Files the module must refuse, or open with a note, as this build does, and
// load factors its dialog must send back.
std::string refusals() {
    const design::DesignFile defaults = design::startupDesign(kToday);
    std::string json = "{\"files\":[";
    const std::array<std::string, 3> texts = {"{\"format\": \"rampwall-design\",\n  \"version\" 1}",
                                              "{\"format\": \"rampwall-design\", \"version\": 1, \"x\": {}}",
                                              std::string(design::kMaxFileBytes + 1, ' ')};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        // The page hands over at most one byte past the limit, and the size.
        const std::size_t size = i == 2 ? std::size_t{3} << 20 : texts[i].size();
        const std::string name = "设计" + std::to_string(i) + ".rampwall";
        const design::ParseResult parsed = design::parse(texts[i], defaults);
        const std::string fault = size > design::kMaxFileBytes ? design::tooLargeFault(size) : parsed.error;
        json += (i == 0 ? "{" : ",{") + std::string("\"name\":") + quoted(name) + ",\"text\":" + quoted(texts[i]) +
                ",\"size\":" + std::to_string(size) +
                ",\"error\":" + (fault.empty() ? "null" : quoted(design::openFailureMessage(name, fault))) +
                ",\"notes\":" + (fault.empty() ? quoted(design::notesMessage(name, parsed.notes)) : "null") + "}";
    }
    json += "],\"factors\":[";
    const std::array<std::pair<std::size_t, const char*>, 4> bad = {{{0, "1,1"}, {1, "0"}, {3, "10.5"}, {4, " 1.2 "}}};
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const auto [field, text] = bad[i];
        const LoadFactorField& named = kLoadFactorFields[field];
        char* end = nullptr;
        const double value = std::strtod(text, &end);
        const std::string message = *end != '\0' && *end != ' '
                                        ? "“" + std::string(named.caption) + "”应为数字，请重新输入"
                                        : *loadFactorProblem(named, value);
        json += (i == 0 ? "{" : ",{") + std::string("\"field\":") + std::to_string(field) +
                ",\"text\":" + quoted(text) + ",\"message\":" + quoted(message) + "}";
    }
    return json + "]}";
}

} // namespace

int main(int argc, char** argv) {
    const long sessions = argc == 2 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (sessions <= 0) {
        std::cerr << "usage: wasm_design_generator SESSIONS\n";
        return 2;
    }
    std::cout << refusals() << '\n';
    for (long i = 0; i < sessions; ++i) {
        std::cout << session() << '\n';
    }
    return std::cout ? 0 : 1;
}
