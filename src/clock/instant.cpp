#include "clock/instant.hpp"

#include <chrono>
#include <cmath>
#include <ctime>
#include <type_traits>

#include "clock/calendrier.hpp"
#include "clock/lecture.hpp"
#include "clock/nombres.hpp"

namespace orbitel {

HorlogeTu HorlogeSysteme::tu() const {
    using namespace std::chrono;
    const auto maintenant = time_point_cast<milliseconds>(system_clock::now());
    const auto jour = floor<days>(maintenant);
    const year_month_day ymd{jour};
    const hh_mm_ss hms{maintenant - jour};
    HorlogeTu h;
    h.annee = static_cast<std::uint16_t>(static_cast<int>(ymd.year()));
    h.mois = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month()));
    h.jour_semaine = static_cast<std::uint16_t>(weekday{jour}.c_encoding());
    h.jour = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()));
    h.heure = static_cast<std::uint16_t>(hms.hours().count());
    h.minute = static_cast<std::uint16_t>(hms.minutes().count());
    h.seconde = static_cast<std::uint16_t>(hms.seconds().count());
    h.millisecondes = static_cast<std::uint16_t>(hms.subseconds().count());
    return h;
}

HeureLocale HorlogeSysteme::locale() const {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
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

double ecart_en_jours(const HorlogeTu& u, const HeureLocale& l) {
    const double tu = static_cast<double>(jours_civils(u.annee, u.mois, u.jour)) +
                      (u.heure + u.minute / 60.0 + u.seconde / 3600.0 + u.millisecondes / 3600000.0) / 24.0;
    const double loc = static_cast<double>(jours_civils(l.annee, static_cast<unsigned>(l.mois),
                                                        static_cast<unsigned>(l.jour))) +
                       (l.heure + l.minute / 60.0 + l.seconde / 3600.0) / 24.0;
    return loc - tu;
}

} // namespace

int ecart_local(const HorlogeTu& horloge_tu, const HeureLocale& locale) {
    return static_cast<int>(std::round(ecart_en_jours(horloge_tu, locale) * 24.0));
}

int ecart_local_minutes(const HorlogeTu& horloge_tu, const HeureLocale& locale) {
    return static_cast<int>(std::round(ecart_en_jours(horloge_tu, locale) * 1440.0));
}

} // namespace orbitel
