#pragma once
#include <cstdint>

namespace orbitel {

// A time zone: how far its wall clock stands from universal time at each instant. Instants are
// counted in seconds from 1970-01-01 at 0 h UT, wall-clock readings in seconds from 1970-01-01 at
// 0 h on that clock.
class Fuseau {
public:
    virtual ~Fuseau() = default;
    // Seconds the wall clock is ahead of UT at the instant (negative west of Greenwich).
    virtual std::int32_t decalage(double secondes_tu) const = 0;
};

// A zone with one offset all year round: UT itself (0) or a fixed ±HH:MM.
class FuseauFixe final : public Fuseau {
public:
    explicit FuseauFixe(std::int32_t decalage_secondes) : decalage_(decalage_secondes) {}
    std::int32_t decalage(double) const override { return decalage_; }

private:
    std::int32_t decalage_;
};

// The instant at which the zone's wall clock reads `secondes_locales`. A reading the clock shows
// twice (when it is put back) is its first occurrence; a reading it skips (when it is put forward)
// moves forward past the gap by the gap's length, as a clock left unchanged would read it.
double tu_depuis_local(const Fuseau& fuseau, double secondes_locales);

// Julian day of 1970-01-01 at 0 h, the origin of the counts above.
inline constexpr double JourJulien1970 = 2440587.5;

} // namespace orbitel
