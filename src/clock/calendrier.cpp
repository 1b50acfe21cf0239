#include "clock/calendrier.hpp"

#include <cmath>

#include "clock/nombres.hpp"

namespace orbitel {

namespace {

// Floor division, for the negative counts of days and years before 1970 and before year 0.
constexpr std::int64_t div_floor(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

} // namespace

std::int64_t jours_civils(std::int64_t annee, unsigned mois_saisi, unsigned jour) {
    // Months past December run into the following years, as the day runs into the following months.
    const std::int64_t m0 = static_cast<std::int64_t>(mois_saisi) - 1;
    annee += div_floor(m0, 12);
    const auto mois = static_cast<unsigned>(m0 - div_floor(m0, 12) * 12 + 1);
    // The 400-year era makes it exact on both sides of year 0; the year is reckoned from March so
    // that the leap day is the last day of its year.
    const std::int64_t a = annee - (mois <= 2 ? 1 : 0);
    const std::int64_t ere = div_floor(a, 400);
    const std::int64_t annee_ere = a - ere * 400;
    const std::int64_t m = mois;
    const std::int64_t jour_annee =
        (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<std::int64_t>(jour) - 1;
    const std::int64_t jour_ere = annee_ere * 365 + annee_ere / 4 - annee_ere / 100 + jour_annee;
    return ere * 146097 + jour_ere - 719468;
}

DateCivile date_civile(std::int64_t n) {
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
    return annee >= AnneeMin && annee <= AnneeMax && mois >= 1 && mois <= 12 && jour >= 1 &&
           jour <= jours_du_mois(annee, static_cast<unsigned>(mois));
}

double jour_julien_0h(const Instant& instant) {
    // Meeus' formula on the fields as typed: fractions and out-of-range months are absorbed.
    double y = instant.an, m = instant.mois;
    if (!(instant.mois > 2)) {
        y = instant.an - 1;
        m = instant.mois + 12;
    }
    double B = 0;
    if (y * 10000 + m * 100 + instant.jour >= 15821015) {
        const double A = std::floor(y / 100);
        B = 2 - A + std::floor(A / 4);
    }
    return 1720994.5 + std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + B + instant.jour;
}

double jour_julien(const Instant& instant) {
    return jour_julien_0h(instant) + instant.heures / 24 + instant.minutes / 1440 +
           static_cast<double>(instant.secondes) / 86400;
}

DateCalendaire date_du_jour_julien(double jj) {
    const double Z = std::floor(jj + 0.5);
    const double F = (jj + 0.5) - Z;
    double A = Z;
    if (Z >= 2299161) {
        const double alpha = std::floor((Z - 1867216.25) / 36524.25);
        A = Z + 1 + alpha - std::floor(alpha / 4);
    }
    const double B = A + 1524;
    const double C = std::floor((B - 122.1) / 365.25);
    const double D = std::floor(365.25 * C);
    const double E = std::floor((B - D) / 30.6001);
    const double d = B - D - std::floor(30.6001 * E) + F;
    const int mois = static_cast<int>(E < 13.5 ? E - 1 : E - 13);
    const auto an = static_cast<long long>(mois > 2.5 ? C - 4716 : C - 4715);
    return {an, mois, static_cast<int>(std::floor(d)), d - std::floor(d)};
}

bool date_reelle_jour_julien(std::int64_t annee, std::int64_t mois, std::int64_t jour) {
    if (annee < AnneeMin || annee > AnneeMax || mois < 1 || mois > 12 || jour < 1 || jour > 31) return false;
    // A day that is no date runs on into another (31/02 into March, 10/10/1582 into 20 October):
    // only a real one comes back from its Julian day unchanged.
    Instant i;
    i.jour = static_cast<double>(jour);
    i.mois = static_cast<double>(mois);
    i.an = static_cast<double>(annee);
    const DateCalendaire d = date_du_jour_julien(jour_julien_0h(i));
    return d.an == annee && d.mois == mois && d.jour == jour;
}

std::optional<DateHeureTu> a_la_seconde(InstantTu instant) {
    const double jj = instant.jour_julien();
    if (!(std::fabs(jj) < JourJulienLimite)) return std::nullopt;
    DateCalendaire date = date_du_jour_julien(jj);
    // The time of day goes through hours and back, as the lines have always reckoned it: the
    // second it rounds to depends on it.
    const double heures = (1440.0 * date.fraction) / 60.0;
    double fraction = heures / 24.0;
    // Within half a second of midnight the time reads 00:00:00: it is then the next day.
    if (std::fabs(arrondi_decimal(fraction * 86400.0, 0)) >= 86400.0) {
        date = date_du_jour_julien(std::floor(jj + 0.5) + 0.5);
        fraction = 0;
    }
    // Whole days drop out first (fmod is exact), so that no count of seconds outgrows its integer.
    fraction = std::fmod(fraction, 1.0);
    const double secondes = std::fabs(arrondi_decimal(fraction * 86400.0, 0));
    long long total = static_cast<long long>(secondes) % 86400;
    if (fraction < 0) total = (86400 - total) % 86400;
    return DateHeureTu{date.an,
                       date.mois,
                       date.jour,
                       static_cast<int>(total / 3600),
                       static_cast<int>(total / 60 % 60),
                       static_cast<int>(total % 60)};
}

std::int64_t secondes_depuis_1970(const DateHeureTu& t) {
    Instant i;
    i.an = static_cast<double>(t.an);
    i.mois = t.mois;
    i.jour = t.jour;
    i.heures = 12;
    const auto jour = static_cast<std::int64_t>(std::llround(jour_julien(i)));
    constexpr std::int64_t jour_1970 = 2440588; // day number of 1 January 1970
    return (jour - jour_1970) * 86400 + t.heures * 3600 + t.minutes * 60 + t.secondes;
}

} // namespace orbitel
