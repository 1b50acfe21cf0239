#include "cli/rapport.hpp"

#include <cmath>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/options.hpp"
#include "clock/calendrier.hpp"
#include "clock/instant_tu.hpp"
#include "clock/lieu.hpp"
#include "events/almanach.hpp"
#include "events/apsides.hpp"
#include "events/delta_t.hpp"
#include "events/mois.hpp"
#include "events/phases.hpp"
#include "events/phases_precises.hpp"
#include "text/almanach.hpp"
#include "text/mois.hpp"
#include "text/releve.hpp"
#include "text/tables.hpp"
#include "text/version.hpp"

namespace orbitel {

namespace {

constexpr double SecondesParJour = 86400;

// Writes texts on one of the streams, converted for the terminal when a conversion is given. Each
// piece is converted whole, so a character is never cut between two conversions.
class Ecriture {
public:
    Ecriture(std::ostream& flux, std::function<std::string(std::string_view)> conversion)
        : flux_(flux), conversion_(std::move(conversion)) {}

    void operator()(std::string_view texte) const {
        std::string converti;
        if (conversion_) texte = converti = conversion_(texte);
        flux_.write(texte.data(), static_cast<std::streamsize>(texte.size()));
    }

private:
    std::ostream& flux_;
    std::function<std::string(std::string_view)> conversion_;
};

// A message, quoting what was typed as valid text, on standard error, and its status.
int refuse(const Ecriture& ecrit_erreurs, const std::string& message, int statut = 2) {
    ecrit_erreurs(texte_valide(message));
    ecrit_erreurs("\n");
    return statut;
}

// One run: the request, its environment, the zone it is written in (nullptr: UT) and its two
// streams.
struct Contexte {
    const Demande& d;
    const EnvironnementRapport& env;
    const Fuseau* zone;
    Ecriture ecrit_sortie;
    Ecriture ecrit_erreurs;

    int refuse(const std::string& message) const { return orbitel::refuse(ecrit_erreurs, message); }
    EchelleTemps echelle() const { return d.precis ? EchelleTemps::terrestre : EchelleTemps::universel; }
};

// The engine's fields of a date and a time as typed.
Instant champs(const DateSaisie& d, const HeureSaisie& h) {
    return {d.jour, d.mois, d.an, h.heures, h.minutes, h.secondes};
}

double jour_de(const DateSaisie& d) {
    return jour_des_champs(d.jour, d.mois, d.an);
}

DateSaisie date_du_jour(double jour) {
    const DateCalendaire c = date_du_jour_julien(jour + JourJulien1970);
    return {static_cast<double>(c.jour), static_cast<double>(c.mois), static_cast<double>(c.an)};
}

// One instant of the output, and the engine's UT fields of it: as typed when it was typed in UT
// (so that the engine reads them as the window reads its fields), else the instant's.
struct Rangee {
    InstantTu instant;
    Instant champs;
};

Rangee rangee_de(InstantTu instant) {
    return {instant, champs_de(instant)};
}

Rangee rangee_saisie(const Instant& c) {
    return {instant_des_champs(c), c};
}

// What one row needs besides its instant: the day searched for rise and set.
struct Jour {
    double jj_debut = 0;
    double duree = 1; // days
};

// A table of rows, in the form asked for: the columns' names, then the rows as they come.
class Table {
public:
    Table(const Contexte& c, std::unique_ptr<EcrivainTable> ecrivain, std::vector<std::string_view> noms)
        : c_(c), ecrivain_(std::move(ecrivain)), noms_(std::move(noms)) {}

