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
    l.lat0 = texte(ui_.TLat[0]);
    l.lat1 = texte(ui_.TLat[1]);
    l.lon0 = texte(ui_.TLon[0]);
    l.lon1 = texte(ui_.TLon[1]);
    l.nord = ui_.Option1[0]->isChecked();
    l.est = ui_.Option2[0]->isChecked();
    return l;
}

void SaisieLieu::ecrit(const ChampsLieu& lieu, const std::function<void()>& relit) const {
    etape([&] { ui_.TLat[0]->setText(QString::fromStdString(lieu.lat0)); });
    etape([&] { ui_.TLat[1]->setText(QString::fromStdString(lieu.lat1)); });
    etape([&] { ui_.TLon[0]->setText(QString::fromStdString(lieu.lon0)); });
    etape([&] { ui_.TLon[1]->setText(QString::fromStdString(lieu.lon1)); });
    etape([&] {
        ui_.Option1[lieu.nord ? 0 : 1]->setChecked(true);
        relit();
    });
    etape([&] {
        ui_.Option2[lieu.est ? 0 : 1]->setChecked(true);
        relit();
    });
}

} // namespace orbitel
