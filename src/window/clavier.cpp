#include "window/clavier.hpp"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <vector>

#include "window/cadre_focus.hpp"
#include "window/controles.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

namespace {

// A field answers Ctrl+C itself only when it has something selected to copy. Otherwise the key goes
// on to the window's copy of the results.
class CopieDesChamps : public QObject {
public:
    explicit CopieDesChamps(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() != QEvent::ShortcutOverride) return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        const auto* champ = qobject_cast<QLineEdit*>(objet);
        if (champ != nullptr && touche->matches(QKeySequence::Copy) && !champ->hasSelectedText()) {
            evenement->ignore();
            return true;
        }
        return false;
    }
};

// Of an exclusive pair of options, only the selected one is a Tab stop; the arrow keys move the
// choice within the pair.
void un_seul_arret(const std::array<QRadioButton*, 2>& options) {
    const auto regle = [options] {
        for (QRadioButton* o : options)
            o->setFocusPolicy(o->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton* o : options)
        QObject::connect(o, &QRadioButton::toggled, o, regle);
    regle();
}

QShortcut* raccourci(QWidget& f, const QKeySequence& touches) {
    auto* r = new QShortcut(touches, &f);
    r->setContext(Qt::WindowShortcut);
    return r;
}

} // namespace

void installe_clavier(QWidget& f, const PosLuneUi& ui, ActionsClavier actions) {
    ui.focus_parque->setFocusPolicy(Qt::ClickFocus);
    ui.focus_parque->setProperty("sansCadreFocus", true);
    un_seul_arret(ui.options_nord_sud);
    un_seul_arret(ui.options_est_ouest);

    // focus_parque closes the cycle: the stop after it is the day field, or the first one shown.
    const std::vector<QWidget*> chaine{
        ui.focus_parque,         ui.champs_date[0],      ui.champs_date[1],      ui.champs_date[2],
        ui.champs_heure[0],      ui.champs_heure[1],     ui.champs_heure[2],     ui.bouton_calcul,
        ui.bouton_imprimer,      ui.champs_latitude[0],  ui.champs_latitude[1],  ui.options_nord_sud[0],
        ui.options_nord_sud[1],  ui.champs_longitude[0], ui.champs_longitude[1], ui.options_est_ouest[0],
        ui.options_est_ouest[1], ui.fleche_precedente,   ui.fleche_suivante,     ui.bouton_quitter,
        ui.bouton_a_propos,      ui.bouton_mode,         ui.bouton_affichage};
    for (std::size_t i = 0; i + 1 < chaine.size(); ++i)
        QWidget::setTabOrder(chaine[i], chaine[i + 1]);

    for (QLineEdit* champ : {ui.champs_date[0], ui.champs_date[1], ui.champs_date[2], ui.champs_heure[0],
                             ui.champs_heure[1], ui.champs_heure[2]})
        QObject::connect(champ, &QLineEdit::returnPressed, ui.bouton_calcul, &QPushButton::click);

    QObject::connect(raccourci(f, QKeySequence(Qt::CTRL | Qt::Key_P)), &QShortcut::activated, &f,
                     [temps_reel = actions.temps_reel, bouton = ui.bouton_imprimer] {
                         if (!temps_reel()) bouton->click();
                     });
    QObject::connect(raccourci(f, QKeySequence(Qt::CTRL | Qt::Key_Q)), &QShortcut::activated,
                     ui.bouton_quitter, &QPushButton::click);
    QObject::connect(raccourci(f, QKeySequence(Qt::Key_PageUp)), &QShortcut::activated, ui.fleche_precedente,
                     [fleche = ui.fleche_precedente] { emit fleche->clic(); });
    QObject::connect(raccourci(f, QKeySequence(Qt::Key_PageDown)), &QShortcut::activated, ui.fleche_suivante,
                     [fleche = ui.fleche_suivante] { emit fleche->clic(); });

    auto* copie = raccourci(f, QKeySequence::Copy);
    QObject::connect(copie, &QShortcut::activated, &f, actions.copie_releve);
    auto* filtre = new CopieDesChamps(&f);
    for (QLineEdit* champ : f.findChildren<QLineEdit*>())
        champ->installEventFilter(filtre);

    auto* copier = new QAction(QStringLiteral("Copier le relevé"), ui.panneau_resultats);
    copier->setObjectName(QStringLiteral("CopierReleve"));
    copier->setShortcut(QKeySequence::Copy);
    copier->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; the window's shortcut acts
    QObject::connect(copier, &QAction::triggered, &f, actions.copie_releve);
    ui.panneau_resultats->addAction(copier);
    ui.panneau_resultats->setContextMenuPolicy(Qt::ActionsContextMenu);

    new CadreFocus(f);
}

} // namespace orbitel
