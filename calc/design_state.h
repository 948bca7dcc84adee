// The one record of a wall design: the inputs as typed, the materials, loads,
// moments, steel areas, bar diameters and crack quantities. The window owns a
// single instance for its whole life; each run overwrites the fields it
// reaches and nothing is ever cleared, so a field a run does not reach keeps
// the previous run's value.
#pragma once

#include "calc/named_values.h"

#include <optional>
#include <string>
#include <variant>

namespace rampwall {

// A field no run has set yet is empty: 0 in a formula, an empty piece in text.
using DoubleField = std::optional<double>;
using SingleField = std::optional<float>; // a 32-bit value, mostly rounded by SSWR
using IntegerField = std::optional<int>;

// ζ: a rounded Single, or the integer 1 once αs reaches 0.5 (over-reinforced).
using Zeta = std::variant<std::monostate, float, int>;

// No bar of the table is large enough: d and deq then hold this text.
struct TooLarge {
    bool operator==(const TooLarge&) const = default;
};
inline constexpr const char* kTooLargeText = "太大了";

// A bar diameter in whole millimetres, or the text "太大了".
using BarDiameter = std::variant<std::monostate, int, TooLarge>;

// ρte: a rounded Single, or the double 0.01 when it is raised to its floor.
using ReinforcementRatio = std::variant<std::monostate, float, double>;

struct DesignState {
    // Inputs, as typed.
    std::string h1, h2, h3, h4, h5; // elevations (m), wall thickness (mm)
    std::string fxxs;               // load partial factor η
    SingleField c;                  // cover on the water side (mm), converted once
    std::string TRZ;                // soil unit weight γ (kN/m³)
    std::string FJHZ;               // surcharge Qfj (kN/m²)
    std::string Wmax;               // admissible crack width (mm)
    std::string ss;                 // bar spacing (mm)

    // Materials.
    DoubleField Fc, Ft, Ftk; // N/mm²
    IntegerField Fy;         // N/mm²

    DoubleField h0; // effective depth h5 - c (mm)

    // Loads (kN/m) and base moments (kN·m per metre of wall).
    DoubleField a, b; // Case A heights below / above the water table (m)
    DoubleField q11, q21, q31, q42, q22;
    SingleField MB11, MB21, MB31, MB42, MB22;
    SingleField MBk, MB;

    // Steel by strength.
    SingleField alfas; // αs
    Zeta kese;         // ζ
    SingleField Aas;   // mm² per metre; the crack loop raises it
    SingleField SAas;  // area one bar must have at spacing ss (mm²)
    BarDiameter d;     // strength bar
    BarDiameter deq;   // bar of the crack check, raised by the loop

    // Crack check.
    ReinforcementRatio Rte; // ρte
    SingleField Csk;        // σsk (N/mm²)
    SingleField Fai;        // ψ
    SingleField W;          // computed maximum crack width (mm)

    // The named numbers of the last run in the order formed, when its options
    // ask for them; emptied at the start of every run.
    NamedValues values;
};

// A field's value in a formula: widened exactly, 0 when unset.
double widen(const DoubleField& field);
double widen(const SingleField& field);
double widen(const IntegerField& field);
double widen(const Zeta& field);
double widen(const ReinforcementRatio& field);

// A field's text on the sheet and in the boxes: 15 significant digits for a
// double, 7 for a Single, digits for an integer, empty when unset.
void appendText(std::string& out, const DoubleField& field);
void appendText(std::string& out, const SingleField& field);
void appendText(std::string& out, const IntegerField& field);
void appendText(std::string& out, const Zeta& field);
void appendText(std::string& out, const BarDiameter& field);
void appendText(std::string& out, const ReinforcementRatio& field);

template <typename Field>
std::string textOf(const Field& field) {
    std::string out;
    appendText(out, field);
    return out;
}

} // namespace rampwall
