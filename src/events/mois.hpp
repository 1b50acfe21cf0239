#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "clock/fuseau.hpp"
#include "clock/lieu.hpp"
#include "events/apsides.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

// The month of the Moon for one observer, a row a day of the zone's calendar: what a planning
// table, a printed calendar and a calendar window show. Instants are Julian days in UT.

enum class EvenementLune { nouvelle_lune, premier_quartier, pleine_lune, dernier_quartier, perigee, apogee };

// "nouvelle_lune", "premier_quartier", "pleine_lune", "dernier_quartier", "perigee", "apogee".
std::string_view nom_evenement(EvenementLune e);

struct EvenementDate {
    EvenementLune type = EvenementLune::nouvelle_lune;
    double jj = 0; // UT
};

// Days without some crossing of the Sun: several may hold at once (a polar night is both
// jamais_leve and, in its heart, nuit_continue).
struct NoteSoleil {
    bool toujours_leve = false; // above the horizon (-0.833 degree) all day
    bool jamais_leve = false;   // below it all day
    bool sans_nuit = false;     // never down to -18 degrees: astronomical twilight all night
    bool nuit_continue = false; // below -18 degrees all day
    bool vide() const { return !toujours_leve && !jamais_leve && !sans_nuit && !nuit_continue; }
};

// "toujours_leve;sans_nuit": the note's names in that order, joined by ';'; "" when none.
std::string texte_note_soleil(const NoteSoleil& note);

// One day of the zone's calendar, from its first instant to the first instant of the next (23 or
// 25 hours on the days the clocks change). Each event is the first in the day, nullopt when none.
struct JourLunaire {
    std::int64_t annee = 0;
    unsigned mois = 1;
    unsigned jour = 1;
    double jj_debut = 0; // the day's first instant
    double jj_fin = 0;   // the next day's first instant

    // The Moon: rise and set of the centre's topocentric altitude through -0.833 degree, with their
    // azimuths (degrees from north through east), the upper transit and its altitude (geometric).
    std::optional<double> lever, azimut_lever;
    std::optional<double> passage, hauteur_passage;
    std::optional<double> coucher, azimut_coucher;

    // At the day's first instant: the age in days since the last new moon, the illuminated
    // percentage, the geocentric distance (km) and apparent diameter (degrees), and the side of the
    // Sun the Moon stands on ("Est" or "Ouest"), which the phase drawing takes.
    std::optional<double> age;
    std::optional<double> phase;
    std::optional<double> distance_km;
    std::optional<double> diametre;
    std::string_view cote;

    // The principal phases and apsides whose instant falls in the day, in time order.
    std::vector<EvenementDate> evenements;

    // The Sun's centre (geometric, no refraction): sunrise and sunset through -0.833 degree, the
    // night's start and end through -18 degrees going down and coming up.
    std::optional<double> soleil_lever, soleil_coucher;
    std::optional<double> nuit_debut, nuit_fin;
    NoteSoleil soleil_note;
};

// The days of month `mois` (1 to 12) of year `annee` in the zone, on the engine's calendar (Julian
// before 15 October 1582), for the observer, with the theories driven by the time scale. Phases
// are those orbitel-rapport --phases lists: in the universal scale the phase panel's instants with
// the Delta T of the month's year, in the terrestrial one each with its precise Delta T. Nothing
// for a month outside 1 to 12 or a year outside AnneeMin to AnneeMax. The days are computed on two
// threads where the machine has two cores.
std::vector<JourLunaire> mois_lunaire(std::int64_t annee, unsigned mois, const Fuseau& zone,
                                      const Observateur& lieu,
                                      EchelleTemps echelle = EchelleTemps::universel);

// The first instant (Julian day, UT) of a day of the engine's calendar on the zone's clock.
double debut_jour_local(std::int64_t annee, unsigned mois, unsigned jour, const Fuseau& zone);

// The apogees and perigees whose instant falls in year `annee` of the zone, in time order.
std::vector<Apside> apsides_annee(std::int64_t annee, const Fuseau& zone,
                                  EchelleTemps echelle = EchelleTemps::universel);

} // namespace orbitel
