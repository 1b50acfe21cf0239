#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "events/delta_t_precis.hpp"
#include "events/releve.hpp"
#include "text/heure_locale.hpp"
#include "text/lignes_phases.hpp"

namespace orbitel {

// The 22 texts of a relevé, one per line, in the window's reading order: the geocentric lines 1 to
// 6, the topocentric ones, elongation, phase and instant, altitude and azimuth, rise and set, the
// five phase dates and the Delta T notice. A part not computed yet reads "---", as the window's
// lines do until then. The window's copy and orbitel-rapport print these.
// With a zone (nullptr: UT) every instant is written on its clock with the offset of its own date
// ("Instant (heure locale) = 12/04/1992 à 02:00:00 (UTC+2)", phases ending " (UTC+2)"), and the
// notice says "heure locale"; the relevé should then be computed for that zone.
std::vector<std::string> lignes_releve(const Releve& releve, char marque, const Fuseau* zone = nullptr);

// The relevé of an instant and a place, written: lignes_releve of calcule_releve.
std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque);

// The same 22 texts with the theories driven by the time scale. `terrestre`: the geocentric and
// topocentric lines and the rise and set come from TT = UT + Delta T (delta_t_precis), the five
// phase dates each carry the precise Delta T of its instant, and the notice gives Delta T at the
// instant, as the precise model's; every time written stays in UT. `universel`: the texts above.
// With a zone, the relevé of the zone's day and date, written on its clock.
std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque,
                                EchelleTemps echelle, const Fuseau* zone = nullptr);

// The UT instants the lines show, as they write them: what the local-time tool tips and the printed
// note convert. Absent where a line shows no instant.
struct InstantsDesLignes {
    std::optional<InstantLigne> instant, lever, coucher;
    std::array<std::optional<InstantLigne>, 5> phases;
};
InstantsDesLignes instants_des_lignes(const Releve& releve);

} // namespace orbitel
