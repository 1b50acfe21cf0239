// orbitel-scenes: stages one scene of everyday use in the real window, for the README's pictures,
// and holds it on screen for a while so that the screen can be grabbed (scripts/screenshot-usage);
// after two seconds it writes to FICHIER the part of the screen its windows cover, "LxH+X+Y":
//   heure-locale  the local-time tool tip of the instant line, 12/04/1992 00:00:00 UT
//   impression    the print dialog, in French
//   apropos       the About box, "Retour" focused
//   affichage     the Affichage menu open over the drawing's corner, local time on
//   calendrier    the "Calendrier lunaire" of January 2027, local time on, at Paris
//   graphe        "Hauteur de la Lune" for the night of 12 to 13 April 1992, local time on
//   oriente       the drawing turned as the Moon is seen from Paris, 12/04/1992 at 21:00 UT
// The clock is fixed (7 December 2026, 05:41:07 UT) and the settings store is in memory, so the
// user's place is neither read nor changed.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <iostream>
#include <string_view>

#include "clock/horloge_fixe.hpp"
#include "clock/reglages.hpp"
#include "platform/traductions.hpp"
#include "text/releve.hpp"
#include "window/apropos.hpp"
#include "window/heures_locales.hpp"
#include "window/impression.hpp"
#include "window/pos_lune.hpp"
#include "window/sans_peripheriques.hpp"

using orbitel::SansNavigateur;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orbitel::charge_traductions_qt(app);
    const std::string_view scene = argc >= 2 ? argv[1] : "";
    const int duree = argc >= 3 ? std::atoi(argv[2]) : 5000;
    const bool vue = scene == "affichage" || scene == "calendrier" || scene == "graphe" || scene == "oriente";
    if (scene != "heure-locale" && scene != "impression" && scene != "apropos" && !vue) {
        std::cerr
            << "usage: orbitel-scenes heure-locale|impression|apropos|affichage|calendrier|graphe|oriente "
               "[durée en ms [FICHIER]]\n";
        return 2;
    }
    orbitel::HorlogeFixe horloge({2026, 12, 1, 7, 5, 41, 7, 250}, {2026, 12, 7, 6, 41, 7});
    orbitel::MagasinMemoire reglages;
    SansNavigateur navigateur;
    orbitel::ImprimanteSysteme imprimante;
    orbitel::PosLune fenetre(horloge, reglages, navigateur, imprimante, ',');
    // Clear of the screen's edges, so that a box centred on the window keeps its title bar in view.
    fenetre.move(160, 140);
    fenetre.demarre();
    fenetre.bascule_mode();
    const std::array<const char*, 6> instant =
        scene == "calendrier" ? std::array<const char*, 6>{"12", "01", "2027", "00", "00", "00"}
        : scene == "oriente"  ? std::array<const char*, 6>{"12", "04", "1992", "21", "00", "00"}
                              : std::array<const char*, 6>{"12", "04", "1992", "00", "00", "00"};
    for (int i = 0; i < 3; ++i) {
        fenetre.findChild<QLineEdit*>(QStringLiteral("Date_%1").arg(i))->setText(instant[i]);
        fenetre.findChild<QLineEdit*>(QStringLiteral("Heure_%1").arg(i))->setText(instant[i + 3]);
    }
    fenetre.calcul();
    const QString fichier = argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTimer::singleShot(2000, &app, [fichier] {
        // Every window shown, the tool tip too, with a margin; more above, where the window manager's
        // title bar of a box may not be counted in its frame yet.
        QRect zone;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) zone |= w->frameGeometry();
        zone = zone.adjusted(-8, -30, 8, 8) & QGuiApplication::primaryScreen()->geometry();
        QFile sortie(fichier);
        if (!fichier.isEmpty() && sortie.open(QIODevice::WriteOnly))
            sortie.write(QStringLiteral("%1x%2+%3+%4")
                             .arg(zone.width())
                             .arg(zone.height())
                             .arg(zone.x())
                             .arg(zone.y())
                             .toUtf8());
    });
    QTimer::singleShot(duree, &app, [] {
        if (QWidget* modale = QApplication::activeModalWidget()) modale->close();
        if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
        QCoreApplication::quit();
    });

    if (scene == "heure-locale") {
        QTimer::singleShot(500, &fenetre, [&fenetre] {
            QLabel* ligne = fenetre.findChild<QLabel*>(QStringLiteral("Label9"));
            QToolTip::showText(ligne->mapToGlobal(QPoint(ligne->width() / 2, ligne->height() + 4)),
                               orbitel::infobulle_heure_locale(
                                   *ligne, orbitel::instants_des_lignes(fenetre.releve()).instant),
                               ligne, QRect(), 60000);
        });
    } else if (vue) {
        const auto action = [&fenetre](const char* nom) {
            fenetre.findChild<QAction*>(QLatin1String(nom))->trigger();
        };
        if (scene != "oriente") action("HeureLocale");
        if (scene == "oriente") action("Oriente");
        if (scene == "calendrier") action("OuvreCalendrier");
        if (scene == "graphe") action("OuvreGraphe");
        if (scene == "affichage")
            QTimer::singleShot(300, &fenetre, [&fenetre] {
                fenetre.findChild<QToolButton*>(QStringLiteral("Affichage"))->showMenu();
            });
    } else if (scene == "impression") {
        QTimer::singleShot(300, &fenetre, [&fenetre, &imprimante] { imprimante.choisit(&fenetre); });
    } else {
        QTimer::singleShot(300, &fenetre,
                           [&fenetre, &navigateur] { orbitel::montre_a_propos(fenetre, navigateur); });
    }
    return QApplication::exec();
}
