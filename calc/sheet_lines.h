// The calculation sheet's text: lines joined by CR LF, as the sheet box keeps
// them, each line made of pieces put one after another.
#pragma once

#include "calc/decimal_text.h"
#include "calc/design_state.h"
#include "calc/number_text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace rampwall {

// Pieces: fixed texts and typed inputs as they are; the fields of a run in
// their own text form; other doubles (the 2010 edition's) to five significant
// digits and at least three decimals, whole numbers as digits.
class SheetLines {
public:
    explicit SheetLines(std::size_t expectedSize) { m_text.reserve(expectedSize); }

    template <typename... Pieces>
    void line(const Pieces&... pieces) {
        if (!m_empty) {
            m_text += "\r\n";
        }
        m_empty = false;
        (put(pieces), ...);
    }

    std::string take() { return std::move(m_text); }

private:
    void put(std::string_view text) { m_text += text; }
    template <std::size_t N>
    void put(const char (&text)[N]) {
        m_text.append(text, N - 1);
    }
    void put(const char* text) { m_text += text; }
    void put(const std::string& text) { m_text += text; }
    void put(double value) { m_text += significantText(value, 5, 3); }
    void put(int value) { appendInteger(m_text, value); }
    template <typename Field>
    void put(const Field& field) {
        appendText(m_text, field);
    }

    std::string m_text;
    bool m_empty = true;
};

} // namespace rampwall
