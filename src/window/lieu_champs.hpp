#pragma once
#include "clock/lieu.hpp"

namespace orbitel {

class PosLune;

// What the window shows of the place it read: each place field that cannot be held has its text
// in the error colour and the reason as its tool tip ("Latitude : 90° au plus", "Nombre trop
// grand"), a right one its usual black and no tool tip; the heading "Coordonnées du lieu" has the
// place the window holds (Lat, Lon) as its tool tip, "48° 52′ N, 2° 20′ E".
void montre_lieu(PosLune& fenetre, const DefautsLieu& defauts);

} // namespace orbitel
