#pragma once
#include <string>

#include "clock/lieu.hpp"

namespace orbitel {

// The place as the program holds it, to the nearest minute: "48° 52′ N, 2° 20′ E". Degrees then
// minutes of arc on two digits, the hemisphere from the sign (west positive for the longitude),
// so "-45 52 N" as typed reads "44° 08′ S".
std::string texte_lieu(const Observateur& lieu);

} // namespace orbitel
