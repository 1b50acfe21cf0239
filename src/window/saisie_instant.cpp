#include "window/saisie_instant.hpp"

#include <QLineEdit>

#include "text/formats.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

namespace {

std::string texte(const QLineEdit* champ) {
    return champ->text().toStdString();
}

void ecrit(QLineEdit* champ, double valeur, const char* image, char marque) {
    champ->setText(QString::fromStdString(texte_image(valeur, image, marque)));
}

} // namespace

ChampsInstant SaisieInstant::champs() const {
    ChampsInstant champs;
    champs.heures = texte(ui_.champs_heure[0]);
    champs.minutes = texte(ui_.champs_heure[1]);
    champs.secondes = texte(ui_.champs_heure[2]);
    champs.jour = texte(ui_.champs_date[0]);
    champs.mois = texte(ui_.champs_date[1]);
    champs.an = texte(ui_.champs_date[2]);
    return champs;
}

void SaisieInstant::montre(const Instant& instant, char marque) const {
    ecrit(ui_.champs_date[0], instant.jour, "00", marque);
    ecrit(ui_.champs_date[1], instant.mois, "00", marque);
    ecrit(ui_.champs_date[2], instant.an, "0000", marque);
    ecrit(ui_.champs_heure[0], instant.heures, "00", marque);
    ecrit(ui_.champs_heure[1], instant.minutes, "00", marque);
    ecrit(ui_.champs_heure[2], instant.secondes, "00", marque);
}

} // namespace orbitel
