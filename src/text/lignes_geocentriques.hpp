#pragma once
#include <string>
#include <string_view>

#include "clock/fuseau.hpp"
#include "events/releve.hpp"

namespace orbitel {

// The nine geocentric lines of the window.
struct LignesGeocentriques {
    std::string instant;
    std::string longitude;
    std::string latitude;
    std::string distance;
    std::string parallaxe;
    std::string ascension;
    std::string declinaison;
    std::string elongation;
    std::string infobulle_elongation; // whether the Moon rises before or after the Sun
    std::string phase;
};

// The lines of a position; the "---" forms when it could not be computed. With a zone (nullptr:
// UT) the instant line is "Instant (heure locale) = 12/04/1992 à 02:00:00 (UTC+2)".
LignesGeocentriques lignes_geocentriques(const PositionLune& position, char marque,
                                         const Fuseau* zone = nullptr);

// The form of a line when its value cannot be computed: "Longitude = ---".
std::string ligne_absente(std::string_view libelle);

} // namespace orbitel
