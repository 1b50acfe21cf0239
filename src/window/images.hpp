#pragma once
#include <QIcon>
#include <QPixmap>

namespace orbitel {

// The window's pictures, all drawn here so that the program carries no picture files. Each is
// drawn at the given device pixel ratio so that it stays sharp on high-density screens.

// Image1: five small Moons stacked, 26 x 121 pixels: new, first quarter, full, last quarter, new.
QPixmap image_petites_lunes(qreal ratio = 1);

// Image2 and Image3: 21 x 19 arrows, pointing up (previous lunation) or down (next one).
QPixmap image_fleche(bool vers_le_haut, qreal ratio = 1);

// Command5: a 16 x 16 printer.
QPixmap image_imprimante(qreal ratio = 1);

// The program's icon, a crescent Moon on a night-blue tile, at the usual sizes.
QIcon icone_orbitel();
QPixmap image_icone(int cote);

} // namespace orbitel
