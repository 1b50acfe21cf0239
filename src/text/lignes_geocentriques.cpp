#include "text/lignes_geocentriques.hpp"

#include <cmath>

#include "ephemeris/moteur.hpp"
#include "text/formats.hpp"
#include "text/heure_locale.hpp"

namespace orbitel {

namespace {

// "133° 10' 0,41''" from a value in degrees (or hours), with the carries of the display.
struct Morceaux {
    std::string unites, minutes, secondes;
};

Morceaux morceaux(double x, long long tour, bool deux_chiffres, char marque) {
    const SexagesimalAffiche s = sexagesimale_affichee(x, tour);
    const auto u = static_cast<double>(s.unites);
    if (deux_chiffres)
        return {texte_image(u, "00"), texte_image(s.minutes, "00"), texte_nombre(s.secondes, marque)};
    return {texte_nombre(u), texte_nombre(s.minutes), texte_nombre(s.secondes, marque)};
}

} // namespace

std::string ligne_absente(std::string_view libelle) {
    return std::string(libelle) + "---";
}

LignesGeocentriques lignes_geocentriques(const PositionLune& position, char marque, const Fuseau* zone) {
    LignesGeocentriques l;
    const std::string libelle = zone ? "Instant (heure locale) = " : "Instant G.M.T. = ";
    if (!position.geocentrique) {
        l.instant = libelle + "instant non calculable";
        l.longitude = ligne_absente("Longitude = ");
        l.latitude = ligne_absente("Latitude = ");
        l.distance = ligne_absente("Distance terre - Lune = ");
        l.parallaxe = ligne_absente("Parallaxe = ");
        l.ascension = ligne_absente("Ascension droite = ");
        l.declinaison = ligne_absente("Déclinaison = ");
        l.elongation = ligne_absente("Elongation = ");
        l.phase = ligne_absente("Phase = ");
        return l;
    }
    const Geocentrique& g = *position.geocentrique;

    l.instant = libelle + (zone ? texte_instant_local(position.instant, FormeInstant::seconde, *zone)
                                : texte_date(position.instant, true));

    // The longitude itself stays unreduced for the computations; the line shows it in [0, 360).
    double longitude = g.longitude * Rad;
    longitude -= 360 * std::floor(longitude / 360);
    const Morceaux lo = morceaux(longitude, 360, false, marque);
    l.longitude = "Longitude = " + lo.unites + "° " + lo.minutes + "' " + lo.secondes + "''";

    const double beta = g.latitude * Rad;
    const Morceaux la = morceaux(std::fabs(beta), 0, false, marque);
    l.latitude = std::string("Latitude = ") + (g.latitude < 0 ? "- " : "+ ") + la.unites + "° " + la.minutes +
                 "' " + la.secondes + "''";

    l.distance =
        "Distance terre - Lune = " + texte_nombre(std::floor(g.distance * 1000 + 0.5) / 1000, marque) +
        " kms";

    // The parallax line is built from the same rounded value as the engine's parallax.
    const double p = parallaxe_secondes(g.distance);
    const double pm = std::floor(p / 60);
    const double ps = std::floor((p - pm * 60) * 1000 + 0.5) / 1000;
    l.parallaxe = "Parallaxe = " + texte_nombre(pm) + " ' " + texte_nombre(ps, marque) + "''";

    const Morceaux ad = morceaux(g.ascension, 24, true, marque);
    l.ascension = "Ascension droite = " + ad.unites + " h " + ad.minutes + " m " + ad.secondes + "s";

    const Morceaux de = morceaux(std::fabs(g.declinaison), 0, true, marque);
    l.declinaison = std::string("Déclinaison = ") + (g.declinaison < 0 ? "-" : "+") + de.unites + "° " +
                    de.minutes + "' " + de.secondes + "''";

    const double elongation = std::floor(g.elongation * Rad * 10 + 0.5) / 10;
    const bool est = g.cote == CoteSoleil::est;
    l.elongation = "Elongation = " + texte_nombre(elongation, marque) + "° " + (est ? "Est" : "Ouest");
    l.infobulle_elongation = est ? "La lune se lève après le soleil" : "La lune se lève avant le soleil";

    l.phase = "Phase = " + texte_nombre(g.phase, marque) + "%";
    return l;
}

} // namespace orbitel
