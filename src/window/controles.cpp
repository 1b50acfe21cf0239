#include "window/controles.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orbitel {

Forme::Forme(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Forme::definit_contour(const QColor& couleur) {
    contour_ = couleur;
    update();
}

void Forme::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(contour_, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

ImageCliquable::ImageCliquable(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ImageCliquable::keyPressEvent(QKeyEvent* e) {
    const int touche = e->key();
    if (touche == Qt::Key_Space || touche == Qt::Key_Return || touche == Qt::Key_Enter) {
        e->accept();
        if (!e->isAutoRepeat()) emit clic();
        return;
    }
    QLabel::keyPressEvent(e);
}

void ImageCliquable::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) presse_ = true;
    e->accept();
}

void ImageCliquable::mouseReleaseEvent(QMouseEvent* e) {
    // A click is a press and a release over the picture; the release of a double click's second
    // press was already counted by mouseDoubleClickEvent.
    const bool clic_complet =
        presse_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    presse_ = false;
    e->accept();
    if (clic_complet) emit clic();
}

void ImageCliquable::mouseDoubleClickEvent(QMouseEvent* e) {
    presse_ = false;
    e->accept();
    if (e->button() == Qt::LeftButton) emit clic();
}

} // namespace orbitel
