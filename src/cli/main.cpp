// orbitel-rapport: the texts of the window for one instant and one place, on standard output.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "clock/lecture.hpp"
#include "clock/lieu.hpp"
#include "clock/reglages.hpp"
#include "platform/codage_sortie.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"
#include "cli/arguments.hpp"
#include "text/releve.hpp"

using namespace orbitel;

namespace {

double lit(const std::string& texte) { return lit_nombre_ou_zero(texte); }

} // namespace

int main(int argc, char** argv) {
    // Texts and messages in the terminal's character set when it is not UTF-8 ("?" for what it lacks).
    const std::optional<std::string> jeu = jeu_de_conversion_de_l_environnement();
    const auto local = [&](const std::string& texte) { return jeu ? vers_jeu(texte, *jeu) : texte; };
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ResultatArguments r = analyse_arguments(args);
    if (!r.erreur.empty()) {
        std::cerr << local(r.erreur) << "\n";
        return 2;
    }
    const ArgumentsRapport& a = r.arguments;
    if (a.aide) {
        std::cout << local(texte_aide);
        return 0;
    }

    Instant instant;
    if (!a.date && !a.heure) {
        HorlogeTu horloge_tu;
        lit_instant(instant, horloge_tu, HorlogeSysteme{});
    } else {
        if (a.date) {
            instant.jour = lit((*a.date)[0]);
            instant.mois = lit((*a.date)[1]);
            instant.an = lit((*a.date)[2]);
        } else {
            const HorlogeTu maintenant = HorlogeSysteme{}.tu();
            instant.jour = maintenant.jour;
            instant.mois = maintenant.mois;
            instant.an = maintenant.annee;
        }
        if (a.heure) {
            instant.heures = lit((*a.heure)[0]);
            instant.minutes = lit((*a.heure)[1]);
            instant.secondes = static_cast<float>(lit((*a.heure)[2]));
        }
    }

    // A sub-field that cannot be held has no previous value to keep: it reads 0.
    const auto texte_lu = [](const std::string& t) { return lit_nombre(t) ? t : std::string("0"); };
    // The place the window saved, where the command line gives none.
    const LieuEnregistre enregistre = restaure_lieu(*ouvre_reglages_utilisateur(QStringLiteral("orbitel")));
    const std::vector<std::string> lat = a.latitude.value_or(std::vector<std::string>{enregistre.lat0, enregistre.lat1});
    const std::vector<std::string> lon = a.longitude.value_or(std::vector<std::string>{enregistre.lon0, enregistre.lon1});
    const bool nord = a.latitude ? a.nord : enregistre.nord;
    const bool est = a.longitude ? a.est : enregistre.est;
    const auto lieu = lit_lieu({texte_lu(lat[0]), texte_lu(lat[1]), texte_lu(lon[0]), texte_lu(lon[1]), nord, est});
    if (!lieu) {
        std::cerr << local("orbitel-rapport : le lieu donné ne peut pas être représenté (valeur trop grande).\n");
        return 2;
    }

    for (const std::string& ligne : releve(instant, *lieu, marque_decimale_locale())) std::cout << local(ligne) << '\n';
    return 0;
}
