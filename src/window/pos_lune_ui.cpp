#include "window/pos_lune_ui.hpp"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <limits>

#include "window/controles.hpp"
#include "window/images.hpp"

namespace orbitel {

namespace {

constexpr int largeur_fenetre = 9600, hauteur_fenetre = 6525;

const QColor noir(0, 0, 0), blanc(255, 255, 255), creme(255, 255, 192), gris_clair(224, 224, 224),
    gris(192, 192, 192), gris_moyen(128, 128, 128), jaune_pale(255, 255, 128), lavande(192, 192, 255);

QRect tw(int x, int y, int largeur, int hauteur) {
    return {px(x), px(y), px(largeur), px(hauteur)};
}

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
    fenetre.setObjectName(QStringLiteral("PosLune"));
    fenetre.setWindowTitle(QStringLiteral("Notre Satellite, la Lune..."));
    fenetre.setWindowIcon(icone_orbitel());
    fenetre.setFixedSize(px(largeur_fenetre), px(hauteur_fenetre));
    QFont defaut(QStringLiteral("Arial"));
    defaut.setPointSizeF(7.5);
    fenetre.setFont(defaut);
    QPalette p = fenetre.palette();
    p.setColor(QPalette::Window, noir);
    p.setColor(QPalette::WindowText, blanc);
    fenetre.setPalette(p);
    fenetre.setAutoFillBackground(true);

    const auto nomme = [](QObject* o, const QString& nom) { o->setObjectName(nom); };
    const auto indice = [](const char* nom, int i) {
        return QStringLiteral("%1_%2").arg(QLatin1String(nom)).arg(i);
    };

    // Notices first, so that Frame1 covers them while the entry fields are shown.
    const std::array<int, 2> hauts_notices{5265, 5715};
    const std::array<QColor, 2> couleurs_notices{gris_moyen, gris_clair};
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(QStringLiteral("xxx"), &fenetre);
        nomme(l, indice("Label10", i));
        l->setGeometry(tw(150, hauts_notices[i], 4800, i == 0 ? 450 : 300));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        couleur_texte(l, couleurs_notices[i]);
        Label10[i] = l;
    }

    Label19 = new QLabel(&fenetre);
    nomme(Label19, QStringLiteral("Label19"));
    Label19->setGeometry(tw(150, 6075, 4950, 300));

    Image4 = new QLabel(&fenetre);
    nomme(Image4, QStringLiteral("Image4"));
    Image4->setGeometry(tw(0, 0, 5505, 5250));
    Image4->hide();

    // The chosen instant's entry fields.
    Frame1 = new QFrame(&fenetre);
    nomme(Frame1, QStringLiteral("Frame1"));
    Frame1->setGeometry(tw(105, 5220, 4860, 795));
    couleur_fond(Frame1, noir);
    Shape1[0] = new Forme(Frame1);
    Shape1[0]->setGeometry(tw(120, 30, 4620, 720));
    const std::array<int, 3> gauches_date{225, 825, 1410}, gauches_heure{2235, 2985, 3705};
    const std::array<const char*, 6> legendes{"Jour", "Mois", "An", "Heures", "minutes", "secondes"};
    for (int i = 0; i < 3; ++i) {
        Date[i] = new QLineEdit(Frame1);
        nomme(Date[i], indice("Date", i));
        Date[i]->setGeometry(tw(gauches_date[i], 330, 525, 315));
        Heure[i] = new QLineEdit(Frame1);
        nomme(Heure[i], indice("Heure", i));
        Heure[i]->setGeometry(tw(gauches_heure[i], 330, 525, 315));
    }
    for (int i = 0; i < 6; ++i) {
        const int gauche = i < 3 ? gauches_date[i] : gauches_heure[i - 3];
        auto* l = new QLabel(QString::fromUtf8(legendes[i]), Frame1);
        nomme(l, indice("Label11", i));
        l->setGeometry(tw(gauche - 135, 105, 795, 210));
        l->setAlignment(Qt::AlignCenter);
        couleur_texte(l, gris_clair);
        Label11[i] = l;
    }
    for (QLineEdit* champ : {Date[0], Date[1], Date[2], Heure[0], Heure[1], Heure[2]}) {
        champ->setFont(arial());
        couleur_fond(champ, creme);
        couleur_texte(champ, noir);
    }
    Frame1->hide();

