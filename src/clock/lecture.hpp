#pragma once
#include <optional>
#include <string_view>

namespace orbitel {

// Reads a number typed by the user. Blanks, tabs and line feeds are ignored wherever they stand;
// the longest leading number is read (sign, digits, one decimal mark, exponent E or D, or the
// prefixes &H and &O for hexadecimal and octal) and the rest is ignored. Both the point and the
// comma are taken as the decimal mark, since the window itself writes numbers with the user's
// (often French) mark. A text with no leading number reads 0.
// Returns nullopt when the number cannot be held in a double (1E999): callers then keep the
// value they had.
std::optional<double> lit_nombre(std::string_view texte);

// The strict reading: the same number, but only when the text holds that number and nothing else
// besides blanks ("12,5", "&H7EA", " 1 9 9 2 "); no digit at all ("", "abc", "&H"), anything left
// over ("12abc", "1E") or a number too large to hold gives nullopt.
std::optional<double> lit_nombre_strict(std::string_view texte);

// lit_nombre, with 0 for a number too large to hold, for the places that have no previous value.
double lit_nombre_ou_zero(std::string_view texte);

} // namespace orbitel
