#include "cli/rapport.hpp"

#include "cli/arguments.hpp"
#include "clock/lecture.hpp"
#include "clock/lieu.hpp"
#include "clock/nombres.hpp"
#include "text/releve.hpp"

namespace orbitel {

namespace {

// A message may quote what the user typed: bytes that are not UTF-8 become U+FFFD, so that the
// message stays text whatever was typed.
std::string texte_valide(const std::string& t) {
    std::string r;
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        std::size_t n = c < 0x80             ? 0
                        : (c & 0xE0) == 0xC0 ? 1
                        : (c & 0xF0) == 0xE0 ? 2
                        : (c & 0xF8) == 0xF0 ? 3
                                             : 9;
        unsigned code = n == 0 ? c : c & (0x3Fu >> n);
        bool bon = n < 9 && i + n < t.size();
        for (std::size_t k = 1; bon && k <= n; ++k) {
            const auto s = static_cast<unsigned char>(t[i + k]);
            bon = (s & 0xC0) == 0x80;
            code = (code << 6) | (s & 0x3Fu);
        }
        const unsigned minimum[] = {0, 0x80, 0x800, 0x10000};
        if (bon && code >= minimum[n] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
            r.append(t, i, n + 1);
            i += n + 1;
        } else {
            r += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return r;
}

} // namespace

SortieRapport execute_rapport(const std::vector<std::string>& args, const Horloge& horloge,
                              const MagasinReglages& reglages, char marque) {
    SortieRapport s;
    const ResultatArguments r = analyse_arguments(args);
    if (!r.erreur.empty()) {
        s.code = 2;
        s.erreurs = texte_valide(r.erreur) + "\n";
        return s;
    }
    const ArgumentsRapport& a = r.arguments;
    if (a.aide) {
        s.sortie = texte_aide;
        return s;
    }

    const auto lit = [](const std::string& texte) { return lit_nombre_ou_zero(texte); };
    Instant instant;
    if (!a.date && !a.heure) {
        HorlogeTu horloge_tu;
        lit_instant(instant, horloge_tu, horloge);
    } else {
        if (a.date) {
            instant.jour = lit((*a.date)[0]);
            instant.mois = lit((*a.date)[1]);
            instant.an = lit((*a.date)[2]);
        } else {
            const HorlogeTu maintenant = horloge.tu();
            instant.jour = maintenant.jour;
            instant.mois = maintenant.mois;
            instant.an = maintenant.annee;
        }
        if (a.heure) {
            instant.heures = lit((*a.heure)[0]);
            instant.minutes = lit((*a.heure)[1]);
            instant.secondes = en_simple(lit((*a.heure)[2]));
        }
    }

    // A sub-field that cannot be held has no previous value to keep: it reads 0.
    const auto texte_lu = [](const std::string& t) { return lit_nombre(t) ? t : std::string("0"); };
    // The place the window saved, where the command line gives none.
    const ChampsLieu enregistre = restaure_lieu(reglages);
    const std::vector<std::string> lat =
        a.latitude.value_or(std::vector<std::string>{enregistre.lat0, enregistre.lat1});
    const std::vector<std::string> lon =
        a.longitude.value_or(std::vector<std::string>{enregistre.lon0, enregistre.lon1});
    const bool nord = a.latitude ? a.nord : enregistre.nord;
    const bool est = a.longitude ? a.est : enregistre.est;
    const auto lieu =
        lit_lieu({texte_lu(lat[0]), texte_lu(lat[1]), texte_lu(lon[0]), texte_lu(lon[1]), nord, est});
    if (!lieu) {
        s.code = 2;
        s.erreurs = "orbitel-rapport : le lieu donné ne peut pas être représenté (valeur trop grande).\n";
        return s;
    }
    for (const std::string& ligne : releve(instant, *lieu, marque))
        s.sortie += ligne + '\n';
    return s;
}

} // namespace orbitel
