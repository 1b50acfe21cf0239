#include "window/impression_pos_lune.hpp"

#include <QLabel>
#include <QPushButton>

#include "text/heure_locale.hpp"
#include "text/note_locale.hpp"
#include "window/controles.hpp"
#include "window/heures_locales.hpp"
#include "window/pos_lune.hpp"

namespace orbitel {

QWidget& ImpressionPosLune::fenetre() {
    return fenetre_;
}

void ImpressionPosLune::met_mode_impression(bool actif) {
    fenetre_.PR = actif;
}

void ImpressionPosLune::palette_papier() {
    PosLune& f = fenetre_;
    f.Image1->hide();
    f.Image2->hide();
    f.Image3->hide();
    applique_papier(f);
    for (QPushButton* b : {f.Command1, f.Command2, f.Command3, f.Command4, f.Command5}) {
        b->hide();
    }
    for (Forme* forme : f.Shape1) {
        forme->definit_contour(Qt::black);
    }
}

void ImpressionPosLune::calcule() {
    fenetre_.calcul();
}

void ImpressionPosLune::copie_dessin() {
    PosLune& f = fenetre_;
    const QImage& surface = f.surface();
    const qreal ratio = surface.devicePixelRatio();
    const QRect zone = f.Image4->geometry();
    const QRect en_points(zone.topLeft() * ratio, zone.size() * ratio);
    QPixmap copie = QPixmap::fromImage(surface.copy(en_points));
    copie.setDevicePixelRatio(ratio);
    f.Image4->setPixmap(copie);
    f.Image4->show();
    f.Image4->raise();
}

void ImpressionPosLune::ecrit_note() {
    // The present offset would be wrong for any instant on the other side of a change of the clocks.
    const std::optional<InstantLigne> tu = instant_de_ligne(fenetre_.Label9->text().toStdString());
    // A page with no instant on it ("---") has no time to convert.
    fenetre_.Label19->setText(tu ? QString::fromStdString(note_heure_locale(decalage_systeme(*tu)))
                                 : QString());
}

} // namespace orbitel
