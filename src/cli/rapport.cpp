#include "cli/rapport.hpp"

#include <cmath>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/arguments.hpp"
#include "clock/calendrier.hpp"
#include "clock/lecture.hpp"
#include "clock/lieu.hpp"
#include "clock/nombres.hpp"
#include "events/almanach.hpp"
#include "events/delta_t.hpp"
#include "events/phases.hpp"
#include "text/almanach.hpp"
#include "text/formats.hpp"
#include "text/releve.hpp"
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

// A refusal: its message, quoting what was typed as valid text, on standard error; status 2.
int refuse(const Ecriture& ecrit_erreurs, const std::string& message) {
    ecrit_erreurs(texte_valide(message));
    ecrit_erreurs("\n");
    return 2;
}

// One run: the request, its environment and its two streams.
struct Contexte {
    const Demande& d;
    const EnvironnementRapport& env;
    Ecriture ecrit_sortie;
    Ecriture ecrit_erreurs;

    int refuse(const std::string& message) const { return orbitel::refuse(ecrit_erreurs, message); }
};

Instant instant_de(const ChampsDate& d, const ChampsHeure& h) {
    return {d.jour, d.mois, d.an, h.heures, h.minutes, h.secondes};
}

// Days from 1970-01-01 of a date of the engine's calendar (fields out of range run on, as the
// Julian day absorbs them).
double jour_de(const ChampsDate& d) {
    return std::floor(jour_julien_0h(instant_de(d, {})) - JourJulien1970);
}

ChampsDate date_du_jour(double jour) {
    const DateCalendaire c = date_du_jour_julien(jour + JourJulien1970);
    return {static_cast<double>(c.jour), static_cast<double>(c.mois), static_cast<double>(c.an)};
}

double secondes_du_jour(const ChampsHeure& h) {
    return h.heures * 3600 + h.minutes * 60 + static_cast<double>(h.secondes);
}

double jj_de(double secondes_tu) {
    return JourJulien1970 + secondes_tu / SecondesParJour;
}

// The UT fields of an instant counted in seconds from 1970.
Instant instant_tu(double secondes_tu) {
    const double jour = std::floor(secondes_tu / SecondesParJour);
    const double s = secondes_tu - jour * SecondesParJour;
    ChampsHeure h;
    h.heures = std::floor(s / 3600);
    h.minutes = std::floor((s - h.heures * 3600) / 60);
    h.secondes = static_cast<float>(s - h.heures * 3600 - h.minutes * 60);
    return instant_de(date_du_jour(jour), h);
}

// One instant of the output: its UT fields as the engine takes them, and its count of seconds.
struct Rangee {
    Instant instant;
    double secondes_tu = 0;
};

// What one row needs besides its instant: the day searched for rise and set.
struct Jour {
    double jj_debut = 0;
    double duree = 1; // days
};

class Rapport {
public:
    Rapport(const Contexte& c, const Fuseau& fuseau, const Observateur& lieu)
        : c_(c), d_(c.d), fuseau_(fuseau), lieu_(lieu),
          marque_(d_.format == Format::texte ? c.env.marque_decimale() : '.') {}

    void debut() {
        if (d_.format == Format::csv) c_.ecrit_sortie(std::string(colonnes_almanach) + "\n");
        if (d_.format == Format::json) c_.ecrit_sortie("[");
    }

    // Rows are gathered in blocks, computed on the processor's cores, and written in order.
    void ajoute(const Rangee& r) {
        bloc_.push_back(r);
        if (bloc_.size() >= TailleBloc) ecrit_bloc();
    }

    void fin() {
        ecrit_bloc();
        if (d_.format == Format::json) c_.ecrit_sortie(premiere_ ? "]\n" : "\n]\n");
    }

private:
    static constexpr std::size_t TailleBloc = 256;

    // The row's day for rise and set: the instant's UT day as the window takes it, or its date on
    // the zone's clock, from its first instant to the first of the next.
    Jour jour_de_rangee(const Rangee& r) const {
        if (d_.zone == Zone::tu) return {jour_julien_0h(r.instant), 1};
        const double local = r.secondes_tu + fuseau_.decalage(r.secondes_tu);
        const double jour = std::floor(local / SecondesParJour);
        const double debut = tu_depuis_local(fuseau_, jour * SecondesParJour);
        const double suivant = tu_depuis_local(fuseau_, (jour + 1) * SecondesParJour);
        return {jj_de(debut), (suivant - debut) / SecondesParJour};
    }

