#pragma once
#include <QSettings>
#include <QString>

#include <memory>

#include "clock/reglages.hpp"
#include "platform/ecriture_ini.hpp"

namespace orbitel {

// The settings store as an INI file: read through QSettings, written as one unit (ecriture_ini).
// Opening it clears what an interrupted save of the same file left behind. A file that exists but
// cannot be read gives no values, and is not replaced unless asked with SiIllisible::remplace.
class MagasinIni final : public MagasinReglages {
public:
    explicit MagasinIni(const QString& chemin);

    std::optional<std::string> lit(std::string_view section, std::string_view cle) const override;
    bool ecrit(std::string_view section, std::string_view cle, std::string_view valeur) override;
    std::optional<EchecEcriture> ecrit_ensemble(std::string_view section, const ValeursSection& valeurs,
                                                SiIllisible si_illisible = SiIllisible::garde) override;
    std::optional<EchecEcriture> lecture_impossible() const override;

    QString chemin() const { return chemin_; }

    // Tests make a step of the save fail with a given system error,
    PanneEcriture panne;
    // or one of the system calls by which the file is read and written.
    AppelsSysteme systeme;

private:
    QString chemin_;
    mutable QSettings reglages_;
};

// The user's store of an application: <configuration folder>/<application>.ini, the folder being
// XDG_CONFIG_HOME (or ~/.config). The window passes its own executable's name, orbitel-rapport
// passes "orbitel" so that both share the window's place.
QString chemin_reglages_utilisateur(const QString& application);
std::unique_ptr<MagasinReglages> ouvre_reglages_utilisateur(const QString& application);

} // namespace orbitel
