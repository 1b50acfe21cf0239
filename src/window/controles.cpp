#include "window/controles.hpp"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

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

ImageCliquable::ImageCliquable(QWidget* parent) : QToolButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAutoRaise(true);
    connect(this, &QAbstractButton::clicked, this, &ImageCliquable::clic);
}

void ImageCliquable::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemPixmap(&p, rect(), Qt::AlignCenter, icon().pixmap(iconSize(), devicePixelRatioF()));
}

void ImageCliquable::keyPressEvent(QKeyEvent* e) {
    // Space is the button's own key (a click on release); Enter and Return click at once.
    const int touche = e->key();
    if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
        e->accept();
        if (!e->isAutoRepeat()) click();
        return;
    }
    QToolButton::keyPressEvent(e);
}

namespace {

// The parked focus's interface: no role, no name, not shown.
class AccessibleParque : public QAccessibleWidget {
public:
    explicit AccessibleParque(QWidget* w) : QAccessibleWidget(w, QAccessible::NoRole) {}

    QAccessible::State state() const override {
        QAccessible::State etat;
        etat.invisible = true;
        etat.offscreen = true;
        return etat;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* interface_parque(const QString& classe, QObject* objet) {
    if (classe == QLatin1String(FocusParque::staticMetaObject.className()) && objet->isWidgetType())
        return new AccessibleParque(static_cast<QWidget*>(objet));
    return nullptr;
}

} // namespace

FocusParque::FocusParque(QWidget* parent) : QWidget(parent) {
    static const bool fabrique_installee = [] {
        QAccessible::installFactory(interface_parque);
        return true;
    }();
    (void)fabrique_installee;
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
}

} // namespace orbitel
