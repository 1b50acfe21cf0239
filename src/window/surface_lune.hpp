#pragma once
#include <QColor>
#include <QImage>

#include <optional>

#include "events/releve.hpp"

#include "window/dessin_lune.hpp"

class QPainter;
class QWidget;

namespace orbitel {

// The window's persistent drawing surface: the Moon drawn on it stays until the next drawing, and
// the window paints it under its controls. It covers the whole window, at the window's device pixel
// ratio; transparent until the first drawing.
class SurfaceLune {
public:
    explicit SurfaceLune(QWidget& fenetre);

    // The Moon with its lit fraction (0 to 1) in the screen or the paper palette. The right half is
    // lit when the Moon stands east of the Sun north of the equator, the left half south of it. A
    // fraction that is not finite leaves the last drawing.
    void dessine(double partie_illuminee, CoteSoleil cote, float lat, bool impression);
    // The Moon turned as seen from the place: the lit limb at `inclinaison` degrees from the top
    // toward the left (AspectLune::inclinaison_limbe). A tilt that is not finite leaves the last
    // drawing.
    void dessine_orientee(double partie_illuminee, double inclinaison, bool impression);
    void peint(QPainter& p) const;

    const QImage& image() const { return image_; }
    // What the last drawing showed, for its export; nullopt before the first.
    const std::optional<VueLune>& vue() const { return vue_; }

private:
    void dessine_vue(const VueLune& vue, bool impression);

    QWidget& fenetre_;
    QImage image_;
    QColor fond_; // the colour the surface was last filled with
    std::optional<VueLune> vue_;
};

} // namespace orbitel
