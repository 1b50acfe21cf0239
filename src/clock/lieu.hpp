#pragma once
#include <optional>
#include <string>

namespace orbitel {

// The observer's place, in single precision as the window holds it: latitude north positive,
// longitude WEST positive (2° 20' east is -2.3333333).
struct Observateur {
    float Lat = 0;
    float Lon = 0;

    // The longitude east positive, as the sidereal time and the topocentric routine take it.
    float lon_est() const { return -Lon; }
};

// The four place texts (degrees and minutes of latitude and longitude) and the two hemisphere
// choices, as typed, shown and stored. Defaults are those of a first run (Paris, 48° 52' N,
// 2° 20' E).
struct ChampsLieu {
    std::string lat0 = "48";
    std::string lat1 = "52";
    std::string lon0 = "2";
    std::string lon1 = "20";
    bool nord = true;
    bool est = true;
};

// Degrees plus minutes / 60, the minutes always added whatever the sign of the degrees, then the
// hemisphere applied. Texts that are not numbers count as 0; no range is checked (a latitude of 95
// is used as typed). Returns nullopt when a text holds a number beyond the double range or a
// result does not fit a float: the caller then keeps the place it had.
std::optional<Observateur> lit_lieu(const ChampsLieu& champs);

} // namespace orbitel