    // The button row.
    const auto bouton = [&](QPushButton*& b, const char* nom, const QString& legende, int gauche,
                            int largeur) {
        b = new QPushButton(legende, &fenetre);
        nomme(b, QLatin1String(nom));
        b->setGeometry(tw(gauche, 6060, largeur, 360));
        b->setFocusPolicy(Qt::TabFocus);
    };
    bouton(Command2, "Command2", QStringLiteral("&Quitter"), 150, 930);
    bouton(Command4, "Command4", QStringLiteral("&A Propos"), 1065, 1065);
    bouton(Command1, "Command1", QStringLiteral("Choisir un &Instant"), 2115, 1470);
    bouton(Command3, "Command3", QStringLiteral("&Calcul"), 3570, 945);
    bouton(Command5, "Command5", QString(), 4500, 615);
    for (QPushButton* b : {Command1, Command2, Command3, Command4})
        b->setFont(arial());
    Command5->setIcon(QIcon(image_imprimante(fenetre.devicePixelRatioF())));
    Command5->setIconSize(QSize(16, 16));
    Command5->setToolTip(QStringLiteral("Imprimer"));
    Command3->hide();
    Command5->hide();

    dummy = new QLineEdit(&fenetre);
    nomme(dummy, QStringLiteral("dummy"));
    dummy->setGeometry(px(245745), 0, px(525), px(315));

    // The results panel.
    Frame2 = new QFrame(&fenetre);
    nomme(Frame2, QStringLiteral("Frame2"));
    Frame2->setGeometry(tw(5460, 75, 4035, 7200));
    couleur_fond(Frame2, noir);

    Shape1[1] = new Forme(Frame2);
    Shape1[1]->setGeometry(tw(45, 15, 3945, 2700));
    const auto ligne = [&](QLabel*& l, const char* nom, const QColor& couleur) {
        l = new QLabel(QStringLiteral("Info"), Frame2);
        nomme(l, QLatin1String(nom));
        l->setFont(arial());
        l->move(px(135), 0);
        couleur_texte(l, couleur);
        l->adjustSize();
    };
    ligne(Label1, "Label1", gris_clair);
    ligne(Label2, "Label2", gris_clair);
    ligne(Label3, "Label3", gris_clair);
    ligne(Label4, "Label4", gris_clair);
    ligne(Label5, "Label5", gris_clair);
    ligne(Label6, "Label6", gris_clair);
    ligne(Label7, "Label7", gris_clair);
    ligne(Label8, "Label8", gris_clair);
    ligne(Label9, "Label9", lavande);
    ligne(Label14, "Label14", jaune_pale);
    ligne(Label15, "Label15", jaune_pale);
    ligne(Label16, "Label16", jaune_pale);
    for (QLabel* l : {Label14, Label15, Label16}) {
        l->setText(QStringLiteral("---"));
        l->adjustSize();
    }

    Shape1[3] = new Forme(Frame2);
    Shape1[3]->setGeometry(tw(45, 2775, 3945, 330));
    ligne(Label12, "Label12", gris_clair);
    ligne(Label13, "Label13", gris_clair);
    Label12->move(px(135), px(2835));
    Label13->move(px(2085), px(2835));
    for (QLabel* l : {Label12, Label13}) {
        l->setText(QStringLiteral("---"));
        l->adjustSize();
    }

