#include "window/export_image.hpp"

#include <QPainter>
#include <QSvgGenerator>

namespace orbitel {

QImage image_rendue(QSize taille, qreal ratio, const QColor& fond, const Peintre& peint) {
    QImage image((QSizeF(taille) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fond);
    // The density a viewer shows the picture at its logical size with: 96 dots an inch at 1.
    const int points_par_metre = qRound(96 / 0.0254 * ratio);
    image.setDotsPerMeterX(points_par_metre);
    image.setDotsPerMeterY(points_par_metre);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    peint(p);
    p.end();
    return image;
}

bool exporte_png(const QString& chemin, QSize taille, qreal ratio, const QColor& fond, const Peintre& peint) {
    return image_rendue(taille, ratio, fond, peint).save(chemin, "PNG");
}

bool exporte_svg(const QString& chemin, QSize taille, const QString& titre, const QString& description,
                 const Peintre& peint) {
    QSvgGenerator svg;
    svg.setFileName(chemin);
    svg.setSize(taille);
    svg.setViewBox(QRect(QPoint(0, 0), taille));
    svg.setTitle(titre);
    svg.setDescription(description);
    QPainter p;
    if (!p.begin(&svg)) return false;
    p.setRenderHint(QPainter::Antialiasing);
    peint(p);
    return p.end();
}

void peint_lune_exportee(QPainter& p, const VueLune& vue, const PaletteLune& palette) {
    p.save();
    p.setClipRect(QRectF(0, 0, cote_lune_exportee, cote_lune_exportee));
    p.scale(cote_lune_exportee / lune_cote, cote_lune_exportee / lune_cote);
    p.translate(-lune_x0, -lune_y0);
    dessine_vue(p, vue, palette);
    p.restore();
}

bool exporte_lune_png(const QString& chemin, const VueLune& vue, bool papier, qreal ratio) {
    const PaletteLune palette = palette_lune(papier);
    return exporte_png(chemin, QSize(cote_lune_exportee, cote_lune_exportee), ratio, palette.sombre,
                       [&](QPainter& p) { peint_lune_exportee(p, vue, palette); });
}

bool exporte_lune_svg(const QString& chemin, const VueLune& vue, bool papier) {
    const PaletteLune palette = palette_lune(papier);
    return exporte_svg(chemin, QSize(cote_lune_exportee, cote_lune_exportee), "La Lune",
                       "Dessin de la phase de la Lune",
                       [&](QPainter& p) { peint_lune_exportee(p, vue, palette); });
}

} // namespace orbitel
