#include "window/surface_lune.hpp"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace orbitel {

SurfaceLune::SurfaceLune(QWidget& fenetre)
    : fenetre_(fenetre), image_(fenetre.size(), QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
}

void SurfaceLune::dessine(double partie_illuminee, CoteSoleil cote, float lat, bool impression) {
    bool droite = cote == CoteSoleil::est;
    if (lat < 0) droite = !droite;
    dessine_vue({partie_illuminee, droite, std::nullopt}, impression);
}

void SurfaceLune::dessine_orientee(double partie_illuminee, double inclinaison, bool impression) {
    if (!std::isfinite(inclinaison)) return;
    dessine_vue({partie_illuminee, false, inclinaison}, impression);
}

void SurfaceLune::dessine_vue(const VueLune& vue, bool impression) {
    if (!std::isfinite(vue.partie_illuminee)) return;
    const qreal ratio = fenetre_.devicePixelRatioF();
    const QSize taille = fenetre_.size();
    const PaletteLune palette = palette_lune(impression);
    // The surface is opaque, in the palette's background, around the drawing too: a transparent
    // surround would print as a grey seam along the drawing's box once the page is scaled.
    if (image_.devicePixelRatio() != ratio || image_.size() != taille * ratio || fond_ != palette.sombre) {
        image_ = QImage(taille * ratio, QImage::Format_ARGB32_Premultiplied);
        image_.setDevicePixelRatio(ratio);
        image_.fill(palette.sombre);
        fond_ = palette.sombre;
    }
    QPainter p(&image_);
    p.scale(1 / 15.0, 1 / 15.0); // the image's own ratio maps pixels to device pixels
    orbitel::dessine_vue(p, vue, palette);
    p.end();
    vue_ = vue;
    fenetre_.update();
}

void SurfaceLune::peint(QPainter& p) const {
    p.drawImage(QPoint(0, 0), image_);
}

} // namespace orbitel
