#include "window/impression_pos_lune.hpp"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "text/note_locale.hpp"
#include "window/controles.hpp"
#include "window/heures_locales.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

void ImpressionPosLune::palette_papier() {
    ui_.petites_lunes->hide();
    ui_.fleche_precedente->hide();
    ui_.fleche_suivante->hide();
    applique_papier(fenetre_);
    for (QPushButton* b :
         {ui_.bouton_mode, ui_.bouton_quitter, ui_.bouton_calcul, ui_.bouton_a_propos, ui_.bouton_imprimer}) {
        b->hide();
    }
    ui_.bouton_affichage->hide();
    for (Forme* forme : ui_.contours) {
        forme->definit_contour(Qt::black);
    }
}

void ImpressionPosLune::copie_dessin() {
    const QImage& surface = resultats_.surface();
    const qreal ratio = surface.devicePixelRatio();
    const QRect zone = ui_.copie_dessin->geometry();
    const QRect en_points(zone.topLeft() * ratio, zone.size() * ratio);
    QPixmap copie = QPixmap::fromImage(surface.copy(en_points));
    copie.setDevicePixelRatio(ratio);
    ui_.copie_dessin->setPixmap(copie);
    ui_.copie_dessin->show();
    ui_.copie_dessin->raise();
}

void ImpressionPosLune::ecrit_note() {
    // The offset at the printed instant: the present one would be wrong for any instant on the other
    // side of a change of the clocks. A page with no instant on it has no time to convert.
    const std::optional<InstantLigne> tu = resultats_.instant_imprime();
    if (!tu) {
        ui_.note_heure_locale->setText(QString());
        return;
    }
    const int decalage = decalage_systeme(*tu);
    ui_.note_heure_locale->setText(QString::fromStdString(
        resultats_.heures_locales() ? note_lignes_locales(decalage) : note_heure_locale(decalage)));
}

} // namespace orbitel
