#pragma once
#include <QColor>
#include <QPointer>
#include <QWidget>

namespace orbitel {

// A focus mark that cannot be missed: a frame two pixels wide, in a bright colour, drawn around
// whichever control of `fenetre` holds the keyboard focus. The style's own marks are faint on a dark
// window and absent on pictures and text links. It follows the control when it moves, and shrinks
// to nothing while no control of the window has the focus (the window inactive, or the printout)
// or the focus is on a control marked with the property "sansCadreFocus" (a field parked off
// screen).
class CadreFocus : public QWidget {
    Q_OBJECT

public:
    explicit CadreFocus(QWidget& fenetre, const QColor& couleur = QColor(0, 190, 255));

    // The control framed, if any.
    QWidget* cible() const { return cible_; }
    // Whether the frame is drawn now.
    bool visible_autour() const;

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void suit(QWidget* ancien, QWidget* nouveau);
    void place();

    QWidget& fenetre_;
    QColor couleur_;
    QPointer<QWidget> cible_;
};

} // namespace orbitel
