// Any bytes as the INI file of the real store: after the place is saved into it, every other key
// reads back exactly as before and the place's keys hold the new texts.
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>

#include "outils_fuzz.hpp"
#include "platform/ecriture_ini.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace orbitel;
    QTemporaryDir& dossier = fuzz::dossier_temporaire();
    static int n = 0;
    const QString chemin = dossier.filePath(QStringLiteral("orbitel-%1.ini").arg(++n));
    {
        QFile f(chemin);
        fuzz::exige(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(donnees), static_cast<qint64>(taille));
    }
    ContenuIni attendu = lit_contenu_ini(chemin);
    const ValeursSection lieu{{"Lat0", "-12,5"}, {"Lat1", ""},   {"Lon0", "@x"},
                              {"Lon1", " 7 "},   {"NS", "True"}, {"EO", "False"}};
    fuzz::exige(!remplace_section_ini(chemin, QStringLiteral("Coord"), lieu));
    for (const auto& [cle, valeur] : lieu)
        attendu[QStringLiteral("Coord")][QString::fromStdString(cle)] = QString::fromStdString(valeur);
    // Sections left empty are not written (QSettings has no empty sections either).
    for (auto it = attendu.begin(); it != attendu.end();)
        it = it.value().isEmpty() ? attendu.erase(it) : std::next(it);
    fuzz::exige(lit_contenu_ini(chemin) == attendu);
    QFile::remove(chemin);
    return 0;
}
