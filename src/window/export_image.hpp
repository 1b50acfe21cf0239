#pragma once
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

#include "window/dessin_lune.hpp"

class QPainter;

namespace orbitel {

// Pictures written to files: a PNG at a chosen density and an SVG, from the same vector painting
// the screen and the printer get.

// Paints in logical pixels over the picture's size.
using Peintre = std::function<void(QPainter&)>;

// The picture of `taille` logical pixels at `ratio` device pixels to one (a PNG at 2 has twice the
// pixels each way), on an opaque `fond`.
QImage image_rendue(QSize taille, qreal ratio, const QColor& fond, const Peintre& peint);

// False when the file cannot be written.
bool exporte_png(const QString& chemin, QSize taille, qreal ratio, const QColor& fond, const Peintre& peint);
bool exporte_svg(const QString& chemin, QSize taille, const QString& titre, const QString& description,
                 const Peintre& peint);

// The phase drawing alone: the disc's square, cote_lune_exportee logical pixels a side, in the
// screen or the paper palette.
inline constexpr int cote_lune_exportee = 320;
void peint_lune_exportee(QPainter& p, const VueLune& vue, const PaletteLune& palette);
bool exporte_lune_png(const QString& chemin, const VueLune& vue, bool papier = false, qreal ratio = 2);
bool exporte_lune_svg(const QString& chemin, const VueLune& vue, bool papier = false);

} // namespace orbitel
