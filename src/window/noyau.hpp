#pragma once
// The engine modules the window calls, gathered behind one small header so that the window's
// logic reads the same whichever module stands behind each call.
#include <array>
#include <optional>
#include <string>

#include "clock/instant.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/date.hpp"

#if __has_include("clock/lieu.hpp")
#include "clock/lieu.hpp"
#define ORBITEL_LIEU_DU_NOYAU 1
#else
namespace orbitel {
struct Observateur {
    float Lat = 0; // degrees, north positive
    float Lon = 0; // degrees, west positive
};
struct ChampsLieu {
    std::string lat0, lat1, lon0, lon1;
    bool nord = true, est = true;
};
std::optional<Observateur> lit_lieu(const ChampsLieu& champs);
} // namespace orbitel
#endif

namespace orbitel::noyau {

#if __has_include("ephemeris/topocentrique.hpp") && __has_include("texte/lignes_topocentriques.hpp")
inline constexpr bool avec_topocentrique = true;
#else
inline constexpr bool avec_topocentrique = false;
#endif
#if __has_include("events/lever_coucher.hpp")
inline constexpr bool avec_lever_coucher = true;
#else
inline constexpr bool avec_lever_coucher = false;
#endif
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
