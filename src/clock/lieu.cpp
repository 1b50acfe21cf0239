#include "clock/lieu.hpp"

#include <cfloat>
#include <cmath>

#include "clock/lecture.hpp"
#include "clock/nombres.hpp"

namespace orbitel {

namespace {

constexpr const char* trop_grand = "Nombre trop grand";
constexpr const char* latitude_trop_grande = "Latitude : 90° au plus";

struct Lecture {
    std::optional<double> degres, minutes;
};

Lecture lit_paire(const std::string& degres, const std::string& minutes) {
    return {lit_nombre(degres), lit_nombre(minutes)};
}

double somme(const Lecture& l) {
    return *l.degres + *l.minutes / 60;
}

// Degrees and minutes of a read pair, in single precision.
std::optional<float> degres_minutes(const Lecture& l) {
    if (!l.degres || !l.minutes) return std::nullopt;
    const double valeur = somme(l);
    // Converting a double beyond the float range is undefined, and inf would poison every line.
    if (!(std::fabs(valeur) <= FLT_MAX)) return std::nullopt;
    return en_simple(valeur);
}

} // namespace

DefautsLieu examine_lieu(const ChampsLieu& champs) {
    DefautsLieu d;
    const Lecture lat = lit_paire(champs.lat0, champs.lat1);
    const Lecture lon = lit_paire(champs.lon0, champs.lon1);
    if (!lat.degres) d.raisons[0] = trop_grand;
    if (!lat.minutes) d.raisons[1] = trop_grand;
    if (!lon.degres) d.raisons[2] = trop_grand;
    if (!lon.minutes) d.raisons[3] = trop_grand;
    if (lat.degres && lat.minutes && !(std::fabs(somme(lat)) <= 90))
        d.raisons[std::fabs(*lat.degres) > 90 ? 0 : 1] = latitude_trop_grande;
    if (lon.degres && lon.minutes && !(std::fabs(somme(lon)) <= FLT_MAX))
        d.raisons[std::fabs(*lon.degres) > FLT_MAX / 2 ? 2 : 3] = trop_grand;
    return d;
}

std::optional<Observateur> lit_lieu(const ChampsLieu& champs) {
    if (!examine_lieu(champs).tenable()) return std::nullopt;
    const std::optional<float> lat = degres_minutes(lit_paire(champs.lat0, champs.lat1));
    const std::optional<float> lon = degres_minutes(lit_paire(champs.lon0, champs.lon1));
    if (!lat || !lon) return std::nullopt;

    Observateur lieu;
    lieu.Lat = champs.nord ? *lat : -*lat;
    // Typed east positive, held west positive.
    lieu.Lon = champs.est ? -*lon : *lon;
    return lieu;
}

Observateur lieu_par_defaut() {
    return {static_cast<float>(48 + 52.0 / 60), static_cast<float>(-(2 + 20.0 / 60))};
}

std::string& texte_champ(ChampsLieu& champs, int indice) {
    switch (indice) {
    case 0:
        return champs.lat0;
    case 1:
        return champs.lat1;
    case 2:
        return champs.lon0;
    default:
        return champs.lon1;
    }
}

const std::string& texte_champ(const ChampsLieu& champs, int indice) {
    return texte_champ(const_cast<ChampsLieu&>(champs), indice);
}

Observateur LieuRetenu::lieu() const {
    return lit_lieu(champs).value_or(lieu_par_defaut());
}

LieuRetenu suit_saisie(const LieuRetenu& avant, const ChampsLieu& affiches, int champ,
                       const std::string& repli) {
    // Every field as shown.
    if (lit_lieu(affiches)) return {affiches, {}};

    // The fields left out stay out; the hemispheres are always the shown ones.
    LieuRetenu apres = avant;
    apres.champs.nord = affiches.nord;
    apres.champs.est = affiches.est;
    if (champ >= 0 && champ < 4) {
        ChampsLieu essai = apres.champs;
        texte_champ(essai, champ) = texte_champ(affiches, champ);
        if (lit_lieu(essai)) {
            apres.champs = essai;
            apres.raisons[static_cast<std::size_t>(champ)].clear();
        } else {
            const DefautsLieu d = examine_lieu(essai);
            const std::string& propre = d.raisons[static_cast<std::size_t>(champ)];
            apres.raisons[static_cast<std::size_t>(champ)] = propre.empty() ? d.premiere() : propre;
            // Its value when its edit began; if that no longer goes with the others, the value it had.
            texte_champ(essai, champ) = repli;
            if (lit_lieu(essai)) apres.champs = essai;
        }
    }
    // A field left out before comes back when it goes with the others now.
    for (int i = 0; i < 4; ++i) {
        std::string& raison = apres.raisons[static_cast<std::size_t>(i)];
        if (raison.empty() || i == champ) continue;
        ChampsLieu essai = apres.champs;
        texte_champ(essai, i) = texte_champ(affiches, i);
        if (!lit_lieu(essai)) continue;
        apres.champs = essai;
        raison.clear();
    }
    return apres;
}

} // namespace orbitel
