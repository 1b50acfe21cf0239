#include "text/formats.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "clock/nombres.hpp"

namespace orbitel {

namespace {

bool que_des_zeros(const std::string& s) {
    return s.find_first_not_of('0') == std::string::npos;
}

std::string nombre_image(double x, int entiers, int decimales, char marque) {
    std::string chiffres = chiffres_arrondis(x, decimales);
    std::string partie_entiere = chiffres.substr(0, chiffres.size() - static_cast<std::size_t>(decimales));
    const std::string partie_decimale = chiffres.substr(partie_entiere.size());
    // Leading zeros: the picture asks for at least `entiers` digits.
    const std::size_t premier = partie_entiere.find_first_not_of('0');
    partie_entiere = premier == std::string::npos ? std::string() : partie_entiere.substr(premier);
    if (static_cast<int>(partie_entiere.size()) < entiers)
        partie_entiere =
            std::string(static_cast<std::size_t>(entiers) - partie_entiere.size(), '0') + partie_entiere;

    std::string texte;
    // A value that rounds to zero is written without its sign.
    if (x < 0 && !que_des_zeros(chiffres)) texte.push_back('-');
    texte += partie_entiere;
    if (decimales > 0) {
        texte.push_back(marque);
        texte += partie_decimale;
    }
    return texte;
}

std::string deux_chiffres(long long v) {
    char tampon[24];
    std::snprintf(tampon, sizeof tampon, "%02lld", v);
    return tampon;
}

std::string texte_heure(double fraction_jour, bool avec_secondes) {
    // Whole days drop out first (fmod is exact), so that no count of seconds outgrows its integer.
    fraction_jour = std::fmod(fraction_jour, 1.0);
    // Rounded to the whole second first; the minutes of "hh:mm" are those of the rounded time.
    const double secondes = std::fabs(arrondi_decimal(fraction_jour * 86400.0, 0));
    long long total = static_cast<long long>(secondes) % 86400;
    if (fraction_jour < 0) total = (86400 - total) % 86400;
    char tampon[32];
    if (avec_secondes)
        std::snprintf(tampon, sizeof tampon, "%02lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(tampon, sizeof tampon, "%02lld:%02lld", total / 3600, total / 60 % 60);
    return tampon;
}

} // namespace

std::string texte_image(double x, std::string_view image, char marque) {
    if (!std::isfinite(x)) return "---"; // never "nan" or "inf", nor digits made up from them
    if (image == "hh:mm:ss") return texte_heure(x, true);
    if (image == "hh:mm") return texte_heure(x, false);
    if (image == "#") {
        std::string texte = nombre_image(x, 0, 0, marque);
        return texte == "" || texte == "-" ? std::string() : texte;
    }
    const std::size_t point = image.find('.');
    const int entiers = static_cast<int>(point == std::string_view::npos ? image.size() : point);
    const int decimales = point == std::string_view::npos ? 0 : static_cast<int>(image.size() - point - 1);
    return nombre_image(x, entiers, decimales, marque);
}

std::string texte_nombre(double x, char marque) {
    if (x == 0) return "0"; // also -0
    if (!std::isfinite(x)) return "---";
    // The form of printf's "%.15G" in the C locale, whatever LC_NUMERIC says.
    char tampon[40];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::general, 15).ptr;
    std::string texte(tampon, fin);
    for (char& c : texte) {
        if (c == '.') c = marque;
        if (c == 'e') c = 'E';
    }
    return texte;
}

Sexagesimal decoupe_sexagesimale(double x) {
    const double unites = std::floor(x);
    const double minutes = 60.0 * (x - unites);
    const double secondes = 60.0 * (minutes - std::floor(minutes));
    return {unites, minutes, secondes};
}

double arrondi_centieme(double s) {
    return std::floor(100.0 * s + 0.5) / 100.0;
}

SexagesimalAffiche sexagesimale_affichee(double x, long long tour) {
    const Sexagesimal d = decoupe_sexagesimale(x);
    auto unites = static_cast<long long>(d.unites);
    int minutes = static_cast<int>(std::floor(d.minutes));
    double secondes = arrondi_centieme(d.secondes);
    if (secondes >= 60.0) {
        secondes = 0;
        ++minutes;
    }
    if (minutes >= 60) {
        minutes -= 60;
        ++unites;
    }
    if (tour > 0 && unites >= tour) unites -= tour;
    return {unites, minutes, secondes};
}

std::string texte_date(InstantTu instant, bool avec_secondes) {
    const std::optional<DateHeureTu> t = a_la_seconde(instant);
    if (!t) return "---";
    std::string texte = deux_chiffres(t->jour);
    texte += '/';
    texte += deux_chiffres(t->mois);
    texte += '/';
    texte += texte_nombre(static_cast<double>(t->an));
    texte += " à ";
    texte += deux_chiffres(t->heures);
    texte += ':';
    texte += deux_chiffres(t->minutes);
    if (avec_secondes) {
        texte += ':';
        texte += deux_chiffres(t->secondes);
    }
    return texte;
}

} // namespace orbitel
