#include "clock/instant.hpp"

#include <cmath>
#include <ctime>
#include <type_traits>

#include "clock/calendrier.hpp"
#include "clock/lecture.hpp"
#include "clock/nombres.hpp"

namespace orbitel {

namespace {

std::int64_t jour_de(std::int64_t secondes) {
    return (secondes >= 0 ? secondes : secondes - 86399) / 86400;
}

} // namespace

HorlogeTu horloge_tu_de(const LectureHorloge& lecture) {
    const std::int64_t jour = jour_de(lecture.secondes);
    const std::int64_t dans_le_jour = lecture.secondes - jour * 86400;
    const DateCivile date = date_civile(jour);
    HorlogeTu h;
    h.annee = static_cast<std::uint16_t>(date.annee);
    h.mois = static_cast<std::uint16_t>(date.mois);
    h.jour_semaine = static_cast<std::uint16_t>(((jour % 7) + 11) % 7); // 1970-01-01 was a Thursday
    h.jour = static_cast<std::uint16_t>(date.jour);
    h.heure = static_cast<std::uint16_t>(dans_le_jour / 3600);
    h.minute = static_cast<std::uint16_t>(dans_le_jour / 60 % 60);
    h.seconde = static_cast<std::uint16_t>(dans_le_jour % 60);
    h.millisecondes = static_cast<std::uint16_t>(lecture.nanosecondes / 1000000);
    return h;
}

HeureLocale heure_locale_de(const LectureHorloge& lecture) {
    const auto t = static_cast<std::time_t>(lecture.secondes);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) return {};
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

HorlogeSysteme::HorlogeSysteme(std::function<LectureHorloge()> source) : source_(std::move(source)) {}

LectureHorloge HorlogeSysteme::lit() const {
    if (source_) return source_();
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return {static_cast<std::int64_t>(ts.tv_sec), ts.tv_nsec};
}

HorlogeTu HorlogeSysteme::tu() const {
    return horloge_tu_de(lit());
}

HeureLocale HorlogeSysteme::locale() const {
    return heure_locale_de(lit());
}

void lit_instant(Instant& instant, HorlogeTu& horloge_tu, const Horloge& horloge) {
    horloge_tu = horloge.tu();
    // The milliseconds stay out of the instant: it is the present moment to the whole second.
    instant.heures = horloge_tu.heure;
    instant.minutes = horloge_tu.minute;
    instant.secondes = horloge_tu.seconde;
    instant.jour = horloge_tu.jour;
    instant.mois = horloge_tu.mois;
    instant.an = horloge_tu.annee;
}

void lit_instant(Instant& instant, const ChampsInstant& champs) {
    const auto lit = [](const std::string& texte, auto& champ) {
        if (const auto v = lit_nombre(texte)) {
            if constexpr (std::is_same_v<std::remove_reference_t<decltype(champ)>, float>)
                champ = en_simple(*v);
            else
                champ = *v;
        }
    };
    lit(champs.heures, instant.heures);
    lit(champs.minutes, instant.minutes);
    lit(champs.secondes, instant.secondes);
    lit(champs.jour, instant.jour);
    lit(champs.mois, instant.mois);
    lit(champs.an, instant.an);
}

namespace {

// Local clock minus UT in seconds, exact in 64 bits whatever the two years.
double ecart_en_secondes(const HorlogeTu& u, const HeureLocale& l) {
    const std::int64_t jours =
        jours_civils(l.annee, static_cast<unsigned>(l.mois), static_cast<unsigned>(l.jour)) -
        jours_civils(u.annee, u.mois, u.jour);
    const std::int64_t secondes = jours * 86400 + (static_cast<std::int64_t>(l.heure) - u.heure) * 3600 +
                                  (static_cast<std::int64_t>(l.minute) - u.minute) * 60 +
                                  (static_cast<std::int64_t>(l.seconde) - u.seconde);
    return static_cast<double>(secondes) - u.millisecondes / 1000.0;
}

constexpr double jour_en_secondes = 86400.0;

} // namespace

std::optional<int> ecart_local_plausible(const HorlogeTu& horloge_tu, const HeureLocale& locale) {
    const double s = ecart_en_secondes(horloge_tu, locale);
    if (!(std::fabs(s) <= jour_en_secondes)) return std::nullopt;
    return static_cast<int>(std::round(s / 60.0));
}

} // namespace orbitel
