#include "window/apropos.hpp"

#include <QFontInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "version_orbitel.hpp"

using namespace orbitel;

namespace {

class NavigateurTemoin final : public Navigateur {
public:
    void ouvre(const std::string& url) override { adresses.push_back(url); }
    std::vector<std::string> adresses;
};

QColor texte(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace

TEST(APropos, VersionCourteEtSujetDuContact) {
    const VersionProgramme v{2, 5, 7};
    EXPECT_EQ(texte_version(v), "Version: 2.5");
    const std::string adresse = adresse_contact("https://exemple.org/contacter.php", v);
    EXPECT_EQ(adresse, "https://exemple.org/contacter.php?sub=Orbitel%20V2.5.7");
    const QUrl url(QString::fromStdString(adresse));
    EXPECT_EQ(url.path(), "/contacter.php");
    EXPECT_EQ(QUrlQuery(url).queryItemValue("sub", QUrl::FullyDecoded), "Orbitel V2.5.7");
    // A page that already has a query keeps it.
    EXPECT_EQ(adresse_contact("https://exemple.org/contacter.php?lang=fr", v),
              "https://exemple.org/contacter.php?lang=fr&sub=Orbitel%20V2.5.7");
}

TEST(APropos, EncodageDeLaRequete) {
    EXPECT_EQ(encode_pour_requete("Orbitel V1.0.0"), "Orbitel%20V1.0.0");
    EXPECT_EQ(encode_pour_requete("a+b&c=d?e#f/g"), "a%2Bb%26c%3Dd%3Fe%23f%2Fg");
    EXPECT_EQ(encode_pour_requete("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(encode_pour_requete("é"), "%C3%A9");
    EXPECT_EQ(encode_pour_requete(""), "");
}

TEST(APropos, VersionDuProgramme) {
    const VersionProgramme v = version_programme();
    EXPECT_EQ(v.majeur, construction::version_majeure);
    EXPECT_EQ(v.mineur, construction::version_mineure);
    EXPECT_EQ(v.revision, construction::version_revision);
    EXPECT_EQ(adresse_site(), std::string(construction::adresse_site));
    EXPECT_EQ(page_contact(), std::string(construction::page_contact));
    EXPECT_NE(page_contact().find("/contacter.php"), std::string::npos);
}

TEST(APropos, TextesCouleursEtPolices) {
    NavigateurTemoin navigateur;
    About boite(navigateur, nullptr, {2, 5, 7});
    EXPECT_EQ(boite.windowTitle(), "A Propos...");
    EXPECT_TRUE(boite.isModal());
    EXPECT_EQ(boite.minimumSize(), boite.maximumSize());
    EXPECT_EQ(boite.palette().color(QPalette::Window), QColor(64, 64, 64));

    // The contact link is one line, never cut.
    EXPECT_GE(boite.label2()->width(),
              boite.label2()->fontMetrics().horizontalAdvance(boite.label2()->text()));
    EXPECT_FALSE(boite.label2()->wordWrap());
    EXPECT_EQ(boite.image2()->pixmap().size(), QSize(136, 200));
    EXPECT_EQ(boite.label1(3), nullptr);

    EXPECT_EQ(boite.label1(0)->text(),
              QString::fromUtf8("Les formules utilisées pour les calculs sont issues des ouvrages "
                                "de Jean Meeus."));
    EXPECT_EQ(boite.label1(2)->text(), "Version: 2.5");
    EXPECT_EQ(boite.label2()->text(), "Contacter l'Auteur");
    // The address may stand on a line of its own.
    EXPECT_EQ(boite.label3()->text().simplified(),
              QString("Site de logiciels d'astronomie: ") + QString(construction::adresse_site));
    EXPECT_EQ(boite.command1()->text(), "Retour");
    EXPECT_FALSE(boite.label1(1)->text().isEmpty());

    EXPECT_EQ(texte(boite.label1(0)), QColor(255, 128, 128));
    EXPECT_EQ(texte(boite.label1(1)), QColor(224, 224, 224));
    EXPECT_EQ(texte(boite.label1(2)), QColor(224, 224, 224));
    EXPECT_EQ(texte(boite.label2()), QColor(255, 224, 192));
    EXPECT_EQ(texte(boite.label3()), QColor(255, 224, 192));

    EXPECT_DOUBLE_EQ(boite.label1(0)->font().pointSizeF(), 14.25);
    EXPECT_DOUBLE_EQ(boite.label1(1)->font().pointSizeF(), 12);
    EXPECT_DOUBLE_EQ(boite.label3()->font().pointSizeF(), 15.75);
    EXPECT_DOUBLE_EQ(boite.label2()->font().pointSizeF(), 12);
    EXPECT_TRUE(boite.label2()->font().underline());
    EXPECT_TRUE(boite.label3()->font().underline());
    EXPECT_EQ(boite.label1(0)->font().families().value(0), "Comic Sans MS");
    EXPECT_EQ(boite.label2()->font().families().value(0), "Arial");
}

TEST(APropos, ImageDessineeALaBonneTaille) {
    const QImage image = image_a_propos();
    EXPECT_EQ(image.size(), QSize(136, 200));
    EXPECT_FALSE(image.hasAlphaChannel());
    // The lit crescent is light, the hill at the bottom dark.
    EXPECT_GT(qGray(image.pixel(104, 62)), 180);
    EXPECT_LT(qGray(image.pixel(10, 195)), 40);
    EXPECT_EQ(image, image_a_propos()); // the same picture every time
}

TEST(APropos, LesLiensOuvrentLeNavigateurSansFermer) {
    NavigateurTemoin navigateur;
    QMainWindow fenetre;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::yellow);
    fenetre.setWindowIcon(QIcon(pixmap));
    About boite(navigateur, &fenetre, {2, 5, 7});
    boite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));

    QTest::mouseClick(boite.label3(), Qt::LeftButton);
    QTest::mouseClick(boite.label2(), Qt::LeftButton);
    QTest::mouseClick(boite.label2(), Qt::RightButton); // not a link activation
    ASSERT_EQ(navigateur.adresses.size(), 2u);
    EXPECT_EQ(navigateur.adresses[0], std::string(construction::adresse_site));
    const QUrl contact(QString::fromStdString(navigateur.adresses[1]));
    EXPECT_EQ(contact.toString(QUrl::RemoveQuery), QString(construction::page_contact));
    EXPECT_EQ(QUrlQuery(contact).queryItemValue("sub", QUrl::FullyDecoded), "Orbitel V2.5.7");
    EXPECT_NE(navigateur.adresses[1].find("Orbitel%20V2.5.7"), std::string::npos);
    EXPECT_TRUE(boite.isVisible());

    // The links answer the keyboard too.
    boite.label3()->setFocus();
    QTest::keyClick(boite.label3(), Qt::Key_Return);
    EXPECT_EQ(navigateur.adresses.size(), 3u);
    EXPECT_TRUE(boite.isVisible());

    // The main window's icon is the dialog's and the links' pointer.
    EXPECT_EQ(boite.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::yellow));
    EXPECT_EQ(boite.label2()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(boite.label3()->cursor().shape(), Qt::BitmapCursor);
}

TEST(APropos, RetourFermeEtMontreLaFenetre) {
    NavigateurTemoin navigateur;
    QMainWindow fenetre;
    fenetre.resize(200, 100);
    fenetre.show();
    About boite(navigateur, &fenetre, {1, 0, 0});
    int resultat = -1;
    QTimer::singleShot(0, &boite, [&] {
        fenetre.hide(); // whatever hid it, Retour brings it back
        QTest::mouseClick(boite.command1(), Qt::LeftButton);
    });
    resultat = boite.exec();
    EXPECT_EQ(resultat, QDialog::Accepted);
    EXPECT_FALSE(boite.isVisible());
    EXPECT_TRUE(fenetre.isVisible());
    EXPECT_TRUE(navigateur.adresses.empty());
}

TEST(APropos, MontreAProposRevientALaFermeture) {
    NavigateurTemoin navigateur;
    QMainWindow fenetre;
    fenetre.show();
    QTimer::singleShot(0, &fenetre, [&] {
        auto* boite = qobject_cast<About*>(QApplication::activeModalWidget());
        ASSERT_NE(boite, nullptr);
        EXPECT_EQ(boite->label1(2)->text(), "Version: 3.1");
        QTest::mouseClick(boite->label2(), Qt::LeftButton);
        QTest::mouseClick(boite->command1(), Qt::LeftButton);
    });
    montre_a_propos(fenetre, navigateur, {3, 1, 4});
    ASSERT_EQ(navigateur.adresses.size(), 1u);
    EXPECT_NE(navigateur.adresses[0].find("sub=Orbitel%20V3.1.4"), std::string::npos);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