    void debut() { c_.ecrit_sortie(ecrivain_->debut(noms_)); }
    void rangee(const std::vector<Cellule>& cellules) { c_.ecrit_sortie(ecrivain_->rangee(noms_, cellules)); }
    void fin() { c_.ecrit_sortie(ecrivain_->fin()); }

private:
    const Contexte& c_;
    std::unique_ptr<EcrivainTable> ecrivain_;
    std::vector<std::string_view> noms_;
};

std::unique_ptr<EcrivainTable> ecrivain(Format format, bool ligne_vide) {
    switch (format) {
    case Format::csv:
        return ecrivain_csv();
    case Format::json:
        return ecrivain_json();
    default:
        return ecrivain_texte(ligne_vide);
    }
}

class Rapport {
public:
    Rapport(const Contexte& c, const Observateur& lieu, char marque)
        : c_(c), d_(c.d), lieu_(lieu), marque_(marque),
          table_(c, ecrivain(d_.format, d_.forme == Forme::plage), noms_colonnes(colonnes_almanach())),
          contexte_{c.zone, {}} {}

    void debut() { table_.debut(); }

    // Rows are gathered in blocks, computed on the processor's cores, and written in order.
    void ajoute(const Rangee& r) {
        bloc_.push_back(r);
        if (bloc_.size() >= TailleBloc) ecrit_bloc();
    }

    void fin() {
        ecrit_bloc();
        table_.fin();
    }

private:
    static constexpr std::size_t TailleBloc = 256;

    // The row's day for rise and set: the instant's UT day as the window takes it, or its date on
    // the zone's clock, from its first instant to the first of the next.
    Jour jour_de_rangee(const Rangee& r) const {
        if (!c_.zone) return {jour_julien_0h(r.champs), 1};
        const JourLocal j = jour_local(r.instant, *c_.zone);
        return {j.jj_debut, j.duree};
    }

    void ecrit_bloc() {
        const std::size_t n = bloc_.size();
        if (n == 0) return;
        const bool texte = d_.format == Format::texte;
        // The zone is read here only; the engine's part of each row is independent of the others.
        std::vector<Jour> jours(n);
        if (!texte)
            for (std::size_t i = 0; i < n; ++i)
                jours[i] = jour_de_rangee(bloc_[i]);
        std::vector<std::vector<std::string>> textes(texte ? n : 0);
        std::vector<LigneAlmanach> lignes(texte ? 0 : n);
        const auto calcule = [&](std::size_t debut, std::size_t pas) {
            for (std::size_t i = debut; i < n; i += pas) {
                if (texte)
                    textes[i] = d_.precis || c_.zone
                                    ? releve(bloc_[i].champs, lieu_, marque_, c_.echelle(), c_.zone)
                                    : releve(bloc_[i].champs, lieu_, marque_);
                else
                    lignes[i] = ligne_almanach(bloc_[i].champs, lieu_, jours[i].jj_debut, jours[i].duree,
                                               c_.echelle());
            }
        };
        // The window's lines in a zone ask it at every instant they write: the zone is not shared
        // between threads, so those rows are computed on this one.
        if (n > 1 && std::thread::hardware_concurrency() > 1 && !(texte && c_.zone)) {
            std::thread aide(calcule, 1, 2);
            calcule(0, 2);
            aide.join();
        } else {
            calcule(0, 1);
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (texte) {
                // The window's lines are the row's cells.
                std::vector<Cellule> c;
                for (std::string& ligne : textes[i])
                    c.push_back({std::move(ligne)});
                table_.rangee(c);
                continue;
            }
            const RangeeAlmanach r{instant_des_champs(bloc_[i].champs), lignes[i]};
            table_.rangee(cellules(colonnes_almanach(), r, contexte_));
        }
        bloc_.clear();
    }

