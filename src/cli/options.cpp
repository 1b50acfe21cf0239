#include "cli/options.hpp"

#include <array>
#include <bit>
#include <cctype>
#include <cmath>

#include "clock/calendrier.hpp"
#include "clock/lecture.hpp"
#include "clock/lieu.hpp"
#include "clock/nombres.hpp"

namespace orbitel {

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

Refus refus(const std::string& option, const std::string& valeur, const std::string& raison) {
    return {Prefixe + option + " « " + valeur + " » : " + raison + "."};
}

Refus message(const std::string& texte) {
    return {Prefixe + texte};
}

// "48:52N" as its sub-fields and its hemisphere letter.
struct LieuDecoupe {
    std::vector<std::string> champs;
    bool positif = true;
};

Resultat<LieuDecoupe> decoupe_lieu(const std::string& option, const std::string& valeur, char lettre_positive,
                                   char lettre_negative) {
    std::string texte = valeur;
    while (!texte.empty() && std::isspace(static_cast<unsigned char>(texte.back())))
        texte.pop_back();
    LieuDecoupe l;
    // A letter outside ASCII (é, ß...) ends in a byte above 0x7F: it is no hemisphere either.
    if (!texte.empty() && static_cast<unsigned char>(texte.back()) >= 0x80) {
        std::size_t debut = texte.size() - 1;
        while (debut > 0 && (static_cast<unsigned char>(texte[debut]) & 0xC0) == 0x80)
            --debut;
        return message("la lettre d'hémisphère « " + texte.substr(debut) + " » de " + option + " n'est pas " +
                       lettre_positive + " ou " + lettre_negative + ".");
    }
    if (!texte.empty() && std::isalpha(static_cast<unsigned char>(texte.back()))) {
        char lettre = static_cast<char>(std::toupper(static_cast<unsigned char>(texte.back())));
        if (lettre == 'W') lettre = 'O';
        if (lettre != lettre_positive && lettre != lettre_negative)
            return message("la lettre d'hémisphère « " + std::string(1, texte.back()) + " » de " + option +
                           " n'est pas " + lettre_positive + " ou " + lettre_negative + ".");
        l.positif = lettre == lettre_positive;
        texte.pop_back();
    }
    l.champs = decoupe(texte, ':');
    if (l.champs.size() > 2)
        return message("la valeur « " + valeur + " » de " + option +
                       " a trop de champs (degrés:minutes attendus).");
    return l;
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
Resultat<std::vector<double>> lit_strict(const std::string& option, const std::string& valeur,
                                         const std::vector<std::string>& champs, const std::string& attendu) {
    std::vector<double> nombres;
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
    return nombres;
}

Resultat<DateSaisie> lit_date(const std::string& option, const std::string& valeur, Saisie saisie) {
    const std::string attendu = "J/M/A attendu : jour, mois et année entiers";
    auto champs = decoupe(valeur, '/');
    if (champs.size() > 3)
        return message("la valeur « " + valeur + " » de " + option + " a trop de champs (J/M/A attendu).");
    if (saisie == Saisie::fenetre) {
        champs.resize(3);
        return DateSaisie{lit_nombre_ou_zero(champs[0]), lit_nombre_ou_zero(champs[1]),
                          lit_nombre_ou_zero(champs[2])};
    }
    if (champs.size() < 3) return refus(option, valeur, "il manque des champs (" + attendu + ")");
    const auto lu = lit_strict(option, valeur, champs, attendu);
    if (!lu) return Refus{lu.refus()};
    const std::vector<double>& n = *lu;
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
    return DateSaisie{n[0], n[1], n[2]};
}

Resultat<HeureSaisie> lit_heure(const std::string& valeur, Saisie saisie) {
    const std::string option = "--heure";
    auto champs = decoupe(valeur, ':');
    if (champs.size() > 3)
        return message("la valeur « " + valeur + " » de " + option + " a trop de champs (H:M:S attendu).");
    if (saisie == Saisie::fenetre) {
        champs.resize(3);
        return HeureSaisie{lit_nombre_ou_zero(champs[0]), lit_nombre_ou_zero(champs[1]),
                           en_simple(lit_nombre_ou_zero(champs[2]))};
    }
    const std::string attendu = "H:M ou H:M:S attendu";
    if (champs.size() < 2) return refus(option, valeur, "il manque les minutes (" + attendu + ")");
    const auto lu = lit_strict(option, valeur, champs, attendu);
    if (!lu) return Refus{lu.refus()};
    std::vector<double> n = *lu;
    n.resize(3);
    if (!entier(n[0]) || n[0] < 0 || n[0] > 23)
        return refus(option, valeur, "heures entières de 0 à 23 attendues");
    if (!entier(n[1]) || n[1] < 0 || n[1] > 59)
        return refus(option, valeur, "minutes entières de 0 à 59 attendues");
    if (!(n[2] >= 0 && n[2] < 60)) return refus(option, valeur, "secondes de 0 à moins de 60 attendues");
    return HeureSaisie{n[0], n[1], static_cast<float>(n[2])};
}

// A latitude or longitude of the command line: refused as the strict reading or the window refuses
// it, else held as the window holds it.
Resultat<Coordonnee> lit_lieu(const std::string& option, const std::string& valeur, Saisie saisie,
                              bool latitude) {
    const char positive = latitude ? 'N' : 'E';
    const char negative = latitude ? 'S' : 'O';
    const auto decoupe = decoupe_lieu(option, valeur, positive, negative);
    if (!decoupe) return Refus{decoupe.refus()};
    std::vector<std::string> champs = decoupe->champs;
    champs.resize(2);
    if (saisie == Saisie::fenetre) {
        // As the window: a latitude past the pole is no place.
        const double degres = lit_nombre_ou_zero(champs[0]) + lit_nombre_ou_zero(champs[1]) / 60;
        if (latitude && !(std::fabs(degres) <= 90))
            return refus(option, valeur, "une latitude va au plus à 90° (degrés et minutes ensemble)");
        return coordonnee(champs[0], champs[1], decoupe->positif, latitude);
    }
    const std::string attendu =
        std::string("DD ou DD:MM suivi de ") + positive + " ou " + negative + " attendu";
    if (champs[1].empty() && valeur.find(':') == std::string::npos) champs[1] = "0";
    const auto lu = lit_strict(option, valeur, champs, attendu);
    if (!lu) return Refus{lu.refus()};
    const std::vector<double>& n = *lu;
    if (n[0] < 0 || n[1] < 0)
        return refus(option, valeur, "degrés et minutes positifs attendus (la lettre donne le côté)");
    if (!(n[1] < 60)) return refus(option, valeur, "minutes inférieures à 60 attendues");
    const int maximum = latitude ? 90 : 180;
    if (!(n[0] + n[1] / 60 <= maximum))
        return refus(option, valeur, "au plus " + std::to_string(maximum) + "° attendus");
    return coordonnee(champs[0], champs[1], decoupe->positif, latitude);
}

Resultat<Pas> lit_pas(const std::string& valeur) {
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
    return Pas{unite == "j", unite == "j" ? n : unite == "h" ? n * 3600 : n * 60};
}

Resultat<Zone> lit_fuseau(const std::string& valeur) {
    if (valeur == "tu") return Zone{};
    if (valeur == "local") return Zone{Zone::Genre::locale, 0};
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
    return Zone{Zone::Genre::fixe, signe * (h * 3600 + m * 60)};
}

// The year of --phases or --apsides.
Resultat<std::int16_t> lit_annee(const std::string& option, const std::string& valeur, Saisie saisie) {
    const std::string attendu = "une année entière de -32767 à 32767 attendue";
    std::optional<double> v = saisie == Saisie::fenetre ? std::optional<double>(lit_nombre_ou_zero(valeur))
                                                        : lit_nombre_strict(valeur);
    if (!v)
        return refus(option, valeur,
                     (trop_grand(valeur) ? "c'est un nombre trop grand (" : "ce n'est pas un nombre (") +
                         attendu + ")");
    if (!entier(*v) || *v < -32767 || *v > 32767) return refus(option, valeur, attendu);
    return static_cast<std::int16_t>(*v);
}

// --mois M/A: a month of 1 to 12 and a year, whole.
Resultat<MoisSaisi> lit_mois(const std::string& valeur, Saisie saisie) {
    const std::string attendu = "M/A attendu : mois entier de 1 à 12, année entière de -32767 à 32767";
    auto champs = decoupe(valeur, '/');
    if (champs.size() > 2)
        return message("la valeur « " + valeur + " » de --mois a trop de champs (M/A attendu).");
    std::vector<double> n;
    if (saisie == Saisie::fenetre) {
        champs.resize(2);
        n = {lit_nombre_ou_zero(champs[0]), lit_nombre_ou_zero(champs[1])};
    } else {
        if (champs.size() < 2) return refus("--mois", valeur, "il manque l'année (" + attendu + ")");
        const auto lu = lit_strict("--mois", valeur, champs, attendu);
        if (!lu) return Refus{lu.refus()};
        n = *lu;
    }
    if (!entier(n[0]) || n[0] < 1 || n[0] > 12 || !entier(n[1]) || n[1] < -32767 || n[1] > 32767)
        return refus("--mois", valeur, attendu);
    return MoisSaisi{static_cast<unsigned>(n[0]), static_cast<std::int16_t>(n[1])};
}

template <class T>
Resultat<T> lit_choix(const std::string& option, const std::string& valeur,
                      std::initializer_list<std::pair<std::string_view, T>> choix,
                      const std::string& attendu) {
    for (const auto& [nom, v] : choix)
        if (valeur == nom) return v;
    return refus(option, valeur, attendu);
}

Refus incompatibles(const std::string& a, const std::string& b, const std::string& pourquoi) {
    return message(a + " ne va pas avec " + b + " (" + pourquoi + ").");
}

constexpr unsigned instant_et_plage = forme_bit(Forme::instant) | forme_bit(Forme::plage);
constexpr unsigned lieu_requis = instant_et_plage | forme_bit(Forme::mois);

constexpr LigneAide aide_date[] = {{"--date J/M/A", "date (sans --heure : à 0 h)"}};
constexpr LigneAide aide_heure[] = {
    {"--heure H:M:S", "heure, secondes facultatives (sans --date : date du jour)"}};
constexpr LigneAide aide_latitude[] = {
    {"--latitude DD:MM[N|S]", "latitude de l'observateur, au plus 90°, N par défaut"}};
constexpr LigneAide aide_longitude[] = {
    {"--longitude DD:MM[E|O]", "longitude de l'observateur, au plus 180°, E par défaut (W vaut O)"}};
constexpr LigneAide aide_du[] = {
    {"--du J/M/A --au J/M/A", "période, bornes comprises, depuis --heure (0 h par défaut) de --du"}};
constexpr LigneAide aide_pas[] = {
    {"--pas N(j|h|min)", "pas de la période : N jours (même heure), heures ou minutes ; 1j par défaut"}};
constexpr LigneAide aide_phases[] = {
    {"--phases AAAA", "nouvelles lunes, premiers quartiers, pleines lunes et derniers quartiers\n"
                      "de l'année AAAA"}};
constexpr LigneAide aide_apsides[] = {
    {"--apsides AAAA", "périgées et apogées de l'année AAAA, avec la distance de la Lune"}};
constexpr LigneAide aide_mois[] = {
    {"--mois M/A", "un jour par ligne du mois M de l'année A dans le fuseau : lever, passage et\n"
                   "coucher de la Lune, âge, phase, distance, phases et apsides, Soleil et nuit"}};
constexpr LigneAide aide_format[] = {
    {"--format texte", "les 22 lignes de la fenêtre (par défaut ; une ligne vide entre deux instants)"},
    {"--format csv|json", "une ligne (un objet) par instant, nombres non arrondis, point décimal"},
    {"--format ics", "calendrier iCalendar (avec --phases ou --apsides seulement)"}};
constexpr LigneAide aide_fuseau[] = {{"--fuseau tu|local|±HH:MM",
                                      "fuseau des dates et heures lues et écrites : temps universel (par\n"
                                      "défaut), heure légale du système, ou décalage fixe"}};
constexpr LigneAide aide_saisie[] = {
    {"--saisie stricte", "chaque nombre doit être lu en entier et former une date, une heure ou un\n"
                         "lieu valables (par défaut)"},
    {"--saisie fenetre", "nombres lus comme dans la fenêtre : champ manquant ou illisible = 0"}};
constexpr LigneAide aide_precis[] = {
    {"--precis", "temps terrestre TT = TU + delta T (modèle précis) pour les théories de la Lune,\n"
                 "du Soleil et de la nutation et pour les phases ; heures écrites en TU"}};
constexpr LigneAide aide_version[] = {{"--version", "affiche la version"}};
constexpr LigneAide aide_aide[] = {{"--help", "affiche cette aide"}};

constexpr Option table[] = {
    {Cle::date, "--date", "", true, forme_bit(Forme::instant), aide_date},
    {Cle::heure, "--heure", "", true, instant_et_plage, aide_heure},
    {Cle::latitude, "--latitude", "", true, lieu_requis, aide_latitude},
    {Cle::longitude, "--longitude", "", true, lieu_requis, aide_longitude},
    {Cle::du, "--du", "", true, forme_bit(Forme::plage), aide_du},
    {Cle::au, "--au", "", true, forme_bit(Forme::plage), {}},
    {Cle::pas, "--pas", "", true, forme_bit(Forme::plage), aide_pas},
    {Cle::phases, "--phases", "", true, forme_bit(Forme::phases), aide_phases},
    {Cle::apsides, "--apsides", "", true, forme_bit(Forme::apsides), aide_apsides},
    {Cle::mois, "--mois", "", true, forme_bit(Forme::mois), aide_mois},
    {Cle::format, "--format", "", true, toutes_formes, aide_format},
    {Cle::fuseau, "--fuseau", "", true, toutes_formes, aide_fuseau},
    {Cle::saisie, "--saisie", "", true, toutes_formes, aide_saisie},
    {Cle::precis, "--precis", "", false, toutes_formes, aide_precis},
    {Cle::version, "--version", "", false, toutes_formes, aide_version},
    {Cle::aide, "--help", "-h", false, toutes_formes, aide_aide},
};
constexpr std::size_t NombreOptions = std::size(table);

// The texts given, by option (index in the table).
using Textes = std::array<std::optional<std::string>, NombreOptions>;

const std::optional<std::string>& texte(const Textes& t, Cle c) {
    return t[static_cast<std::size_t>(c)];
}

// Recognises the options and keeps each one's text, refusing what no table row takes.
Resultat<Textes> textes_des_options(const std::vector<std::string>& args) {
    Textes t;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string nom = args[i];
        std::optional<std::string> valeur;
        if (const auto egal = nom.find('='); nom.rfind("--", 0) == 0 && egal != std::string::npos) {
            valeur = nom.substr(egal + 1);
            nom = nom.substr(0, egal);
        }
        const Option* o = nullptr;
        for (const Option& candidate : table)
            if (nom == candidate.nom || (!candidate.autre_nom.empty() && nom == candidate.autre_nom))
                o = &candidate;
        if (!o) return message("option inconnue « " + args[i] + " » (voir --help).");
        std::optional<std::string>& cible = t[static_cast<std::size_t>(o->cle)];
        if (!o->valeur) {
            if (valeur) return message("l'option " + nom + " ne prend pas de valeur.");
            if (cible) return message("l'option " + nom + " est donnée deux fois.");
            cible = "";
            continue;
        }
        if (!valeur) {
            if (i + 1 >= args.size()) return message("il manque la valeur de " + nom + ".");
            valeur = args[++i];
        }
        // The last one winning would hide a typing slip: which of the two was meant is not known.
        if (cible)
            return message("l'option " + nom + " est donnée deux fois (« " + *cible + " » puis « " + *valeur +
                           " ») ; une seule valeur attendue.");
        cible = *valeur;
    }
    return t;
}

// The place's two options, when given.
Resultat<Demande> lit_lieux(const Textes& t, Demande d) {
    if (const auto& latitude = texte(t, Cle::latitude)) {
        const auto l = lit_lieu("--latitude", *latitude, d.saisie, true);
        if (!l) return Refus{l.refus()};
        d.latitude = *l;
    }
    if (const auto& longitude = texte(t, Cle::longitude)) {
        const auto l = lit_lieu("--longitude", *longitude, d.saisie, false);
        if (!l) return Refus{l.refus()};
        d.longitude = *l;
    }
    return d;
}

// Reads every value given into the request, in the order the checks are made.
Resultat<Demande> lit_demande(const Textes& t) {
    Demande d;
    const auto& saisie = texte(t, Cle::saisie);
    const auto& format = texte(t, Cle::format);
    const auto& fuseau = texte(t, Cle::fuseau);
    if (saisie) {
        const auto s = lit_choix<Saisie>("--saisie", *saisie,
                                         {{"stricte", Saisie::stricte}, {"fenetre", Saisie::fenetre}},
                                         "stricte ou fenetre attendu");
        if (!s) return Refus{s.refus()};
        d.saisie = *s;
    }
    if (format) {
        const auto f = lit_choix<Format>(
            "--format", *format,
            {{"texte", Format::texte}, {"csv", Format::csv}, {"json", Format::json}, {"ics", Format::ics}},
            "texte, csv, json ou ics attendu");
        if (!f) return Refus{f.refus()};
        d.format = *f;
    }
    if (fuseau) {
        const auto z = lit_fuseau(*fuseau);
        if (!z) return Refus{z.refus()};
        d.zone = *z;
    }

    d.precis = texte(t, Cle::precis).has_value();

    // Which form: the options that belong to another one are refused rather than ignored.
    struct Liste {
        Cle cle;
        Forme forme;
        std::string_view nom, pourquoi;
    };
    static constexpr Liste listes[] = {
        {Cle::phases, Forme::phases, "--phases", "les phases d'une année ne dépendent que de l'année"},
        {Cle::apsides, Forme::apsides, "--apsides", "les apsides d'une année ne dépendent que de l'année"},
        {Cle::mois, Forme::mois, "--mois", "le mois donne ses jours"},
    };
    const Liste* liste = nullptr;
    for (const Liste& l : listes) {
        if (!texte(t, l.cle)) continue;
        if (liste)
            return incompatibles(std::string(liste->nom), std::string(l.nom), "une liste par commande");
        liste = &l;
    }
    if (liste) {
        d.forme = liste->forme;
        // An option of one other form only (--du) is named before one of several (--heure): it says
        // best what was meant instead.
        for (const bool d_une_forme : {true, false})
            for (const Option& o : table)
                if (texte(t, o.cle) && !(o.formes & forme_bit(d.forme)) &&
                    (std::popcount(o.formes) == 1) == d_une_forme)
                    return incompatibles(std::string(liste->nom), std::string(o.nom),
                                         std::string(liste->pourquoi));
    }
    const std::string nom_liste = liste ? std::string(liste->nom) : std::string();
    if (liste && d.forme != Forme::mois) {
        const bool phases = d.forme == Forme::phases;
        const auto annee = lit_annee(nom_liste, *texte(t, liste->cle), d.saisie);
        if (!annee) return Refus{annee.refus()};
        (phases ? d.annee_phases : d.annee_apsides) = *annee;
        return d;
    }
    if (d.format == Format::ics)
        return message("--format ics ne sert qu'avec --phases AAAA ou --apsides AAAA.");
    if (d.forme == Forme::mois) {
        const auto m = lit_mois(*texte(t, Cle::mois), d.saisie);
        if (!m) return Refus{m.refus()};
        d.mois = *m;
        return lit_lieux(t, d);
    }
    const auto& du = texte(t, Cle::du);
    const auto& au = texte(t, Cle::au);
    const auto& pas = texte(t, Cle::pas);
    const auto& date = texte(t, Cle::date);
    if (du || au) {
        if (date)
            return incompatibles(du ? "--du" : "--au", "--date", "une date ou une période, pas les deux");
        if (!du) return message("--au demande --du (la période va de --du à --au).");
        if (!au) return message("--du demande --au (la période va de --du à --au).");
        d.forme = Forme::plage;
        const auto debut = lit_date("--du", *du, d.saisie);
        if (!debut) return Refus{debut.refus()};
        const auto fin = lit_date("--au", *au, d.saisie);
        if (!fin) return Refus{fin.refus()};
        const auto jour_0h = [](const DateSaisie& c) {
            return jour_julien_0h({c.jour, c.mois, c.an, 0, 0, 0});
        };
        if (jour_0h(*fin) < jour_0h(*debut))
            return message("--au « " + *au + " » est avant --du « " + *du +
                           " » (la période va de --du à --au).");
        d.date = *debut;
        d.fin = *fin;
        d.texte_du = *du;
        d.texte_au = *au;
        d.texte_pas = pas.value_or("1j");
        if (pas) {
            const auto p = lit_pas(*pas);
            if (!p) return Refus{p.refus()};
            d.pas = *p;
        }
    } else {
        if (pas) return message("--pas ne sert qu'avec --du et --au.");
        if (date) {
            const auto jour = lit_date("--date", *date, d.saisie);
            if (!jour) return Refus{jour.refus()};
            d.date = *jour;
        }
    }
    if (const auto& heure = texte(t, Cle::heure)) {
        const auto h = lit_heure(*heure, d.saisie);
        if (!h) return Refus{h.refus()};
        d.heure = *h;
    }
    return lit_lieux(t, d);
}

// Columns of the text as a terminal shows it: one per UTF-8 character.
std::size_t largeur(std::string_view texte) {
    std::size_t n = 0;
    for (const char c : texte)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

constexpr std::string_view aide_debut =
    "Usage : orbitel-rapport [--date J/M/A] [--heure H:M:S] [--latitude DD:MM[N|S]] [--longitude "
    "DD:MM[E|O]]\n"
    "                        [--saisie stricte|fenetre] [--format texte|csv|json] [--fuseau "
    "tu|local|±HH:MM]\n"
    "                        [--precis]\n"
    "        orbitel-rapport --du J/M/A --au J/M/A [--pas N(j|h|min)] [--heure H:M:S] [--latitude …]\n"
    "                        [--longitude …] [--saisie …] [--format texte|csv|json] [--fuseau …]\n"
    "                        [--precis]\n"
    "        orbitel-rapport --phases AAAA [--format texte|csv|json|ics] [--fuseau …] [--precis]\n"
    "        orbitel-rapport --apsides AAAA [--format texte|csv|json|ics] [--fuseau …] [--precis]\n"
    "        orbitel-rapport --mois M/A [--latitude …] [--longitude …] [--saisie …] [--format "
    "texte|csv|json]\n"
    "                        [--fuseau …] [--precis]\n"
    "        orbitel-rapport --version | --help\n"
    "\n"
    "Affiche les indications de la fenêtre d'Orbitel pour un instant et un lieu (coordonnées de la\n"
    "Lune, hauteur et azimut, lever et coucher, phases, écart TT - TU), en tables pour une période\n"
    "(avec l'âge, la libration, le passage au méridien, le Soleil…), un mois jour par jour, ou les\n"
    "phases, les périgées et les apogées d'une année.\n"
    "\n";

constexpr std::string_view aide_fin =
    "\n"
    "Sans --date ni --heure, l'instant est l'instant présent. Sans --latitude ni --longitude, le lieu\n"
    "est celui qu'Orbitel a enregistré (48:52N 2:20E par défaut). Les dates suivent le calendrier\n"
    "julien avant le 15/10/1582, grégorien ensuite ; années de -32767 à 32767. Les nombres admettent\n"
    "la virgule ou le point décimal et les blancs. Une option s'écrit aussi --date=12/4/1992.\n"
    "Chaque option se donne au plus une fois.\n"
    "\n"
    "Statut de sortie :\n"
    "  0  réussite\n"
    "  1  la sortie standard n'a pas pu être écrite, ou le lieu enregistré (orbitel.ini) ne peut\n"
    "     pas être lu (message sur la sortie d'erreur)\n"
    "  2  argument refusé (message sur la sortie d'erreur, rien sur la sortie standard)\n";

} // namespace

Coordonnee coordonnee(const std::string& degres, const std::string& minutes, bool positif, bool latitude) {
    const auto lu = [](const std::string& t) { return lit_nombre(t) ? t : std::string("0"); };
    ChampsLieu champs;
    for (std::string* c : {&champs.lat0, &champs.lat1, &champs.lon0, &champs.lon1})
        c->assign(1, '0');
    (latitude ? champs.lat0 : champs.lon0) = lu(degres);
    (latitude ? champs.lat1 : champs.lon1) = lu(minutes);
    (latitude ? champs.nord : champs.est) = positif;
    const DefautsLieu defauts = examine_lieu(champs);
    if (!defauts.tenable()) return Refus{defauts.premiere()};
    const std::optional<Observateur> lieu = lit_lieu(champs);
    return latitude ? lieu->Lat : lieu->Lon;
}

std::span<const Option> options_rapport() {
    return table;
}

std::string texte_aide() {
    constexpr std::size_t colonne = 24; // the descriptions start two columns further
    std::string s(aide_debut);
    for (const Option& o : table)
        for (const LigneAide& l : o.aide) {
            s += "  ";
            s += l.option;
            s.append(std::max<std::size_t>(colonne - largeur(l.option), 2), ' ');
            for (const char c : l.description) {
                s.push_back(c);
                if (c == '\n') s.append(colonne + 2, ' ');
            }
            s.push_back('\n');
        }
    return s += aide_fin;
}

Resultat<Commande> lit_commande(const std::vector<std::string>& args) {
    const auto t = textes_des_options(args);
    if (!t) return Refus{t.refus()};
    Commande c;
    if (texte(*t, Cle::aide)) {
        c.quoi = Commande::Quoi::aide;
        return c;
    }
    if (texte(*t, Cle::version)) {
        c.quoi = Commande::Quoi::version;
        return c;
    }
    auto d = lit_demande(*t);
    if (!d) return Refus{d.refus()};
    c.demande = std::move(*d);
    return c;
}

} // namespace orbitel
