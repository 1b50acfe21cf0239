// The window as designed: names, captions, access keys, tool tips, colours and what is shown before
// start-up. Places are checked for faults by test_disposition.cpp.
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "outils.hpp"
#include "window/controles.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

QColor texte_de(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

struct Controles : ::testing::Test {
    Banc banc;
    PosLune& f = *banc.fenetre;
    template <class T = QWidget> T* nomme(const char* nom) const {
        T* w = f.findChild<T*>(QLatin1String(nom));
        EXPECT_NE(w, nullptr) << nom;
        return w;
    }
};

} // namespace

TEST_F(Controles, FenetreFixeNoireEtSaLegende) {
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Notre Satellite, la Lune..."));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_EQ(f.palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_FALSE(f.windowIcon().isNull());
}

TEST_F(Controles, ChaqueControlePorteSonNom) {
    for (const char* nom :
         {"Command1",  "Command2",  "Command3",  "Command4",  "Command5",   "Frame1",     "Frame2",
          "Frame3",    "Frame4",    "Heure_0",   "Heure_1",   "Heure_2",    "Date_0",     "Date_1",
          "Date_2",    "Shape1_0",  "Shape1_5",  "Label11_0", "Label11_5",  "dummy",      "TLat_0",
          "TLat_1",    "TLon_0",    "TLon_1",    "Option1_0", "Option1_1",  "Option2_0",  "Option2_1",
          "Label17_0", "Label17_1", "Label18_0", "Label18_1", "LabPhase_0", "LabPhase_4", "Label1",
          "Label9",    "Label12",   "Label16",   "Image1",    "Image2",     "Image3",     "Image4",
          "Label19",   "Label10_0", "Label10_1"})
        nomme(nom);
    EXPECT_NE(f.findChild<QTimer*>(QStringLiteral("Timer1")), nullptr);
}

TEST_F(Controles, BoutonsAvecLeursTouchesDAcces) {
    struct Cas {
        const char* nom;
        const char* legende;
        Qt::Key touche;
    };
    for (const Cas& c :
         {Cas{"Command2", "&Quitter", Qt::Key_Q}, Cas{"Command4", "&A Propos", Qt::Key_A},
          Cas{"Command1", "Choisir un &Instant", Qt::Key_I}, Cas{"Command3", "&Calcul", Qt::Key_C}}) {
        auto* b = nomme<QPushButton>(c.nom);
        EXPECT_EQ(b->text(), QString::fromUtf8(c.legende));
        EXPECT_EQ(QKeySequence::mnemonic(b->text()), QKeySequence(Qt::ALT | c.touche)) << c.nom;
        EXPECT_EQ(b->font().family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 8.25);
    }
    auto* imprimer = nomme<QPushButton>("Command5");
    EXPECT_EQ(imprimer->toolTip(), QStringLiteral("Imprimer"));
    EXPECT_EQ(imprimer->iconSize(), QSize(16, 16));
    EXPECT_FALSE(imprimer->icon().isNull());
}

TEST_F(Controles, CeQuiEstCacheAuDepart) {
    for (const char* nom : {"Command5", "Frame1", "Command3", "Image4"})
        EXPECT_TRUE(nomme(nom)->isHidden()) << nom;
    for (const char* nom :
         {"Command1", "Command2", "Command4", "Frame2", "Image1", "Image2", "Image3", "Label10_0"})
        EXPECT_FALSE(nomme(nom)->isHidden()) << nom;
    auto* minuterie = f.findChild<QTimer*>(QStringLiteral("Timer1"));
    EXPECT_EQ(minuterie->interval(), 500);
    EXPECT_TRUE(minuterie->isActive());
    EXPECT_TRUE(f.temps_reel());
}

TEST_F(Controles, ImagesDesPhasesEtDesFleches) {
    EXPECT_EQ(ui(f).Image1->pixmap().deviceIndependentSize().toSize(), QSize(26, 121));
    for (ImageCliquable* fleche : {ui(f).Image2, ui(f).Image3}) {
        EXPECT_FALSE(fleche->icon().isNull());
        EXPECT_EQ(fleche->iconSize(), QSize(21, 19));
    }
}

