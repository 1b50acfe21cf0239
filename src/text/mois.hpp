#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clock/fuseau.hpp"
#include "clock/lieu.hpp"
#include "events/mois.hpp"

namespace orbitel {

// The French texts of a month of the Moon: the table orbitel-rapport --mois writes in `texte` and
// the cells of the calendar window, from the same functions so that both read alike. Times are
// written on the zone's clock, "HH:MM" as the rise and set lines write them (rounded to the second,
// the seconds then dropped); numbers with the given decimal mark.

// "janvier" to "décembre"; "" outside 1 to 12.
std::string_view nom_mois(unsigned mois);

// "lundi" to "dimanche", for 0 (Monday) to 6.
std::string_view nom_jour_semaine(int jour);

// The day of the week of a day of the engine's calendar, 0 for Monday to 6 for Sunday.
int jour_semaine(std::int64_t annee, unsigned mois, unsigned jour);

// "Nouvelle Lune", "Premier quartier", "Pleine Lune", "Dernier quartier", "Périgée", "Apogée".
std::string_view titre_evenement(EvenementLune e);

// "21:25": a UT instant on the zone's clock, with the offset in force then.
std::string heure_zone(double jj, const Fuseau& zone);

// Every text of one day, "---" where there is nothing.
struct TextesJour {
    std::string date;                     // "ven. 01"
    std::string lever, azimut_lever;      // "03:44", "112,0°"
    std::string passage, hauteur_passage; // "08:45", "25,0°"
    std::string coucher, azimut_coucher;
    std::string age;                        // "22,4 j"
    std::string phase;                      // "38,2 %"
    std::string distance;                   // "391281 km"
    std::string diametre;                   // "30,5'": minutes of arc
    std::string nuit_fin, soleil_lever;     // in the morning's order
    std::string soleil_coucher, nuit_debut; // and the evening's
    std::vector<std::string> evenements;    // "Pleine Lune 21:25", in time order
    std::string note_soleil;                // "soleil toujours levé", …; "" for none
};
TextesJour textes_jour(const JourLunaire& jour, const Fuseau& zone, char marque);

// "UTC+1", or "UTC+1, UTC+2 à partir du 28" when the clocks change within the month.
std::string texte_decalages_mois(const std::vector<JourLunaire>& jours, const Fuseau& zone);

// The table: a title naming the month, the place and the zone's offset, the column titles, one
// aligned line a day, each line ended by '\n'. Nothing for an empty month.
std::string table_mois(const std::vector<JourLunaire>& jours, const Fuseau& zone, const Observateur& lieu,
                       char marque);

// What a screen reader says of a day: "Mardi 12 janvier 2027 : lever 10 h 05, passage 15 h 42,
// coucher 21 h 10, Pleine Lune à 21 h 25, phase 99,5 %".
std::string resume_jour(const JourLunaire& jour, const Fuseau& zone, char marque);

} // namespace orbitel
