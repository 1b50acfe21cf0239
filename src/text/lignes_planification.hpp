#pragma once
#include <optional>
#include <string>

#include "events/apsides.hpp"
#include "events/aspect.hpp"
#include "events/passage.hpp"
#include "events/phases_precises.hpp"
#include "events/soleil.hpp"
#include "text/lignes_phases.hpp"

namespace orbitel {

// French lines for the quantities that help plan an observation. Dates and times are in UT as the
// rise and set lines write them (texte_date without seconds); numbers with the user's decimal mark.

// "Passage au méridien: 12/04/1992 à 19:49 (hauteur 55,3°)", or "Passage au méridien: ---".
std::string ligne_passage(const std::optional<Passage>& passage, char marque);

// "Périgée: 14/04/1992 à 06:23 (357123 km)", "Apogée: …".
std::string ligne_apside(const Apside& apside, char marque);

// "Âge de la Lune: 9,4 jours (lunaison 855)", Brown's number; "Âge de la Lune: ---" without one.
std::string ligne_age(const std::optional<AgeLune>& age, char marque);

// "Diamètre apparent: 32,45' (vu du lieu: 32,78')", in minutes of arc.
std::string ligne_diametre(const AspectLune& aspect, char marque);

// "Libration: longitude +5,12°, latitude -3,40°, angle de l'axe 23,4°".
std::string ligne_libration(const Libration& libration, char marque);

// "Limbe éclairé: angle de position 245,3°, angle parallactique -20,1°, inclinaison 265,4°": the
// angles seen from the place; the tilt is counted from the top of the disc toward the left.
std::string ligne_limbe(const AspectLune& aspect, char marque);

// "Soleil: hauteur -12,3°, azimut 123,4°".
std::string ligne_soleil(const PositionSoleil& soleil, char marque);

// The Sun's lines of a day, for one threshold: "Lever du soleil: 12/04/1992 à 05:03" and "Coucher du
// soleil: …"; "Aube civile: …" and "Crépuscule civil: …" (likewise "nautique", "astronomique").
// A missing event reads "---", followed for a day without any crossing by
// " (soleil toujours au-dessus de -6°)" or " (soleil toujours au-dessous de -6°)".
struct LignesSeuil {
    std::string montee;
    std::string descente;
};
LignesSeuil lignes_seuil(const JourSoleil& jour, SeuilSoleil seuil, char marque);

// The notice of the precise time scale: "Les heures sont en temps universel, la différence avec le
// temps terrestre (TT) est, le 12/04/1992, de 58,31 secondes (modèle précis)." for Delta T in
// seconds (delta_t_precis) at the Julian day jj.
// With a zone (nullptr: UT), "Les heures sont en heure locale" and the date on its clock.
std::string notice_delta_t_precis(double jj, double secondes, char marque, const Fuseau* zone = nullptr);

} // namespace orbitel
