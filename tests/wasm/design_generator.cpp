// Designs for the WebAssembly module to compute again. Each output line is
// one window session as JSON: its runs, each with what was typed and chosen
// and the outcome, writes and messages this build's calculation gave.
// Usage: wasm_design_generator SESSIONS
#include "compute.h"
#include "design_state.h"
#include "headless_window.h"

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

// One to three presses of 计算 in a window opened afresh. The elevations and
// the load case change together, so that most designs stay consistent.
std::string session() {
    HeadlessWindow window;
    DesignState state;
    std::string json = "{\"runs\":[";
    for (int run = 0, runs = pick(1, 3); run < runs; ++run) {
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
        json += run == 0 ? "{\"texts\":{" : ",{\"texts\":{";
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
            {{Control::Combo1, pick(0, 13)}, {Control::Combo2, pick(0, 3)}, {Control::Combo3, caseB ? 1 : 0}}};
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
        json += "},\"outcome\":" + quoted(kOutcomes[static_cast<std::size_t>(COMPUTE(state, window))]);
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
    return json + "]}";
}

} // namespace

int main(int argc, char** argv) {
    const long sessions = argc == 2 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (sessions <= 0) {
        std::cerr << "usage: wasm_design_generator SESSIONS\n";
        return 2;
    }
    for (long i = 0; i < sessions; ++i) {
        std::cout << session() << '\n';
    }
    return std::cout ? 0 : 1;
}
