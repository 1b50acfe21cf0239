#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbitel {

// Number helpers every layer shares. Numbers are read and written here through std::from_chars and
// std::to_chars, never through strtod, streams or printf, which follow LC_NUMERIC: the window runs
// under the user's locale, where the decimal mark is often a comma.

// A decimal number in the C form, whatever the locale: an optional sign ("+" or "-"), digits with at
// most one point and at least one digit, an optional exponent ("e" or "E", an optional sign, digits).
// The whole text must be that number: anything else ("", "1,5", " 1", "inf", "1e") gives nullopt, and
// so does a magnitude beyond the double range (1e999). A magnitude below the smallest double
// (1e-999) reads as a zero of its sign, as strtod rounds it.
std::optional<double> lit_decimal(std::string_view texte);

// |x| rounded to `decimales` decimals on its 15-significant-digit decimal form, halves away from
// zero, as a digit string with the decimal point `decimales` places from its end ("0526" for 5.257
// at two decimals). At least one integer digit; x must be finite.
std::string chiffres_arrondis(double x, int decimales);

// x rounded by that rule, read back as a number: 23.99914 gives 23.9991, -5.12345 gives -5.1235, and
// a value that rounds to zero gives +0. A value that is not finite is returned as it is.
double arrondi_decimal(double x, int decimales);

// A double narrowed to single precision as the hardware rounds it, including beyond the float range
// (where a plain conversion is undefined): magnitudes that round past the largest float give an
// infinity of the same sign; NaN stays NaN.
float en_simple(double x);

} // namespace orbitel
