#include "window/pos_lune_ui.hpp"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

#include "ui_pos_lune.h"
#include "window/controles.hpp"
#include "window/images.hpp"

namespace orbitel {

namespace {

const QColor noir(0, 0, 0), blanc(255, 255, 255), creme(255, 255, 192), gris_clair(224, 224, 224),
    gris(192, 192, 192), gris_moyen(128, 128, 128), jaune_pale(255, 255, 128), lavande(192, 192, 255);

QFont arial() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8.25);
    return f;
}

void couleur_fond(QWidget* w, const QColor& fond) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fond);
    p.setColor(QPalette::Base, fond);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// White on black, the indicator keeping its own light face with a dark mark: the frame's grey would
// otherwise fill it, and a checked option would hardly differ from an unchecked one.
void couleurs_option(QRadioButton* o) {
    QPalette pal = o->palette();
    pal.setColor(QPalette::Window, noir);
    pal.setColor(QPalette::Button, noir);
    pal.setColor(QPalette::WindowText, blanc);
    pal.setColor(QPalette::ButtonText, blanc);
    pal.setColor(QPalette::Base, blanc);
    pal.setColor(QPalette::Text, noir);
    o->setPalette(pal);
    o->setAutoFillBackground(true);
}

} // namespace

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

void couleur_texte(QWidget* w, const QColor& texte) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, texte);
    p.setColor(QPalette::Text, texte);
    w->setPalette(p);
}

