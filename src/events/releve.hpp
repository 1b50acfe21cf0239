#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "clock/instant.hpp"
#include "clock/instant_tu.hpp"
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/date.hpp"
#include "events/delta_t.hpp"
#include "events/delta_t_precis.hpp"
#include "events/lever_coucher.hpp"

namespace orbitel {

// What the window shows, as values: the place used and every number and instant of the results, in
// parts that are renewed on their own (the tick renews the position and the observer's view, a search
// the rise and set, the arrows the phase panel). Each part carries the instant it was computed for. A
// part the window has not computed yet is absent from the Releve; a part whose values could not be
// computed holds them absent, and its lines read "---". The window and orbitel-rapport write them
// through text/releve.hpp.

// The side of the Sun the Moon stands on, seen from the Earth.
enum class CoteSoleil { est, ouest };

// The geocentric quantities of an instant.
struct Geocentrique {
    double longitude;   // apparent ecliptic longitude, radians, not reduced
    double latitude;    // ecliptic latitude, radians
    double distance;    // km, centre to centre
    double ascension;   // right ascension, hours
    double declinaison; // declination, degrees
    double elongation;  // elongation from the Sun, radians
    double phase;       // illuminated fraction, percent to a hundredth
    CoteSoleil cote;
};

// The Moon at one instant: the instant as it was acquired (the clock's or the typed fields), its UT
// instant and the geocentric quantities, absent when the instant cannot be computed.
struct PositionLune {
    Instant saisi;
    InstantTu instant;
    std::optional<Geocentrique> geocentrique;
};

// The Moon seen from the place: absent without a place or a computable position.
struct VueDuLieu {
    InstantTu instant;
    std::optional<Topocentrique> valeurs;
};

// A moonrise or a moonset: its instant and the azimuth there, degrees from north through east.
struct PassageHorizon {
    InstantTu instant;
    double azimut;
};

// The rise and set of the day of an instant (its UT day, or its date on the zone's clock), each
// absent when the day has none; both absent when there was no place to search for.
struct LeverCoucherJour {
    Instant saisi; // the instant whose day was searched
    std::optional<PassageHorizon> lever, coucher;
};

// The five instants of the phase panel for a reference date (0 h): new moon, first quarter, full
// moon, last quarter and the next new moon, with the Delta T of the date's year they use.
struct Lunaison {
    DateHeure reference;
    std::int16_t annee;
    EstimationDeltaT delta_t;
    std::array<InstantTu, 5> phases;
    // On the terrestrial time scale: the phases are the precise model's, each with the Delta T of
    // its own instant, and the notice gives Delta T at the instant shown.
    struct DeltaTPrecis {
        InstantTu instant;
        double secondes;
    };
    std::optional<DeltaTPrecis> precis;
};

// The panel: absent lunation when there is no date to list or it cannot be listed.
struct PanneauDesPhases {
    std::optional<Lunaison> lunaison;
};

// The offset of the local clock from UT, in minutes, absent when it makes no sense.
struct EcartHorloge {
    std::optional<int> minutes;
};

struct Releve {
    std::optional<Observateur> lieu; // the place the results are for
    std::optional<PositionLune> position;
    std::optional<VueDuLieu> vue;
    std::optional<LeverCoucherJour> lever_coucher;
    std::optional<PanneauDesPhases> phases;
    std::optional<EcartHorloge> ecart_horloge;
};

// The parts, each computed on the engine's working state `etat`, which the position leaves for the
// observer's view and the search leaves describing its last trial.

// The ephemeris run for the instant.
// On the terrestrial time scale the theories run on TT = UT + Delta T; the instant stays in UT.
PositionLune position_lune(EtatLune& etat, const Instant& instant,
                           EchelleTemps echelle = EchelleTemps::universel);
// The quantities of a state an ephemeris run left, for the instant it was run for.
PositionLune position_de_l_etat(const EtatLune& etat, const Instant& instant);
// The view from the place of the position `etat` holds (position_lune just ran on it).
VueDuLieu vue_du_lieu(const EtatLune& etat, const PositionLune& position, const Observateur* lieu);
// The rise and set of the instant's UT day, nothing found without a place. With a zone, those of
// the instant's date on the zone's clock, from its first instant to the first of the next.
LeverCoucherJour lever_coucher_du_jour(EtatLune& etat, const Instant& instant, const Observateur* lieu,
                                       EchelleTemps echelle = EchelleTemps::universel,
                                       const Fuseau* zone = nullptr);
// The rise and set a search found, as the part of the day of `saisi`.
LeverCoucherJour passages_du_jour(const Instant& saisi, const LeverCoucher& trouves);
// The panel for a reference date (0 h); its lunation absent outside the years -32767 to 32767. On
// the terrestrial time scale, the precise model's phases and the Delta T of `montre`, the instant
// shown, for the notice: the lunation absent without one.
PanneauDesPhases panneau_des_phases(const std::optional<DateHeure>& reference,
                                    EchelleTemps echelle = EchelleTemps::universel,
                                    std::optional<InstantTu> montre = std::nullopt);

// The panel's reference date for a UT instant: the date its instant line writes (the instant to the
// second), at 0 h. A typed 31/2/2025 is written 03/03/2025, 10/10/1582 is 20/10/1582, 23:59:59.7 the
// next day. Dates before 15 October 1582 are those of the Julian calendar, taken as day, month and
// year (29/2/1500 is the day after 28/2/1500). nullopt when the line writes no date, or a year beyond
// -32767 to 32767. With a zone, the date the line writes on the zone's clock.
std::optional<DateHeure> reference_de_l_instant(InstantTu instant, const Fuseau* zone = nullptr);
// The panel's reference date after a position: none when it could not be computed.
std::optional<DateHeure> reference_de_la_position(const PositionLune& position, const Fuseau* zone = nullptr);

// Delta T of a year in days, as the phase dates use it; 0 past the years the rule is written for.
float delta_t_jours(long long annee);

// The whole relevé of an instant and a place, as orbitel-rapport prints it: the position, the view
// from the place, the rise and set of the day (searched only for a computable instant) and the panel
// of the date the instant line writes. With a zone (nullptr: UT) the day and the date are those of
// the zone's clock.
Releve calcule_releve(const Instant& instant, const Observateur& lieu,
                      EchelleTemps echelle = EchelleTemps::universel, const Fuseau* zone = nullptr);

} // namespace orbitel
