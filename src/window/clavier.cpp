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
#include "window/pos_lune.hpp"

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

QShortcut* raccourci(PosLune& f, const QKeySequence& touches) {
    auto* r = new QShortcut(touches, &f);
    r->setContext(Qt::WindowShortcut);
    return r;
}

} // namespace

void installe_clavier(PosLune& f) {
    f.dummy->setFocusPolicy(Qt::ClickFocus);
    f.dummy->setProperty("sansCadreFocus", true);
    un_seul_arret(f.Option1);
    un_seul_arret(f.Option2);

    // dummy closes the cycle: the stop after it is the day field, or the first one shown.
    const std::vector<QWidget*> chaine{
        f.dummy,      f.Date[0], f.Date[1], f.Date[2],    f.Heure[0],   f.Heure[1], f.Heure[2], f.Command3,
        f.Command5,   f.TLat[0], f.TLat[1], f.Option1[0], f.Option1[1], f.TLon[0],  f.TLon[1],  f.Option2[0],
        f.Option2[1], f.Image2,  f.Image3,  f.Command2,   f.Command4,   f.Command1};
    for (std::size_t i = 0; i + 1 < chaine.size(); ++i)
        QWidget::setTabOrder(chaine[i], chaine[i + 1]);

    for (QLineEdit* champ : {f.Date[0], f.Date[1], f.Date[2], f.Heure[0], f.Heure[1], f.Heure[2]})
        QObject::connect(champ, &QLineEdit::returnPressed, f.Command3, &QPushButton::click);

    QObject::connect(raccourci(f, QKeySequence(Qt::CTRL | Qt::Key_P)), &QShortcut::activated, &f, [&f] {
        if (!f.temps_reel()) f.Command5->click();
    });
    QObject::connect(raccourci(f, QKeySequence(Qt::CTRL | Qt::Key_Q)), &QShortcut::activated, f.Command2,
                     &QPushButton::click);
    QObject::connect(raccourci(f, QKeySequence(Qt::Key_PageUp)), &QShortcut::activated, f.Image2,
                     [&f] { emit f.Image2->clic(); });
    QObject::connect(raccourci(f, QKeySequence(Qt::Key_PageDown)), &QShortcut::activated, f.Image3,
                     [&f] { emit f.Image3->clic(); });

    auto* copie = raccourci(f, QKeySequence::Copy);
    QObject::connect(copie, &QShortcut::activated, &f, [&f] { copie_releve(f); });
    auto* filtre = new CopieDesChamps(&f);
    for (QLineEdit* champ : f.findChildren<QLineEdit*>())
        champ->installEventFilter(filtre);

    auto* copier = new QAction(QStringLiteral("Copier le relevé"), f.Frame2);
    copier->setObjectName(QStringLiteral("CopierReleve"));
    copier->setShortcut(QKeySequence::Copy);
    copier->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; the window's shortcut acts
    QObject::connect(copier, &QAction::triggered, &f, [&f] { copie_releve(f); });
    f.Frame2->addAction(copier);
    f.Frame2->setContextMenuPolicy(Qt::ActionsContextMenu);

    new CadreFocus(f);
}

QString texte_releve(const PosLune& f) {
    QString t;
    for (const QLabel* l :
         {f.Label1,      f.Label2,      f.Label3,      f.Label4,     f.Label5,      f.Label6,
          f.Label14,     f.Label15,     f.Label16,     f.Label7,     f.Label8,      f.Label9,
          f.Label12,     f.Label13,     f.Label18[0],  f.Label18[1], f.LabPhase[0], f.LabPhase[1],
          f.LabPhase[2], f.LabPhase[3], f.LabPhase[4], f.Label10[0]})
        t += l->text() + QLatin1Char('\n');
    return t;
}

void copie_releve(const PosLune& f) {
    QGuiApplication::clipboard()->setText(texte_releve(f));
}

} // namespace orbitel
