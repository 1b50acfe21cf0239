#pragma once
#include <optional>

#include "clock/fuseau.hpp"
#include "clock/instant.hpp"

namespace orbitel {

// An instant in universal time, as orbitel-rapport and its tables carry it: seconds from
// 1970-01-01 at 0 h UT, fractional, any sign. The other forms of an instant are its edges: the
// calendar fields the engine and the window take, the system's clock, the Julian days of the
// searches, and the texts written.
struct InstantTu {
    double secondes = 0;

    static InstantTu du_jour_julien(double jj) { return {(jj - JourJulien1970) * 86400}; }
    double jour_julien() const { return JourJulien1970 + secondes / 86400; }
};

// The instant of the engine's fields (Julian before 15 October 1582; fields out of range run on).
InstantTu instant_des_champs(const Instant& champs);

// The engine's UT fields of the instant: the date of its day and the time within it.
Instant champs_de(InstantTu instant);

// The system's UTC clock to the whole second, and its fields as the window takes them.
struct LectureTu {
    InstantTu instant;
    Instant champs;
};
LectureTu lit_horloge_tu(const Horloge& horloge);

// The day (0 is 1970-01-01) of a date of the engine's calendar, the fields run on as the Julian day
// takes them.
double jour_des_champs(double jour, double mois, double an);

// The instant at which the zone's wall clock reads `secondes_locales`: tu_depuis_local, or the
// reading itself in UT.
InstantTu instant_de_l_heure_locale(double secondes_locales, const Fuseau* zone);

// The day of the zone's calendar an instant falls on, as the rise and set are searched over it:
// from its first instant to the first of the next, 23 or 25 hours when the clocks change.
struct JourLocal {
    double jj_debut; // Julian day UT of its first instant
    double duree;    // days
};
JourLocal jour_local(InstantTu instant, const Fuseau& zone);

} // namespace orbitel
