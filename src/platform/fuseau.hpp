#pragma once
#include <cstdint>

namespace orbitel {

// The offset of the computer's time zone from UT, in seconds, at an instant given in seconds from
// 1970-01-01 00:00 UT: the zone's rule for that date, summer time included, whatever today's is.
// The zone is looked up at each call, so a change of zone (or of TZ) is taken at once.
int decalage_zone_locale(std::int64_t secondes_depuis_1970);

} // namespace orbitel
