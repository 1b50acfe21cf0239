#pragma once
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "clock/lieu.hpp"

namespace orbitel {

// Everything the window shows for an instant and a place, one text per line, in the window's
// reading order: the geocentric lines, the topocentric ones, elongation, phase and instant, altitude
// and azimuth, rise and set, the five phase dates and the Delta T notice.
std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque);

} // namespace orbitel
