#pragma once
#include <string>
#include <string_view>

#include "clock/calendrier.hpp"
#include "clock/instant_tu.hpp"

namespace orbitel {

// Number texts. Only the decimal mark follows the user's locale (',' or '.'); digits, minus sign
// and the absence of grouping are fixed, whatever the locale.

// A number written with a picture: "00", "0000", "00.00", "00.000", "00.0000", "000.0000",
// "000.0", "#", "hh:mm:ss", "hh:mm". Halves round away from zero on the 15-digit decimal form.
// A value that is not finite gives "---" (as texte_nombre does).
std::string texte_image(double x, std::string_view image, char marque = '.');

// Plain number text: up to 15 significant digits, no trailing zeros, fixed notation from 1E-04
// to below 1E15, otherwise mantissa, "E", sign and at least two exponent digits.
std::string texte_nombre(double x, char marque = '.');

// Units, minutes and seconds of a value x >= 0, each split with the floor.
struct Sexagesimal {
    double unites;
    double minutes; // with fraction
    double secondes;
};
Sexagesimal decoupe_sexagesimale(double x);

// Seconds rounded to hundredths: Int(100 s + 0.5) / 100.
double arrondi_centieme(double s);

// The split as it is shown, with the carries a reader expects: seconds that round to 60 become 0
// with one more minute, and 60 minutes become one more unit. `tour` (24 for hours, 0 for none)
// wraps the units.
struct SexagesimalAffiche {
    long long unites;
    int minutes;
    double secondes; // rounded to hundredths, below 60
};
SexagesimalAffiche sexagesimale_affichee(double x, long long tour = 0);

// "07/12/2026 à 05:41:07" (or without seconds) from a Julian day in UT. Gregorian from
// 15 October 1582, Julian before; astronomical years. A time that rounds up to 24:00 moves to
// 00:00 of the next day. A Julian day that is not finite or lies beyond JourJulienLimite gives
// "---".
std::string texte_date(InstantTu instant, bool avec_secondes);

} // namespace orbitel
