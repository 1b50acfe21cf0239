#include "text/lignes_geocentriques.hpp"

#include <cmath>

#include "ephemeris/moteur.hpp"
#include "text/formats.hpp"

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

LignesGeocentriques lignes_geocentriques(const EtatLune& e, char marque) {
    LignesGeocentriques l;
    if (!est_calculable(e)) {
        l.Label9 = "Instant G.M.T. = instant non calculable";
        l.Label1 = ligne_absente("Longitude = ");
        l.Label2 = ligne_absente("Latitude = ");
        l.Label3 = ligne_absente("Distance terre - Lune = ");
        l.Label4 = ligne_absente("Parallaxe = ");
        l.Label5 = ligne_absente("Ascension droite = ");
        l.Label6 = ligne_absente("Déclinaison = ");
        l.Label7 = ligne_absente("Elongation = ");
        l.Label8 = ligne_absente("Phase = ");
        return l;
    }

    l.Label9 = "Instant G.M.T. = " + texte_date(e.JJ, true);

    // The longitude itself stays unreduced for the computations; the line shows it in [0, 360).
    double longitude = e.Lambda * Rad;
    longitude -= 360 * std::floor(longitude / 360);
    const Morceaux lo = morceaux(longitude, 360, false, marque);
    l.Label1 = "Longitude = " + lo.unites + "° " + lo.minutes + "' " + lo.secondes + "''";

    const double beta = e.Beta * Rad;
    const Morceaux la = morceaux(std::fabs(beta), 0, false, marque);
    l.Label2 = std::string("Latitude = ") + (e.Beta < 0 ? "- " : "+ ") + la.unites + "° " + la.minutes +
               "' " + la.secondes + "''";

    l.Label3 = "Distance terre - Lune = " + texte_nombre(std::floor(e.Distance * 1000 + 0.5) / 1000, marque) +
               " kms";

    // The parallax line is built from the same rounded value as Parallaxe.
    const double p = parallaxe_secondes(e.Distance);
    const double pm = std::floor(p / 60);
    const double ps = std::floor((p - pm * 60) * 1000 + 0.5) / 1000;
    l.Label4 = "Parallaxe = " + texte_nombre(pm) + " ' " + texte_nombre(ps, marque) + "''";

    const Morceaux ad = morceaux(e.Ascension, 24, true, marque);
    l.Label5 = "Ascension droite = " + ad.unites + " h " + ad.minutes + " m " + ad.secondes + "s";

    const Morceaux de = morceaux(std::fabs(e.Declinaison), 0, true, marque);
    l.Label6 = std::string("Déclinaison = ") + (e.Declinaison < 0 ? "-" : "+") + de.unites + "° " +
               de.minutes + "' " + de.secondes + "''";

    const double elongation = std::floor(e.Elongation * Rad * 10 + 0.5) / 10;
    l.Label7 = "Elongation = " + texte_nombre(elongation, marque) + "° " + std::string(e.EstOuest);
    l.infobulle_Label7 =
        e.EstOuest == "Ouest" ? "La lune se lève avant le soleil" : "La lune se lève après le soleil";

    l.Label8 = "Phase = " + texte_nombre(e.Phase, marque) + "%";
    return l;
}

} // namespace orbitel