    std::string iso(double jj_tu) const { return instant_iso(jj_tu, fuseau_, d_.zone == Zone::tu); }

    void ecrit_bloc() {
        const std::size_t n = bloc_.size();
        if (n == 0) return;
        // The zone is read here only; the engine's part of each row is independent of the others.
        std::vector<Jour> jours(n);
        if (d_.format != Format::texte)
            for (std::size_t i = 0; i < n; ++i)
                jours[i] = jour_de_rangee(bloc_[i]);
        std::vector<std::vector<std::string>> textes(d_.format == Format::texte ? n : 0);
        std::vector<LigneAlmanach> lignes(d_.format == Format::texte ? 0 : n);
        const auto calcule = [&](std::size_t debut, std::size_t pas) {
            for (std::size_t i = debut; i < n; i += pas) {
                if (d_.format == Format::texte)
                    textes[i] = releve(bloc_[i].instant, lieu_, marque_);
                else
                    lignes[i] = ligne_almanach(bloc_[i].instant, lieu_, jours[i].jj_debut, jours[i].duree);
            }
        };
        if (n > 1 && std::thread::hardware_concurrency() > 1) {
            std::thread aide(calcule, 1, 2);
            calcule(0, 2);
            aide.join();
        } else {
            calcule(0, 1);
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (d_.format == Format::texte) {
                std::string t;
                for (const std::string& ligne : textes[i])
                    t += ligne + '\n';
                if (d_.forme == Demande::Forme::plage) t += '\n';
                c_.ecrit_sortie(t);
                continue;
            }
            const LigneAlmanach& l = lignes[i];
            const double jj = l.calculable ? l.jj : jour_julien(bloc_[i].instant);
            const CellulesAlmanach c =
                cellules_almanach(l, iso(jj), iso(l.lever_coucher.lever.jj), iso(l.lever_coucher.coucher.jj));
            if (d_.format == Format::csv) {
                c_.ecrit_sortie(ligne_csv(c));
            } else {
                c_.ecrit_sortie(premiere_ ? "\n" : ",\n");
                c_.ecrit_sortie(objet_json(c));
            }
            premiere_ = false;
        }
        bloc_.clear();
    }

    const Contexte& c_;
    const Demande& d_;
    const Fuseau& fuseau_;
    Observateur lieu_;
    char marque_;
    bool premiere_ = true;
    std::vector<Rangee> bloc_;
};

// Today's date on the zone's clock.
ChampsDate aujourd_hui(const Contexte& c, const Fuseau& fuseau) {
    const Demande& d = c.d;
    const HorlogeTu t = c.env.horloge->tu();
    if (d.zone == Zone::tu)
        return {static_cast<double>(t.jour), static_cast<double>(t.mois), static_cast<double>(t.annee)};
    const ChampsDate date{static_cast<double>(t.jour), static_cast<double>(t.mois),
                          static_cast<double>(t.annee)};
    const double maintenant =
        jour_de(date) * SecondesParJour +
        secondes_du_jour({static_cast<double>(t.heure), static_cast<double>(t.minute), 0});
    return date_du_jour(std::floor((maintenant + fuseau.decalage(maintenant)) / SecondesParJour));
}

// The rows of one instant: now, or the date and time typed (on the zone's clock).
Rangee rangee_unique(const Contexte& c, const Fuseau& fuseau) {
    const Demande& d = c.d;
    Rangee r;
    if (!d.date && !d.heure) {
        HorlogeTu horloge_tu;
        lit_instant(r.instant, horloge_tu, *c.env.horloge);
        r.secondes_tu = (jour_julien(r.instant) - JourJulien1970) * SecondesParJour;
        return r;
    }
    const ChampsDate date = d.date ? *d.date : aujourd_hui(c, fuseau);
    const ChampsHeure heure = d.heure.value_or(ChampsHeure{});
    if (d.zone == Zone::tu) {
        r.instant = instant_de(date, heure);
        r.secondes_tu = (jour_julien(r.instant) - JourJulien1970) * SecondesParJour;
        return r;
    }
    r.secondes_tu = tu_depuis_local(fuseau, jour_de(date) * SecondesParJour + secondes_du_jour(heure));
    // An instant too far out to be computed keeps its typed fields: the engine then says so.
    r.instant = std::fabs(jj_de(r.secondes_tu)) < JourJulienLimite ? instant_tu(r.secondes_tu)
                                                                   : instant_de(date, heure);
    return r;
}

