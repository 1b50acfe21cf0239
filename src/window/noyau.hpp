#pragma once
// The engine calls of the window that join several modules (topocentric lines, the rise and set
// lines, the phase panel's stepping), each in the form the window writes into its labels.
#include <optional>
#include <string>

#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/date.hpp"

namespace orbitel::noyau {

// Altitude, azimuth and the three topocentric lines.
struct LignesHorizon {
    std::string Label14 = "---", Label15 = "---", Label16 = "---", Label12 = "---", Label13 = "---";
    bool sous_horizon = false;
};
// Runs the topocentric routine for the state of the last ephemeris run; like the engine, it leaves
// the topocentric right ascension and declination in etat.
LignesHorizon hauteur_azimut(EtatLune& etat, const Observateur& lieu, char marque);
LignesHorizon hauteur_azimut_absentes();

struct LignesLeverCoucher {
    std::string Label18_0 = "Lever: ---";
    std::string Label18_1 = "Coucher: ---";
};
// The rise and set search through the UT day of the instant's date.
LignesLeverCoucher cherche_lever_coucher(EtatLune& etat, const Instant& instant, const Observateur& lieu,
                                         char marque);

// The phase panel's reference date.
using ReferencePhases = DateHeure;

// One lunation back (sens -1) or forth (+1); nullopt past the calendar's years.
std::optional<ReferencePhases> lunaison_voisine(const ReferencePhases& reference, int sens);

// Delta T of a year, in days, as the phase dates use it.
float delta_t_jours(int annee);

} // namespace orbitel::noyau