TEST_F(Controles, LegendesEtTextesInitiaux) {
    const std::array<const char*, 6> legendes{"Jour", "Mois", "An", "Heures", "minutes", "secondes"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(texte(ui(f).Label11[i]), legendes[i]);
        EXPECT_TRUE(ui(f).Label11[i]->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(texte_de(ui(f).Label11[i]), QColor(224, 224, 224));
    }
    EXPECT_EQ(texte(ui(f).Label17[0]), "Coordonnées du lieu");
    EXPECT_EQ(texte(ui(f).Label17[1]), "T.U.");
    for (QLabel* l : {ui(f).Label1, ui(f).Label2, ui(f).Label3, ui(f).Label4, ui(f).Label5, ui(f).Label6,
                      ui(f).Label7, ui(f).Label8, ui(f).Label9})
        EXPECT_EQ(texte(l), "Info");
    for (QLabel* l : {ui(f).Label12, ui(f).Label13, ui(f).Label14, ui(f).Label15, ui(f).Label16,
                      ui(f).Label18[0], ui(f).Label18[1], ui(f).LabPhase[0], ui(f).LabPhase[4]})
        EXPECT_EQ(texte(l), "---");
    EXPECT_EQ(texte(ui(f).Label10[0]), "xxx");
    EXPECT_EQ(texte(ui(f).Label10[1]), "xxx");
    EXPECT_EQ(texte(ui(f).Label19), "");
    for (QLineEdit* c : {ui(f).Heure[0], ui(f).Date[2], ui(f).TLat[0], ui(f).TLon[1]})
        EXPECT_EQ(texte(c), "");
    EXPECT_EQ(ui(f).Image2->toolTip(), QStringLiteral("Cycle précédent"));
    EXPECT_EQ(ui(f).Image3->toolTip(), QStringLiteral("Cycle suivant"));
    EXPECT_EQ(ui(f).Option1[0]->text(), "N");
    EXPECT_EQ(ui(f).Option1[1]->text(), "S");
    EXPECT_EQ(ui(f).Option2[0]->text(), "E");
    EXPECT_EQ(ui(f).Option2[1]->text(), "O");
    EXPECT_EQ(f.demarrage_termine(), false);
}

TEST_F(Controles, Couleurs) {
    const QColor creme(255, 255, 192);
    for (QLineEdit* c : {ui(f).Heure[0], ui(f).Heure[1], ui(f).Heure[2], ui(f).Date[0], ui(f).Date[1],
                         ui(f).Date[2], ui(f).TLat[0], ui(f).TLat[1], ui(f).TLon[0], ui(f).TLon[1]}) {
        EXPECT_EQ(c->palette().color(QPalette::Base), creme) << c->objectName().toStdString();
        EXPECT_EQ(c->palette().color(QPalette::Text), QColor(0, 0, 0));
    }
    for (QLabel* l : {ui(f).Label14, ui(f).Label15, ui(f).Label16})
        EXPECT_EQ(texte_de(l), QColor(255, 255, 128));
    for (QLabel* l : {ui(f).Label1, ui(f).Label8, ui(f).Label12, ui(f).Label13})
        EXPECT_EQ(texte_de(l), QColor(224, 224, 224));
    EXPECT_EQ(texte_de(ui(f).Label9), QColor(192, 192, 255));
    EXPECT_EQ(texte_de(ui(f).Label18[0]), QColor(0, 192, 0));
    EXPECT_EQ(texte_de(ui(f).Label18[1]), QColor(192, 0, 0));
    const std::array<QColor, 5> phases{QColor(224, 224, 224), QColor(224, 224, 224), QColor(255, 255, 255),
                                       QColor(224, 224, 224), QColor(192, 192, 255)};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(texte_de(ui(f).LabPhase[i]), phases[i]) << i;
    for (QLabel* l : ui(f).Label17) {
        EXPECT_EQ(texte_de(l), QColor(192, 192, 192));
        EXPECT_EQ(l->palette().color(QPalette::Window), QColor(0, 0, 0));
    }
    EXPECT_EQ(texte_de(ui(f).Label10[0]), QColor(128, 128, 128));
    EXPECT_EQ(texte_de(ui(f).Label10[1]), QColor(224, 224, 224));
    for (QFrame* c : {ui(f).Frame3, ui(f).Frame4})
        EXPECT_EQ(c->palette().color(QPalette::Window), QColor(128, 128, 128));
    for (QFrame* c : {ui(f).Frame1, ui(f).Frame2})
        EXPECT_EQ(c->palette().color(QPalette::Window), QColor(0, 0, 0));
    for (QRadioButton* o : {ui(f).Option1[0], ui(f).Option1[1], ui(f).Option2[0], ui(f).Option2[1]}) {
        EXPECT_EQ(texte_de(o), QColor(255, 255, 255));
        EXPECT_EQ(o->palette().color(QPalette::Window), QColor(0, 0, 0));
    }
    for (Forme* s : ui(f).Shape1)
        EXPECT_EQ(s->contour(), QColor(255, 224, 192));
}

TEST_F(Controles, OptionCocheeSeDistingueDeLAutre) {
    // The indicator's face is light and only the checked option carries the dark mark, on the
    // grey of the hemisphere frames as on paper.
    f.show();
    QApplication::processEvents();
    const auto centre_indicateur = [](QRadioButton* o) {
        QStyleOptionButton option;
        option.initFrom(o);
        const QRect r = o->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, o);
        const QImage image = o->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const auto lu = [&](QPointF p) { return image.pixelColor((p * ratio).toPoint()).lightness(); };
        return std::pair{lu(QRectF(r).center()), lu(QRectF(r).center() + QPointF(r.width() / 3.5, 0))};
    };
    for (const auto& options : {ui(f).Option1, ui(f).Option2}) {
        const auto [coche, face_cochee] = centre_indicateur(options[0]);
        const auto [vide, face_vide] = centre_indicateur(options[1]);
        EXPECT_LT(coche, 100);
        EXPECT_GT(vide, 200);
        EXPECT_GT(face_cochee, 200);
        EXPECT_GT(face_vide, 200);
    }
}

