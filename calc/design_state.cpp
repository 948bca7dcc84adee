#include "calc/design_state.h"

#include "calc/number_text.h"

namespace rampwall {

namespace {
template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// clang before 17 deduces no aggregate's template arguments by itself.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;
} // namespace

double widen(const DoubleField& field) { return field.value_or(0.0); }

double widen(const SingleField& field) { return static_cast<double>(field.value_or(0.0f)); }

double widen(const IntegerField& field) { return static_cast<double>(field.value_or(0)); }

double widen(const Zeta& field) {
    return std::visit(Overloaded{[](std::monostate) { return 0.0; },
                                 [](float value) { return static_cast<double>(value); },
                                 [](int value) { return static_cast<double>(value); }},
                      field);
}

double widen(const ReinforcementRatio& field) {
    return std::visit(Overloaded{[](std::monostate) { return 0.0; },
                                 [](float value) { return static_cast<double>(value); },
                                 [](double value) { return value; }},
                      field);
}

void appendText(std::string& out, const DoubleField& field) {
    if (field) {
        appendDouble(out, *field);
    }
}

void appendText(std::string& out, const SingleField& field) {
    if (field) {
        appendSingle(out, *field);
    }
}

void appendText(std::string& out, const IntegerField& field) {
    if (field) {
        appendInteger(out, *field);
    }
}

void appendText(std::string& out, const Zeta& field) {
    std::visit(Overloaded{[](std::monostate) {}, [&out](float value) { appendSingle(out, value); },
                          [&out](int value) { appendInteger(out, value); }},
               field);
}

void appendText(std::string& out, const BarDiameter& field) {
    std::visit(Overloaded{[](std::monostate) {}, [&out](int value) { appendInteger(out, value); },
                          [&out](TooLarge) { out += kTooLargeText; }},
               field);
}

void appendText(std::string& out, const ReinforcementRatio& field) {
    std::visit(Overloaded{[](std::monostate) {}, [&out](float value) { appendSingle(out, value); },
                          [&out](double value) { appendDouble(out, value); }},
               field);
}

} // namespace rampwall
