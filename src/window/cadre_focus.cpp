#include "window/cadre_focus.hpp"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace orbitel {

namespace {

constexpr int marge = 3; // pixels between the control and the frame's outer edge

} // namespace

CadreFocus::CadreFocus(QWidget& fenetre, const QColor& couleur)
    : QWidget(&fenetre), fenetre_(fenetre), couleur_(couleur) {
    setObjectName(QStringLiteral("CadreFocus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // Always shown, drawing only around a control that holds the focus: the window's look (and
    // what a printout saves and puts back) never depends on where the focus was.
    setGeometry(0, 0, 0, 0);
    connect(qApp, &QApplication::focusChanged, this, &CadreFocus::suit);
}

bool CadreFocus::visible_autour() const {
    return cible_ && cible_->hasFocus() && cible_->isVisible() && isVisible() && !size().isEmpty();
}

void CadreFocus::suit(QWidget* ancien, QWidget* nouveau) {
    if (ancien != nullptr && ancien == cible_) ancien->removeEventFilter(this);
    cible_ = nullptr;
    if (nouveau == nullptr || !fenetre_.isAncestorOf(nouveau) ||
        nouveau->property("sansCadreFocus").toBool()) {
        setGeometry(0, 0, 0, 0);
        return;
    }
    cible_ = nouveau;
    nouveau->installEventFilter(this);
    place();
}

void CadreFocus::place() {
    if (!cible_ || !cible_->isVisible()) {
        setGeometry(0, 0, 0, 0);
        return;
    }
    const QPoint coin = cible_->mapTo(&fenetre_, QPoint(0, 0));
    setGeometry(QRect(coin, cible_->size()).adjusted(-marge, -marge, marge, marge));
    raise();
    update();
}

bool CadreFocus::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == cible_) {
        switch (evenement->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return false;
}

void CadreFocus::paintEvent(QPaintEvent*) {
    // Drawn at paint time only while the control really holds the focus: a printout, which takes
    // the focus away first, never carries the frame.
    if (!cible_ || !cible_->hasFocus()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(couleur_, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

} // namespace orbitel
