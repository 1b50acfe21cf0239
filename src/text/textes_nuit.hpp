#pragma once
#include <cstdint>
#include <string>

namespace orbitel {

// The texts of the night's altitude graph. Times are wall-clock readings of the graph's zone, in
// seconds from 1970-01-01 at 0 h on that clock; numbers with the user's decimal mark.

// "18 h 42": to the minute as the rise and set lines write it (the seconds dropped once rounded).
std::string texte_heure_graphe(double secondes_locales);

// "18 h": a whole hour of the axis.
std::string texte_heure_axe(int heure);

// "21 h 15 — hauteur 34,2° — azimut 152,7°": a point of the curve.
std::string texte_point_graphe(double secondes_locales, double hauteur, double azimut, char marque);

// The marks of the Moon's events: "Lever 18 h 42", "Passage 23 h 10", "Coucher 05 h 31".
enum class EvenementGraphe { lever, passage, coucher };
std::string texte_evenement_graphe(EvenementGraphe evenement, double secondes_locales);

// "Nuit du 07/12/2026 au 08/12/2026, heures en UTC+1": the local days (numbered from 1970-01-01)
// the span begins and ends on, and the zone's offset at its start in seconds.
std::string texte_titre_nuit(std::int64_t jour_debut, std::int64_t jour_fin, int decalage_secondes);

// "48,87° N, 2,33° E": the place, latitude north positive and longitude WEST positive.
std::string texte_lieu_graphe(float lat, float lon_ouest, char marque);

} // namespace orbitel
