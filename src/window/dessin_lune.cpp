#include "window/dessin_lune.hpp"

#include <cmath>

#include "clock/nombres.hpp"

namespace orbitel {

namespace {

// A circle or ellipse as the toolkit's Circle draws it: aspect above 1 keeps the vertical semi-axis
// at r, otherwise the horizontal one.
QRectF ellipse(double r, double aspect) {
    double rx = r, ry = r;
    if (aspect > 1) {
        rx = r / aspect;
    } else {
        ry = r * aspect;
    }
    return QRectF(lune_cx - rx, lune_cy - ry, 2 * rx, 2 * ry);
}

QPen trait(const QColor& c) {
    QPen pen(c);
    pen.setWidthF(15); // one pixel
    return pen;
}

} // namespace

PaletteLune palette_lune(bool impression) {
    if (impression) return {QColor(255, 255, 255), QColor(200, 200, 200), QColor(0, 0, 0)};
    return {QColor(0, 0, 0), QColor(255, 255, 255), QColor(100, 100, 100)};
}

Terminateur terminateur(double f) {
    if (f < 0.5) return {en_simple(0.5 / (0.49999 - f)), true};
    return {en_simple(0.5 / (f - 0.49999)), false};
}

namespace {

// The background box without antialiasing: its edge pixels must be wholly opaque, or the printed
// page shows them as a grey line where the box meets the transparent rest of the surface.
constexpr QRectF fond(QPointF(lune_x0 - 1000, lune_y0 - 1000),
                      QPointF(lune_x0 + lune_cote + 1000, lune_y0 + lune_cote + 1000));

void dessine_fond(QPainter& p, const PaletteLune& palette) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(fond, palette.sombre);
    p.setRenderHint(QPainter::Antialiasing);
}

// The disc on the background: lit disc, unlit half, limb, terminator ellipse, outline.
void dessine_disque(QPainter& p, double partie_illuminee, bool droite_eclairee, const PaletteLune& palette) {
    const double f = std::abs(1 - partie_illuminee);
    const QRectF disque = ellipse(lune_rayon, 1);
    p.setPen(trait(palette.claire));
    p.setBrush(palette.claire);
    p.drawEllipse(disque);

    const QRectF moitie_sombre =
        droite_eclairee
            ? QRectF(QPointF(lune_x0, lune_y0), QPointF(lune_cx, lune_y0 + lune_cote))
            : QRectF(QPointF(lune_cx, lune_y0), QPointF(lune_x0 + lune_cote, lune_y0 + lune_cote));
    p.fillRect(moitie_sombre, palette.sombre);

    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disque);

    const Terminateur t = terminateur(f);
    const QColor& couleur = t.eclaire ? palette.claire : palette.sombre;
    p.setPen(trait(couleur));
    p.setBrush(couleur);
    p.drawEllipse(ellipse(lune_rayon, t.aspect));

    p.setPen(trait(palette.contour));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disque);
}

} // namespace

void dessine_phase(QPainter& p, double partie_illuminee, bool droite_eclairee, const PaletteLune& palette) {
    p.save();
    dessine_fond(p, palette);
    dessine_disque(p, partie_illuminee, droite_eclairee, palette);
    p.restore();
}

void dessine_phase_orientee(QPainter& p, double partie_illuminee, double inclinaison,
                            const PaletteLune& palette) {
    p.save();
    dessine_fond(p, palette);
    // The upright drawing lit on the left has its bright limb at 90 degrees; on the screen, with y
    // downward, QPainter turns clockwise, so the turn toward the left is negative.
    p.setClipRect(fond);
    p.translate(lune_cx, lune_cy);
    p.rotate(90 - inclinaison);
    p.translate(-lune_cx, -lune_cy);
    dessine_disque(p, partie_illuminee, false, palette);
    p.restore();
}

void dessine_vue(QPainter& p, const VueLune& vue, const PaletteLune& palette) {
    if (vue.inclinaison)
        dessine_phase_orientee(p, vue.partie_illuminee, *vue.inclinaison, palette);
    else
        dessine_phase(p, vue.partie_illuminee, vue.droite_eclairee, palette);
}

} // namespace orbitel
