#include "platform/reglages_ini.hpp"

#include <QStandardPaths>
#include <QStringList>

namespace orbitel {

namespace {

QString cle_complete(std::string_view section, std::string_view cle) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
           QString::fromUtf8(cle.data(), static_cast<qsizetype>(cle.size()));
}

} // namespace

MagasinIni::MagasinIni(const QString& chemin) : chemin_(chemin), reglages_(chemin, QSettings::IniFormat) {
    nettoie_restes_enregistrement(chemin_);
}

std::optional<std::string> MagasinIni::lit(std::string_view section, std::string_view cle) const {
    const QString nom = cle_complete(section, cle);
    // QSettings would read a file it cannot read as an empty one.
    if (lecture_impossible()) return std::nullopt;
    reglages_.sync(); // with nothing of its own to write, QSettings reads the file again
    if (!reglages_.contains(nom)) return std::nullopt;
    const QVariant v = reglages_.value(nom);
    // QSettings reads an unquoted comma as a list separator (48,5 comes back as two items). We
    // write such texts quoted, so this only meets a file edited by hand: the items are joined back.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(',')).toStdString();
    return v.toString().toStdString();
}

bool MagasinIni::ecrit(std::string_view section, std::string_view cle, std::string_view valeur) {
    return !ecrit_ensemble(section, {{std::string(cle), std::string(valeur)}});
}

std::optional<EchecEcriture> MagasinIni::ecrit_ensemble(std::string_view section,
                                                        const ValeursSection& valeurs,
                                                        SiIllisible si_illisible) {
    return remplace_section_ini(chemin_,
                                QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())),
                                valeurs, si_illisible, panne, systeme);
}

std::optional<EchecEcriture> MagasinIni::lecture_impossible() const {
    return lecture_impossible_ini(chemin_, systeme);
}

QString chemin_reglages_utilisateur(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           application + QStringLiteral(".ini");
}

std::unique_ptr<MagasinReglages> ouvre_reglages_utilisateur(const QString& application) {
    return std::make_unique<MagasinIni>(chemin_reglages_utilisateur(application));
}

} // namespace orbitel
