#pragma once
#include <QColor>
#include <QPainter>

#include <optional>

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

// The same drawing turned about the disc's centre as the Moon stands in the sky of the place: the
// midpoint of the lit limb at `inclinaison` degrees from the top of the disc (the zenith) toward the
// left, as AspectLune::inclinaison_limbe counts it: 0 lit from above, 90 from the left, 180 from
// below. The background square stays upright.
void dessine_phase_orientee(QPainter& p, double partie_illuminee, double inclinaison,
                            const PaletteLune& palette);

// What one drawing shows: upright, lit on the side of the Sun (the window's drawing), or turned as
// seen from the place when `inclinaison` is given.
struct VueLune {
    double partie_illuminee = 0;
    bool droite_eclairee = false;
    std::optional<double> inclinaison;
};
void dessine_vue(QPainter& p, const VueLune& vue, const PaletteLune& palette);

// The aspect ratio (height over width) of the terminator ellipse for f = |1 - partie_illuminee|,
// and whether the ellipse is lit. The 0.49999 keeps the divisor away from zero at the half Moon.
struct Terminateur {
    float aspect;
    bool eclaire;
};
Terminateur terminateur(double f);

} // namespace orbitel
