// orbitel-rapport: the texts of the window for one instant and one place, on standard output.
#include <QCoreApplication>
#include <QLocale>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "clock/lecture.hpp"
#include "rapport/arguments.hpp"
#include "texte/releve.hpp"

using namespace orbitel;

namespace {

double lit(const std::string& texte) { return lit_nombre_ou_zero(texte); }

char marque_decimale() {
    const QString marque = QLocale::system().decimalPoint();
    return marque == QStringLiteral(",") ? ',' : '.';
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ResultatArguments r = analyse_arguments(args);
    if (!r.erreur.empty()) {
        std::cerr << r.erreur << "\n";
        return 2;
    }
    const ArgumentsRapport& a = r.arguments;
    if (a.aide) {
        std::cout << texte_aide;
        return 0;
    }

    Instant instant;
    if (!a.date && !a.heure) {
        HorlogeTu horloge_tu;
        lit_instant(instant, horloge_tu, HorlogeSysteme{});
    } else {
        if (a.date) {
            instant.jour = lit((*a.date)[0]);
            instant.mois = lit((*a.date)[1]);
            instant.an = lit((*a.date)[2]);
        } else {
            const HorlogeTu maintenant = HorlogeSysteme{}.tu();
            instant.jour = maintenant.jour;
            instant.mois = maintenant.mois;
            instant.an = maintenant.annee;
        }
        if (a.heure) {
            instant.heures = lit((*a.heure)[0]);
            instant.minutes = lit((*a.heure)[1]);
            instant.secondes = static_cast<float>(lit((*a.heure)[2]));
        }
    }

    LieuReleve lieu;
    const std::vector<std::string> lat = a.latitude.value_or(std::vector<std::string>{"48", "52"});
    const std::vector<std::string> lon = a.longitude.value_or(std::vector<std::string>{"2", "20"});
    lieu.Lat = static_cast<float>(lit(lat[0]) + lit(lat[1]) / 60);
    if (!a.nord) lieu.Lat = -lieu.Lat;
    lieu.Lon = static_cast<float>(-(lit(lon[0]) + lit(lon[1]) / 60));
    if (!a.est) lieu.Lon = -lieu.Lon;

    for (const std::string& ligne : releve(instant, lieu, marque_decimale())) std::cout << ligne << '\n';
    return 0;
}
