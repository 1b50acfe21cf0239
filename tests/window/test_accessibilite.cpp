// What a screen reader is told of the window and the About box: the tree of accessible interfaces,
// walked as an assistive tool walks it, in both modes.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "outils.hpp"
#include "window/apropos.hpp"
#include "window/controles.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

void parcourt(QAccessibleInterface* i, const std::function<void(QAccessibleInterface*)>& visite) {
    visite(i);
    for (int k = 0; k < i->childCount(); ++k)
        if (QAccessibleInterface* enfant = i->child(k)) parcourt(enfant, visite);
}

std::string decrit(QAccessibleInterface* i) {
    return (i->object() != nullptr ? i->object()->objectName().toStdString() : std::string("?")) + " (role " +
           std::to_string(i->role()) + ")";
}

// The shown controls a user can reach that have no name, the pictures with no name or description,
// and the groups of options with no name.
std::vector<std::string> sans_nom(QWidget& racine) {
    std::vector<std::string> fautes;
    parcourt(QAccessible::queryAccessibleInterface(&racine), [&](QAccessibleInterface* i) {
        const QAccessible::State etat = i->state();
        if (etat.invisible) return;
        const bool nomme = !i->text(QAccessible::Name).trimmed().isEmpty();
        const auto* w = qobject_cast<QWidget*>(i->object());
        if (etat.focusable && !nomme) fautes.push_back(decrit(i) + ": focusable, no name");
        if (i->role() == QAccessible::Graphic && (!nomme || i->text(QAccessible::Description).isEmpty()))
            fautes.push_back(decrit(i) + ": picture without name and description");
        if (w != nullptr && !w->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).isEmpty() && !nomme)
            fautes.push_back(decrit(i) + ": group of options, no name");
    });
    return fautes;
}

std::string liste(const std::vector<std::string>& fautes) {
    std::string t;
    for (const std::string& f : fautes)
        t += "\n  " + f;
    return t;
}

std::string nom_de(QObject* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString();
}

} // namespace

TEST(Accessibilite, FenetreDansLesDeuxModesSansControleAnonyme) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    EXPECT_TRUE(sans_nom(f).empty()) << "real-time mode:" << liste(sans_nom(f));
    f.bascule_mode();
    EXPECT_TRUE(sans_nom(f).empty()) << "chosen-instant mode:" << liste(sans_nom(f));

    // The fields are named for what they hold, the options for the side they choose.
    const std::vector<std::pair<QWidget*, const char*>> noms{
        {ui(f).Date[0], "Jour"},
        {ui(f).Date[1], "Mois"},
        {ui(f).Date[2], "Année"},
        {ui(f).Heure[0], "Heures"},
        {ui(f).Heure[1], "Minutes"},
        {ui(f).Heure[2], "Secondes"},
        {ui(f).TLat[0], "Latitude, degrés"},
        {ui(f).TLat[1], "Latitude, minutes"},
        {ui(f).TLon[0], "Longitude, degrés"},
        {ui(f).TLon[1], "Longitude, minutes"},
        {ui(f).Frame3, "Hémisphère"},
        {ui(f).Option1[0], "Nord"},
        {ui(f).Option1[1], "Sud"},
        {ui(f).Option2[0], "Est"},
        {ui(f).Option2[1], "Ouest"},
        {ui(f).Command5, "Imprimer"},
        {ui(f).Command1, "Temps réel"},
    };
    for (const auto& [w, nom] : noms)
        EXPECT_EQ(nom_de(w), nom) << w->objectName().toStdString();
}

TEST(Accessibilite, LesFlechesSontDesBoutonsQuiFontUnPas) {
    Banc banc{tu_de(2024, 3, 1, 0, 0, 0)};
    PosLune& f = *banc.fenetre;
    f.demarre();
    const double depart = f.reference_phases()->jours();
    struct Cas {
        ImageCliquable* fleche;
        const char* nom;
        double pas;
    };
    for (const Cas& c : {Cas{ui(f).Image3, "Cycle suivant", 30}, Cas{ui(f).Image2, "Cycle précédent", -30}}) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c.fleche);
        EXPECT_EQ(i->role(), QAccessible::Button) << c.nom;
        EXPECT_EQ(i->text(QAccessible::Name).toStdString(), c.nom);
        EXPECT_FALSE(i->text(QAccessible::Description).isEmpty()) << c.nom;
        EXPECT_TRUE(i->state().focusable);
        // A screen reader's press is one click: one lunation.
        QAccessibleActionInterface* actions = i->actionInterface();
        ASSERT_NE(actions, nullptr) << c.nom;
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_DOUBLE_EQ(f.reference_phases()->jours(), depart + c.pas) << c.nom;
        actions->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_DOUBLE_EQ(f.reference_phases()->jours(), depart + 2 * c.pas) << c.nom;
        f.affiche_phases(DateHeure::depuis_jours(depart));
    }
    // The window's description of its printer button, whose caption is a picture.
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(ui(f).Command5)->text(QAccessible::Description).isEmpty());
}

TEST(Accessibilite, LeFocusParqueNEstAnnonceNullePart) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    ASSERT_EQ(f.focusWidget(), ui(f).dummy);
    QAccessibleInterface* parque = QAccessible::queryAccessibleInterface(ui(f).dummy);
    ASSERT_NE(parque, nullptr);
    EXPECT_NE(parque->role(), QAccessible::EditableText);
    EXPECT_EQ(parque->role(), QAccessible::NoRole);
    EXPECT_TRUE(parque->state().invisible);
    EXPECT_TRUE(parque->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(parque->text(QAccessible::Value).isEmpty());
    EXPECT_EQ(parque->textInterface(), nullptr);
    EXPECT_EQ(parque->editableTextInterface(), nullptr);
}

TEST(Accessibilite, BoiteAProposSansControleAnonyme) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    NavigateurEspion navigateur;
    About boite(navigateur, &f);
    boite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
    EXPECT_TRUE(sans_nom(boite).empty()) << liste(sans_nom(boite));
    EXPECT_EQ(nom_de(boite.command1()), "Retour");
    EXPECT_EQ(nom_de(boite.label2()), "Contacter l'Auteur");
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(boite.label3())->text(QAccessible::Description).isEmpty());
}

TEST(Accessibilite, LaVerificationTrouveLesAnonymes) {
    // The window as it was before its controls were named: a field, a picture button, a group of
    // options with letters for captions and a picture, all without a name.
    application();
    QWidget fenetre;
    auto* champ = new QLineEdit(&fenetre);
    champ->setObjectName("champ");
    auto* bouton = new QPushButton(&fenetre);
    bouton->setObjectName("bouton");
    bouton->setIcon(QIcon(QPixmap(16, 16)));
    auto* groupe = new QFrame(&fenetre);
    groupe->setObjectName("groupe");
    new QRadioButton(QStringLiteral("N"), groupe);
    auto* image = new QLabel(&fenetre);
    image->setObjectName("image");
    image->setPixmap(QPixmap(8, 8));
    fenetre.show();
    const std::string fautes = liste(sans_nom(fenetre));
    for (const char* nom : {"champ", "bouton", "groupe", "image"})
        EXPECT_NE(fautes.find(std::string("\n  ") + nom + " "), std::string::npos)
            << nom << " not found in" << fautes;
}
