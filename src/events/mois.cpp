#include "events/mois.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>
#include <thread>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "events/aspect.hpp"
#include "events/delta_t.hpp"
#include "events/lever_coucher.hpp"
#include "events/passage.hpp"
#include "events/phases.hpp"
#include "events/phases_precises.hpp"
#include "events/soleil.hpp"

namespace orbitel {

namespace {

constexpr double SecondesParJour = 86400;

// The day of the engine's calendar, counted from 1970-01-01 (Julian before 1582, as the Julian day
// reckons it).
double jour_depuis_1970(std::int64_t annee, unsigned mois, unsigned jour) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = static_cast<double>(annee);
    return std::floor(jour_julien_0h(i) - JourJulien1970 + 0.5);
}

double debut_local(double jour, const Fuseau& zone) {
    return JourJulien1970 + tu_depuis_local(zone, jour * SecondesParJour) / SecondesParJour;
}

EvenementLune evenement_de_phase(std::int16_t indice) {
    switch (indice) {
    case 0:
        return EvenementLune::nouvelle_lune;
    case 1:
        return EvenementLune::premier_quartier;
    case 2:
        return EvenementLune::pleine_lune;
    default:
        return EvenementLune::dernier_quartier;
    }
}

// Everything of a day but its phases and apsides.
void calcule_jour(JourLunaire& j, const Observateur& lieu, EchelleTemps echelle) {
    EtatLune etat;
    const double duree = j.jj_fin - j.jj_debut;

    evalue_ephemeride(etat, j.jj_debut, ecart_echelle_jours(echelle, j.jj_debut));
    if (std::isfinite(etat.Distance)) {
        j.phase = fraction_eclairee(etat) * 100;
        j.distance_km = etat.Distance;
        j.diametre = diametre_apparent(etat.Distance);
        j.cote = cote_du_soleil(etat);
    }
    if (const std::optional<AgeLune> age = age_lune(j.jj_debut, echelle)) j.age = age->jours;

    const LeverCoucher lc = lever_coucher_entre(etat, j.jj_debut, duree, lieu, echelle);
    if (lc.lever.trouve) {
        j.lever = lc.lever.jj;
        j.azimut_lever = lc.lever.azimut;
    }
    if (lc.coucher.trouve) {
        j.coucher = lc.coucher.jj;
        j.azimut_coucher = lc.coucher.azimut;
    }
    if (const std::optional<Passage> p = passage_meridien_entre(etat, j.jj_debut, duree, lieu, echelle)) {
        j.passage = p->jj;
        j.hauteur_passage = p->hauteur;
    }

    const JourSoleil soleil = jour_soleil_entre(etat, j.jj_debut, duree, lieu, echelle);
    const PassagesSeuil& horizon = soleil[SeuilSoleil::lever_coucher];
    const PassagesSeuil& nuit = soleil[SeuilSoleil::astronomique];
    j.soleil_lever = horizon.montee;
    j.soleil_coucher = horizon.descente;
    j.nuit_debut = nuit.descente;
    j.nuit_fin = nuit.montee;
    j.soleil_note.toujours_leve = horizon.sans_passage == SansPassage::toujours_dessus;
    j.soleil_note.jamais_leve = horizon.sans_passage == SansPassage::toujours_dessous;
    j.soleil_note.sans_nuit = nuit.sans_passage == SansPassage::toujours_dessus;
    j.soleil_note.nuit_continue = nuit.sans_passage == SansPassage::toujours_dessous;
}

// Runs tache(0) to tache(n - 1), each once, on the machine's first two cores.
template <typename Tache> void sur_deux_coeurs(std::size_t n, const Tache& tache) {
    std::atomic<std::size_t> suivante{0};
    const auto travaille = [&] {
        for (std::size_t i = suivante++; i < n; i = suivante++)
            tache(i);
    };
    if (n > 1 && std::thread::hardware_concurrency() > 1) {
        std::thread aide(travaille);
        travaille();
        aide.join();
    } else {
        travaille();
    }
}

} // namespace

