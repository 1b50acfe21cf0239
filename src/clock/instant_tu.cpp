#include "clock/instant_tu.hpp"

#include <cmath>

#include "clock/calendrier.hpp"

namespace orbitel {

namespace {

constexpr double SecondesParJour = 86400;

} // namespace

InstantTu instant_des_champs(const Instant& champs) {
    return InstantTu::du_jour_julien(jour_julien(champs));
}

Instant champs_de(InstantTu instant) {
    const double jour = std::floor(instant.secondes / SecondesParJour);
    const double s = instant.secondes - jour * SecondesParJour;
    const DateCalendaire d = date_du_jour_julien(jour + JourJulien1970);
    Instant i;
    i.jour = d.jour;
    i.mois = d.mois;
    i.an = static_cast<double>(d.an);
    i.heures = std::floor(s / 3600);
    i.minutes = std::floor((s - i.heures * 3600) / 60);
    i.secondes = static_cast<float>(s - i.heures * 3600 - i.minutes * 60);
    return i;
}

LectureTu lit_horloge_tu(const Horloge& horloge) {
    LectureTu l;
    HorlogeTu horloge_tu;
    lit_instant(l.champs, horloge_tu, horloge);
    l.instant = instant_des_champs(l.champs);
    return l;
}

double jour_des_champs(double jour, double mois, double an) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    return std::floor(jour_julien_0h(i) - JourJulien1970);
}

InstantTu instant_de_l_heure_locale(double secondes_locales, const Fuseau* zone) {
    return {zone ? tu_depuis_local(*zone, secondes_locales) : secondes_locales};
}

JourLocal jour_local(InstantTu instant, const Fuseau& zone) {
    // The date the instant's line writes: to the nearest second, so that a local midnight typed in
    // the fields (a hair before it once counted through the Julian day) is that day's first instant.
    const double s = std::round(instant.secondes);
    const double jour = std::floor((s + zone.decalage(s)) / SecondesParJour);
    const InstantTu debut = instant_de_l_heure_locale(jour * SecondesParJour, &zone);
    const InstantTu suivant = instant_de_l_heure_locale((jour + 1) * SecondesParJour, &zone);
    return {debut.jour_julien(), (suivant.secondes - debut.secondes) / SecondesParJour};
}

} // namespace orbitel
