#include "window/lieu_champs.hpp"

#include <QLabel>
#include <QLineEdit>

#include "text/lieu_compris.hpp"
#include "window/pos_lune.hpp"

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

void montre_lieu(PosLune& f, const DefautsLieu& defauts) {
    marque(f.TLat[0], defauts.raisons[0]);
    marque(f.TLat[1], defauts.raisons[1]);
    marque(f.TLon[0], defauts.raisons[2]);
    marque(f.TLon[1], defauts.raisons[3]);
    f.Label17[0]->setToolTip(QString::fromStdString(texte_lieu({f.Lat, f.Lon})));
}

} // namespace orbitel