std::string_view nom_evenement(EvenementLune e) {
    switch (e) {
    case EvenementLune::nouvelle_lune:
        return "nouvelle_lune";
    case EvenementLune::premier_quartier:
        return "premier_quartier";
    case EvenementLune::pleine_lune:
        return "pleine_lune";
    case EvenementLune::dernier_quartier:
        return "dernier_quartier";
    case EvenementLune::perigee:
        return "perigee";
    case EvenementLune::apogee:
        return "apogee";
    }
    return {};
}

std::string texte_note_soleil(const NoteSoleil& note) {
    std::string t;
    const auto ajoute = [&](bool present, std::string_view nom) {
        if (!present) return;
        if (!t.empty()) t += ';';
        t += nom;
    };
    ajoute(note.toujours_leve, "toujours_leve");
    ajoute(note.jamais_leve, "jamais_leve");
    ajoute(note.sans_nuit, "sans_nuit");
    ajoute(note.nuit_continue, "nuit_continue");
    return t;
}

double debut_jour_local(std::int64_t annee, unsigned mois, unsigned jour, const Fuseau& zone) {
    return debut_local(jour_depuis_1970(annee, mois, jour), zone);
}

std::vector<JourLunaire> mois_lunaire(std::int64_t annee, unsigned mois, const Fuseau& zone,
                                      const Observateur& lieu, EchelleTemps echelle) {
    std::vector<JourLunaire> jours;
    if (mois < 1 || mois > 12 || annee < AnneeMin || annee > AnneeMax) return jours;
    const double premier = jour_depuis_1970(annee, mois, 1);
    const double suivant =
        mois == 12 ? jour_depuis_1970(annee + 1, 1, 1) : jour_depuis_1970(annee, mois + 1, 1);
    for (double d = premier; d < suivant; ++d) {
        JourLunaire j;
        const DateCalendaire c = date_du_jour_julien(d + JourJulien1970);
        j.annee = c.an;
        j.mois = static_cast<unsigned>(c.mois);
        j.jour = static_cast<unsigned>(c.jour);
        j.jj_debut = debut_local(d, zone);
        j.jj_fin = debut_local(d + 1, zone);
        jours.push_back(j);
    }
    if (jours.empty()) return jours;
    const double debut = jours.front().jj_debut;
    const double fin = jours.back().jj_fin;

    // The apsides are the longest task: it goes first, the days share the rest.
    std::vector<Apside> apsides;
    sur_deux_coeurs(jours.size() + 1, [&](std::size_t i) {
        if (i == 0) {
            EtatLune etat;
            apsides = apsides_entre(etat, debut, fin, echelle);
        } else {
            calcule_jour(jours[i - 1], lieu, echelle);
        }
    });

    std::vector<EvenementDate> evenements;
    const std::vector<PhaseDatee> phases =
        echelle == EchelleTemps::terrestre
            ? phases_precises_entre(debut, fin)
            : phases_entre(debut, fin, calcule_delta_t(static_cast<std::int16_t>(annee)).jours);
    for (const PhaseDatee& p : phases)
        evenements.push_back({evenement_de_phase(p.indice), p.jj});
    for (const Apside& a : apsides)
        evenements.push_back(
            {a.type == TypeApside::perigee ? EvenementLune::perigee : EvenementLune::apogee, a.jj});
    std::sort(evenements.begin(), evenements.end(),
              [](const EvenementDate& a, const EvenementDate& b) { return a.jj < b.jj; });
    for (const EvenementDate& e : evenements) {
        const auto jour = std::find_if(jours.begin(), jours.end(), [&](const JourLunaire& j) {
            return e.jj >= j.jj_debut && e.jj < j.jj_fin;
        });
        if (jour != jours.end()) jour->evenements.push_back(e);
    }
    return jours;
}

std::vector<Apside> apsides_annee(std::int64_t annee, const Fuseau& zone, EchelleTemps echelle) {
    if (annee < AnneeMin || annee > AnneeMax) return {};
    EtatLune etat;
    return apsides_entre(etat, debut_jour_local(annee, 1, 1, zone), debut_jour_local(annee + 1, 1, 1, zone),
                         echelle);
}

} // namespace orbitel
