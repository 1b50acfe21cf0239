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

    Command5 = forme.Command5;
    Frame1 = forme.Frame1;
    Heure = {forme.Heure_0, forme.Heure_1, forme.Heure_2};
    Date = {forme.Date_0, forme.Date_1, forme.Date_2};
    Shape1 = {forme.Shape1_0, forme.Shape1_1, forme.Shape1_2, forme.Shape1_3, forme.Shape1_4, forme.Shape1_5};
    Label11 = {forme.Label11_0, forme.Label11_1, forme.Label11_2,
               forme.Label11_3, forme.Label11_4, forme.Label11_5};
    Command3 = forme.Command3;
    Command1 = forme.Command1;
    Command4 = forme.Command4;
    Command2 = forme.Command2;
    dummy = forme.dummy;
    Frame2 = forme.Frame2;
    TLat = {forme.TLat_0, forme.TLat_1};
    Frame4 = forme.Frame4;
    Option2 = {forme.Option2_0, forme.Option2_1};
    Frame3 = forme.Frame3;
    Option1 = {forme.Option1_0, forme.Option1_1};
    TLon = {forme.TLon_0, forme.TLon_1};
    Label17 = {forme.Label17_0, forme.Label17_1};
    Label18 = {forme.Label18_0, forme.Label18_1};
    LabPhase = {forme.LabPhase_0, forme.LabPhase_1, forme.LabPhase_2, forme.LabPhase_3, forme.LabPhase_4};
    Label1 = forme.Label1;
    Label2 = forme.Label2;
    Label3 = forme.Label3;
    Label4 = forme.Label4;
    Label5 = forme.Label5;
    Label6 = forme.Label6;
    Label7 = forme.Label7;
    Label8 = forme.Label8;
    Label9 = forme.Label9;
    Label12 = forme.Label12;
    Label13 = forme.Label13;
    Label14 = forme.Label14;
    Label15 = forme.Label15;
    Label16 = forme.Label16;
    Image1 = forme.Image1;
    Label19 = forme.Label19;
    Image4 = forme.Image4;
    Label10 = {forme.Label10_0, forme.Label10_1};
    Image3 = forme.Image3;
    Image2 = forme.Image2;

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

    couleur_texte(Label10[0], gris_moyen);
    couleur_texte(Label10[1], gris_clair);

    // The report lines, the entry fields of the instant and the four captioned buttons are in
    // Arial 8.25 pt.
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label1,  Label2,   Label3,   Label4,   Label5,   Label6,   Label7,   Label8,
             Label9,  Label12,  Label13,  Label14,  Label15,  Label16,  Date[0],  Date[1],
             Date[2], Heure[0], Heure[1], Heure[2], Command1, Command2, Command3, Command4})
        w->setFont(arial());
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label12, Label13})
        couleur_texte(l, gris_clair);
    couleur_texte(Label9, lavande);
    for (QLabel* l : {Label14, Label15, Label16})
        couleur_texte(l, jaune_pale);

    for (QFrame* cadre : {Frame1, Frame2})
        couleur_fond(cadre, noir);
    for (QFrame* cadre : {Frame3, Frame4})
        couleur_fond(cadre, gris_moyen);
    for (QLabel* l : Label11)
        couleur_texte(l, gris_clair);
    for (QLineEdit* champ :
         {Date[0], Date[1], Date[2], Heure[0], Heure[1], Heure[2], TLat[0], TLat[1], TLon[0], TLon[1]}) {
        couleur_fond(champ, creme);
        couleur_texte(champ, noir);
    }
    for (QRadioButton* o : {Option1[0], Option1[1], Option2[0], Option2[1]})
        couleurs_option(o);
    for (QLabel* l : Label17) {
        couleur_fond(l, noir);
        couleur_texte(l, gris);
    }
    couleur_texte(Label18[0], couleur_levee);
    couleur_texte(Label18[1], couleur_couchee);
    const std::array<QColor, 5> couleurs_phases{gris_clair, gris_clair, blanc, gris_clair, lavande};
    for (std::size_t i = 0; i < LabPhase.size(); ++i)
        couleur_texte(LabPhase[i], couleurs_phases[i]);

    // The pictures are drawn for the screen's density.
    const qreal ratio = fenetre.devicePixelRatioF();
    Command5->setIcon(QIcon(image_imprimante(ratio)));
    Image1->setPixmap(image_petites_lunes(ratio));
    Image2->setIcon(QIcon(image_fleche(true, ratio)));
    Image3->setIcon(QIcon(image_fleche(false, ratio)));
}

} // namespace orbitel
