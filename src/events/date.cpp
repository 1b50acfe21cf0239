#include "events/date.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orbitel {

namespace {

constexpr std::int64_t annee_min = -32767;
constexpr std::int64_t annee_max = 32767;

// Floor division, for the negative counts of days and years before 1970 and before year 0.
constexpr std::int64_t div_floor(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Days from 1970-01-01 of a day of the proleptic Gregorian calendar, for any year. The 400-year
// era makes it exact on both sides of year 0; the year is reckoned from March so that the leap day
// is the last day of its year.
std::int64_t jours_depuis_civil(std::int64_t annee, unsigned mois, unsigned jour) {
    const std::int64_t a = annee - (mois <= 2 ? 1 : 0);
    const std::int64_t ere = div_floor(a, 400);
    const std::int64_t annee_ere = a - ere * 400;
    const std::int64_t m = mois;
    const std::int64_t jour_annee =
        (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<std::int64_t>(jour) - 1;
    const std::int64_t jour_ere = annee_ere * 365 + annee_ere / 4 - annee_ere / 100 + jour_annee;
    return ere * 146097 + jour_ere - 719468;
}

struct Civil {
    std::int64_t annee;
    unsigned mois;
    unsigned jour;
};

Civil civil_depuis_jours(std::int64_t n) {
    n += 719468;
    const std::int64_t ere = div_floor(n, 146097);
    const std::int64_t jour_ere = n - ere * 146097;
    const std::int64_t annee_ere = (jour_ere - jour_ere / 1460 + jour_ere / 36524 - jour_ere / 146096) / 365;
    const std::int64_t jour_annee = jour_ere - (365 * annee_ere + annee_ere / 4 - annee_ere / 100);
    const std::int64_t mp = (5 * jour_annee + 2) / 153;
    const auto jour = static_cast<unsigned>(jour_annee - (153 * mp + 2) / 5 + 1);
    const auto mois = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    return {annee_ere + ere * 400 + (mois <= 2 ? 1 : 0), mois, jour};
}

bool bissextile(std::int64_t annee) {
    return annee % 4 == 0 && (annee % 100 != 0 || annee % 400 == 0);
}

unsigned jours_du_mois(std::int64_t annee, unsigned mois) {
    static constexpr unsigned longueurs[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mois == 2 && bissextile(annee) ? 29 : longueurs[mois - 1];
}

bool date_reelle(std::int64_t annee, std::int64_t mois, std::int64_t jour) {
    return annee >= annee_min && annee <= annee_max && mois >= 1 && mois <= 12 && jour >= 1 &&
           jour <= jours_du_mois(annee, static_cast<unsigned>(mois));
}

// A typed field holds a whole number when it is finite and equal to its floor; the bound keeps the
// conversion to an integer defined.
bool entier(double x) {
    return std::isfinite(x) && std::floor(x) == x && std::fabs(x) < 1e15;
}

// Reads an unsigned decimal number (with a leading "-" when `signe` allows it) and moves past it.
bool lit_entier(std::string_view& s, std::int64_t& valeur, bool signe) {
    const char* debut = s.data();
    const char* fin = s.data() + s.size();
    if (!signe && debut != fin && *debut == '-') return false;
    const auto [ptr, ec] = std::from_chars(debut, fin, valeur);
    if (ec != std::errc{} || ptr == debut) return false;
    s.remove_prefix(static_cast<std::size_t>(ptr - debut));
    return true;
}

bool attend(std::string_view& s, char c) {
    if (s.empty() || s.front() != c) return false;
    s.remove_prefix(1);
    return true;
}

} // namespace

DateHeure DateHeure::depuis_calendrier(std::int64_t annee, unsigned mois, unsigned jour, double heures,
                                       double minutes, double secondes) {
    // Months past December run into the following years, as the day runs into the following months.
    const std::int64_t m0 = static_cast<std::int64_t>(mois) - 1;
    const std::int64_t annee_norm = annee + div_floor(m0, 12);
    const auto mois_norm = static_cast<unsigned>(m0 - div_floor(m0, 12) * 12 + 1);
    const std::int64_t jours =
        jours_depuis_civil(annee_norm, mois_norm, 1) + static_cast<std::int64_t>(jour) - 1;
    return depuis_jours(static_cast<double>(jours) + (heures + minutes / 60.0 + secondes / 3600.0) / 24.0);
}

DateHeure DateHeure::plus_jours(std::int64_t n) const {
    return depuis_jours(jours_ + static_cast<double>(n));
}

DateHeure DateHeure::a_minuit() const {
    return depuis_jours(std::floor(jours_));
}

std::int64_t DateHeure::annee() const {
    return civil_depuis_jours(static_cast<std::int64_t>(std::floor(jours_))).annee;
}

unsigned DateHeure::mois() const {
    return civil_depuis_jours(static_cast<std::int64_t>(std::floor(jours_))).mois;
}

unsigned DateHeure::jour() const {
    return civil_depuis_jours(static_cast<std::int64_t>(std::floor(jours_))).jour;
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
    const Civil c = civil_depuis_jours(jour_entier);
    char tampon[64];
    int n = std::snprintf(tampon, sizeof tampon, "%02u/%02u/%lld", c.jour, c.mois,
                          static_cast<long long>(c.annee));
    if (secondes != 0)
        std::snprintf(tampon + n, sizeof tampon - static_cast<std::size_t>(n), " %02ld:%02ld:%02ld",
                      secondes / 3600, secondes / 60 % 60, secondes % 60);
    return tampon;
}

std::optional<DateHeure> lit_date_heure(std::string_view texte) {
    std::int64_t jour = 0, mois = 0, annee = 0;
    if (!lit_entier(texte, jour, false) || !attend(texte, '/') || !lit_entier(texte, mois, false) ||
        !attend(texte, '/') || !lit_entier(texte, annee, true))
        return std::nullopt;
    if (!date_reelle(annee, mois, jour)) return std::nullopt;
    std::int64_t h = 0, m = 0, s = 0;
    if (!texte.empty()) {
        if (!attend(texte, ' ') || !lit_entier(texte, h, false) || !attend(texte, ':') ||
            !lit_entier(texte, m, false) || !attend(texte, ':') || !lit_entier(texte, s, false) ||
            !texte.empty())
            return std::nullopt;
        if (h > 23 || m > 59 || s > 59) return std::nullopt;
    }
    return DateHeure::depuis_calendrier(annee, static_cast<unsigned>(mois), static_cast<unsigned>(jour),
                                        static_cast<double>(h), static_cast<double>(m),
                                        static_cast<double>(s));
}

bool date_valide(const Instant& instant) {
    if (!entier(instant.jour) || !entier(instant.mois) || !entier(instant.an)) return false;
    return date_reelle(static_cast<std::int64_t>(instant.an), static_cast<std::int64_t>(instant.mois),
                       static_cast<std::int64_t>(instant.jour));
}

std::optional<DateHeure> date_de_instant(const Instant& instant) {
    if (!date_valide(instant)) return std::nullopt;
    return DateHeure::depuis_calendrier(static_cast<std::int64_t>(instant.an),
                                        static_cast<unsigned>(instant.mois),
                                        static_cast<unsigned>(instant.jour));
}

} // namespace orbitel
