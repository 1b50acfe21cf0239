#pragma once
#include <cstdint>
#include <optional>

#include "clock/instant.hpp"
#include "clock/instant_tu.hpp"

namespace orbitel {

// The calendar, in one place. Two reckonings live side by side and are not interchangeable:
//  - the civil day count: the proleptic Gregorian calendar for every year, astronomical numbering
//    (the year before 1 is 0), days counted from 1 January 1970 at 0 h;
//  - the Julian day of the astronomers: Gregorian from 15 October 1582, Julian before, on the
//    typed fields as they are (a month of 13 or a day of 32 runs on into the next).

// The years a date may be typed, read or written with.
inline constexpr std::int64_t AnneeMin = -32767;
inline constexpr std::int64_t AnneeMax = 32767;

// The largest Julian day (in magnitude) still written as a date and a time: beyond 2^35 days,
// some 94 million years, a double no longer holds the time of day to the second, so the text
// would not be the instant's.
inline constexpr double JourJulienLimite = 0x1p35;

// A day of the proleptic Gregorian calendar.
struct DateCivile {
    std::int64_t annee;
    unsigned mois; // 1 to 12
    unsigned jour; // 1 to 31
};

// Days from 1970-01-01 of a day of the proleptic Gregorian calendar, for any year. A month past
// December runs on into the following years and a day past the end of its month into the following
// months (31/02 is 3 March, or 2 March in a leap year); day 0 is the eve of the first.
std::int64_t jours_civils(std::int64_t annee, unsigned mois, unsigned jour);

// The day numbered n from 1970-01-01.
DateCivile date_civile(std::int64_t jours);

bool bissextile(std::int64_t annee);
unsigned jours_du_mois(std::int64_t annee, unsigned mois);

// Whether the three numbers form a real day of the calendar within AnneeMin..AnneeMax.
bool date_reelle(std::int64_t annee, std::int64_t mois, std::int64_t jour);

// Julian day of an instant: Gregorian calendar from 15 October 1582, Julian before.
double jour_julien(const Instant& instant);

// Julian day of 0 h UT of the instant's date (the time of day left out).
double jour_julien_0h(const Instant& instant);

// Calendar date of a Julian day (Gregorian from Julian day 2299160.5, Julian before), with the
// fraction of the day.
struct DateCalendaire {
    long long an;
    int mois;
    int jour;
    double fraction; // of the day, from 0 h
};
DateCalendaire date_du_jour_julien(double jj);

// A UT instant to the whole second, in the calendar of the Julian day: the date and time a line
// writes. Half a second before midnight is 00:00:00 of the next day.
struct DateHeureTu {
    long long an;
    int mois;
    int jour;
    int heures, minutes, secondes;
};

// nullopt for an instant that is not finite or lies beyond JourJulienLimite: no date is written.
std::optional<DateHeureTu> a_la_seconde(InstantTu instant);

// Seconds from 1970-01-01 00:00:00 UT to that date and time, for asking a zone its offset.
std::int64_t secondes_depuis_1970(const DateHeureTu& t);

// Whether the three numbers form a real day of the calendar of the Julian day (Julian before
// 15 October 1582, Gregorian from then on, so that 5 to 14 October 1582 are no days; 29/02/1500 is
// one) within AnneeMin..AnneeMax.
bool date_reelle_jour_julien(std::int64_t annee, std::int64_t mois, std::int64_t jour);

} // namespace orbitel
