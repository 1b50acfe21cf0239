#pragma once
#include <string>

#include "ephemeris/etat_lune.hpp"

namespace orbitel {

// The nine geocentric lines of the window, in the labels' names.
struct LignesGeocentriques {
    std::string Label9; // instant
    std::string Label1; // longitude
    std::string Label2; // latitude
    std::string Label3; // distance
    std::string Label4; // parallax
    std::string Label5; // right ascension
    std::string Label6; // declination
    std::string Label7; // elongation
    std::string infobulle_Label7;
    std::string Label8; // phase
};

// Lines for the state a calcule_lune left; the "---" forms when the instant is not computable.
LignesGeocentriques lignes_geocentriques(const EtatLune& etat, char marque);

// The form of a line when its value cannot be computed: "Longitude = ---".
std::string ligne_absente(std::string_view libelle);

} // namespace orbitel