PosLuneUi::PosLuneUi(QWidget& fenetre) {
    Ui::PosLuneForme forme;
    forme.setupUi(&fenetre);

    bouton_mode = forme.Command1;
    bouton_quitter = forme.Command2;
    bouton_calcul = forme.Command3;
    bouton_a_propos = forme.Command4;
    bouton_imprimer = forme.Command5;
    bouton_affichage = forme.Affichage;
    cadre_instant = forme.Frame1;
    champs_date = {forme.Date_0, forme.Date_1, forme.Date_2};
    champs_heure = {forme.Heure_0, forme.Heure_1, forme.Heure_2};
    legendes_instant = {forme.Label11_0, forme.Label11_1, forme.Label11_2,
                        forme.Label11_3, forme.Label11_4, forme.Label11_5};
    focus_parque = forme.dummy;
    panneau_resultats = forme.Frame2;
    contours = {forme.Shape1_0, forme.Shape1_1, forme.Shape1_2,
                forme.Shape1_3, forme.Shape1_4, forme.Shape1_5};
    ligne_longitude = forme.Label1;
    ligne_latitude = forme.Label2;
    ligne_distance = forme.Label3;
    ligne_parallaxe = forme.Label4;
    ligne_ascension = forme.Label5;
    ligne_declinaison = forme.Label6;
    ligne_elongation = forme.Label7;
    ligne_phase = forme.Label8;
    ligne_instant = forme.Label9;
    ligne_hauteur = forme.Label12;
    ligne_azimut = forme.Label13;
    ligne_distance_topo = forme.Label14;
    ligne_ascension_topo = forme.Label15;
    ligne_declinaison_topo = forme.Label16;
    ligne_lever = forme.Label18_0;
    ligne_coucher = forme.Label18_1;
    mention_tu = forme.Label17_1;
    lignes_phases = {forme.LabPhase_0, forme.LabPhase_1, forme.LabPhase_2, forme.LabPhase_3,
                     forme.LabPhase_4};
    petites_lunes = forme.Image1;
    titre_lieu = forme.Label17_0;
    champs_latitude = {forme.TLat_0, forme.TLat_1};
    champs_longitude = {forme.TLon_0, forme.TLon_1};
    cadre_nord_sud = forme.Frame3;
    options_nord_sud = {forme.Option1_0, forme.Option1_1};
    cadre_est_ouest = forme.Frame4;
    options_est_ouest = {forme.Option2_0, forme.Option2_1};
    notice_delta_t = forme.Label10_0;
    notice_horloge = forme.Label10_1;
    fleche_precedente = forme.Image2;
    fleche_suivante = forme.Image3;
    note_heure_locale = forme.Label19;
    copie_dessin = forme.Image4;

    // The window first, so that every control starts from its black and white.
    fenetre.setWindowIcon(icone_orbitel());
    QFont defaut(QStringLiteral("Arial"));
    defaut.setPointSizeF(7.5);
    fenetre.setFont(defaut);
    QPalette p = fenetre.palette();
    p.setColor(QPalette::Window, noir);
    p.setColor(QPalette::WindowText, blanc);
    fenetre.setPalette(p);
    fenetre.setAutoFillBackground(true);

    couleur_texte(notice_delta_t, gris_moyen);
    couleur_texte(notice_horloge, gris_clair);

    // The report lines, the entry fields of the instant and the four captioned buttons are in
    // Arial 8.25 pt.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ligne_longitude,      ligne_latitude,         ligne_distance,   ligne_parallaxe,
             ligne_ascension,      ligne_declinaison,      ligne_elongation, ligne_phase,
             ligne_instant,        ligne_hauteur,          ligne_azimut,     ligne_distance_topo,
             ligne_ascension_topo, ligne_declinaison_topo, champs_date[0],   champs_date[1],
             champs_date[2],       champs_heure[0],        champs_heure[1],  champs_heure[2],
             bouton_mode,          bouton_quitter,         bouton_calcul,    bouton_a_propos})
        w->setFont(arial());
    for (QLabel* l : {ligne_longitude, ligne_latitude, ligne_distance, ligne_parallaxe, ligne_ascension,
                      ligne_declinaison, ligne_elongation, ligne_phase, ligne_hauteur, ligne_azimut})
        couleur_texte(l, gris_clair);
    couleur_texte(ligne_instant, lavande);
    for (QLabel* l : {ligne_distance_topo, ligne_ascension_topo, ligne_declinaison_topo})
        couleur_texte(l, jaune_pale);

    for (QFrame* cadre : {cadre_instant, panneau_resultats})
        couleur_fond(cadre, noir);
    for (QFrame* cadre : {cadre_nord_sud, cadre_est_ouest})
        couleur_fond(cadre, gris_moyen);
    for (QLabel* l : legendes_instant)
        couleur_texte(l, gris_clair);
    for (QLineEdit* champ :
         {champs_date[0], champs_date[1], champs_date[2], champs_heure[0], champs_heure[1], champs_heure[2],
          champs_latitude[0], champs_latitude[1], champs_longitude[0], champs_longitude[1]}) {
        couleur_fond(champ, creme);
        couleur_texte(champ, noir);
    }
    for (QRadioButton* o :
         {options_nord_sud[0], options_nord_sud[1], options_est_ouest[0], options_est_ouest[1]})
        couleurs_option(o);
    for (QLabel* l : {titre_lieu, mention_tu}) {
        couleur_fond(l, noir);
        couleur_texte(l, gris);
    }
    couleur_texte(ligne_lever, couleur_levee);
    couleur_texte(ligne_coucher, couleur_couchee);
    const std::array<QColor, 5> couleurs_phases{gris_clair, gris_clair, blanc, gris_clair, lavande};
    for (std::size_t i = 0; i < lignes_phases.size(); ++i)
        couleur_texte(lignes_phases[i], couleurs_phases[i]);

    // The pictures are drawn for the screen's density.
    const qreal ratio = fenetre.devicePixelRatioF();
    bouton_imprimer->setIcon(QIcon(image_imprimante(ratio)));
    petites_lunes->setPixmap(image_petites_lunes(ratio));
    fleche_precedente->setIcon(QIcon(image_fleche(true, ratio)));
    fleche_suivante->setIcon(QIcon(image_fleche(false, ratio)));
}

} // namespace orbitel
