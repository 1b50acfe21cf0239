#pragma once
#include <array>
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

// Why each place field cannot be held, in the order lat0, lat1, lon0, lon1; an empty text for a
// field that is right. "Nombre trop grand": the text holds a number beyond the double range, or the
// longitude does not fit a float. "Latitude : 90° au plus": degrees and minutes together go beyond
// 90° either way; the field blamed is the one that took it over (the degrees if they alone do).
struct DefautsLieu {
    std::array<std::string, 4> raisons;
    bool tenable() const { return premiere().empty(); }
    // The first field's reason, or an empty text when every field is right.
    std::string premiere() const {
        for (const std::string& r : raisons)
            if (!r.empty()) return r;
        return {};
    }
};
DefautsLieu examine_lieu(const ChampsLieu& champs);

// Degrees plus minutes / 60, the minutes always added whatever the sign of the degrees, then the
// hemisphere applied. Texts that are not numbers count as 0. Returns nullopt when examine_lieu
// finds a field that cannot be held: the caller then keeps the place it had.
std::optional<Observateur> lit_lieu(const ChampsLieu& champs);

// The first run's place, 48° 52' N, 2° 20' E.
Observateur lieu_par_defaut();

// The text of place field `indice` (0 to 3: lat0, lat1, lon0, lon1).
std::string& texte_champ(ChampsLieu& champs, int indice);
const std::string& texte_champ(const ChampsLieu& champs, int indice);

// The place the entry holds while some of its fields cannot be: the texts it is read from, always a
// place that can be held, and why each field left out is left out.
struct LieuRetenu {
    // A field's own text, or for a field left out the text it stood in for it (its fallback).
    ChampsLieu champs;
    // Empty for a field whose own text is used.
    std::array<std::string, 4> raisons;

    Observateur lieu() const;
    DefautsLieu defauts() const { return {raisons}; }
};

// The place held after a change of the shown fields `affiches`: field `champ` (0 to 3) changed, or a
// hemisphere (-1). Every field whose text can be held is used as shown, and so are the hemispheres;
// a changed field that cannot be held is left out with its reason, and its fallback `repli` (its value
// when its edit began) stands in for it. Fields left out before are taken back as soon as the shown
// texts can be held with them. `avant` is the place held before the change.
LieuRetenu suit_saisie(const LieuRetenu& avant, const ChampsLieu& affiches, int champ,
                       const std::string& repli);

} // namespace orbitel
