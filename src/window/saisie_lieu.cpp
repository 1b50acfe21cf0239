#include "window/saisie_lieu.hpp"

#include <QLineEdit>
#include <QRadioButton>

#include "window/etape.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

namespace {

std::string texte(const QLineEdit* champ) {
    return champ->text().toStdString();
}

} // namespace

ChampsLieu SaisieLieu::champs() const {
    ChampsLieu l;
    l.lat0 = texte(ui_.champs_latitude[0]);
    l.lat1 = texte(ui_.champs_latitude[1]);
    l.lon0 = texte(ui_.champs_longitude[0]);
    l.lon1 = texte(ui_.champs_longitude[1]);
    l.nord = ui_.options_nord_sud[0]->isChecked();
    l.est = ui_.options_est_ouest[0]->isChecked();
    return l;
}

void SaisieLieu::ecrit(const ChampsLieu& lieu, const std::function<void()>& relit) const {
    etape([&] { ui_.champs_latitude[0]->setText(QString::fromStdString(lieu.lat0)); });
    etape([&] { ui_.champs_latitude[1]->setText(QString::fromStdString(lieu.lat1)); });
    etape([&] { ui_.champs_longitude[0]->setText(QString::fromStdString(lieu.lon0)); });
    etape([&] { ui_.champs_longitude[1]->setText(QString::fromStdString(lieu.lon1)); });
    etape([&] {
        ui_.options_nord_sud[lieu.nord ? 0 : 1]->setChecked(true);
        relit();
    });
    etape([&] {
        ui_.options_est_ouest[lieu.est ? 0 : 1]->setChecked(true);
        relit();
    });
}

} // namespace orbitel
