#include "cli/arguments.hpp"

#include <cctype>

namespace orbitel {

const char* const texte_aide =
    "Usage : orbitel-rapport [--date J/M/A] [--heure H:M:S] [--latitude DD:MM[N|S]] [--longitude DD:MM[E|O]]\n"
    "\n"
    "Affiche, une par ligne, les indications de la fenêtre d'Orbitel pour un instant et un lieu :\n"
    "coordonnées géocentriques et topocentriques de la Lune, hauteur et azimut, lever et coucher,\n"
    "dates des phases et écart entre temps terrestre et temps universel.\n"
    "\n"
    "  --date J/M/A           date en temps universel (sans --heure : à 0 h)\n"
    "  --heure H:M:S          heure en temps universel (sans --date : date TU du jour)\n"
    "  --latitude DD:MM[N|S]  latitude de l'observateur, degrés et minutes, N par défaut\n"
    "  --longitude DD:MM[E|O] longitude de l'observateur, degrés et minutes, E par défaut (W vaut O)\n"
    "  --help                 affiche cette aide\n"
    "\n"
    "Sans --date ni --heure, l'instant est l'instant présent (TU). Sans --latitude ni --longitude,\n"
    "le lieu est celui qu'Orbitel a enregistré (48:52N 2:20E par défaut).\n"
    "Les nombres sont lus comme dans la fenêtre : point ou virgule décimale, blancs ignorés.\n"
    "Une option peut s'écrire --date 12/4/1992 ou --date=12/4/1992.\n";

namespace {

std::vector<std::string> decoupe(const std::string& valeur, char separateur) {
    std::vector<std::string> morceaux(1);
    for (char c : valeur) {
        if (c == separateur) morceaux.emplace_back();
        else morceaux.back().push_back(c);
    }
    return morceaux;
}

// Splits "48:52N" into its sub-fields and its hemisphere letter.
std::string lit_lieu_argument(const std::string& option, const std::string& valeur,
                              std::optional<std::vector<std::string>>& champs, bool& positif, char lettre_positive,
                              char lettre_negative) {
    std::string texte = valeur;
    while (!texte.empty() && std::isspace(static_cast<unsigned char>(texte.back()))) texte.pop_back();
    positif = true;
    // A letter outside ASCII (é, ß...) ends in a byte above 0x7F: it is no hemisphere either.
    if (!texte.empty() && static_cast<unsigned char>(texte.back()) >= 0x80) {
        std::size_t debut = texte.size() - 1;
        while (debut > 0 && (static_cast<unsigned char>(texte[debut]) & 0xC0) == 0x80) --debut;
        return "orbitel-rapport : la lettre d'hémisphère « " + texte.substr(debut) + " » de " + option +
               " n'est pas " + lettre_positive + " ou " + lettre_negative + ".";
    }
    if (!texte.empty() && std::isalpha(static_cast<unsigned char>(texte.back()))) {
        char l = static_cast<char>(std::toupper(static_cast<unsigned char>(texte.back())));
        if (l == 'W') l = 'O';
        if (l != lettre_positive && l != lettre_negative)
            return "orbitel-rapport : la lettre d'hémisphère « " + std::string(1, texte.back()) + " » de " + option +
                   " n'est pas " + lettre_positive + " ou " + lettre_negative + ".";
        positif = l == lettre_positive;
        texte.pop_back();
    }
    auto morceaux = decoupe(texte, ':');
    if (morceaux.size() > 2)
        return "orbitel-rapport : la valeur « " + valeur + " » de " + option +
               " a trop de champs (degrés:minutes attendus).";
    morceaux.resize(2);
    champs = morceaux;
    return {};
}

} // namespace

ResultatArguments analyse_arguments(const std::vector<std::string>& args) {
    ResultatArguments r;
    auto& a = r.arguments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> valeur;
        if (const auto egal = option.find('='); option.rfind("--", 0) == 0 && egal != std::string::npos) {
            valeur = option.substr(egal + 1);
            option = option.substr(0, egal);
        }
        if (option == "--help" || option == "-h") {
            if (valeur) {
                r.erreur = "orbitel-rapport : l'option --help ne prend pas de valeur.";
                return r;
            }
            a.aide = true;
            continue;
        }
        const bool connue =
            option == "--date" || option == "--heure" || option == "--latitude" || option == "--longitude";
        if (!connue) {
            r.erreur = "orbitel-rapport : option inconnue « " + args[i] + " » (voir --help).";
            return r;
        }
        if (!valeur) {
            if (i + 1 >= args.size()) {
                r.erreur = "orbitel-rapport : il manque la valeur de " + option + ".";
                return r;
            }
            valeur = args[++i];
        }
        std::string erreur;
        if (option == "--date" || option == "--heure") {
            const char separateur = option == "--date" ? '/' : ':';
            auto morceaux = decoupe(*valeur, separateur);
            if (morceaux.size() > 3) {
                r.erreur = "orbitel-rapport : la valeur « " + *valeur + " » de " + option + " a trop de champs (" +
                           (option == "--date" ? "J/M/A" : "H:M:S") + " attendu).";
                return r;
            }
            morceaux.resize(3);
            (option == "--date" ? a.date : a.heure) = morceaux;
        } else if (option == "--latitude") {
            erreur = lit_lieu_argument(option, *valeur, a.latitude, a.nord, 'N', 'S');
        } else {
            erreur = lit_lieu_argument(option, *valeur, a.longitude, a.est, 'E', 'O');
        }
        if (!erreur.empty()) {
            r.erreur = erreur;
            return r;
        }
    }
    return r;
}

} // namespace orbitel