int ecrit_plage(const Contexte& c, const Fuseau& fuseau, Rapport& rapport) {
    const Demande& d = c.d;
    const ChampsHeure heure = d.heure.value_or(ChampsHeure{});
    const double premier = jour_de(*d.date);
    const double dernier = jour_de(*d.fin);
    const double h = secondes_du_jour(heure);
    const auto tu_local = [&](double local) {
        return d.zone == Zone::tu ? local : tu_depuis_local(fuseau, local);
    };
    const double debut = tu_local(premier * SecondesParJour + h);
    const double limite = tu_local((dernier + 1) * SecondesParJour);
    const auto hors_calcul = [](double s) { return !(std::fabs(jj_de(s)) < JourJulienLimite); };
    if (hors_calcul(debut) || hors_calcul(limite) || !std::isfinite(h))
        return c.refuse("orbitel-rapport : la période de --du « " + d.texte_du + " » à --au « " + d.texte_au +
                        " » ne peut pas être calculée.");
    const double lignes =
        d.pas.jours ? std::floor((dernier - premier) / static_cast<double>(d.pas.nombre)) + 1
                    : std::max(0.0, std::ceil((limite - debut) / static_cast<double>(d.pas.nombre)));
    if (lignes > static_cast<double>(c.env.lignes_maximales))
        return c.refuse("orbitel-rapport : la période de --du « " + d.texte_du + " » à --au « " + d.texte_au +
                        " » par --pas « " + d.texte_pas + " » ferait " +
                        std::to_string(static_cast<long long>(lignes)) + " lignes ; au plus " +
                        std::to_string(c.env.lignes_maximales) +
                        " (prendre un pas plus long ou une période plus courte).");
    rapport.debut();
    const auto n = static_cast<std::int64_t>(lignes);
    for (std::int64_t k = 0; k < n; ++k) {
        Rangee r;
        if (d.pas.jours) {
            const double jour = premier + static_cast<double>(k * d.pas.nombre);
            if (d.zone == Zone::tu) {
                // The window's fields: the date of the day and the time as typed.
                r.instant = instant_de(date_du_jour(jour), heure);
                r.secondes_tu = jour * SecondesParJour + h;
            } else {
                r.secondes_tu = tu_local(jour * SecondesParJour + h);
                r.instant = instant_tu(r.secondes_tu);
            }
        } else {
            r.secondes_tu = debut + static_cast<double>(k * d.pas.nombre);
            r.instant = k == 0 && d.zone == Zone::tu ? instant_de(*d.date, heure) : instant_tu(r.secondes_tu);
        }
        rapport.ajoute(r);
    }
    rapport.fin();
    return 0;
}

std::string maintenant_icalendar(const Horloge& horloge) {
    Instant maintenant;
    HorlogeTu horloge_tu;
    lit_instant(maintenant, horloge_tu, horloge);
    return instant_icalendar(jour_julien(maintenant));
}

