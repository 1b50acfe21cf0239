#include "text/lignes_planification.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "text/formats.hpp"
#include "text/heure_locale.hpp"

namespace orbitel {

namespace {

// A signed number with one or two decimals and its sign always written: "+5,12", "-3,40".
std::string signe(double x, std::string_view image, char marque) {
    const std::string t = texte_image(x, image, marque);
    if (t.empty() || t[0] == '-') return t;
    return std::string(1, '+') + t;
}

std::string date_minute(double jj) {
    return texte_date(InstantTu::du_jour_julien(jj), false);
}

} // namespace

std::string ligne_passage(const std::optional<Passage>& passage, char marque) {
    if (!passage) return "Passage au méridien: ---";
    return "Passage au méridien: " + date_minute(passage->jj) + " (hauteur " +
           texte_image(passage->hauteur, "0.0", marque) + "°)";
}

std::string ligne_apside(const Apside& apside, char marque) {
    return std::string(apside.type == TypeApside::perigee ? "Périgée: " : "Apogée: ") +
           date_minute(apside.jj) + " (" + texte_image(apside.distance_km, "0", marque) + " km)";
}

std::string ligne_age(const std::optional<AgeLune>& age, char marque) {
    if (!age) return "Âge de la Lune: ---";
    return "Âge de la Lune: " + texte_image(age->jours, "0.0", marque) + " jours (lunaison " +
           std::to_string(age->lunaison_brown) + ")";
}

std::string ligne_diametre(const AspectLune& aspect, char marque) {
    return "Diamètre apparent: " + texte_image(aspect.diametre_geocentrique * 60, "0.00", marque) +
           "' (vu du lieu: " + texte_image(aspect.diametre_topocentrique * 60, "0.00", marque) + "')";
}

std::string ligne_libration(const Libration& l, char marque) {
    return "Libration: longitude " + signe(l.longitude, "0.00", marque) + "°, latitude " +
           signe(l.latitude, "0.00", marque) + "°, angle de l'axe " +
           texte_image(l.angle_axe, "0.0", marque) + "°";
}

std::string ligne_limbe(const AspectLune& a, char marque) {
    return "Limbe éclairé: angle de position " + texte_image(a.angle_limbe_topocentrique, "0.0", marque) +
           "°, angle parallactique " + texte_image(a.angle_parallactique, "0.0", marque) + "°, inclinaison " +
           texte_image(a.inclinaison_limbe, "0.0", marque) + "°";
}

std::string ligne_soleil(const PositionSoleil& s, char marque) {
    return "Soleil: hauteur " + texte_image(s.hauteur, "0.0", marque) + "°, azimut " +
           texte_image(s.azimut, "0.0", marque) + "°";
}

LignesSeuil lignes_seuil(const JourSoleil& jour, SeuilSoleil seuil, char marque) {
    static constexpr std::string_view montees[] = {
        "Lever du soleil: ", "Aube civile: ", "Aube nautique: ", "Aube astronomique: "};
    static constexpr std::string_view descentes[] = {
        "Coucher du soleil: ", "Crépuscule civil: ", "Crépuscule nautique: ", "Crépuscule astronomique: "};
    const auto i = static_cast<std::size_t>(seuil);
    const PassagesSeuil& p = jour.seuils[i];
    std::string absent = "---";
    if (p.sans_passage != SansPassage::non) {
        const double h = hauteurs_seuils[i];
        absent +=
            std::string(p.sans_passage == SansPassage::toujours_dessus ? " (soleil toujours au-dessus de "
                                                                       : " (soleil toujours au-dessous de ") +
            texte_nombre(h, marque) + "°)";
    }
    return {std::string(montees[i]) + (p.montee ? date_minute(*p.montee) : absent),
            std::string(descentes[i]) + (p.descente ? date_minute(*p.descente) : absent)};
}

std::string notice_delta_t_precis(double jj, double secondes, char marque, const Fuseau* zone) {
    const InstantTu instant = InstantTu::du_jour_julien(jj);
    std::string date =
        zone ? texte_instant_local(instant, FormeInstant::minute, *zone) : texte_date(instant, false);
    date = date.substr(0, date.find(" à "));
    return std::string("Les heures sont en ") + (zone ? "heure locale" : "temps universel") +
           ", la différence avec le temps terrestre (TT) est, le " + date + ", de " +
           texte_image(secondes, "00.00", marque) + " secondes (modèle précis).";
}
} // namespace orbitel
