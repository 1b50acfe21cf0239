#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbitel {

// A UT instant as a line of the window writes it: "12/04/1992 à 00:00:00" in the instant line,
// "07/12/2026 à 15:05" in a rise or set line, "9/2/2024 à 22:58:45" in a phase line. The calendar is
// the one of the lines: Gregorian from 15 October 1582, Julian before; astronomical years.
struct InstantLigne {
    std::int64_t an = 0;
    int mois = 1, jour = 1;
    int heures = 0, minutes = 0, secondes = 0;
    bool avec_secondes = true;
    bool deux_chiffres = true; // day and month written on two digits
};

// The first "d/m/y à hh:mm" or "d/m/y à hh:mm:ss" of a line; nothing for a line that shows no
// instant ("Lever: ---") or one that is not a date of the calendar.
std::optional<InstantLigne> instant_de_ligne(std::string_view ligne);

// Seconds from 1970-01-01 00:00 UT, for asking the zone its offset at that instant.
std::int64_t secondes_depuis_1970(const InstantLigne& instant);

// The offset of a zone from UT: "UTC+2", "UTC+5:30", "UTC−3" (a true minus sign), "UTC" for 0;
// seconds are written only when the offset has some ("UTC+0:09:21").
std::string texte_decalage(int secondes);

// The size of an offset (seconds, not negative) as texte_decalage writes it, without "UTC" and
// sign: "2", "5:30", "0:09:21".
std::string texte_duree_decalage(long long secondes);

// "Heure locale : 12/04/1992 à 02:00:00 (UTC+2)": the instant moved by the zone's offset at that
// date, at the line's own precision and date style (a minute line rounds to the minute).
std::string texte_heure_locale(const InstantLigne& tu, int decalage_secondes);

} // namespace orbitel
