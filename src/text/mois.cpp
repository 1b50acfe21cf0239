#include "text/mois.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "clock/calendrier.hpp"
#include "text/formats.hpp"
#include "text/heure_locale.hpp"
#include "text/lieu_compris.hpp"

namespace orbitel {

namespace {

constexpr std::string_view Rien = "---";

std::string heure_ou_rien(const std::optional<double>& jj, const Fuseau& zone) {
    return jj ? heure_zone(*jj, zone) : std::string(Rien);
}

std::string nombre_ou_rien(const std::optional<double>& x, std::string_view image, std::string_view unite,
                           char marque) {
    if (!x || !std::isfinite(*x)) return std::string(Rien);
    return texte_image(*x, image, marque) + std::string(unite);
}

// Characters, not bytes, for the alignment of accented titles.
std::size_t largeur(std::string_view t) {
    return static_cast<std::size_t>(std::count_if(
        t.begin(), t.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string a_gauche(std::string_view t, std::size_t n) {
    std::string r(t);
    for (std::size_t l = largeur(t); l < n; ++l)
        r += ' ';
    return r;
}

std::string a_droite(std::string_view t, std::size_t n) {
    std::string r;
    for (std::size_t l = largeur(t); l < n; ++l)
        r += ' ';
    return r + std::string(t);
}

std::string deux_chiffres(unsigned n) {
    std::string t = n < 10 ? "0" : "";
    return t += std::to_string(n);
}

// Appends `texte` to `liste`, after `separateur` unless it is the first.
void joint(std::string& liste, std::string_view texte, std::string_view separateur = ", ") {
    if (!liste.empty()) liste += separateur;
    liste += texte;
}

// "10 h 05" from "10:05", as a screen reader says a time.
std::string heure_parlee(const std::string& hhmm) {
    if (hhmm.size() != 5) return hhmm;
    return hhmm.substr(0, 2) + " h " + hhmm.substr(3, 2);
}

} // namespace

std::string_view nom_mois(unsigned mois) {
    static constexpr std::array<std::string_view, 12> noms{"janvier",   "février", "mars",     "avril",
                                                           "mai",       "juin",    "juillet",  "août",
                                                           "septembre", "octobre", "novembre", "décembre"};
    return mois >= 1 && mois <= 12 ? noms[mois - 1] : std::string_view();
}

std::string_view nom_jour_semaine(int jour) {
    static constexpr std::array<std::string_view, 7> noms{"lundi",    "mardi",  "mercredi", "jeudi",
                                                          "vendredi", "samedi", "dimanche"};
    return jour >= 0 && jour <= 6 ? noms[static_cast<std::size_t>(jour)] : std::string_view();
}

int jour_semaine(std::int64_t annee, unsigned mois, unsigned jour) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = static_cast<double>(annee);
    // Julian day 0 began at noon on a Monday: the day numbered floor(jj + 0.5) is a Monday when it
    // is a multiple of 7.
    const auto n = static_cast<std::int64_t>(std::floor(jour_julien_0h(i) + 0.5));
    return static_cast<int>(((n % 7) + 7) % 7);
}

std::string_view titre_evenement(EvenementLune e) {
    switch (e) {
    case EvenementLune::nouvelle_lune:
        return "Nouvelle Lune";
    case EvenementLune::premier_quartier:
        return "Premier quartier";
    case EvenementLune::pleine_lune:
        return "Pleine Lune";
    case EvenementLune::dernier_quartier:
        return "Dernier quartier";
    case EvenementLune::perigee:
        return "Périgée";
    case EvenementLune::apogee:
        return "Apogée";
    }
    return {};
}

std::string heure_zone(double jj, const Fuseau& zone) {
    if (!(std::fabs(jj) < JourJulienLimite)) return std::string(Rien);
    const double tu = (jj - JourJulien1970) * 86400;
    const double local = tu + zone.decalage(tu);
    const double fraction = local / 86400 - std::floor(local / 86400);
    return texte_image(fraction, "hh:mm");
}

TextesJour textes_jour(const JourLunaire& j, const Fuseau& zone, char marque) {
    TextesJour t;
    const std::string_view semaine = nom_jour_semaine(jour_semaine(j.annee, j.mois, j.jour));
    t.date = std::string(semaine.substr(0, 3)) + ". " + deux_chiffres(j.jour);
    t.lever = heure_ou_rien(j.lever, zone);
    t.azimut_lever = nombre_ou_rien(j.azimut_lever, "0.0", "°", marque);
    t.passage = heure_ou_rien(j.passage, zone);
    t.hauteur_passage = nombre_ou_rien(j.hauteur_passage, "0.0", "°", marque);
    t.coucher = heure_ou_rien(j.coucher, zone);
    t.azimut_coucher = nombre_ou_rien(j.azimut_coucher, "0.0", "°", marque);
    t.age = nombre_ou_rien(j.age, "0.0", " j", marque);
    t.phase = nombre_ou_rien(j.phase, "0.0", " %", marque);
    t.distance = nombre_ou_rien(j.distance_km, "0", " km", marque);
    t.diametre = nombre_ou_rien(j.diametre ? std::optional<double>(*j.diametre * 60) : std::nullopt, "0.0",
                                "'", marque);
    t.nuit_fin = heure_ou_rien(j.nuit_fin, zone);
    t.soleil_lever = heure_ou_rien(j.soleil_lever, zone);
    t.soleil_coucher = heure_ou_rien(j.soleil_coucher, zone);
    t.nuit_debut = heure_ou_rien(j.nuit_debut, zone);
    for (const EvenementDate& e : j.evenements)
        t.evenements.push_back(std::string(titre_evenement(e.type)) + " " + heure_zone(e.jj, zone));
    if (j.soleil_note.toujours_leve) joint(t.note_soleil, "soleil toujours levé");
    if (j.soleil_note.jamais_leve) joint(t.note_soleil, "soleil jamais levé");
    if (j.soleil_note.sans_nuit) joint(t.note_soleil, "sans nuit noire");
    if (j.soleil_note.nuit_continue) joint(t.note_soleil, "nuit noire continue");
    return t;
}

std::string texte_decalages_mois(const std::vector<JourLunaire>& jours, const Fuseau& zone) {
    if (jours.empty()) return {};
    const auto decalage = [&](double jj) { return zone.decalage((jj - JourJulien1970) * 86400); };
    int courant = decalage(jours.front().jj_debut);
    std::string t = texte_decalage(courant);
    for (const JourLunaire& j : jours) {
        // The offset the day ends with, a second before the next day begins.
        const int fin = decalage(j.jj_fin - 1.0 / 86400);
        if (fin == courant) continue;
        courant = fin;
        t += ", " + texte_decalage(fin) + " à partir du " + std::to_string(j.jour);
    }
    return t;
}

std::string table_mois(const std::vector<JourLunaire>& jours, const Fuseau& zone, const Observateur& lieu,
                       char marque) {
    if (jours.empty()) return {};
    const JourLunaire& premier = jours.front();
    std::string mois(nom_mois(premier.mois));
    if (!mois.empty()) mois[0] = static_cast<char>(mois[0] - 'a' + 'A');
    std::string t = "Lune : " + mois + " " + std::to_string(premier.annee) + ", " + texte_lieu(lieu) +
                    ", heures en " + texte_decalages_mois(jours, zone) + "\n";

    // Column titles and widths; a column is as wide as its title or its widest cell.
    struct Colonne {
        std::string_view titre;
        std::string TextesJour::*champ;
        bool droite;
    };
    static const std::array<Colonne, 15> colonnes{{
        {"Jour", &TextesJour::date, false},
        {"Lever", &TextesJour::lever, true},
        {"Azimut", &TextesJour::azimut_lever, true},
        {"Passage", &TextesJour::passage, true},
        {"Hauteur", &TextesJour::hauteur_passage, true},
        {"Coucher", &TextesJour::coucher, true},
        {"Azimut", &TextesJour::azimut_coucher, true},
        {"Âge", &TextesJour::age, true},
        {"Phase", &TextesJour::phase, true},
        {"Distance", &TextesJour::distance, true},
        {"Diamètre", &TextesJour::diametre, true},
        {"Fin nuit", &TextesJour::nuit_fin, true},
        {"Lever Soleil", &TextesJour::soleil_lever, true},
        {"Coucher Soleil", &TextesJour::soleil_coucher, true},
        {"Début nuit", &TextesJour::nuit_debut, true},
    }};
    std::vector<TextesJour> textes;
    for (const JourLunaire& j : jours)
        textes.push_back(textes_jour(j, zone, marque));
    std::array<std::size_t, colonnes.size()> largeurs{};
    for (std::size_t c = 0; c < colonnes.size(); ++c) {
        largeurs[c] = largeur(colonnes[c].titre);
        for (const TextesJour& x : textes)
            largeurs[c] = std::max(largeurs[c], largeur(x.*colonnes[c].champ));
    }
    const auto ligne = [&](auto cellule, std::string_view fin) {
        std::string l;
        for (std::size_t c = 0; c < colonnes.size(); ++c) {
            if (c > 0) l += "  ";
            const std::string texte = cellule(c);
            l += colonnes[c].droite ? a_droite(texte, largeurs[c]) : a_gauche(texte, largeurs[c]);
        }
        if (!fin.empty()) (l += "  ") += fin;
        while (!l.empty() && l.back() == ' ')
            l.pop_back();
        return l + "\n";
    };
    t += ligne([&](std::size_t c) { return std::string(colonnes[c].titre); }, "Événements");
    for (const TextesJour& x : textes) {
        std::string fin;
        for (const std::string& e : x.evenements)
            joint(fin, e);
        if (!x.note_soleil.empty()) joint(fin, "(" + x.note_soleil + ")", " ");
        t += ligne([&](std::size_t c) { return x.*colonnes[c].champ; }, fin);
    }
    return t;
}

std::string resume_jour(const JourLunaire& j, const Fuseau& zone, char marque) {
    std::string semaine(nom_jour_semaine(jour_semaine(j.annee, j.mois, j.jour)));
    if (!semaine.empty()) semaine[0] = static_cast<char>(semaine[0] - 'a' + 'A');
    std::string t = semaine + " " + std::to_string(j.jour) + " " + std::string(nom_mois(j.mois)) + " " +
                    std::to_string(j.annee) + " : ";
    const auto moment = [&](std::string_view nom, const std::optional<double>& jj) {
        return std::string(nom) + " " + (jj ? heure_parlee(heure_zone(*jj, zone)) : std::string("aucun"));
    };
    t += moment("lever", j.lever) + ", " + moment("passage", j.passage) + ", " + moment("coucher", j.coucher);
    for (const EvenementDate& e : j.evenements)
        t += ", " + std::string(titre_evenement(e.type)) + " à " + heure_parlee(heure_zone(e.jj, zone));
    if (j.phase) t += ", phase " + texte_image(*j.phase, "0.0", marque) + " %";
    return t;
}

} // namespace orbitel
