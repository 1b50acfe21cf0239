#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orbitel {

// The moment of computation, in UT, as calendar fields. Values typed by the user are stored as
// read: fractional, negative or out of calendar range (a month of 13) are all allowed, the Julian
// day formula absorbs them.
struct Instant {
    double jour = 0;
    double mois = 0;
    double an = 0;
    double heures = 0;
    double minutes = 0;
    float secondes = 0; // single precision: a typed 12.3 is held as 12.30000019
};

// A reading of the UTC clock, field for field as the system gives it.
struct HorlogeTu {
    std::uint16_t annee = 0;
    std::uint16_t mois = 0;
    std::uint16_t jour_semaine = 0; // 0 = Sunday
    std::uint16_t jour = 0;
    std::uint16_t heure = 0;
    std::uint16_t minute = 0;
    std::uint16_t seconde = 0;
    std::uint16_t millisecondes = 0;
};

// The local wall clock, to the whole second.
struct HeureLocale {
    int annee = 0;
    int mois = 0;
    int jour = 0;
    int heure = 0;
    int minute = 0;
    int seconde = 0;
};

// Where the present moment comes from. The window and the report take the system clocks; tests give
// a fixed clock.
class Horloge {
public:
    virtual ~Horloge() = default;
    virtual HorlogeTu tu() const = 0;
    virtual HeureLocale locale() const = 0;
};

// A reading of the system's real-time clock: whole seconds from 1970-01-01 00:00:00 UT (64 bits,
// so any year) and the nanoseconds of the second.
struct LectureHorloge {
    std::int64_t secondes = 0;
    long nanosecondes = 0;
};

// The clock's reading as calendar fields in UT, through the civil calendar: right for every year
// the fields hold (0 to 65535), far outside the range of a 64-bit count of nanoseconds.
HorlogeTu horloge_tu_de(const LectureHorloge& lecture);

// The local wall clock at that reading, by the time zone of the process (TZ), to the second.
HeureLocale heure_locale_de(const LectureHorloge& lecture);

// The system's clocks. Both readings come from the one real-time clock (clock_gettime); tests give
// another source to set the system's clock anywhere in time.
class HorlogeSysteme final : public Horloge {
public:
    explicit HorlogeSysteme(std::function<LectureHorloge()> source = {});
    HorlogeTu tu() const override;
    HeureLocale locale() const override;

private:
    LectureHorloge lit() const;
    std::function<LectureHorloge()> source_;
};

// The six entry texts of the chosen-instant mode.
struct ChampsInstant {
    std::string heures, minutes, secondes, jour, mois, an;
};

// Real time: reads the UTC clock into horloge_tu and the instant, truncated to the whole second.
void lit_instant(Instant& instant, HorlogeTu& horloge_tu, const Horloge& horloge);

// Chosen instant: reads the six texts with lit_nombre. A field whose text holds a number too large
// for a double keeps its previous value; the others are still read.
void lit_instant(Instant& instant, const ChampsInstant& champs);

// Offset of the local clock from the last UTC reading to the nearest minute, positive when the
// local clock is ahead (zones on the half or quarter hour keep their minutes), when it can be a time
// zone's: nullopt when the two clocks are more than a day apart (a clock read in another year, a
// broken zone), which no notice can state.
std::optional<int> ecart_local_plausible(const HorlogeTu& horloge_tu, const HeureLocale& locale);

} // namespace orbitel
