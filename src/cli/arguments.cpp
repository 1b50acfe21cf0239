#include "cli/arguments.hpp"

#include <cctype>
#include <cmath>

#include "clock/calendrier.hpp"
#include "clock/lecture.hpp"
#include "clock/nombres.hpp"

namespace orbitel {

const char* const texte_aide =
    "Usage : orbitel-rapport [--date J/M/A] [--heure H:M:S] [--latitude DD:MM[N|S]] [--longitude "
    "DD:MM[E|O]]\n"
    "                        [--saisie stricte|fenetre] [--format texte|csv|json] [--fuseau "
    "tu|local|±HH:MM]\n"
    "        orbitel-rapport --du J/M/A --au J/M/A [--pas N(j|h|min)] [--heure H:M:S] [--latitude …]\n"
    "                        [--longitude …] [--saisie …] [--format texte|csv|json] [--fuseau …]\n"
    "        orbitel-rapport --phases AAAA [--format texte|csv|json|ics] [--fuseau …]\n"
    "        orbitel-rapport --version | --help\n"
    "\n"
    "Affiche les indications de la fenêtre d'Orbitel pour un instant et un lieu (coordonnées de la\n"
    "Lune, hauteur et azimut, lever et coucher, phases, écart TT - TU), en tables pour une période,\n"
    "ou les phases d'une année.\n"
    "\n"
    "  --date J/M/A            date (sans --heure : à 0 h)\n"
    "  --heure H:M:S           heure, secondes facultatives (sans --date : date du jour)\n"
    "  --latitude DD:MM[N|S]   latitude de l'observateur, au plus 90°, N par défaut\n"
    "  --longitude DD:MM[E|O]  longitude de l'observateur, au plus 180°, E par défaut (W vaut O)\n"
    "  --du J/M/A --au J/M/A   période, bornes comprises, depuis --heure (0 h par défaut) de --du\n"
    "  --pas N(j|h|min)        pas de la période : N jours (même heure), heures ou minutes ; 1j par défaut\n"
    "  --phases AAAA           nouvelles lunes, premiers quartiers, pleines lunes et derniers quartiers\n"
    "                          de l'année AAAA\n"
    "  --format texte          les 22 lignes de la fenêtre (par défaut ; une ligne vide entre deux "
    "instants)\n"
    "  --format csv|json       une ligne (un objet) par instant, nombres non arrondis, point décimal\n"
    "  --format ics            calendrier iCalendar des phases (avec --phases seulement)\n"
    "  --fuseau tu|local|±HH:MM  fuseau des dates et heures lues et écrites : temps universel (par\n"
    "                          défaut), heure légale du système, ou décalage fixe ; texte : tu seulement\n"
    "  --saisie stricte        chaque nombre doit être lu en entier et former une date, une heure ou un\n"
    "                          lieu valables (par défaut)\n"
    "  --saisie fenetre        nombres lus comme dans la fenêtre : champ manquant ou illisible = 0\n"
    "  --version               affiche la version\n"
    "  --help                  affiche cette aide\n"
    "\n"
    "Sans --date ni --heure, l'instant est l'instant présent. Sans --latitude ni --longitude, le lieu\n"
    "est celui qu'Orbitel a enregistré (48:52N 2:20E par défaut). Les dates suivent le calendrier\n"
    "julien avant le 15/10/1582, grégorien ensuite ; années de -32767 à 32767. Les nombres admettent\n"
    "la virgule ou le point décimal et les blancs. Une option s'écrit aussi --date=12/4/1992.\n"
    "Chaque option se donne au plus une fois.\n"
    "\n"
    "Statut de sortie :\n"
    "  0  réussite\n"
    "  1  la sortie standard n'a pas pu être écrite, ou le module orbitel-rapport-qt.so ne se\n"
    "     charge pas (message sur la sortie d'erreur)\n"
    "  2  argument refusé (message sur la sortie d'erreur, rien sur la sortie standard)\n";

namespace {

constexpr const char* Prefixe = "orbitel-rapport : ";

std::vector<std::string> decoupe(const std::string& valeur, char separateur) {
    std::vector<std::string> morceaux(1);
    for (char c : valeur) {
        if (c == separateur)
            morceaux.emplace_back();
        else
            morceaux.back().push_back(c);
    }
    return morceaux;
}

std::string refus(const std::string& option, const std::string& valeur, const std::string& raison) {
    return Prefixe + option + " « " + valeur + " » : " + raison + ".";
}

// Splits "48:52N" into its sub-fields and its hemisphere letter.
std::string lit_lieu_argument(const std::string& option, const std::string& valeur,
                              std::vector<std::string>& champs, bool& positif, char lettre_positive,
                              char lettre_negative) {
    std::string texte = valeur;
    while (!texte.empty() && std::isspace(static_cast<unsigned char>(texte.back())))
        texte.pop_back();
    positif = true;
    // A letter outside ASCII (é, ß...) ends in a byte above 0x7F: it is no hemisphere either.
    if (!texte.empty() && static_cast<unsigned char>(texte.back()) >= 0x80) {
        std::size_t debut = texte.size() - 1;
        while (debut > 0 && (static_cast<unsigned char>(texte[debut]) & 0xC0) == 0x80)
            --debut;
        return std::string(Prefixe) + "la lettre d'hémisphère « " + texte.substr(debut) + " » de " + option +
               " n'est pas " + lettre_positive + " ou " + lettre_negative + ".";
    }
    if (!texte.empty() && std::isalpha(static_cast<unsigned char>(texte.back()))) {
        char l = static_cast<char>(std::toupper(static_cast<unsigned char>(texte.back())));
        if (l == 'W') l = 'O';
        if (l != lettre_positive && l != lettre_negative)
            return std::string(Prefixe) + "la lettre d'hémisphère « " + std::string(1, texte.back()) +
                   " » de " + option + " n'est pas " + lettre_positive + " ou " + lettre_negative + ".";
        positif = l == lettre_positive;
        texte.pop_back();
    }
    champs = decoupe(texte, ':');
    if (champs.size() > 2)
        return std::string(Prefixe) + "la valeur « " + valeur + " » de " + option +
               " a trop de champs (degrés:minutes attendus).";
    return {};
}

// True when the strict reading refuses the text only because its number cannot be held in a
// double (1E999, -1E999, &H followed by 300 F): the reading gives no value for the leading number,
// and the same text with each of its digits made 0 is a number and nothing else.
bool trop_grand(const std::string& texte) {
    if (lit_nombre(texte)) return false;
    const auto suivant = [&](std::size_t depuis) {
        const auto i = texte.find_first_not_of(" \t\n", depuis);
        return i == std::string::npos ? texte.size() : i;
    };
    // The digits of &H1F and &O17 stand after the prefix; any other number is decimal.
    const std::size_t et = suivant(0);
    const std::size_t lettre = et < texte.size() ? suivant(et + 1) : texte.size();
    int base = 10;
    std::size_t debut = 0;
    if (et < texte.size() && texte[et] == '&' && lettre < texte.size()) {
        const char l = static_cast<char>(std::toupper(static_cast<unsigned char>(texte[lettre])));
        base = l == 'H' ? 16 : l == 'O' ? 8 : 10;
        debut = lettre + 1;
    }
    std::string zeros = texte;
    for (std::size_t i = debut; i < zeros.size(); ++i) {
        const auto c = static_cast<unsigned char>(zeros[i]);
        const int chiffre = std::isdigit(c) ? c - '0' : std::isxdigit(c) ? std::toupper(c) - 'A' + 10 : base;
        if (chiffre < base) zeros[i] = '0';
    }
    return lit_nombre_strict(zeros).has_value();
}

bool entier(double x) {
    return std::isfinite(x) && std::floor(x) == x;
}

// The sub-fields of a value read strictly: each must be a number with nothing else but blanks.
std::string lit_strict(const std::string& option, const std::string& valeur,
                       const std::vector<std::string>& champs, const std::string& attendu,
                       std::vector<double>& nombres) {
    nombres.clear();
    for (const std::string& c : champs) {
        const std::optional<double> v = lit_nombre_strict(c);
        if (!v) {
            const std::string quoi = c.find_first_not_of(" \t\n") == std::string::npos ? "un champ est vide"
                                     : trop_grand(c) ? "« " + c + " » est un nombre trop grand"
                                                     : "« " + c + " » n'est pas un nombre";
            return refus(option, valeur, quoi + " (" + attendu + ")");
        }
        nombres.push_back(*v);
    }
    return {};
}

std::string lit_date(const std::string& option, const std::string& valeur, Saisie saisie, ChampsDate& date) {
    const std::string attendu = "J/M/A attendu : jour, mois et année entiers";
    auto champs = decoupe(valeur, '/');
    if (champs.size() > 3)
        return Prefixe + std::string("la valeur « ") + valeur + " » de " + option +
               " a trop de champs (J/M/A attendu).";
    if (saisie == Saisie::fenetre) {
        champs.resize(3);
        date = {lit_nombre_ou_zero(champs[0]), lit_nombre_ou_zero(champs[1]), lit_nombre_ou_zero(champs[2])};
        return {};
    }
    if (champs.size() < 3) return refus(option, valeur, "il manque des champs (" + attendu + ")");
    std::vector<double> n;
    if (auto e = lit_strict(option, valeur, champs, attendu, n); !e.empty()) return e;
    if (!entier(n[0]) || !entier(n[1]) || !entier(n[2])) return refus(option, valeur, attendu);
    if (n[2] < -32767 || n[2] > 32767) return refus(option, valeur, "année de -32767 à 32767 attendue");
    if (n[2] == 1582 && n[1] == 10 && n[0] >= 5 && n[0] <= 14)
        return refus(
            option, valeur,
            "les jours du 5 au 14/10/1582 n'existent pas (le 4/10/1582, julien, est suivi du 15/10/1582, "
            "grégorien)");
    // A day or month far out of range is no date either, and no 64-bit integer would hold it.
    const bool jour_et_mois_possibles = n[0] >= 1 && n[0] <= 31 && n[1] >= 1 && n[1] <= 12;
    if (!jour_et_mois_possibles ||
        !date_reelle_jour_julien(static_cast<std::int64_t>(n[2]), static_cast<std::int64_t>(n[1]),
                                 static_cast<std::int64_t>(n[0])))
        return refus(option, valeur,
                     "ce jour n'existe pas (mois de 1 à 12, jour dans le mois ; calendrier julien avant le "
                     "15/10/1582, grégorien ensuite)");
    date = {n[0], n[1], n[2]};
    return {};
}

std::string lit_heure(const std::string& valeur, Saisie saisie, ChampsHeure& heure) {
    const std::string option = "--heure";
    auto champs = decoupe(valeur, ':');
    if (champs.size() > 3)
        return Prefixe + std::string("la valeur « ") + valeur + " » de " + option +
               " a trop de champs (H:M:S attendu).";
    if (saisie == Saisie::fenetre) {
        champs.resize(3);
        heure = {lit_nombre_ou_zero(champs[0]), lit_nombre_ou_zero(champs[1]),
                 en_simple(lit_nombre_ou_zero(champs[2]))};
        return {};
    }
    const std::string attendu = "H:M ou H:M:S attendu";
    if (champs.size() < 2) return refus(option, valeur, "il manque les minutes (" + attendu + ")");
    std::vector<double> n;
    if (auto e = lit_strict(option, valeur, champs, attendu, n); !e.empty()) return e;
    n.resize(3);
    if (!entier(n[0]) || n[0] < 0 || n[0] > 23)
        return refus(option, valeur, "heures entières de 0 à 23 attendues");
    if (!entier(n[1]) || n[1] < 0 || n[1] > 59)
        return refus(option, valeur, "minutes entières de 0 à 59 attendues");
    if (!(n[2] >= 0 && n[2] < 60)) return refus(option, valeur, "secondes de 0 à moins de 60 attendues");
    heure = {n[0], n[1], static_cast<float>(n[2])};
    return {};
}

std::string lit_lieu(const std::string& option, const std::string& valeur, Saisie saisie, double maximum,
                     std::optional<std::vector<std::string>>& sortie, bool& positif, char lettre_positive,
                     char lettre_negative) {
    std::vector<std::string> champs;
    if (auto e = lit_lieu_argument(option, valeur, champs, positif, lettre_positive, lettre_negative);
        !e.empty())
        return e;
    champs.resize(2);
    if (saisie == Saisie::fenetre) {
        // As the window: a sub-field that cannot be held reads 0; a latitude past the pole is no place.
        for (std::string& c : champs)
            if (!lit_nombre(c)) c.assign(1, '0');
        const double degres = lit_nombre_ou_zero(champs[0]) + lit_nombre_ou_zero(champs[1]) / 60;
        if (lettre_positive == 'N' && !(std::fabs(degres) <= 90))
            return refus(option, valeur, "une latitude va au plus à 90° (degrés et minutes ensemble)");
        sortie = champs;
        return {};
    }
    const std::string attendu =
        std::string("DD ou DD:MM suivi de ") + lettre_positive + " ou " + lettre_negative + " attendu";
    if (champs[1].empty() && valeur.find(':') == std::string::npos) champs[1] = "0";
    std::vector<double> n;
    if (auto e = lit_strict(option, valeur, champs, attendu, n); !e.empty()) return e;
    if (n[0] < 0 || n[1] < 0)
        return refus(option, valeur, "degrés et minutes positifs attendus (la lettre donne le côté)");
    if (!(n[1] < 60)) return refus(option, valeur, "minutes inférieures à 60 attendues");
    if (!(n[0] + n[1] / 60 <= maximum))
        return refus(option, valeur, "au plus " + std::to_string(static_cast<int>(maximum)) + "° attendus");
    sortie = champs;
    return {};
}

std::string lit_pas(const std::string& valeur, Pas& pas) {
    std::size_t i = 0;
    while (i < valeur.size() && valeur[i] >= '0' && valeur[i] <= '9')
        ++i;
    const std::string chiffres = valeur.substr(0, i);
    const std::string unite = valeur.substr(i);
    const std::string attendu = "N(j|h|min) attendu, N entier : 1j, 6h, 30min";
    if (chiffres.empty() || (unite != "j" && unite != "h" && unite != "min"))
        return refus("--pas", valeur, attendu);
    if (chiffres.size() > 9) return refus("--pas", valeur, "N trop grand (au plus 999999999)");
    const std::int64_t n = std::stoll(chiffres);
    if (n == 0) return refus("--pas", valeur, "un pas nul n'avance pas (N d'au moins 1 attendu)");
    pas.jours = unite == "j";
    pas.nombre = unite == "j" ? n : unite == "h" ? n * 3600 : n * 60;
    return {};
}

std::string lit_fuseau(const std::string& valeur, Demande& d) {
    if (valeur == "tu") {
        d.zone = Zone::tu;
        return {};
    }
    if (valeur == "local") {
        d.zone = Zone::locale;
        return {};
    }
    const std::string attendu = "tu, local ou ±HH:MM attendu (+02:00, -05:00, +05:30)";
    std::string t = valeur;
    int signe = 0;
    if (t.rfind("+", 0) == 0)
        signe = 1, t.erase(0, 1);
    else if (t.rfind("-", 0) == 0)
        signe = -1, t.erase(0, 1);
    else if (t.rfind("±", 0) == 0)
        t.clear(); // the picture of the help, not a sign
    const auto deux_points = t.find(':');
    if (signe == 0 || deux_points == std::string::npos || deux_points < 1 || deux_points > 2 ||
        t.size() != deux_points + 3 || t.find_first_not_of("0123456789:") != std::string::npos ||
        t.find(':', deux_points + 1) != std::string::npos)
        return refus("--fuseau", valeur, attendu);
    const int h = std::stoi(t.substr(0, deux_points));
    const int m = std::stoi(t.substr(deux_points + 1));
    if (h > 23 || m > 59) return refus("--fuseau", valeur, "heures de 0 à 23 et minutes de 0 à 59 attendues");
    d.zone = Zone::fixe;
    d.decalage = signe * (h * 3600 + m * 60);
    return {};
}

std::string lit_annee_phases(const std::string& valeur, Saisie saisie, std::int16_t& annee) {
    const std::string attendu = "une année entière de -32767 à 32767 attendue";
    std::optional<double> v = saisie == Saisie::fenetre ? std::optional<double>(lit_nombre_ou_zero(valeur))
                                                        : lit_nombre_strict(valeur);
    if (!v)
        return refus("--phases", valeur,
                     (trop_grand(valeur) ? "c'est un nombre trop grand (" : "ce n'est pas un nombre (") +
                         attendu + ")");
    if (!entier(*v) || *v < -32767 || *v > 32767) return refus("--phases", valeur, attendu);
    annee = static_cast<std::int16_t>(*v);
    return {};
}

std::string incompatibles(const std::string& a, const std::string& b, const std::string& pourquoi) {
    return Prefixe + a + " ne va pas avec " + b + " (" + pourquoi + ").";
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
        if (option == "--help" || option == "-h" || option == "--version") {
            if (valeur) {
                r.erreur = Prefixe + std::string("l'option ") + option + " ne prend pas de valeur.";
                return r;
            }
            bool& drapeau = option == "--version" ? a.version : a.aide;
            if (drapeau) {
                r.erreur = Prefixe + std::string("l'option ") + option + " est donnée deux fois.";
                return r;
            }
            drapeau = true;
            continue;
        }
        std::optional<std::string>* cible = nullptr;
        if (option == "--date")
            cible = &a.date;
        else if (option == "--heure")
            cible = &a.heure;
        else if (option == "--latitude")
            cible = &a.latitude;
        else if (option == "--longitude")
            cible = &a.longitude;
        else if (option == "--du")
            cible = &a.du;
        else if (option == "--au")
            cible = &a.au;
        else if (option == "--pas")
            cible = &a.pas;
        else if (option == "--phases")
            cible = &a.phases;
        else if (option == "--saisie")
            cible = &a.saisie;
        else if (option == "--format")
            cible = &a.format;
        else if (option == "--fuseau")
            cible = &a.fuseau;
        if (!cible) {
            r.erreur = Prefixe + std::string("option inconnue « ") + args[i] + " » (voir --help).";
            return r;
        }
        if (!valeur) {
            if (i + 1 >= args.size()) {
                r.erreur = Prefixe + std::string("il manque la valeur de ") + option + ".";
                return r;
            }
            valeur = args[++i];
        }
        // The last one winning would hide a typing slip: which of the two was meant is not known.
        if (*cible) {
            r.erreur = Prefixe + std::string("l'option ") + option + " est donnée deux fois (« " + **cible +
                       " » puis « " + *valeur + " ») ; une seule valeur attendue.";
            return r;
        }
        *cible = *valeur;
    }
    return r;
}

ResultatDemande lit_demande(const ArgumentsRapport& a) {
    ResultatDemande r;
    Demande& d = r.demande;
    auto& erreur = r.erreur;

    if (a.saisie) {
        if (*a.saisie == "stricte")
            d.saisie = Saisie::stricte;
        else if (*a.saisie == "fenetre")
            d.saisie = Saisie::fenetre;
        else
            return {d, refus("--saisie", *a.saisie, "stricte ou fenetre attendu")};
    }
    if (a.format) {
        if (*a.format == "texte")
            d.format = Format::texte;
        else if (*a.format == "csv")
            d.format = Format::csv;
        else if (*a.format == "json")
            d.format = Format::json;
        else if (*a.format == "ics")
            d.format = Format::ics;
        else
            return {d, refus("--format", *a.format, "texte, csv, json ou ics attendu")};
    }
    if (a.fuseau && !(erreur = lit_fuseau(*a.fuseau, d)).empty()) return r;

    // Which form: the options that belong to another one are refused rather than ignored.
    if (a.phases) {
        d.forme = Demande::Forme::phases;
        const std::pair<const std::optional<std::string>*, const char*> autres[] = {
            {&a.date, "--date"},
            {&a.du, "--du"},
            {&a.au, "--au"},
            {&a.pas, "--pas"},
            {&a.heure, "--heure"},
            {&a.latitude, "--latitude"},
            {&a.longitude, "--longitude"}};
        for (const auto& [o, nom] : autres)
            if (*o)
                return {d,
                        incompatibles("--phases", nom, "les phases d'une année ne dépendent que de l'année")};
        if (d.format == Format::texte && d.zone != Zone::tu)
            return {d, incompatibles(
                           "--format texte", "--fuseau « " + *a.fuseau + " »",
                           "les lignes du tableau des phases sont en temps universel ; prendre csv, json "
                           "ou ics")};
        erreur = lit_annee_phases(*a.phases, d.saisie, d.annee_phases);
        return r;
    }
    if (d.format == Format::ics)
        return {d, Prefixe + std::string("--format ics ne sert qu'avec --phases AAAA.")};
    if (d.format == Format::texte && d.zone != Zone::tu)
        return {d,
                incompatibles("--format texte", "--fuseau « " + *a.fuseau + " »",
                              "les 22 lignes de la fenêtre sont en temps universel ; prendre csv ou json")};
    if (a.du || a.au) {
        if (a.date)
            return {d,
                    incompatibles(a.du ? "--du" : "--au", "--date", "une date ou une période, pas les deux")};
        if (!a.du) return {d, Prefixe + std::string("--au demande --du (la période va de --du à --au).")};
        if (!a.au) return {d, Prefixe + std::string("--du demande --au (la période va de --du à --au).")};
        d.forme = Demande::Forme::plage;
        ChampsDate du, au;
        if (!(erreur = lit_date("--du", *a.du, d.saisie, du)).empty()) return r;
        if (!(erreur = lit_date("--au", *a.au, d.saisie, au)).empty()) return r;
        const auto jour_0h = [](const ChampsDate& c) {
            Instant i;
            i.jour = c.jour;
            i.mois = c.mois;
            i.an = c.an;
            return jour_julien_0h(i);
        };
        if (jour_0h(au) < jour_0h(du))
            return {d, Prefixe + std::string("--au « ") + *a.au + " » est avant --du « " + *a.du +
                           " » (la période va de --du à --au)."};
        d.date = du;
        d.fin = au;
        d.texte_du = *a.du;
        d.texte_au = *a.au;
        if (a.pas) {
            if (!(erreur = lit_pas(*a.pas, d.pas)).empty()) return r;
            d.texte_pas = *a.pas;
        } else {
            d.texte_pas = "1j";
        }
    } else {
        if (a.pas) return {d, Prefixe + std::string("--pas ne sert qu'avec --du et --au.")};
        if (a.date) {
            ChampsDate date;
            if (!(erreur = lit_date("--date", *a.date, d.saisie, date)).empty()) return r;
            d.date = date;
        }
    }
    if (a.heure) {
        ChampsHeure h;
        if (!(erreur = lit_heure(*a.heure, d.saisie, h)).empty()) return r;
        d.heure = h;
    }
    if (a.latitude &&
        !(erreur = lit_lieu("--latitude", *a.latitude, d.saisie, 90, d.latitude, d.nord, 'N', 'S')).empty())
        return r;
    if (a.longitude &&
        !(erreur = lit_lieu("--longitude", *a.longitude, d.saisie, 180, d.longitude, d.est, 'E', 'O'))
             .empty())
        return r;
    return r;
}

} // namespace orbitel
