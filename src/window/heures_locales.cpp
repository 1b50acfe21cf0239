#include "window/heures_locales.hpp"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include <map>

#include "clock/calendrier.hpp"
#include "platform/fuseau_systeme.hpp"

namespace orbitel {

namespace {

class InfobullesHeureLocale : public QObject {
public:
    InfobullesHeureLocale(QObject& parent, std::vector<std::pair<QLabel*, SourceInstant>> lignes,
                          std::function<bool()> lignes_locales)
        : QObject(&parent), lignes_locales_(std::move(lignes_locales)) {
        for (auto& [ligne, source] : lignes) {
            sources_.emplace(ligne, std::move(source));
            ligne->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() != QEvent::ToolTip) return false;
        auto* ligne = qobject_cast<QLabel*>(objet);
        const auto source = sources_.find(objet);
        if (ligne == nullptr || source == sources_.end()) return false;
        const QString texte =
            infobulle_heure_locale(*ligne, source->second(), lignes_locales_ && lignes_locales_());
        if (texte.isEmpty()) {
            QToolTip::hideText();
            evenement->ignore();
            return true;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(evenement)->globalPos(), texte, ligne);
        return true;
    }

private:
    std::map<const QObject*, SourceInstant> sources_;
    std::function<bool()> lignes_locales_;
};

} // namespace

int decalage_systeme(const InstantLigne& tu) {
    // The zone is looked up at each call: a change of the system's zone is taken at once.
    return fuseau_systeme()->decalage(static_cast<double>(secondes_depuis_1970(tu.tu)));
}

QString infobulle_heure_locale(const QLabel& ligne, const std::optional<InstantLigne>& tu,
                               bool lignes_locales) {
    const QString propre = ligne.toolTip();
    if (!tu) return propre;
    const QString locale = QString::fromStdString(
        lignes_locales ? texte_temps_universel(*tu) : texte_heure_locale(*tu, decalage_systeme(*tu)));
    return propre.isEmpty() ? locale : propre + QLatin1Char('\n') + locale;
}

void installe_heures_locales(QObject& parent, std::vector<std::pair<QLabel*, SourceInstant>> lignes,
                             std::function<bool()> lignes_locales) {
    new InfobullesHeureLocale(parent, std::move(lignes), std::move(lignes_locales));
}

} // namespace orbitel