TEST_F(Controles, PolicesArialDesLignesEtDesChamps) {
    for (QWidget* w : std::initializer_list<QWidget*>{ui(f).Label1, ui(f).Label9, ui(f).Label12,
                                                      ui(f).Label16, ui(f).Date[0], ui(f).Heure[2]}) {
        EXPECT_EQ(w->font().family(), QStringLiteral("Arial")) << w->objectName().toStdString();
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25);
    }
}

TEST_F(Controles, ParentsDesControles) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui(f).TLat[0], ui(f).TLon[1], ui(f).Frame3, ui(f).Frame4, ui(f).Label17[0], ui(f).Label18[1],
             ui(f).LabPhase[2], ui(f).Label1, ui(f).Label14, ui(f).Image1, ui(f).Shape1[1], ui(f).Shape1[5]})
        EXPECT_EQ(w->parentWidget(), ui(f).Frame2) << w->objectName().toStdString();
    EXPECT_EQ(ui(f).Option1[0]->parentWidget(), ui(f).Frame3);
    EXPECT_EQ(ui(f).Option2[1]->parentWidget(), ui(f).Frame4);
    EXPECT_EQ(ui(f).Shape1[0]->parentWidget(), ui(f).Frame1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui(f).Command1, ui(f).Command5, ui(f).dummy, ui(f).Label10[0],
                                         ui(f).Label19, ui(f).Image2, ui(f).Image3, ui(f).Image4})
        EXPECT_EQ(w->parentWidget(), &f) << w->objectName().toStdString();
}

TEST_F(Controles, PlaceEtiquettesEmpileLesLignes) {
    f.place_etiquettes();
    int haut = 60;
    for (QLabel* l :
         {ui(f).Label1, ui(f).Label2, ui(f).Label3, ui(f).Label4, ui(f).Label5, ui(f).Label6, ui(f).Label14,
          ui(f).Label15, ui(f).Label16, ui(f).Label7, ui(f).Label8, ui(f).Label9}) {
        EXPECT_EQ(l->y(), static_cast<int>(std::lround(haut / 15.0))) << l->objectName().toStdString();
        haut += 220;
    }
    EXPECT_EQ(haut - 220, 2480);
}

TEST_F(Controles, LesPhasesTiennentDansLeurLigne) {
    // The longest phase line, the notice and a rise line must show whole in their labels.
    const QFontMetrics m(ui(f).LabPhase[3]->font());
    EXPECT_LE(m.horizontalAdvance(QStringLiteral("Dernier quartier le: 30/12/2024 à 22:26:29 T.U")),
              ui(f).LabPhase[3]->width());
    EXPECT_LE(m.horizontalAdvance(QStringLiteral("Coucher: 31/12/2026 à 23:59 ( Az = 300.3°)")),
              ui(f).Label18[1]->width());
    const QString notice = QStringLiteral("Les heures sont en temps universel, la différence avec le temps "
                                          "terrestre dynamique (TDT ou TT) est, en 2024, de 90,36 secondes.");
    const QRect place =
        m.boundingRect(QRect(0, 0, ui(f).Label10[0]->width(), 1000), Qt::TextWordWrap, notice);
    EXPECT_LE(place.height(), ui(f).Label10[0]->height());
}
