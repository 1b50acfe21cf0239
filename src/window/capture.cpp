// orbitel-capture: renders the window at a fixed instant and place into a PNG file, for the
// documentation; with "instant", in chosen-instant mode. The settings store is in memory, so the user's place
// is neither read nor changed.
#include <QApplication>
#include <QPixmap>

#include <iostream>
#include <string_view>

#include "clock/horloge_fixe.hpp"
#include "clock/reglages.hpp"
#include "window/pos_lune.hpp"
#include "window/sans_peripheriques.hpp"

namespace {

using orbitel::SansImprimante;
using orbitel::SansNavigateur;

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool choisi = argc == 3 && std::string_view(argv[2]) == "instant";
    if (argc < 2 || (argc == 3 && !choisi) || argc > 3) {
        std::cerr << "usage: orbitel-capture FICHIER.png [instant]\n";
        return 2;
    }
    // 7 December 2026, 05:41:07.250 UT, a Monday; the local clock one hour ahead, as in Paris.
    orbitel::HorlogeFixe horloge({2026, 12, 1, 7, 5, 41, 7, 250}, {2026, 12, 7, 6, 41, 7});
    orbitel::MagasinMemoire reglages;
    SansNavigateur navigateur;
    SansImprimante imprimante;
    orbitel::PosLune fenetre(horloge, reglages, navigateur, imprimante, ',');
    fenetre.demarre();
    fenetre.tick();
    if (choisi) fenetre.bascule_mode(); // the entry fields of the chosen instant, filled from the tick
    QApplication::processEvents();
    const QPixmap image = fenetre.grab();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "orbitel-capture: impossible d'écrire " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
