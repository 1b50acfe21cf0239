// Any six stored texts (separated by NUL bytes) as the place in a real INI store: restored, saved as
// one unit and restored again, the place comes back exactly as it was first restored, and every
// text exactly as stored.
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

#include "outils_fuzz.hpp"
#include "platform/reglages_ini.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace orbitel;
    QTemporaryDir& dossier = fuzz::dossier_temporaire();
    static int n = 0;
    std::vector<std::string> textes(1);
    for (std::size_t i = 0; i < taille; ++i) {
        if (donnees[i] == 0 && textes.size() < 6) {
            textes.emplace_back();
        } else {
            textes.back() += static_cast<char>(donnees[i]);
        }
    }
    textes.resize(6);
    const QString chemin = dossier.filePath(QStringLiteral("orbitel-%1.ini").arg(++n));
    {
        MagasinIni m(chemin);
        const char* cles[] = {"Lat0", "Lat1", "Lon0", "Lon1", "NS", "EO"};
        ValeursSection valeurs;
        for (int i = 0; i < 6; ++i)
            valeurs.emplace_back(cles[i], textes[static_cast<std::size_t>(i)]);
        fuzz::exige(!m.ecrit_ensemble("Coord", valeurs));
    }
    const ChampsLieu premier = restaure_lieu(MagasinIni(chemin));
    const auto normal = [](const std::string& t) {
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())).toStdString();
    };
    fuzz::exige(premier.lat0 == normal(textes[0]) && premier.lat1 == normal(textes[1]) &&
                premier.lon0 == normal(textes[2]) && premier.lon1 == normal(textes[3]));
    {
        MagasinIni m(chemin);
        fuzz::exige(!enregistre_lieu(m, premier));
    }
    const ChampsLieu second = restaure_lieu(MagasinIni(chemin));
    fuzz::exige(second.lat0 == premier.lat0 && second.lat1 == premier.lat1 && second.lon0 == premier.lon0 &&
                second.lon1 == premier.lon1 && second.nord == premier.nord && second.est == premier.est);
    QFile::remove(chemin);
    return 0;
}
