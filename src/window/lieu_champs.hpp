#pragma once
#include <optional>

#include "clock/lieu.hpp"

namespace orbitel {

struct PosLuneUi;

// What the window shows of the place it read: each place field that cannot be held has its text
// in the error colour and the reason as its tool tip ("Latitude : 90° au plus", "Nombre trop
// grand"), a right one its usual black and no tool tip; the heading "Coordonnées du lieu" has the
// place the window holds as its tool tip, "48° 52′ N, 2° 20′ E" (0° 00′ N, 0° 00′ E before any).
void montre_lieu(const PosLuneUi& ui, const DefautsLieu& defauts, const std::optional<Observateur>& lieu);

} // namespace orbitel