    // The place.
    Shape1[4] = new Forme(Frame2);
    Shape1[4]->setGeometry(tw(45, 3165, 3945, 600));
    Label17[0] = new QLabel(QStringLiteral("Coordonnées du lieu"), Frame2);
    Label17[0]->setGeometry(tw(135, 3195, 1800, 210));
    const auto champ_lieu = [&](QLineEdit*& c, const char* nom, int i, int gauche) {
        c = new QLineEdit(Frame2);
        nomme(c, indice(nom, i));
        c->setGeometry(tw(gauche, 3405, 360, 315));
        // The field holds whatever the store gave back, however long: the text is kept as saved.
        c->setMaxLength(std::numeric_limits<int>::max());
        couleur_fond(c, creme);
        couleur_texte(c, noir);
    };
    champ_lieu(TLat[0], "TLat", 0, 120);
    champ_lieu(TLat[1], "TLat", 1, 510);
    champ_lieu(TLon[0], "TLon", 0, 1995);
    champ_lieu(TLon[1], "TLon", 1, 2385);
    const auto hemisphere = [&](QFrame*& cadre, const char* nom_cadre, std::array<QRadioButton*, 2>& options,
                                const char* nom, const char* a, const char* b, int gauche) {
        cadre = new QFrame(Frame2);
        nomme(cadre, QLatin1String(nom_cadre));
        cadre->setGeometry(tw(gauche, 3390, 1035, 345));
        couleur_fond(cadre, gris_moyen);
        const std::array<const char*, 2> legendes_options{a, b};
        for (int i = 0; i < 2; ++i) {
            auto* o = new QRadioButton(QLatin1String(legendes_options[i]), cadre);
            nomme(o, indice(nom, i));
            o->setGeometry(tw(30 + i * 495, 30, 480, 285));
            // White on black, the indicator keeping its own light face with a dark mark: the
            // frame's grey would otherwise fill it, and a checked option would hardly differ from
            // an unchecked one.
            QPalette pal = o->palette();
            pal.setColor(QPalette::Window, noir);
            pal.setColor(QPalette::Button, noir);
            pal.setColor(QPalette::WindowText, blanc);
            pal.setColor(QPalette::ButtonText, blanc);
            pal.setColor(QPalette::Base, blanc);
            pal.setColor(QPalette::Text, noir);
            o->setPalette(pal);
            o->setAutoFillBackground(true);
            options[i] = o;
        }
        options[0]->setChecked(true);
    };
    hemisphere(Frame3, "Frame3", Option1, "Option1", "N", "S", 915);
    hemisphere(Frame4, "Frame4", Option2, "Option2", "E", "O", 2790);

    // Rise and set.
    Shape1[5] = new Forme(Frame2);
    Shape1[5]->setGeometry(tw(45, 3810, 3945, 660));
    Label17[1] = new QLabel(QStringLiteral("T.U."), Frame2);
    Label17[1]->setGeometry(tw(135, 3840, 600, 210));
    for (QLabel* l : Label17) {
        couleur_fond(l, noir);
        couleur_texte(l, gris);
    }
    nomme(Label17[0], indice("Label17", 0));
    nomme(Label17[1], indice("Label17", 1));
    const std::array<QColor, 2> couleurs_lever{couleur_levee, couleur_couchee};
    for (int i = 0; i < 2; ++i) {
        Label18[i] = new QLabel(QStringLiteral("---"), Frame2);
        nomme(Label18[i], indice("Label18", i));
        Label18[i]->setGeometry(tw(135, 4035 + i * 210, 3780, 210));
        couleur_texte(Label18[i], couleurs_lever[i]);
    }

    // The phase panel.
    Shape1[2] = new Forme(Frame2);
    Shape1[2]->setGeometry(tw(45, 4515, 3945, 1920));
    Image1 = new QLabel(Frame2);
    nomme(Image1, QStringLiteral("Image1"));
    Image1->setGeometry(tw(105, 4575, 390, 1815));
    Image1->setPixmap(image_petites_lunes(fenetre.devicePixelRatioF()));
    const std::array<QColor, 5> couleurs_phases{gris_clair, gris_clair, blanc, gris_clair, lavande};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(QStringLiteral("---"), Frame2);
        nomme(l, indice("LabPhase", i));
        l->setGeometry(tw(525, 4575 + i * 363 + 75, 3450, 210));
        couleur_texte(l, couleurs_phases[i]);
        LabPhase[i] = l;
    }

    for (int i = 0; i < 6; ++i)
        nomme(Shape1[i], indice("Shape1", i));

    // Stepping through the lunations, at the right edge of the drawing.
    Image2 = new ImageCliquable(&fenetre);
    nomme(Image2, QStringLiteral("Image2"));
    Image2->setGeometry(tw(5130, 4575, 315, 285));
    Image2->setPixmap(image_fleche(true, fenetre.devicePixelRatioF()));
    Image2->setToolTip(QStringLiteral("Cycle précédent"));
    Image3 = new ImageCliquable(&fenetre);
    nomme(Image3, QStringLiteral("Image3"));
    Image3->setGeometry(tw(5130, 5970, 315, 285));
    Image3->setPixmap(image_fleche(false, fenetre.devicePixelRatioF()));
    Image3->setToolTip(QStringLiteral("Cycle suivant"));

    Frame1->raise();
}

} // namespace orbitel
