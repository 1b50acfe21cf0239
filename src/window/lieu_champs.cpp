#include "window/lieu_champs.hpp"

#include <QLabel>
#include <QLineEdit>

#include "text/lieu_compris.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

namespace {

const QColor couleur_erreur(204, 0, 0);

void marque(QLineEdit* champ, const std::string& raison) {
    QPalette p = champ->palette();
    p.setColor(QPalette::Text, raison.empty() ? QColor(Qt::black) : couleur_erreur);
    champ->setPalette(p);
    champ->setToolTip(QString::fromStdString(raison));
}

} // namespace

void montre_lieu(const PosLuneUi& ui, const DefautsLieu& defauts, const std::optional<Observateur>& lieu) {
    marque(ui.champs_latitude[0], defauts.raisons[0]);
    marque(ui.champs_latitude[1], defauts.raisons[1]);
    marque(ui.champs_longitude[0], defauts.raisons[2]);
    marque(ui.champs_longitude[1], defauts.raisons[3]);
    ui.titre_lieu->setToolTip(QString::fromStdString(texte_lieu(lieu.value_or(Observateur{}))));
}

} // namespace orbitel
