// Any command line through orbitel-rapport's work (the input's NUL bytes separate the arguments):
// either a clean refusal, or the help, the version, or well-formed output of the form asked for;
// never "nan" or "inf", always UTF-8. Ranges are held to 100 rows, refused before any computing.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.hpp"
#include "cli/rapport.hpp"
#include "clock/horloge_fixe.hpp"
#include "outils_fuzz.hpp"

namespace {

using namespace orbitel;

// A zone whose clock is put forward and back by an hour every hundred days: gaps and repeated
// hours on every kind of date.
class FuseauAChangements final : public Fuseau {
public:
    std::int32_t decalage(double secondes_tu) const override {
        if (!std::isfinite(secondes_tu)) return 3600;
        return std::fmod(std::floor(secondes_tu / (100 * 86400.0)), 2.0) == 0 ? 3600 : 7200;
    }
};

std::vector<std::string_view> lignes_de(std::string_view t, std::string_view fin) {
    std::vector<std::string_view> v;
    for (std::size_t debut = 0; debut < t.size();) {
        const std::size_t p = t.find(fin, debut);
        fuzz::exige(p != std::string_view::npos); // every line ends
        v.push_back(t.substr(debut, p - debut));
        debut = p + fin.size();
    }
    return v;
}

std::size_t cellules(std::string_view ligne) {
    std::size_t n = 1;
    for (const char c : ligne)
        n += c == ',';
    return n;
}

// A header and rows of as many cells.
void verifie_csv(std::string_view t, std::string_view entete) {
    const auto l = lignes_de(t, "\n");
    fuzz::exige(!l.empty() && l[0] == entete);
    for (const std::string_view ligne : l)
        fuzz::exige(ligne.find('\r') == std::string_view::npos && cellules(ligne) == cellules(entete));
}

// An array of flat objects: brackets and braces balanced outside strings, strings closed, no
// control character inside them, nothing after the array.
void verifie_json(std::string_view t) {
    fuzz::exige(t.size() >= 3 && t.front() == '[' && t.substr(t.size() - 2) == "]\n");
    int profondeur = 0;
    bool chaine = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (chaine) {
            fuzz::exige(static_cast<unsigned char>(c) >= 0x20);
            if (c == '\\')
                ++i;
            else if (c == '"')
                chaine = false;
            continue;
        }
        if (c == '"') chaine = true;
        if (c == '[' || c == '{') ++profondeur;
        if (c == ']' || c == '}') --profondeur;
        fuzz::exige(profondeur >= 0 && profondeur <= 2);
        fuzz::exige(profondeur > 0 || i + 2 >= t.size());
    }
    fuzz::exige(!chaine && profondeur == 0);
}

// CRLF lines, one calendar, events that open and close in turn.
void verifie_ics(std::string_view t) {
    const auto l = lignes_de(t, "\r\n");
    fuzz::exige(l.size() >= 2 && l.front() == "BEGIN:VCALENDAR" && l.back() == "END:VCALENDAR");
    bool evenement = false;
    for (const std::string_view ligne : l) {
        fuzz::exige(ligne.find('\n') == std::string_view::npos && ligne.find('\r') == std::string_view::npos);
        if (ligne == "BEGIN:VEVENT") {
            fuzz::exige(!evenement);
            evenement = true;
        } else if (ligne == "END:VEVENT") {
            fuzz::exige(evenement);
            evenement = false;
        }
    }
    fuzz::exige(!evenement);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < taille && args.size() <= 16; ++i) {
        if (donnees[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(donnees[i]);
        }
    }
    const HorlogeFixe horloge({2026, 12, 1, 7, 5, 41, 7, 250}, {2026, 12, 7, 6, 41, 7});
    EnvironnementRapport env;
    env.horloge = &horloge;
    env.reglages = [] {
        return Resultat<std::unique_ptr<MagasinReglages>>(std::make_unique<MagasinMemoire>());
    };
    env.marque_decimale = [taille] { return taille % 2 ? ',' : '.'; };
    env.fuseau_systeme = [] { return std::make_unique<FuseauAChangements>(); };
    env.lignes_maximales = 100;
    std::ostringstream flux_sortie, flux_erreurs;
    const int code = execute_rapport(args, env, flux_sortie, flux_erreurs);
    const std::string sortie = flux_sortie.str();
    const std::string erreurs = flux_erreurs.str();

    fuzz::exige(fuzz::utf8_valide(sortie) && fuzz::utf8_valide(erreurs));
    fuzz::exige(!fuzz::nan_ou_inf(sortie));
    if (code == 2) {
        // A refusal says why on standard error and writes nothing else.
        fuzz::exige(sortie.empty() && !erreurs.empty() && erreurs.back() == '\n');
        return 0;
    }
    fuzz::exige(code == 0 && erreurs.empty());
    const Resultat<Commande> c = lit_commande(args);
    fuzz::exige(static_cast<bool>(c));
    if (c->quoi == Commande::Quoi::aide) {
        fuzz::exige(sortie == texte_aide());
        return 0;
    }
    if (c->quoi == Commande::Quoi::version) {
        fuzz::exige(sortie.rfind("orbitel-rapport ", 0) == 0 && fuzz::lignes(sortie) == 1);
        return 0;
    }
    const Demande& d = c->demande;
    const bool phases = d.forme == Forme::phases;
    switch (d.format) {
    case Format::texte:
        if (phases) {
            // About 49.5 phases a year (fewer in 1582, which lost ten days; the far years of the
            // panel's algorithm list fewer).
            const std::size_t n = fuzz::lignes(sortie);
            fuzz::exige(n <= 51 && (n == 0 || sortie.ends_with('\n')));
            if (std::abs(d.annee_phases) <= 10000) fuzz::exige(n >= 48);
        } else if (d.forme == Forme::instant) {
            fuzz::exige(fuzz::lignes(sortie) == 22 && sortie.ends_with('\n'));
        } else {
            // Each instant's 22 lines and an empty line (none when the typed time of day is past
            // the end of the range).
            const std::size_t n = fuzz::lignes(sortie);
            fuzz::exige(n % 23 == 0 && n / 23 <= 100 && (n == 0 || sortie.ends_with("\n\n")));
        }
        break;
    case Format::csv:
        verifie_csv(sortie, phases ? "phase,instant"
                                   : "instant,longitude,latitude,distance_km,parallaxe,ascension_droite,"
                                     "declinaison,distance_topo_km,ascension_droite_topo,declinaison_topo,"
                                     "elongation,cote,phase,hauteur,azimut,lever,azimut_lever,coucher,"
                                     "azimut_coucher");
        fuzz::exige(fuzz::lignes(sortie) <= (phases ? 52u : 101u));
        break;
    case Format::json:
        verifie_json(sortie);
        break;
    case Format::ics:
        verifie_ics(sortie);
        break;
    }
    return 0;
}
