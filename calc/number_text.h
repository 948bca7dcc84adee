// Numbers to text and text to numbers, the same way everywhere and
// independent of the process locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rampwall {

// Reads a typed number: optional blanks around it (space, tab, the
// ideographic space U+3000), an optional sign, digits with an optional
// decimal point (".5" and "5." are numbers), an optional exponent ("1e2"),
// with full-width digits, sign and point accepted as a Chinese input method
// types them. Correctly rounded; nullopt for anything else, empty text and
// digit grouping included, and for a value beyond the type's range.
std::optional<double> parseDouble(std::string_view text);
std::optional<float> parseSingle(std::string_view text);

// The general number form: rounded to 15 significant digits for a double and
// 7 for a Single, plain decimal with no trailing zeros, a zero before the
// point and a leading minus sign; magnitudes below 0.0001 or at or above
// 10^digits take the exponent form "1.5E+20", "1E-05".
std::string formatDouble(double value);
std::string formatSingle(float value);
std::string formatInteger(long long value);

// Appending forms of the same, for building long texts without temporaries.
void appendDouble(std::string& out, double value);
void appendSingle(std::string& out, float value);
void appendInteger(std::string& out, long long value);

} // namespace rampwall
