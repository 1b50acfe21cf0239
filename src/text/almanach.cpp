#include "text/almanach.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "clock/calendrier.hpp"
#include "clock/fuseau.hpp"
#include "text/formats.hpp"

namespace orbitel {

namespace {

// Two digits, for the fields of a time below a day and of a date.
std::string deux(long long n) {
    std::string t(2, '0');
    t[0] = static_cast<char>('0' + n / 10 % 10);
    t[1] = static_cast<char>('0' + n % 10);
    return t;
}

std::string annee_iso(long long an) {
    char t[32];
    if (an >= 0 && an <= 9999)
        std::snprintf(t, sizeof t, "%04lld", an);
    else if (an < 0)
        std::snprintf(t, sizeof t, "-%04lld", -an);
    else
        std::snprintf(t, sizeof t, "+%lld", an);
    return t;
}

// Whole days and seconds of the day of a whole count of seconds: day 0 is 1970-01-01.
struct JourSeconde {
    long long jour;
    long long seconde;
};
JourSeconde jour_seconde(double secondes) {
    const auto jour = static_cast<long long>(std::floor(secondes / 86400));
    return {jour, static_cast<long long>(secondes - static_cast<double>(jour) * 86400)};
}

// The same for an instant rounded to the second.
JourSeconde au_plus_proche(InstantTu instant) {
    return jour_seconde(std::round(instant.secondes));
}

bool ecrivable(InstantTu instant) {
    return std::fabs(instant.jour_julien()) < JourJulienLimite;
}

Cellule nombre(double x) {
    return {nombre_court(x), true};
}

Cellule texte(std::string t) {
    return {std::move(t), false};
}

using R = RangeeAlmanach;
using C = ContexteTable;

// The cells of the engine's values stay empty for a row that could not be computed.
template <double LigneAlmanach::*valeur> Cellule valeur_calculee(const R& r, const C&) {
    return r.ligne.calculable ? nombre(r.ligne.*valeur) : Cellule{{}, true};
}

Cellule instant_evenement(const EvenementHorizon& e, const C& c) {
    return texte(e.trouve ? instant_iso(InstantTu::du_jour_julien(e.jj), c.zone) : std::string());
}

Cellule azimut_evenement(const EvenementHorizon& e) {
    return e.trouve ? nombre(e.azimut) : Cellule{{}, true};
}

// The age and lunation are known within 100,000 years of 2000.
template <class F> Cellule age_calcule(const R& r, F valeur) {
    return r.ligne.calculable && r.ligne.age ? nombre(valeur(*r.ligne.age)) : Cellule{{}, true};
}

template <auto valeur> Cellule aspect_calcule(const R& r, const C&) {
    return r.ligne.calculable ? nombre(valeur(r.ligne.aspect)) : Cellule{{}, true};
}

constexpr Colonne<R> almanach[] = {
    {"instant",
     [](const R& r, const C& c) {
         return texte(
             instant_iso(r.ligne.calculable ? InstantTu::du_jour_julien(r.ligne.jj) : r.instant, c.zone));
     }},
    {"longitude", valeur_calculee<&LigneAlmanach::longitude>},
    {"latitude", valeur_calculee<&LigneAlmanach::latitude>},
    {"distance_km", valeur_calculee<&LigneAlmanach::distance_km>},
    {"parallaxe", valeur_calculee<&LigneAlmanach::parallaxe>},
    {"ascension_droite", valeur_calculee<&LigneAlmanach::ascension_droite>},
    {"declinaison", valeur_calculee<&LigneAlmanach::declinaison>},
    {"distance_topo_km", valeur_calculee<&LigneAlmanach::distance_topo_km>},
    {"ascension_droite_topo", valeur_calculee<&LigneAlmanach::ascension_droite_topo>},
    {"declinaison_topo", valeur_calculee<&LigneAlmanach::declinaison_topo>},
    {"elongation", valeur_calculee<&LigneAlmanach::elongation>},
    {"cote", [](const R& r, const C&) { return texte(r.ligne.calculable ? std::string(r.ligne.cote) : ""); }},
    {"phase", valeur_calculee<&LigneAlmanach::phase>},
    {"hauteur", valeur_calculee<&LigneAlmanach::hauteur>},
    {"azimut", valeur_calculee<&LigneAlmanach::azimut>},
    {"lever",
     [](const R& r, const C& c) {
         return r.ligne.calculable ? instant_evenement(r.ligne.lever_coucher.lever, c) : Cellule{};
     }},
    {"azimut_lever",
     [](const R& r, const C&) {
         return r.ligne.calculable ? azimut_evenement(r.ligne.lever_coucher.lever) : Cellule{{}, true};
     }},
    {"coucher",
     [](const R& r, const C& c) {
         return r.ligne.calculable ? instant_evenement(r.ligne.lever_coucher.coucher, c) : Cellule{};
     }},
    {"azimut_coucher",
     [](const R& r, const C&) {
         return r.ligne.calculable ? azimut_evenement(r.ligne.lever_coucher.coucher) : Cellule{{}, true};
     }},
    {"age", [](const R& r, const C&) { return age_calcule(r, [](const AgeLune& a) { return a.jours; }); }},
    {"lunaison",
     [](const R& r, const C&) {
         return age_calcule(r, [](const AgeLune& a) { return static_cast<double>(a.lunaison_brown); });
     }},
    {"diametre", aspect_calcule<[](const AspectLune& a) { return a.diametre_geocentrique; }>},
    {"diametre_topo", aspect_calcule<[](const AspectLune& a) { return a.diametre_topocentrique; }>},
    {"libration_longitude", aspect_calcule<[](const AspectLune& a) { return a.libration.longitude; }>},
    {"libration_latitude", aspect_calcule<[](const AspectLune& a) { return a.libration.latitude; }>},
    {"angle_axe", aspect_calcule<[](const AspectLune& a) { return a.libration.angle_axe; }>},
    {"angle_limbe", aspect_calcule<[](const AspectLune& a) { return a.angle_limbe; }>},
    {"angle_parallactique", aspect_calcule<[](const AspectLune& a) { return a.angle_parallactique; }>},
    {"soleil_hauteur",
     [](const R& r, const C&) {
         return r.ligne.calculable ? nombre(r.ligne.soleil.hauteur) : Cellule{{}, true};
     }},
    {"soleil_azimut",
     [](const R& r, const C&) {
         return r.ligne.calculable ? nombre(r.ligne.soleil.azimut) : Cellule{{}, true};
     }},
    {"passage",
     [](const R& r, const C& c) {
         return r.ligne.calculable && r.ligne.passage
                    ? texte(instant_iso(InstantTu::du_jour_julien(r.ligne.passage->jj), c.zone))
                    : Cellule{};
     }},
    {"hauteur_passage",
     [](const R& r, const C&) {
         return r.ligne.calculable && r.ligne.passage ? nombre(r.ligne.passage->hauteur) : Cellule{{}, true};
     }},
};

using P = PhaseDatee;

constexpr Colonne<P> phases[] = {
    {"phase", [](const P& p, const C&) { return texte(std::string(nom_phase_table(p.indice))); }},
    {"instant",
     [](const P& p, const C& c) { return texte(instant_iso(InstantTu::du_jour_julien(p.jj), c.zone)); }},
};

constexpr Colonne<P> phases_texte[] = {
    {"", [](const P& p, const C& c) { return texte(ligne_phase(p, c.zone)); }},
};

std::string debut_icalendar(const P& p) {
    return instant_icalendar(InstantTu::du_jour_julien(p.jj));
}

constexpr Colonne<P> phases_icalendar[] = {
    {"UID",
     [](const P& p, const C&) {
         return texte(debut_icalendar(p) + "-" + std::string(nom_phase_table(p.indice)) + "@orbitel-rapport");
     }},
    {"DTSTAMP", [](const P&, const C& c) { return texte(c.horodatage); }},
    {"DTSTART", [](const P& p, const C&) { return texte(debut_icalendar(p)); }},
    {"SUMMARY",
     [](const P& p, const C&) {
         return texte(std::string(noms_phases.at(static_cast<std::size_t>(p.indice))));
     }},
    {"TRANSP", [](const P&, const C&) { return texte("TRANSPARENT"); }},
};

using A = Apside;

std::string debut_icalendar_apside(const A& a) {
    return instant_icalendar(InstantTu::du_jour_julien(a.jj));
}

// "Périgée", "Apogée".
std::string nom_apside(const A& a) {
    return a.type == TypeApside::perigee ? "Périgée" : "Apogée";
}

std::string kilometres(const A& a) {
    return texte_image(a.distance_km, "0") + " km";
}

constexpr Colonne<A> apsides[] = {
    {"apside", [](const A& a, const C&) { return texte(std::string(nom_apside_table(a.type))); }},
    {"instant",
     [](const A& a, const C& c) { return texte(instant_iso(InstantTu::du_jour_julien(a.jj), c.zone)); }},
    {"distance_km", [](const A& a, const C&) { return nombre(a.distance_km); }},
};

constexpr Colonne<A> apsides_texte[] = {
    {"", [](const A& a, const C& c) { return texte(ligne_apside_datee(a, c.zone)); }},
};

constexpr Colonne<A> apsides_icalendar[] = {
    {"UID",
     [](const A& a, const C&) {
         return texte(debut_icalendar_apside(a) + "-" + std::string(nom_apside_table(a.type)) +
                      "@orbitel-rapport");
     }},
    {"DTSTAMP", [](const A&, const C& c) { return texte(c.horodatage); }},
    {"DTSTART", [](const A& a, const C&) { return texte(debut_icalendar_apside(a)); }},
    {"SUMMARY", [](const A& a, const C&) { return texte(nom_apside(a) + " (" + kilometres(a) + ")"); }},
    {"TRANSP", [](const A&, const C&) { return texte("TRANSPARENT"); }},
};

using J = JourLunaire;

Cellule instant_du_jour(const std::optional<double>& jj, const C& c) {
    return texte(jj ? instant_iso(InstantTu::du_jour_julien(*jj), c.zone) : std::string());
}

Cellule nombre_du_jour(const std::optional<double>& x) {
    return x ? nombre(*x) : Cellule{{}, true};
}

template <std::optional<double> JourLunaire::*champ> Cellule instant_jour(const J& j, const C& c) {
    return instant_du_jour(j.*champ, c);
}

template <std::optional<double> JourLunaire::*champ> Cellule nombre_jour(const J& j, const C&) {
    return nombre_du_jour(j.*champ);
}

// The day's events, each written by `ecrit`, joined by ';'.
template <class F> Cellule liste_evenements(const J& j, F ecrit) {
    Cellule cellule{{}, false, true};
    for (const EvenementDate& e : j.evenements) {
        if (!cellule.texte.empty()) cellule.texte.push_back(';');
        cellule.texte += ecrit(e);
    }
    return cellule;
}

constexpr Colonne<J> mois[] = {
    {"date", [](const J& j,
                const C&) { return texte(annee_iso(j.annee) + "-" + deux(j.mois) + "-" + deux(j.jour)); }},
    {"lever", instant_jour<&J::lever>},
    {"azimut_lever", nombre_jour<&J::azimut_lever>},
    {"passage", instant_jour<&J::passage>},
    {"hauteur_passage", nombre_jour<&J::hauteur_passage>},
    {"coucher", instant_jour<&J::coucher>},
    {"azimut_coucher", nombre_jour<&J::azimut_coucher>},
    {"age", nombre_jour<&J::age>},
    {"phase", nombre_jour<&J::phase>},
    {"distance_km", nombre_jour<&J::distance_km>},
    {"diametre", nombre_jour<&J::diametre>},
    {"evenement",
     [](const J& j, const C&) {
         return liste_evenements(j,
                                 [](const EvenementDate& e) { return std::string(nom_evenement(e.type)); });
     }},
    {"evenement_instant",
     [](const J& j, const C& c) {
         return liste_evenements(
             j, [&](const EvenementDate& e) { return instant_iso(InstantTu::du_jour_julien(e.jj), c.zone); });
     }},
    {"soleil_lever", instant_jour<&J::soleil_lever>},
    {"soleil_coucher", instant_jour<&J::soleil_coucher>},
    {"nuit_debut", instant_jour<&J::nuit_debut>},
    {"nuit_fin", instant_jour<&J::nuit_fin>},
    {"soleil_note", [](const J& j, const C&) { return texte(texte_note_soleil(j.soleil_note)); }},
};

} // namespace

std::span<const Colonne<JourLunaire>> colonnes_mois() {
    return mois;
}

std::span<const Colonne<Apside>> colonnes_apsides() {
    return apsides;
}

std::span<const Colonne<Apside>> colonnes_apsides_texte() {
    return apsides_texte;
}

std::span<const Colonne<Apside>> colonnes_apsides_icalendar() {
    return apsides_icalendar;
}

std::string_view nom_apside_table(TypeApside type) {
    return type == TypeApside::perigee ? "perigee" : "apogee";
}

std::string ligne_apside_datee(const Apside& apside, const Fuseau* zone) {
    return nom_apside(apside) + " le: " + jj_en_texte(apside.jj, zone) + " (" + kilometres(apside) + ")";
}

std::string nombre_court(double x) {
    if (!std::isfinite(x)) return {};
    std::array<char, 32> t;
    const auto [fin, ec] = std::to_chars(t.data(), t.data() + t.size(), x);
    return std::string(t.data(), fin);
}

std::string instant_iso(InstantTu instant, const Fuseau* zone) {
    if (!ecrivable(instant)) return {};
    // Rounded to the second first, and the zone asked at that very second: an instant a hair short
    // of a change of the clocks is written as the second of the change, so it takes the offset that
    // starts there (never a wall-clock time the zone skips or an hour twice with one offset).
    const double secondes_tu = std::round(instant.secondes);
    const std::int32_t decalage = zone ? zone->decalage(secondes_tu) : 0;
    const JourSeconde js = jour_seconde(secondes_tu + decalage);
    const DateCalendaire d = date_du_jour_julien(static_cast<double>(js.jour) + JourJulien1970);
    std::string s = annee_iso(d.an) + "-" + deux(d.mois) + "-" + deux(d.jour) + "T" +
                    deux(js.seconde / 3600) + ":" + deux(js.seconde / 60 % 60) + ":" + deux(js.seconde % 60);
    if (!zone) {
        s.push_back('Z');
        return s;
    }
    const int a = std::abs(decalage);
    s.push_back(decalage < 0 ? '-' : '+');
    s += deux(a / 3600);
    s.push_back(':');
    s += deux(a / 60 % 60);
    // Old local mean times are not whole minutes: their seconds are kept.
    if (a % 60 != 0) {
        s.push_back(':');
        s += deux(a % 60);
    }
    return s;
}

std::span<const Colonne<RangeeAlmanach>> colonnes_almanach() {
    return almanach;
}

std::span<const Colonne<PhaseDatee>> colonnes_phases() {
    return phases;
}

std::span<const Colonne<PhaseDatee>> colonnes_phases_texte() {
    return phases_texte;
}

std::span<const Colonne<PhaseDatee>> colonnes_phases_icalendar() {
    return phases_icalendar;
}

std::string_view nom_phase_table(std::int16_t indice) {
    static constexpr std::array<std::string_view, 4> noms{"nouvelle_lune", "premier_quartier", "pleine_lune",
                                                          "dernier_quartier"};
    return noms.at(static_cast<std::size_t>(indice));
}

std::string ligne_phase(const PhaseDatee& phase, const Fuseau* zone) {
    return std::string(noms_phases.at(static_cast<std::size_t>(phase.indice))) +
           " le: " + jj_en_texte(phase.jj, zone);
}

std::string instant_icalendar(InstantTu instant) {
    if (!ecrivable(instant)) return {};
    const JourSeconde js = au_plus_proche(instant);
    const DateCivile d = date_civile(js.jour);
    if (d.annee < 0 || d.annee > 9999) return {};
    return annee_iso(d.annee) + deux(d.mois) + deux(d.jour) + "T" + deux(js.seconde / 3600) +
           deux(js.seconde / 60 % 60) + deux(js.seconde % 60) + "Z";
}

} // namespace orbitel
