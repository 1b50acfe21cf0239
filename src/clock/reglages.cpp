#include "clock/reglages.hpp"

#include <cctype>
#include <exception>

#include "clock/nombres.hpp"

namespace orbitel {

namespace {

bool egal_sans_casse(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool est_blanc(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

template <class Lecture> void lit_cle(Lecture&& lecture) {
    // One key that cannot be read must not keep the others from being restored.
    try {
        lecture();
    } catch (...) {
    }
}

} // namespace

std::optional<bool> lit_verite(std::string_view texte) {
    while (!texte.empty() && est_blanc(texte.front()))
        texte.remove_prefix(1);
    while (!texte.empty() && est_blanc(texte.back()))
        texte.remove_suffix(1);
    if (egal_sans_casse(texte, "true")) return true;
    if (egal_sans_casse(texte, "false")) return false;
    if (const auto v = lit_decimal(texte)) return *v != 0.0;
    return std::nullopt;
}

std::string_view texte_verite(bool valeur) {
    return valeur ? "True" : "False";
}

ChampsLieu restaure_lieu(const MagasinReglages& magasin) {
    ChampsLieu lieu;
    const auto texte = [&](std::string_view cle, std::string& champ) {
        lit_cle([&] {
            if (auto v = magasin.lit(section_lieu, cle)) champ = std::move(*v);
        });
    };
    texte("Lat0", lieu.lat0);
    texte("Lat1", lieu.lat1);
    texte("Lon0", lieu.lon0);
    texte("Lon1", lieu.lon1);
    const auto verite = [&](std::string_view cle, bool& choix) {
        lit_cle([&] {
            if (const auto v = magasin.lit(section_lieu, cle)) choix = lit_verite(*v).value_or(true);
        });
    };
    verite("NS", lieu.nord);
    verite("EO", lieu.est);
    return lieu;
}

namespace {

std::optional<EchecEcriture> ecrit_section(MagasinReglages& magasin, std::string_view section,
                                           const ValeursSection& valeurs, SiIllisible si_illisible) {
    try {
        return magasin.ecrit_ensemble(section, valeurs, si_illisible);
    } catch (const std::exception& e) {
        return EchecEcriture{"", e.what()};
    } catch (...) {
        return EchecEcriture{"", "erreur inconnue du magasin de réglages"};
    }
}

} // namespace

std::optional<EchecEcriture> enregistre_lieu(MagasinReglages& magasin, const ChampsLieu& lieu,
                                             SiIllisible si_illisible) {
    const ValeursSection valeurs{{"Lat0", lieu.lat0},
                                 {"Lat1", lieu.lat1},
                                 {"Lon0", lieu.lon0},
                                 {"Lon1", lieu.lon1},
                                 {"NS", std::string(texte_verite(lieu.nord))},
                                 {"EO", std::string(texte_verite(lieu.est))}};
    return ecrit_section(magasin, section_lieu, valeurs, si_illisible);
}

ChoixAffichage restaure_affichage(const MagasinReglages& magasin) {
    ChoixAffichage choix;
    const auto verite = [&](std::string_view cle, bool& interrupteur) {
        lit_cle([&] {
            if (const auto v = magasin.lit(section_affichage, cle))
                interrupteur = lit_verite(*v).value_or(false);
        });
    };
    verite("HeureLocale", choix.heure_locale);
    verite("Precis", choix.precis);
    verite("Oriente", choix.oriente);
    return choix;
}

std::optional<EchecEcriture> enregistre_affichage(MagasinReglages& magasin, const ChoixAffichage& choix,
                                                  SiIllisible si_illisible) {
    const ValeursSection valeurs{{"HeureLocale", std::string(texte_verite(choix.heure_locale))},
                                 {"Precis", std::string(texte_verite(choix.precis))},
                                 {"Oriente", std::string(texte_verite(choix.oriente))}};
    return ecrit_section(magasin, section_affichage, valeurs, si_illisible);
}

bool sauve_lieu(MagasinReglages& magasin, const ChampsLieu& lieu) {
    return !enregistre_lieu(magasin, lieu);
}

} // namespace orbitel
