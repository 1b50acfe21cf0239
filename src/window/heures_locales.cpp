#include "window/heures_locales.hpp"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include "platform/fuseau_systeme.hpp"
#include "text/heure_locale.hpp"
#include "window/pos_lune.hpp"

namespace orbitel {

namespace {

class InfobullesHeureLocale : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() != QEvent::ToolTip) return false;
        auto* ligne = qobject_cast<QLabel*>(objet);
        if (ligne == nullptr) return false;
        const QString texte = infobulle_heure_locale(*ligne);
        if (texte.isEmpty()) {
            QToolTip::hideText();
            evenement->ignore();
            return true;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(evenement)->globalPos(), texte, ligne);
        return true;
    }
};

} // namespace

int decalage_systeme(const InstantLigne& tu) {
    // The zone is looked up at each call: a change of the system's zone is taken at once.
    return fuseau_systeme()->decalage(static_cast<double>(secondes_depuis_1970(tu)));
}

QString infobulle_heure_locale(const QLabel& ligne) {
    const QString propre = ligne.toolTip();
    const std::optional<InstantLigne> tu = instant_de_ligne(ligne.text().toStdString());
    if (!tu) return propre;
    const QString locale = QString::fromStdString(texte_heure_locale(*tu, decalage_systeme(*tu)));
    return propre.isEmpty() ? locale : propre + QLatin1Char('\n') + locale;
}

void installe_heures_locales(PosLune& f) {
    auto* filtre = new InfobullesHeureLocale(&f);
    for (QLabel* l : {f.Label9, f.Label18[0], f.Label18[1], f.LabPhase[0], f.LabPhase[1], f.LabPhase[2],
                      f.LabPhase[3], f.LabPhase[4]})
        l->installEventFilter(filtre);
}

} // namespace orbitel
