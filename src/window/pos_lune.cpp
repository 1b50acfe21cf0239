#include "window/pos_lune.hpp"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/lever_coucher.hpp"
#include "text/lignes_geocentriques.hpp"
#include "text/lignes_lever_coucher.hpp"
#include "text/lignes_phases.hpp"
#include "text/lignes_topocentriques.hpp"
#include "text/note_locale.hpp"
#include "text/releve.hpp"
#include "window/apropos.hpp"
#include "window/clavier.hpp"
#include "window/controles.hpp"
#include "window/enregistrement.hpp"
#include "window/etape.hpp"
#include "window/heures_locales.hpp"
#include "window/impression_pos_lune.hpp"
#include "window/lieu_champs.hpp"
#include "window/notice_horloge.hpp"

namespace orbitel {

namespace {

QString qt(const std::string& s) {
    return QString::fromStdString(s);
}

void ecrit_ligne(QLabel* label, const std::string& t) {
    label->setText(qt(t));
    label->adjustSize();
}

// The busy pointer for the length of a search, restored however the search ends.
class CurseurOccupe {
public:
    CurseurOccupe() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurOccupe() { QGuiApplication::restoreOverrideCursor(); }
    CurseurOccupe(const CurseurOccupe&) = delete;
    CurseurOccupe& operator=(const CurseurOccupe&) = delete;
};

} // namespace

PosLune::PosLune(const Horloge& horloge, MagasinReglages& reglages, Navigateur& navigateur,
                 Imprimante& imprimante, char marque, QWidget* parent)
    : QWidget(parent), PosLuneUi(static_cast<QWidget&>(*this)), horloge_(horloge), reglages_(reglages),
      navigateur_(navigateur), imprimante_(imprimante), marque_(marque) {
    fin_programme = [] { QCoreApplication::quit(); };
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connecte();
    installe_clavier(*this);
    installe_heures_locales(*this);
    Timer1->start();
}

PosLune::~PosLune() = default;

void PosLune::connecte() {
    // Every handler is a step of its own: a failure inside is dropped there, never thrown into the
    // event loop.
    const auto gestionnaire = [this](void (PosLune::*action)()) {
        return [this, action] { etape([&] { (this->*action)(); }); };
    };
    connect(Timer1, &QTimer::timeout, this, gestionnaire(&PosLune::tick));
    connect(Command1, &QPushButton::clicked, this, gestionnaire(&PosLune::bascule_mode));
    connect(Command2, &QPushButton::clicked, this, gestionnaire(&PosLune::quitte));
    connect(Command3, &QPushButton::clicked, this, gestionnaire(&PosLune::calcul));
    connect(Command4, &QPushButton::clicked, this, gestionnaire(&PosLune::a_propos));
    connect(Command5, &QPushButton::clicked, this, [this] { etape([this] { imprime(); }); });
    connect(Image2, &ImageCliquable::clic, this, gestionnaire(&PosLune::cycle_precedent));
    connect(Image3, &ImageCliquable::clic, this, gestionnaire(&PosLune::cycle_suivant));
    const std::array<QLineEdit*, 4> champs{TLat[0], TLat[1], TLon[0], TLon[1]};
    for (int i = 0; i < 4; ++i)
        connect(champs[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i] { etape([&] { suit_lieu(i); }); });
    saisie_lieu_.installe(*this);
    for (QRadioButton* o : {Option1[0], Option1[1], Option2[0], Option2[1]})
        connect(o, &QRadioButton::clicked, this, gestionnaire(&PosLune::lit_lieu));
}

// ---- Start-up -------------------------------------------------------------------------------

void PosLune::demarre() {
    etape([this] { place_etiquettes(); });
    etape([this] { saisie_lieu_.ecrit(restaure_lieu(reglages_), [this] { lit_lieu(); }); });
    etape([this] { calcule_lune(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_phases_calculees(); });
    etape([this] {
        show();
        QCoreApplication::processEvents();
    });
    etape([this] { signale_lecture_impossible(*this, reglages_); });
    etape([this] { lever_coucher(); });
    etape([this] { Label17[0]->setProperty("Tag", QStringLiteral("OK")); });
    etape([this] { ecrit_notice_horloge(); });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::place_etiquettes() {
    int haut = 60;
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5, Label6, Label14, Label15, Label16, Label7,
                      Label8, Label9}) {
        l->move(l->x(), px(haut));
        haut += 220;
    }
}

bool PosLune::demarrage_termine() const {
    return Label17[0]->property("Tag").toString() == QStringLiteral("OK");
}

void PosLune::ecrit_notice_horloge() {
    ecrit_notice_ecart_local(*Label10[1], ecart_local_plausible(horloge_tu_, horloge_.locale()));
}

void PosLune::donne_focus_dummy() {
    dummy->setFocus(Qt::OtherFocusReason);
}

// ---- The place ------------------------------------------------------------------------------

void PosLune::lit_lieu() {
    suit_lieu(-1);
}

void PosLune::suit_lieu(int champ) {
    // A field that cannot be held is left out, its value from before its edit standing in; the
    // field shows why.
    const LieuRetenu& retenu = saisie_lieu_.suit(champ);
    lieu_ = retenu.lieu();
    Lat = lieu_->Lat;
    Lon = lieu_->Lon;
    montre_lieu(*this, retenu.defauts());
    if (demarrage_termine()) lever_coucher();
}

void PosLune::sauve_lieu() {
    if (decharge_) return;
    decharge_ = true;
    enregistre_lieu_en_quittant(*this, reglages_, saisie_lieu_.champs());
}

void PosLune::closeEvent(QCloseEvent* e) {
    etape([this] { sauve_lieu(); });
    e->accept();
}

// ---- Computing ------------------------------------------------------------------------------

bool PosLune::temps_reel() const {
    return Timer1->isActive();
}

void PosLune::acquiert_instant() {
    if (temps_reel()) {
        lit_instant(instant_, horloge_tu_, horloge_);
    } else {
        lit_instant(instant_, saisie_instant_.champs());
    }
}

void PosLune::calcule_lune() {
    acquiert_instant();
    orbitel::calcule_lune(etat_, instant_);
    // Checked once here for the drawing and the altitude line that follow in the same handler.
    calculable_ = est_calculable(etat_);
    const LignesGeocentriques l = lignes_geocentriques(etat_, marque_);
    ecrit_ligne(Label9, l.Label9);
    ecrit_ligne(Label1, l.Label1);
    ecrit_ligne(Label2, l.Label2);
    ecrit_ligne(Label3, l.Label3);
    ecrit_ligne(Label4, l.Label4);
    ecrit_ligne(Label5, l.Label5);
    ecrit_ligne(Label6, l.Label6);
    ecrit_ligne(Label7, l.Label7);
    Label7->setToolTip(qt(l.infobulle_Label7));
    ecrit_ligne(Label8, l.Label8);
}

void PosLune::dessine_phase_calculee() {
    // An instant that cannot be computed shows nothing new: the last drawing stays.
    if (calculable_) dessine_lune(etat_.Phase / 100);
}

void PosLune::dessine_lune(double partie_illuminee) {
    surface_.dessine(partie_illuminee, etat_.EstOuest, Lat, PR);
}

void PosLune::paintEvent(QPaintEvent*) {
    QPainter p(this);
    surface_.peint(p);
}

void PosLune::affiche_hauteur_azimut() {
    LignesTopocentriques l = lignes_topocentriques_absentes();
    if (lieu_ && calculable_) {
        // Like the engine, the topocentric step leaves its right ascension and declination in etat.
        const Topocentrique t = calcule_topocentrique(etat_, lieu_->Lat, lieu_->lon_est());
        etat_.Ascension = t.ad;
        etat_.Declinaison = t.decl;
        l = lignes_topocentriques(t, marque_);
    }
    ecrit_ligne(Label14, l.Label14);
    ecrit_ligne(Label16, l.Label16);
    ecrit_ligne(Label15, l.Label15);
    if (!PR) couleur_texte(Label12, l.sous_horizon ? couleur_couchee : couleur_levee);
    ecrit_ligne(Label12, l.Label12);
    ecrit_ligne(Label13, l.Label13);
}

void PosLune::lever_coucher() {
    emit rechercheLeverCoucher();
    const CurseurOccupe occupe;
    Label18[0]->setText(QStringLiteral("Lever: ---"));
    Label18[1]->setText(QStringLiteral("Coucher: ---"));
    acquiert_instant();
    date_recherche_ = std::array<double, 3>{instant_.jour, instant_.mois, instant_.an};
    if (!lieu_) return;
    const LignesLeverCoucher l =
        lignes_lever_coucher(orbitel::lever_coucher(etat_, instant_, *lieu_), marque_);
    Label18[0]->setText(qt(l.Label18_0));
    Label18[1]->setText(qt(l.Label18_1));
}

// ---- The phase panel ------------------------------------------------------------------------

void PosLune::affiche_phases_calculees() {
    if (const auto r = releve_reference_phases(etat_, instant_))
        affiche_phases(*r);
    else
        phases_.affiche(std::nullopt);
}

void PosLune::affiche_phases(const DateHeure& reference) {
    DeltaT = delta_t_jours(reference.annee());
    phases_.affiche(reference);
}

void PosLune::cycle_precedent() {
    if (const auto r = phases_.pas(SensCycle::precedent)) affiche_phases(*r);
}

void PosLune::cycle_suivant() {
    if (const auto r = phases_.pas(SensCycle::suivant)) affiche_phases(*r);
}

// ---- Handlers -------------------------------------------------------------------------------

void PosLune::tick() {
    etape([this] { calcule_lune(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_hauteur_azimut(); });
    // A daylight-saving switch while the program runs: the notice follows at the first tick.
    etape([this] {
        if (demarrage_termine() && temps_reel()) ecrit_notice_horloge();
    });
    // Past midnight UT the rise and set lines would describe yesterday: search the new day.
    etape([this] {
        const std::array<double, 3> date{instant_.jour, instant_.mois, instant_.an};
        if (demarrage_termine() && temps_reel() && date_recherche_ && *date_recherche_ != date)
            lever_coucher();
    });
}

void PosLune::bascule_mode() {
    etape([this] {
        if (Timer1->isActive()) {
            Timer1->stop();
        } else {
            Timer1->start();
        }
    });
    if (!temps_reel()) {
        etape([this] { saisie_instant_.montre(instant_, marque_); });
        etape([this] {
            Frame1->show();
            Command5->show();
        });
        etape([this] { Command1->setText(QStringLiteral("&Temps réel")); });
    } else {
        etape([this] {
            Frame1->hide();
            Command5->hide();
        });
        etape([this] { Command1->setText(QStringLiteral("Choisir un &Instant")); });
        etape([] { QCoreApplication::processEvents(); });
        // The panel of the last instant computed; without a date on its instant line the panel
        // keeps its lines.
        etape([this] {
            if (const auto r = reference_de_l_instant(instant_)) affiche_phases(*r);
        });
        etape([this] { lever_coucher(); });
        // Delta T follows the present year; the notice keeps describing the panel's hours.
        etape([this] { DeltaT = delta_t_jours(horloge_.locale().annee); });
    }
    etape([this] {
        Command3->setVisible(!Frame1->isHidden());
        Command5->setVisible(!Frame1->isHidden());
    });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::calcul() {
    etape([this] { calcule_lune(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_phases_calculees(); });
    etape([this] { affiche_hauteur_azimut(); });
    etape([this] { lever_coucher(); });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::quitte() {
    etape([this] { sauve_lieu(); });
    close();
    if (fin_programme) fin_programme();
}

void PosLune::a_propos() {
    montre_a_propos(*this, navigateur_);
    donne_focus_dummy();
}

IssueImpression PosLune::imprime() {
    ImpressionPosLune etapes(*this);
    const IssueImpression issue = imprime_fenetre(etapes, imprimante_);
    donne_focus_dummy();
    return issue;
}

} // namespace orbitel
