// Designs for the WebAssembly module to compute again. Each output line is
// one window session as JSON: the edition (and now and then the factors) it
// opens with, its runs, each with the edition and factors chosen, what was
// typed into the boxes and typed over or chosen in the lists, and the
// outcome, writes and messages this build's design document gave; for some,
// the design file the session ends with, and for some the calculation book
// of its last run as the page gets it. The first line holds design files,
// factors and start-up factors the module must refuse as this build does.
// Usage: wasm_design_generator SESSIONS
#include "book/book_content.h"
#include "book/book_html.h"
#include "book/book_input.h"
#include "calc/control_table.h"
#include "calc/editions/code_edition.h"
#include "calc/editions/factor.h"
#include "calc/editions/registry.h"
#include "calc/number_text.h"
#include "calc/run_result.h"
#include "design/design_document.h"
#include "design/design_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace rampwall;

std::mt19937 generator(17);

int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(generator); }
double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(generator); }

template <typename T>
const T& pickOf(const std::vector<T>& from) {
    return from[static_cast<std::size_t>(pick(0, static_cast<int>(from.size()) - 1))];
}

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

// ASCII letters, digits and signs as a Chinese input method types them, in
// the full-width forms U+FF01..U+FF5E.
std::string fullWidth(std::string_view text) {
    std::string wide;
    for (const char ch : text) {
        if (ch > ' ' && ch <= '~') {
            const unsigned code = 0xFF01u + static_cast<unsigned>(ch - '!');
            wide += static_cast<char>(0xE0u | (code >> 12));
            wide += static_cast<char>(0x80u | ((code >> 6) & 0x3Fu));
            wide += static_cast<char>(0x80u | (code & 0x3Fu));
        } else {
            wide += ch;
        }
    }
    return wide;
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
    case 1: return fullWidth(text);
    case 2: return value >= 0 ? "+" + text : text;
    default: return text;
    }
}

constexpr std::string_view kToday = "2024-05-06";

std::vector<const FactorDefinition*> allFactors() {
    std::vector<const FactorDefinition*> all;
    for (const CodeEdition* edition : editions()) {
        for (const FactorDefinition& factor : edition->factors()) {
            all.push_back(&factor);
        }
    }
    return all;
}

// What the factors dialog is given for every edition's factors: sound values
// near the defaults, now and then between blanks. Read back by the C
// library, not by the calculation's own reader.
std::string typedFactors(FactorValues& factors) {
    std::string json = "{";
    for (const FactorDefinition* factor : allFactors()) {
        const double low = std::max(factor->lowest + 0.01, factor->defaultValue - 0.3);
        const double high = std::min(factor->highest, factor->defaultValue + 0.3);
        char text[32];
        std::snprintf(text, sizeof text, pick(0, 3) == 0 ? " %.2f\t" : "%.2f", uniform(low, high));
        factors.set(*factor, std::strtod(text, nullptr));
        json += (json.size() == 1 ? "" : ",") + quoted(factor->key) + ":" + quoted(text);
    }
    return json + "}";
}

// What a list is given: mostly an entry chosen by index; sometimes none
// (-1) or an index beyond the list; else text typed over it, which selects
// the entry it is exactly: an entry as it stands (often not the one shown),
// an entry with a blank added, the text of another list's or edition's
// entry, an entry in full-width letters and digits.
std::pair<std::string, int> listAction(const design::DesignDocument& document, Control list, int entry) {
    const std::vector<std::string_view> entries = listEntries(document.edition(), list);
    if (pick(0, 3) > 0) {
        const int index = pick(0, 24) == 0 ? -1 : pick(0, 49) == 0 ? pick(4, 20) : entry;
        return {{}, index};
    }
    const std::string own(entries[static_cast<std::size_t>(entry)]);
    switch (pick(0, 4)) {
    case 0: return {std::string(pickOf(entries)), 0};
    case 1: return {pick(0, 1) == 0 ? own + " " : "\u3000" + own, 0};
    case 2: {
        std::vector<std::string_view> others;
        for (const CodeEdition* edition : editions()) {
            for (const Control other : {Control::Combo1, Control::Combo2, Control::Combo3}) {
                if (other != list || edition != &document.edition()) {
                    for (const std::string_view text : listEntries(*edition, other)) {
                        others.push_back(text);
                    }
                }
            }
        }
        return {std::string(pickOf(others)), 0};
    }
    case 3: return {fullWidth(own), 0};
    default: return {own, 0};
    }
}

