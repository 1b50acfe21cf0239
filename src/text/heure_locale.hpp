#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "clock/calendrier.hpp"
#include "clock/fuseau.hpp"
#include "clock/instant_tu.hpp"

namespace orbitel {

// The forms a line of the window writes a UT instant in.
enum class FormeInstant {
    seconde, // the instant line: "12/04/1992 à 00:00:00", rounded to the second
    minute,  // a rise or set line: "07/12/2026 à 15:05", the minutes of that rounded second
    phase,   // a phase line: "9/2/2024 à 22:58:45", each part truncated, day and month unpadded
};

// A UT instant as a line writes it: the date and time shown, at the line's precision, and its date
// style. The calendar is the one of the lines: Gregorian from 15 October 1582, Julian before;
// astronomical years.
struct InstantLigne {
    DateHeureTu tu; // seconds 0 when the line shows none
    bool avec_secondes = true;
    bool deux_chiffres = true; // day and month of the local time written on two digits
};

// The instant as a line of that form writes it; nothing when the line writes no date ("---").
std::optional<InstantLigne> instant_ecrit(InstantTu instant, FormeInstant forme);

// The offset of a zone from UT: "UTC+2", "UTC+5:30", "UTC−3" (a true minus sign), "UTC" for 0;
// seconds are written only when the offset has some ("UTC+0:09:21").
std::string texte_decalage(int secondes);

// The size of an offset (seconds, not negative) as texte_decalage writes it, without "UTC" and
// sign: "2", "5:30", "0:09:21".
std::string texte_duree_decalage(long long secondes);

// The date and time a line writes, moved by an offset in seconds: the zone's wall clock. A minute
// line stays a minute line (rounded to the minute) even for an offset with seconds in it.
DateHeureTu champs_locaux(const InstantLigne& ligne, int decalage_secondes);

// The instant as a line of that form writes it on the zone's clock, with the offset in force at the
// instant: "12/04/1992 à 02:00:00 (UTC+2)", "12/04/1992 à 15:05 (UTC+2)", "24/2/2024 à 14:30:04
// (UTC+2)" (a phase line's " T.U" becomes the offset). "---" where the line writes no date.
std::string texte_instant_local(InstantTu instant, FormeInstant forme, const Fuseau& zone);

// "Temps universel : 12/04/1992 à 00:00:00": the UT instant a line on the local clock stands for,
// at the line's precision and date style.
std::string texte_temps_universel(const InstantLigne& tu);

// "Heure locale : 12/04/1992 à 02:00:00 (UTC+2)": the instant moved by the zone's offset at that
// date, at the line's own precision and date style (a minute line rounds to the minute).
std::string texte_heure_locale(const InstantLigne& tu, int decalage_secondes);

} // namespace orbitel
