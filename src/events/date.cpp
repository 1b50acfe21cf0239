#include "events/date.hpp"

#include <cmath>
#include <cstdio>

#include "clock/calendrier.hpp"

namespace orbitel {

namespace {

// A typed field holds a whole number when it is finite and equal to its floor; the bound keeps the
// conversion to an integer defined.
bool entier(double x) {
    return std::isfinite(x) && std::floor(x) == x && std::fabs(x) < 1e15;
}

} // namespace

DateHeure DateHeure::depuis_calendrier(std::int64_t annee, unsigned mois, unsigned jour, double heures,
                                       double minutes, double secondes) {
    const std::int64_t jours = jours_civils(annee, mois, 1) + static_cast<std::int64_t>(jour) - 1;
    return depuis_jours(static_cast<double>(jours) + (heures + minutes / 60.0 + secondes / 3600.0) / 24.0);
}

DateHeure DateHeure::plus_jours(std::int64_t n) const {
    return depuis_jours(jours_ + static_cast<double>(n));
}

std::int64_t DateHeure::annee() const {
    return date_civile(static_cast<std::int64_t>(std::floor(jours_))).annee;
}

unsigned DateHeure::mois() const {
    return date_civile(static_cast<std::int64_t>(std::floor(jours_))).mois;
}

unsigned DateHeure::jour() const {
    return date_civile(static_cast<std::int64_t>(std::floor(jours_))).jour;
}

double DateHeure::fraction() const {
    return jours_ - std::floor(jours_);
}

std::string DateHeure::texte() const {
    // Rounded to the second as a whole, so that 23:59:59.7 reads as the next day at 0 h rather than
    // as a time of 24:00:00.
    const double secondes_totales = std::round(jours_ * 86400.0);
    const auto jour_entier = static_cast<std::int64_t>(std::floor(secondes_totales / 86400.0));
    const auto secondes = static_cast<long>(secondes_totales - static_cast<double>(jour_entier) * 86400.0);
    const DateCivile c = date_civile(jour_entier);
    char tampon[64];
    int n = std::snprintf(tampon, sizeof tampon, "%02u/%02u/%lld", c.jour, c.mois,
                          static_cast<long long>(c.annee));
    if (secondes != 0)
        std::snprintf(tampon + n, sizeof tampon - static_cast<std::size_t>(n), " %02ld:%02ld:%02ld",
                      secondes / 3600, secondes / 60 % 60, secondes % 60);
    return tampon;
}

bool date_valide(const Instant& instant) {
    if (!entier(instant.jour) || !entier(instant.mois) || !entier(instant.an)) return false;
    return date_reelle(static_cast<std::int64_t>(instant.an), static_cast<std::int64_t>(instant.mois),
                       static_cast<std::int64_t>(instant.jour));
}

bool annee_affichable(const DateHeure& date) {
    const std::int64_t a = date.annee();
    return a >= AnneeMin && a <= AnneeMax;
}

std::optional<DateHeure> date_de_instant(const Instant& instant) {
    if (!date_valide(instant)) return std::nullopt;
    return DateHeure::depuis_calendrier(static_cast<std::int64_t>(instant.an),
                                        static_cast<unsigned>(instant.mois),
                                        static_cast<unsigned>(instant.jour));
}

} // namespace orbitel