// One to three presses of 计算 in a document opened afresh. The elevations
// and the load case change together, so that most designs stay consistent.
std::string session() {
    const std::span<const CodeEdition* const> all = editions();
    const CodeEdition& opened = *all[static_cast<std::size_t>(pick(0, static_cast<int>(all.size()) - 1))];
    std::string json = "{\"edition\":" + quoted(opened.key()) + ",\"today\":" + quoted(kToday);
    // Factors remembered from an earlier visit, given as the document opens.
    FactorValues startFactors;
    if (pick(0, 5) == 0) {
        json += ",\"factors\":" + typedFactors(startFactors);
    }
    design::DesignDocument document{std::string(kToday), opened, startFactors};
    json += ",\"runs\":[";
    for (int run = 0, runs = pick(1, 3); run < runs; ++run) {
        json += run == 0 ? "{" : ",{";
        // The code menu between runs: the steel list refilled, nothing kept.
        if (run > 0 && pick(0, 4) == 0) {
            const CodeEdition* other = &document.edition();
            while (other == &document.edition()) {
                other = all[static_cast<std::size_t>(pick(0, static_cast<int>(all.size()) - 1))];
            }
            document.setEdition(*other);
            json += "\"edition\":" + quoted(other->key()) + ",";
        }
        if (pick(0, 3) == 0) {
            FactorValues factors = document.factors();
            json += "\"factors\":" + typedFactors(factors) + ",";
            document.setFactors(factors);
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
                document.type(boxes[i].first, boxes[i].second);
                json += separator + quoted(controlName(boxes[i].first)) + ":" + quoted(boxes[i].second);
                separator = ",";
            }
        }
        // A number chooses that entry, a text is typed over the list.
        json += "},\"lists\":{";
        separator = "";
        const int steelEntries = static_cast<int>(listEntries(document.edition(), Control::Combo2).size());
        const std::array<std::pair<Control, int>, 3> lists = {{{Control::Combo1, pick(0, 13)},
                                                               {Control::Combo2, pick(0, steelEntries - 1)},
                                                               {Control::Combo3, caseB ? 1 : 0}}};
        for (const auto& [list, entry] : lists) {
            if (list == Control::Combo3 ? newElevations : run == 0 || pick(0, 1) == 0) {
                const auto [text, index] = listAction(document, list, entry);
                json += separator + quoted(controlName(list)) + ":";
                if (text.empty()) {
                    document.choose(list, index);
                    json += std::to_string(index);
                } else {
                    document.type(list, text);
                    json += quoted(text);
                }
                separator = ",";
            }
        }
        static constexpr std::array<const char*, 3> kOutcomes = {"completed", "stopped", "noLoadCase"};
        // With the report, which a book needs; the page's runs leave it out
        // and must show the same writes and messages all the same.
        const RunResult result = document.compute({.sheet = true, .values = false, .report = true});
        json += "},\"outcome\":" + quoted(kOutcomes[static_cast<std::size_t>(result.outcome)]);
        json += ",\"events\":[";
        separator = "";
        for (const WindowEvent& event : result.events) {
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
        if (pick(0, 1) == 0) {
            design::ProjectInfo project = document.project();
            project.projectName = "地下车库 \"A\"\\";
            project.checker = "李\n\u0001";
            document.setProject(project);
            json += ",\"project\":{\"name\":" + quoted(project.projectName) +
                    ",\"checker\":" + quoted(project.checker) + "}";
        }
        // Whether the book commands are offered, and now and then the book.
        const design::DesignRun* completed = document.completedRun();
        json += ",\"hasBook\":" + std::string(completed != nullptr ? "true" : "false");
        if (completed != nullptr && pick(0, 3) == 0) {
            const book::BookInput input{.run = *completed, .project = document.project(), .designFileName = {}};
            json += ",\"book\":" + quoted(book::bookHtml(book::composeBook(input))) +
                    ",\"bookName\":" + quoted(book::bookFileStem(document.project(), {}));
        }
        json += ",\"modified\":" + std::string(document.isModified() ? "true" : "false");
        json += ",\"design\":" + quoted(design::serialize(document.current()));
    }
    return json + "}";
}

// Files the module must refuse, or open with a note, as this build does;
// factors its dialog must send back; start-up factors it must pass over.
std::string refusals() {
    const design::DesignFile defaults = design::startupDesign(kToday);
    std::string json = "{\"files\":[";
    const std::array<std::string, 3> texts = {"{\"format\": \"rampwall-design\",\n  \"version\" 1}",
                                              "{\"format\": \"rampwall-design\", \"version\": 1, \"x\": {}}",
                                              std::string(design::kMaxFileBytes + 1, ' ')};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        // The page hands over at most one byte past the limit, and the size.
        const std::size_t size = i == 2 ? std::size_t{5} << 20 : texts[i].size();
        const std::string name = "设计" + std::to_string(i) + ".rampwall";
        const design::ParseResult parsed = design::parse(texts[i], defaults);
        const std::string fault = size > design::kMaxFileBytes ? design::tooLargeFault(size) : parsed.error;
        json += (i == 0 ? "{" : ",{") + std::string("\"name\":") + quoted(name) + ",\"text\":" + quoted(texts[i]) +
                ",\"size\":" + std::to_string(size) +
                ",\"error\":" + (fault.empty() ? "null" : quoted(design::openFailureMessage(name, fault))) +
                ",\"notes\":" + (fault.empty() ? quoted(design::notesMessage(name, parsed.notes)) : "null") + "}";
    }
    // Each factor above its range between blanks, at its lowest where that is
    // left out, and one that is no number.
    json += "],\"factors\":[";
    std::vector<std::pair<const FactorDefinition*, std::string>> bad;
    for (const FactorDefinition* factor : allFactors()) {
        bad.emplace_back(factor, " " + formatDouble(factor->highest + 0.5) + " ");
        if (!factor->lowestIncluded) {
            bad.emplace_back(factor, formatDouble(factor->lowest));
        }
    }
    if (!bad.empty()) {
        bad.emplace_back(bad.front().first, "1,1");
        bad.emplace_back(bad.back().first, fullWidth("1.2") + "x");
    }
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const auto& [factor, text] = bad[i];
        const std::optional<double> value = parseDouble(text);
        const std::string message = value ? *factorProblem(*factor, *value) : factorNotANumber(*factor);
        json += (i == 0 ? "{" : ",{") + std::string("\"key\":") + quoted(factor->key) + ",\"text\":" + quoted(text) +
                ",\"message\":" + quoted(message) + "}";
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
