#include "window/saisie_lieu.hpp"

#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "window/etape.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

namespace {

std::string texte(const QLineEdit* champ) {
    return champ->text().toStdString();
}

// Calls `entre` with the field that takes the focus.
class SuiviFocus final : public QObject {
public:
    SuiviFocus(std::function<void(QObject*)> entre, QObject* parent)
        : QObject(parent), entre_(std::move(entre)) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::FocusIn) entre_(objet);
        return false;
    }

private:
    std::function<void(QObject*)> entre_;
};

} // namespace

SaisieLieu::SaisieLieu(const PosLuneUi& ui) : ui_(ui) {
    for (int i = 0; i < 4; ++i)
        replis_[static_cast<std::size_t>(i)] = texte_champ(retenu_.champs, i);
}

QLineEdit* SaisieLieu::champ(int indice) const {
    return indice < 2 ? ui_.champs_latitude[static_cast<std::size_t>(indice)]
                      : ui_.champs_longitude[static_cast<std::size_t>(indice - 2)];
}

void SaisieLieu::installe(QObject& proprietaire) {
    auto* suivi = new SuiviFocus(
        [this](QObject* objet) {
            for (int i = 0; i < 4; ++i)
                if (objet == champ(i)) replis_[static_cast<std::size_t>(i)] = texte_champ(retenu_.champs, i);
        },
        &proprietaire);
    for (int i = 0; i < 4; ++i)
        champ(i)->installEventFilter(suivi);
}

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

const LieuRetenu& SaisieLieu::suit(int indice) {
    const bool un_champ = indice >= 0 && indice < 4;
    if (un_champ) ecrits_[static_cast<std::size_t>(indice)] = true;
    ChampsLieu affiches = champs();
    for (int i = 0; i < 4; ++i)
        if (!ecrits_[static_cast<std::size_t>(i)]) texte_champ(affiches, i) = texte_champ(retenu_.champs, i);
    if (!un_champ) {
        retenu_ = suit_saisie(retenu_, affiches, -1, {});
        return retenu_;
    }
    // The user's typing is modified text: its edit began when the field took the focus. A text the
    // program sets is an edit of its own, begun with the value the field had.
    std::string& repli = replis_[static_cast<std::size_t>(indice)];
    const bool par_l_utilisateur = champ(indice)->isModified();
    if (!par_l_utilisateur) repli = texte_champ(retenu_.champs, indice);
    retenu_ = suit_saisie(retenu_, affiches, indice, repli);
    if (!par_l_utilisateur) repli = texte_champ(retenu_.champs, indice);
    return retenu_;
}

void SaisieLieu::ecrit(const ChampsLieu& lieu, const std::function<void()>& relit) {
    for (int i = 0; i < 4; ++i)
        etape([&] {
            // Written even when the text stays as it was (an empty one): the next reading takes it.
            ecrits_[static_cast<std::size_t>(i)] = true;
            champ(i)->setText(QString::fromStdString(texte_champ(lieu, i)));
        });
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
