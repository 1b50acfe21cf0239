#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "clock/instant.hpp"

namespace orbitel {

// A calendar date with its time of day, counted in days from 1 January 1970 at 0 h: the whole part
// numbers the day, the fraction is the time of day (0.25 is 6 h). The calendar is the proleptic
// Gregorian one for every year, astronomical numbering (the year before 1 is 0). A value holds the
// date it was built from; nothing checks it against the calendar once built.
class DateHeure {
public:
    constexpr DateHeure() = default;

    // The date from its count of days since 1970-01-01 at 0 h.
    static constexpr DateHeure depuis_jours(double jours) {
        DateHeure d;
        d.jours_ = jours;
        return d;
    }

    // The date of a day of the calendar, with an optional time of day. A day beyond the end of its
    // month runs on into the next one (31/02 is 3 March, or 2 March in a leap year), as in the
    // calendar arithmetic of the Julian day; date_valide tells whether a typed date is a real one.
    static DateHeure depuis_calendrier(std::int64_t annee, unsigned mois, unsigned jour, double heures = 0,
                                       double minutes = 0, double secondes = 0);

    constexpr double jours() const { return jours_; }

    // Whole-day arithmetic: the same time of day, n days later (earlier when n < 0).
    DateHeure plus_jours(std::int64_t n) const;

    std::int64_t annee() const; // calendar year
    unsigned mois() const;      // 1 to 12
    unsigned jour() const;      // day of the month, 1 to 31
    double fraction() const;    // time of day, in days: 0 <= fraction < 1

    // "01/03/2024", followed by " 06:30:00" when the time of day, rounded to the second, is not 0 h.
    // The year is written in plain digits, with its "-" before 0: "01/01/-500".
    std::string texte() const;

    friend constexpr auto operator<=>(const DateHeure&, const DateHeure&) = default;

private:
    double jours_ = 0;
};

// Whether jour, mois and an of the instant are whole numbers forming a real date of the proleptic
// Gregorian calendar, the year taken as typed from -32767 to 32767 (0 is a year; 31/02/2026 and
// 29/02/2100 are not dates).
bool date_valide(const Instant& instant);

// Whether the date's year lies within the years a date is read and written with (AnneeMin to
// AnneeMax).
bool annee_affichable(const DateHeure& date);

// The date of the instant at 0 h, when date_valide holds.
std::optional<DateHeure> date_de_instant(const Instant& instant);

} // namespace orbitel
