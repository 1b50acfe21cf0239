#pragma once
#include <memory>

#include "clock/fuseau.hpp"

namespace orbitel {

// The system's time zone (TZ, else the system setting) through the zone database, with its
// daylight saving time at each instant.
std::unique_ptr<Fuseau> fuseau_systeme();

} // namespace orbitel