    const Contexte& c_;
    const Demande& d_;
    Observateur lieu_;
    char marque_;
    Table table_;
    ContexteTable contexte_;
    std::vector<Rangee> bloc_;
};

// Today's date on the zone's clock.
DateSaisie aujourd_hui(const Contexte& c) {
    const Instant t = lit_horloge_tu(*c.env.horloge).champs;
    const DateSaisie date{t.jour, t.mois, t.an};
    if (!c.zone) return date;
    const double maintenant = jour_de(date) * SecondesParJour + t.heures * 3600 + t.minutes * 60;
    return date_du_jour(std::floor((maintenant + c.zone->decalage(maintenant)) / SecondesParJour));
}

// The row of one instant: now, or the date and time typed (on the zone's clock).
Rangee rangee_unique(const Contexte& c) {
    const Demande& d = c.d;
    if (!d.date && !d.heure) {
        const LectureTu l = lit_horloge_tu(*c.env.horloge);
        return {l.instant, l.champs};
    }
    const DateSaisie date = d.date ? *d.date : aujourd_hui(c);
    const HeureSaisie heure = d.heure.value_or(HeureSaisie{});
    if (!c.zone) return rangee_saisie(champs(date, heure));
    const InstantTu t =
        instant_de_l_heure_locale(jour_de(date) * SecondesParJour + heure.secondes_du_jour(), c.zone);
    // An instant too far out to be computed keeps its typed fields: the engine then says so.
    return {t, std::fabs(t.jour_julien()) < JourJulienLimite ? champs_de(t) : champs(date, heure)};
}

int ecrit_plage(const Contexte& c, Rapport& rapport) {
    const Demande& d = c.d;
    const HeureSaisie heure = d.heure.value_or(HeureSaisie{});
    const double premier = jour_de(*d.date);
    const double dernier = jour_de(*d.fin);
    const double h = heure.secondes_du_jour();
    const InstantTu debut = instant_de_l_heure_locale(premier * SecondesParJour + h, c.zone);
    const InstantTu limite = instant_de_l_heure_locale((dernier + 1) * SecondesParJour, c.zone);
    const auto hors_calcul = [](InstantTu t) { return !(std::fabs(t.jour_julien()) < JourJulienLimite); };
    if (hors_calcul(debut) || hors_calcul(limite) || !std::isfinite(h))
        return c.refuse("orbitel-rapport : la période de --du « " + d.texte_du + " » à --au « " + d.texte_au +
                        " » ne peut pas être calculée.");
    const double lignes = d.pas.jours
                              ? std::floor((dernier - premier) / static_cast<double>(d.pas.nombre)) + 1
                              : std::max(0.0, std::ceil((limite.secondes - debut.secondes) /
                                                        static_cast<double>(d.pas.nombre)));
    if (lignes > static_cast<double>(c.env.lignes_maximales))
        return c.refuse("orbitel-rapport : la période de --du « " + d.texte_du + " » à --au « " + d.texte_au +
                        " » par --pas « " + d.texte_pas + " » ferait " +
                        std::to_string(static_cast<long long>(lignes)) + " lignes ; au plus " +
                        std::to_string(c.env.lignes_maximales) +
                        " (prendre un pas plus long ou une période plus courte).");
    rapport.debut();
    const auto n = static_cast<std::int64_t>(lignes);
    for (std::int64_t k = 0; k < n; ++k) {
        if (d.pas.jours) {
            const double jour = premier + static_cast<double>(k * d.pas.nombre);
            // In UT, the window's fields: the date of the day and the time as typed.
            rapport.ajoute(c.zone ? rangee_de(instant_de_l_heure_locale(jour * SecondesParJour + h, c.zone))
                                  : Rangee{{jour * SecondesParJour + h}, champs(date_du_jour(jour), heure)});
        } else {
            const InstantTu t{debut.secondes + static_cast<double>(k * d.pas.nombre)};
            rapport.ajoute(k == 0 && !c.zone ? Rangee{t, champs(*d.date, heure)} : rangee_de(t));
        }
    }
    rapport.fin();
    return 0;
}

// The first instant of a year on the zone's clock, Julian day UT.
double premier_instant(const Contexte& c, double an) {
    return instant_de_l_heure_locale(jour_de({1, 1, an}) * SecondesParJour, c.zone).jour_julien();
}

// The columns of a yearly list (phases, apsides) in each form: as tables, as French lines and as
// iCalendar events.
template <class R> struct ColonnesListe { std::span<const Colonne<R>> tables, lignes, evenements; };

// Writes the list of the year of `option`, each row with its instant jj, in the format asked for;
// `calendrier` names the iCalendar file.
template <class R>
int ecrit_liste(const Contexte& c, const std::vector<R>& rangees, const std::string& option,
                std::int16_t annee, const ColonnesListe<R>& colonnes, const std::string& calendrier) {
    ContexteTable contexte{c.zone, {}};
    std::unique_ptr<EcrivainTable> e;
    std::span<const Colonne<R>> choisies = colonnes.tables;
    switch (c.d.format) {
    case Format::texte:
        e = ecrivain_texte(false);
        choisies = colonnes.lignes;
        break;
    case Format::csv:
        e = ecrivain_csv();
        break;
    case Format::json:
        e = ecrivain_json();
        break;
    case Format::ics:
        for (const R& r : rangees)
            if (instant_icalendar(InstantTu::du_jour_julien(r.jj)).empty())
                return c.refuse("orbitel-rapport : " + option + " « " + std::to_string(annee) +
                                " » : le format iCalendar n'écrit que les années 0000 à 9999.");
        contexte.horodatage = instant_icalendar(lit_horloge_tu(*c.env.horloge).instant);
        e = ecrivain_icalendar("-//Orbitel//orbitel-rapport " + version_complete() + "//FR",
                               calendrier + " " + std::to_string(annee));
        choisies = colonnes.evenements;
        break;
    }
    Table table(c, std::move(e), noms_colonnes(choisies));
    table.debut();
    for (const R& r : rangees)
        table.rangee(cellules(choisies, r, contexte));
    table.fin();
    return 0;
}

int ecrit_phases(const Contexte& c) {
    const Demande& d = c.d;
    const double annee = d.annee_phases;
    const double debut = premier_instant(c, annee);
    const double fin = premier_instant(c, annee + 1);
    // In the precise scale each phase carries the Delta T of its own instant, not the year's.
    const std::vector<PhaseDatee> phases =
        d.precis ? phases_precises_entre(debut, fin)
                 : phases_entre(debut, fin, calcule_delta_t(d.annee_phases).jours);
    // A year has 48 to 51 phases; a list outside those counts would be a partial year.
    if (phases.size() < 48 || phases.size() > 51)
        return c.refuse("orbitel-rapport : --phases « " + std::to_string(d.annee_phases) +
                        " » : les phases de cette année ne peuvent pas être calculées.");
    return ecrit_liste(c, phases, "--phases", d.annee_phases,
                       {colonnes_phases(), colonnes_phases_texte(), colonnes_phases_icalendar()},
                       "Phases de la Lune");
}

int ecrit_apsides(const Contexte& c) {
    const Demande& d = c.d;
    const double annee = d.annee_apsides;
    EtatLune etat;
    const std::vector<Apside> apsides =
        apsides_entre(etat, premier_instant(c, annee), premier_instant(c, annee + 1), c.echelle());
    // A year has 26 or 27 apsides, 13 or 14 of each kind; fewer would be a partial year.
    if (apsides.size() < 25 || apsides.size() > 28)
        return c.refuse("orbitel-rapport : --apsides « " + std::to_string(d.annee_apsides) +
                        " » : les apsides de cette année ne peuvent pas être calculées.");
    return ecrit_liste(c, apsides, "--apsides", d.annee_apsides,
                       {colonnes_apsides(), colonnes_apsides_texte(), colonnes_apsides_icalendar()},
                       "Périgées et apogées de la Lune");
}

// The days of a month in the zone: the French table, or a row a day.
int ecrit_mois(const Contexte& c, const Observateur& lieu, char marque) {
    const Demande& d = c.d;
    const FuseauFixe tu(0);
    const Fuseau& zone = c.zone ? *c.zone : tu;
    const std::vector<JourLunaire> jours = mois_lunaire(d.mois.annee, d.mois.mois, zone, lieu, c.echelle());
    if (jours.empty())
        return c.refuse("orbitel-rapport : --mois « " + std::to_string(d.mois.mois) + "/" +
                        std::to_string(d.mois.annee) +
                        " » : les jours de ce mois ne peuvent pas être calculés.");
    if (d.format == Format::texte) {
        c.ecrit_sortie(table_mois(jours, zone, lieu, marque));
        return 0;
    }
    const ContexteTable contexte{c.zone, {}};
    Table table(c, ecrivain(d.format, false), noms_colonnes(colonnes_mois()));
    table.debut();
    for (const JourLunaire& j : jours)
        table.rangee(cellules(colonnes_mois(), j, contexte));
    table.fin();
    return 0;
}

} // namespace

std::string texte_valide(std::string_view t) {
    std::string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        const std::size_t n = c < 0x80             ? 0
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
        constexpr unsigned minimum[] = {0, 0x80, 0x800, 0x10000};
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

int execute_rapport(const std::vector<std::string>& args, const EnvironnementRapport& env,
                    std::ostream& sortie, std::ostream& erreurs) {
    const Ecriture ecrit_erreurs(erreurs, env.vers_terminal);
    const Resultat<Commande> commande = lit_commande(args);
    if (!commande) return refuse(ecrit_erreurs, commande.refus());
    if (commande->quoi == Commande::Quoi::aide) {
        Ecriture(sortie, env.vers_terminal)(texte_aide());
        return 0;
    }
    if (commande->quoi == Commande::Quoi::version) {
        sortie << "orbitel-rapport " << version_complete() << "\n";
        return 0;
    }
    const Demande& d = commande->demande;

    std::unique_ptr<Fuseau> fuseau;
    if (d.zone.genre == Zone::Genre::locale)
        fuseau = env.fuseau_systeme();
    else if (d.zone.genre == Zone::Genre::fixe)
        fuseau = std::make_unique<FuseauFixe>(d.zone.decalage);
    // Only the window's French lines follow the terminal's set; tables are UTF-8 files.
    const Contexte c{d, env, fuseau.get(),
                     Ecriture(sortie, d.format == Format::texte
                                          ? env.vers_terminal
                                          : std::function<std::string(std::string_view)>{}),
                     ecrit_erreurs};

    if (d.forme == Forme::phases) return ecrit_phases(c);
    if (d.forme == Forme::apsides) return ecrit_apsides(c);

    // The place the window saved, where the command line gives none.
    std::optional<Coordonnee> latitude = d.latitude;
    std::optional<Coordonnee> longitude = d.longitude;
    if (!latitude || !longitude) {
        const auto magasin = env.reglages();
        if (!magasin) return refuse(ecrit_erreurs, magasin.refus(), 1);
        const ChampsLieu enregistre = restaure_lieu(**magasin);
        if (!latitude) latitude = coordonnee(enregistre.lat0, enregistre.lat1, enregistre.nord, true);
        if (!longitude) longitude = coordonnee(enregistre.lon0, enregistre.lon1, enregistre.est, false);
    }
    for (const Coordonnee* l : {&*latitude, &*longitude})
        if (!*l)
            return c.refuse("orbitel-rapport : le lieu donné ne peut pas être tenu (" + l->refus() + ").");

    const char marque = d.format == Format::texte ? env.marque_decimale() : '.';
    if (d.forme == Forme::mois) return ecrit_mois(c, {**latitude, **longitude}, marque);
    Rapport rapport(c, {**latitude, **longitude}, marque);
    if (d.forme == Forme::plage) return ecrit_plage(c, rapport);
    rapport.debut();
    rapport.ajoute(rangee_unique(c));
    rapport.fin();
    return 0;
}

} // namespace orbitel
