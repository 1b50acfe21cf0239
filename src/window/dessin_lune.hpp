#pragma once
#include <QColor>
#include <QPainter>

namespace orbitel {

// Colours of the phase drawing: the screen's light-on-black and the paper's black-on-white.
struct PaletteLune {
    QColor sombre;  // background square and unlit part
    QColor claire;  // lit part
    QColor contour; // limb
};
PaletteLune palette_lune(bool impression);

// Geometry of the drawing, in twips of the window (15 to a pixel).
inline constexpr double lune_x0 = 200, lune_y0 = 200;
inline constexpr double lune_cote = 5000;
inline constexpr double lune_marge = 10;
inline constexpr double lune_rayon = (lune_cote - 2 * lune_marge) / 2; // 2490
inline constexpr double lune_cx = lune_x0 + lune_cote / 2;             // 2700
inline constexpr double lune_cy = lune_y0 + lune_cote / 2;             // 2700

// Draws the Moon with its lit fraction (0 to 1) on the painter, whose coordinates are twips.
// droite_eclairee: the right half faces the Sun (the Moon east of the Sun seen from the north).
// The drawing is made of the same figures, in the same order, as a window toolkit with boxes,
// circles and ellipses of a given aspect would draw it: background box, lit disc, unlit half, limb,
// terminator ellipse, outline.
void dessine_phase(QPainter& p, double partie_illuminee, bool droite_eclairee, const PaletteLune& palette);

// The aspect ratio (height over width) of the terminator ellipse for f = |1 - partie_illuminee|,
// and whether the ellipse is lit. The 0.49999 keeps the divisor away from zero at the half Moon.
struct Terminateur {
    float aspect;
    bool eclaire;
};
Terminateur terminateur(double f);

} // namespace orbitel
