#include "window/images.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "window/dessin_lune.hpp"

namespace orbitel {

namespace {

QPixmap toile(int largeur, int hauteur, qreal ratio) {
    QPixmap pm(QSize(largeur, hauteur) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    return pm;
}

// One small Moon in a cell: the same drawing as the big one, scaled from the 5000-twip square.
void petite_lune(QPainter& p, const QRectF& cellule, double partie, bool droite) {
    p.save();
    p.setClipRect(cellule);
    const double cote = std::min(cellule.width(), cellule.height()) - 2;
    p.translate(cellule.center());
    p.scale(cote / lune_cote, cote / lune_cote);
    p.translate(-lune_cx, -lune_cy);
    PaletteLune pal = palette_lune(false);
    pal.contour = QColor(140, 140, 140); // the faint limb would vanish at this size
    dessine_phase(p, partie, droite, pal);
    p.restore();
}

} // namespace

QPixmap image_petites_lunes(qreal ratio) {
    QPixmap pm = toile(26, 121, ratio);
    QPainter p(&pm);
    p.fillRect(QRectF(0, 0, 26, 121), Qt::black);
    struct Phase {
        double partie;
        bool droite;
    };
    constexpr Phase phases[] = {{0, true}, {0.5, true}, {1, true}, {0.5, false}, {0, true}};
    const double h = 121.0 / 5;
    for (int i = 0; i < 5; ++i)
        petite_lune(p, QRectF(0, i * h, 26, h), phases[i].partie, phases[i].droite);
    return pm;
}

QPixmap image_fleche(bool vers_le_haut, qreal ratio) {
    QPixmap pm = toile(21, 19, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The downward arrow is the upward one mirrored top to bottom.
    if (!vers_le_haut) p.setTransform(QTransform(1, 0, 0, -1, 0, 19));
    QPainterPath fleche;
    fleche.moveTo(10.5, 2);
    fleche.lineTo(19, 12);
    fleche.lineTo(14, 12);
    fleche.lineTo(14, 17);
    fleche.lineTo(7, 17);
    fleche.lineTo(7, 12);
    fleche.lineTo(2, 12);
    fleche.closeSubpath();
    p.setPen(QPen(QColor(255, 224, 192), 1));
    p.setBrush(QColor(192, 192, 255));
    p.drawPath(fleche);
    return pm;
}

QPixmap image_imprimante(qreal ratio) {
    QPixmap pm = toile(16, 16, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen noir(QColor(40, 40, 40), 1);
    p.setPen(noir);
    p.setBrush(Qt::white); // the sheet going in
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(150, 150, 150)); // the body
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::white); // the printed sheet
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 170, 0)); // the power light
    p.drawEllipse(QPointF(12.5, 8.5), 0.9, 0.9);
    return pm;
}

QPixmap image_icone(int cote) {
    QPixmap pm(cote, cote);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 64.0, cote / 64.0);
    QLinearGradient ciel(0, 0, 0, 64);
    ciel.setColorAt(0, QColor(20, 28, 64));
    ciel.setColorAt(1, QColor(4, 6, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(ciel);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    // The whole disc, faintly, then the lit crescent: the full disc minus an offset disc.
    p.setBrush(QColor(60, 66, 92));
    p.drawEllipse(QPointF(32, 32), 22, 22);
    QPainterPath disque;
    disque.addEllipse(QPointF(32, 32), 22, 22);
    QPainterPath ombre;
    ombre.addEllipse(QPointF(22, 32), 20, 22);
    p.setBrush(QColor(250, 246, 224));
    p.drawPath(disque.subtracted(ombre));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(14, 14), 1.6, 1.6);
    p.drawEllipse(QPointF(50, 52), 1.2, 1.2);
    return pm;
}

QIcon icone_orbitel() {
    QIcon icone;
    for (const int cote : {16, 24, 32, 48, 64, 128, 256})
        icone.addPixmap(image_icone(cote));
    return icone;
}

} // namespace orbitel