int ecrit_phases(const Contexte& c, const Fuseau& fuseau) {
    const Demande& d = c.d;
    const auto premier_instant = [&](double an) {
        const double local = jour_de({1, 1, an}) * SecondesParJour;
        return jj_de(d.zone == Zone::tu ? local : tu_depuis_local(fuseau, local));
    };
    const double annee = d.annee_phases;
    const float delta_t = calcule_delta_t(d.annee_phases).jours;
    const std::vector<PhaseDatee> phases =
        phases_entre(premier_instant(annee), premier_instant(annee + 1), delta_t);
    // A year has 48 to 51 phases; a list outside those counts would be a partial year.
    if (phases.size() < 48 || phases.size() > 51)
        return c.refuse("orbitel-rapport : --phases « " + std::to_string(d.annee_phases) +
                        " » : les phases de cette année ne peuvent pas être calculées.");
    const auto iso = [&](double jj) { return instant_iso(jj, fuseau, d.zone == Zone::tu); };
    switch (d.format) {
    case Format::texte:
        for (const PhaseDatee& p : phases)
            c.ecrit_sortie(ligne_phase(p) + "\n");
        break;
    case Format::csv:
        c.ecrit_sortie("phase,instant\n");
        for (const PhaseDatee& p : phases)
            c.ecrit_sortie(std::string(nom_phase_table(p.indice)) + "," + iso(p.jj) + "\n");
        break;
    case Format::json: {
        std::string s = "[";
        for (std::size_t i = 0; i < phases.size(); ++i)
            s += std::string(i ? ",\n" : "\n") + "{\"phase\":\"" +
                 std::string(nom_phase_table(phases[i].indice)) + "\",\"instant\":\"" + iso(phases[i].jj) +
                 "\"}";
        c.ecrit_sortie(s + (phases.empty() ? "]\n" : "\n]\n"));
        break;
    }
    case Format::ics: {
        for (const PhaseDatee& p : phases)
            if (instant_icalendar(p.jj).empty())
                return c.refuse("orbitel-rapport : --phases « " + std::to_string(d.annee_phases) +
                                " » : le format iCalendar n'écrit que les années 0000 à 9999.");
        const std::string horodatage = maintenant_icalendar(*c.env.horloge);
        std::string s = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Orbitel//orbitel-rapport ";
        s += version_complete();
        s += "//FR\r\nCALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:Phases de la Lune ";
        s += std::to_string(d.annee_phases);
        s += "\r\n";
        for (const PhaseDatee& p : phases)
            s += evenement_icalendar(p, horodatage);
        c.ecrit_sortie(s + "END:VCALENDAR\r\n");
        break;
    }
    }
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
    const auto refuse = [&](const std::string& message) { return orbitel::refuse(ecrit_erreurs, message); };
    const ResultatArguments r = analyse_arguments(args);
    if (!r.erreur.empty()) return refuse(r.erreur);
    const ArgumentsRapport& a = r.arguments;
    if (a.aide) {
        Ecriture(sortie, env.vers_terminal)(texte_aide);
        return 0;
    }
    if (a.version) {
        sortie << "orbitel-rapport " << version_complete() << "\n";
        return 0;
    }
    const ResultatDemande lu = lit_demande(a);
    if (!lu.erreur.empty()) return refuse(lu.erreur);
    const Demande& d = lu.demande;
    // Only the window's French lines follow the terminal's set; tables are UTF-8 files.
    const Contexte c{d, env,
                     Ecriture(sortie, d.format == Format::texte
                                          ? env.vers_terminal
                                          : std::function<std::string(std::string_view)>{}),
                     ecrit_erreurs};

    std::unique_ptr<Fuseau> fuseau;
    if (d.zone == Zone::locale)
        fuseau = env.fuseau_systeme();
    else
        fuseau = std::make_unique<FuseauFixe>(d.zone == Zone::fixe ? d.decalage : 0);

    if (d.forme == Demande::Forme::phases) return ecrit_phases(c, *fuseau);

    // A sub-field that cannot be held has no previous value to keep: it reads 0.
    const auto texte_lu = [](const std::string& t) { return lit_nombre(t) ? t : std::string("0"); };
    // The place the window saved, where the command line gives none.
    const ChampsLieu enregistre = d.latitude && d.longitude ? ChampsLieu{} : restaure_lieu(*env.reglages());
    const std::vector<std::string> lat =
        d.latitude.value_or(std::vector<std::string>{enregistre.lat0, enregistre.lat1});
    const std::vector<std::string> lon =
        d.longitude.value_or(std::vector<std::string>{enregistre.lon0, enregistre.lon1});
    const bool nord = d.latitude ? d.nord : enregistre.nord;
    const bool est = d.longitude ? d.est : enregistre.est;
    const ChampsLieu champs{
        texte_lu(lat[0]), texte_lu(lat[1]), texte_lu(lon[0]), texte_lu(lon[1]), nord, est};
    const auto lieu = lit_lieu(champs);
    if (!lieu)
        return refuse("orbitel-rapport : le lieu donné ne peut pas être tenu (" +
                      examine_lieu(champs).premiere() + ").");

    Rapport rapport(c, *fuseau, *lieu);
    if (d.forme == Demande::Forme::plage) return ecrit_plage(c, *fuseau, rapport);
    rapport.debut();
    rapport.ajoute(rangee_unique(c, *fuseau));
    rapport.fin();
    return 0;
}

} // namespace orbitel
