#include "window/pos_lune.hpp"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <cmath>

#include "clock/calendrier.hpp"
#include "events/aspect.hpp"
#include "platform/fuseau_systeme.hpp"

#include "clock/instant_tu.hpp"
#include "text/lignes_geocentriques.hpp"
#include "text/lignes_lever_coucher.hpp"
#include "text/lignes_phases.hpp"
#include "text/lignes_topocentriques.hpp"
#include "text/note_locale.hpp"
#include "text/releve.hpp"
#include "window/apropos.hpp"
#include "window/calendrier.hpp"
#include "window/clavier.hpp"
#include "window/controles.hpp"
#include "window/etape.hpp"
#include "window/export_image.hpp"
#include "window/graphe_hauteur.hpp"
#include "window/heures_locales.hpp"
#include "window/lieu_champs.hpp"

namespace orbitel {

namespace {

QString qt(const std::string& s) {
    return QString::fromStdString(s);
}

void ecrit_ligne(QLabel* label, const std::string& t) {
    label->setText(qt(t));
    label->adjustSize();
}

// Keeps a line inside the rounded outline it stands in. In local time the instants carry their
// offset ("(UTC+5:30)") and the longest lines would run past the outline: their font then shrinks a
// quarter point at a time, just enough; otherwise the line has the form's font.
void tient_dans_son_contour(QLabel* ligne, const QFont& police_forme, const std::array<Forme*, 6>& contours) {
    QFont police = police_forme;
    for (const Forme* c : contours) {
        if (!c || c->parentWidget() != ligne->parentWidget() || !c->geometry().contains(ligne->pos()))
            continue;
        const int place = c->geometry().right() - 3 - ligne->x();
        while (QFontMetrics(police).horizontalAdvance(ligne->text()) > place && police.pointSizeF() > 5)
            police.setPointSizeF(police.pointSizeF() - 0.25);
    }
    if (ligne->font() != police) ligne->setFont(police);
    const int largeur = QFontMetrics(police).horizontalAdvance(ligne->text()) + 2;
    if (ligne->width() < largeur) ligne->resize(largeur, ligne->height());
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
    : QWidget(parent), horloge_(horloge), reglages_(reglages), navigateur_(navigateur),
      imprimante_(imprimante), marque_(marque), ui_(static_cast<QWidget&>(*this)) {
    fin_programme_ = [] { QCoreApplication::quit(); };
    polices_forme_ = {ui_.ligne_instant->font(), ui_.ligne_lever->font(), ui_.lignes_phases[0]->font()};
    minuterie_ = new QTimer(this);
    minuterie_->setObjectName(QStringLiteral("Timer1"));
    minuterie_->setInterval(500);
    connecte();
    installe_affichage();
    installe_clavier(*this, ui_, {[this] { return temps_reel(); }, [this] { copie_releve(); }});
    // Each line's instant is the one the value holds at the moment the tool tip is asked for.
    const auto instants = [this] { return instants_des_lignes(releve_); };
    installe_heures_locales(*this,
                            {
                                {ui_.ligne_instant, [instants] { return instants().instant; }},
                                {ui_.ligne_lever, [instants] { return instants().lever; }},
                                {ui_.ligne_coucher, [instants] { return instants().coucher; }},
                                {ui_.lignes_phases[0], [instants] { return instants().phases[0]; }},
                                {ui_.lignes_phases[1], [instants] { return instants().phases[1]; }},
                                {ui_.lignes_phases[2], [instants] { return instants().phases[2]; }},
                                {ui_.lignes_phases[3], [instants] { return instants().phases[3]; }},
                                {ui_.lignes_phases[4], [instants] { return instants().phases[4]; }},
                            },
                            [this] { return zone_ != nullptr; });
    minuterie_->start();
}

PosLune::~PosLune() = default;

void PosLune::connecte() {
    // Every handler is a step of its own: a failure inside is dropped there, never thrown into the
    // event loop.
    const auto gestionnaire = [this](void (PosLune::*action)()) {
        return [this, action] { etape([&] { (this->*action)(); }); };
    };
    connect(minuterie_, &QTimer::timeout, this, gestionnaire(&PosLune::tick));
    connect(ui_.bouton_mode, &QPushButton::clicked, this, gestionnaire(&PosLune::bascule_mode));
    connect(ui_.bouton_quitter, &QPushButton::clicked, this, gestionnaire(&PosLune::quitte));
    connect(ui_.bouton_calcul, &QPushButton::clicked, this, gestionnaire(&PosLune::calcul));
    connect(ui_.bouton_a_propos, &QPushButton::clicked, this, gestionnaire(&PosLune::a_propos));
    connect(ui_.bouton_imprimer, &QPushButton::clicked, this, [this] { etape([this] { imprime(); }); });
    connect(ui_.fleche_precedente, &ImageCliquable::clic, this, gestionnaire(&PosLune::cycle_precedent));
    connect(ui_.fleche_suivante, &ImageCliquable::clic, this, gestionnaire(&PosLune::cycle_suivant));
    const std::array<QLineEdit*, 4> champs{ui_.champs_latitude[0], ui_.champs_latitude[1],
                                           ui_.champs_longitude[0], ui_.champs_longitude[1]};
    for (int i = 0; i < 4; ++i)
        connect(champs[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i] { etape([&] { suit_lieu(i); }); });
    saisie_lieu_.installe(*this);
    for (QRadioButton* o : {ui_.options_nord_sud[0], ui_.options_nord_sud[1], ui_.options_est_ouest[0],
                            ui_.options_est_ouest[1]})
        connect(o, &QRadioButton::clicked, this, gestionnaire(&PosLune::lieu_modifie));
}

// ---- Start-up -------------------------------------------------------------------------------

void PosLune::demarre() {
    etape([this] { place_etiquettes(); });
    etape([this] { saisie_lieu_.ecrit(restaure_lieu(reglages_), [this] { lieu_modifie(); }); });
    etape([this] {
        const ChoixAffichage choix = restaure_affichage(reglages_);
        // The start-up computes next, on these switches: the entries only show them.
        const QSignalBlocker b1(action_precis_), b2(action_oriente_), b3(action_heure_locale_);
        affichage_.precis = choix.precis;
        affichage_.oriente = choix.oriente;
        action_precis_->setChecked(choix.precis);
        action_oriente_->setChecked(choix.oriente);
        action_heure_locale_->setChecked(choix.heure_locale);
        applique_heure_locale(choix.heure_locale);
    });
    etape([this] { calcule_position(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_phases_calculees(); });
    etape([this] {
        show();
        QCoreApplication::processEvents();
    });
    etape([this] { signale_lecture_impossible(*this, reglages_, sans_dialogue_); });
    etape([this] { cherche_lever_coucher(); });
    etape([this] { demarrage_termine_ = true; });
    etape([this] { ecrit_notice_horloge(); });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::place_etiquettes() {
    int haut = 60;
    for (QLabel* l :
         {ui_.ligne_longitude, ui_.ligne_latitude, ui_.ligne_distance, ui_.ligne_parallaxe,
          ui_.ligne_ascension, ui_.ligne_declinaison, ui_.ligne_distance_topo, ui_.ligne_ascension_topo,
          ui_.ligne_declinaison_topo, ui_.ligne_elongation, ui_.ligne_phase, ui_.ligne_instant}) {
        l->move(l->x(), px(haut));
        haut += 220;
    }
}

void PosLune::ecrit_notice_horloge() {
    const EcartHorloge ecart{ecart_local_plausible(horloge_tu_, horloge_.locale())};
    // Every tick may ask for it: the label is written only when the offset changes.
    if (releve_.ecart_horloge && releve_.ecart_horloge->minutes == ecart.minutes) return;
    releve_.ecart_horloge = ecart;
    ui_.notice_horloge->setText(ecart.minutes ? qt(notice_ecart_local(*ecart.minutes)) : QString());
}

void PosLune::donne_focus_dummy() {
    ui_.focus_parque->setFocus(Qt::OtherFocusReason);
}

// ---- The place ------------------------------------------------------------------------------

void PosLune::lieu_modifie() {
    suit_lieu(-1);
}

void PosLune::suit_lieu(int champ) {
    // A field that cannot be held is left out, its value from before its edit standing in; the
    // field shows why.
    const LieuRetenu& retenu = saisie_lieu_.suit(champ);
    releve_.lieu = retenu.lieu();
    montre_lieu(ui_, retenu.defauts(), releve_.lieu);
    if (demarrage_termine_) {
        cherche_lever_coucher();
        suit_vues();
    }
}

void PosLune::decharge() {
    if (decharge_) return;
    decharge_ = true;
    if (!enregistre_lieu_en_quittant(*this, reglages_, saisie_lieu_.champs(), affichage_, sans_dialogue_))
        lieu_non_enregistre_ = true;
}

void PosLune::closeEvent(QCloseEvent* e) {
    etape([this] { decharge(); });
    e->accept();
}

// ---- Computing ------------------------------------------------------------------------------

bool PosLune::temps_reel() const {
    return minuterie_->isActive();
}

void PosLune::acquiert_instant() {
    if (temps_reel()) {
        lit_instant(instant_, horloge_tu_, horloge_);
    } else {
        // A field too large to hold keeps the value the entry last stood for.
        saisi_ = champs_affiches(instant_);
        lit_instant(saisi_, saisie_instant_.champs());
        instant_ = instant_des_champs_saisis(saisi_);
    }
}

Instant PosLune::instant_des_champs_saisis(const Instant& saisis) const {
    if (!zone_) return saisis;
    // As orbitel-rapport reads a date and time in a zone: a time the clocks skip moves past the gap,
    // a time they show twice is its first occurrence; an instant too far out keeps its fields, and
    // the engine then says it cannot be computed.
    const InstantTu t = instant_de_l_heure_locale(instant_des_champs(saisis).secondes, zone_);
    return std::fabs(t.jour_julien()) < JourJulienLimite ? champs_de(t) : saisis;
}

Instant PosLune::champs_affiches(const Instant& instant) const {
    if (!zone_) return instant;
    const InstantTu t = instant_des_champs(instant);
    if (!(std::fabs(t.jour_julien()) < JourJulienLimite)) return instant;
    // To the millisecond: the Julian day's rounding must not turn a whole second into 59.9999.
    const double s = std::round(t.secondes * 1000) / 1000;
    return champs_de({s + zone_->decalage(s)});
}

void PosLune::calcule_position() {
    acquiert_instant();
    releve_.position = position_lune(etat_, instant_, echelle());
    const LignesGeocentriques l = lignes_geocentriques(*releve_.position, marque_, zone_);
    ecrit_ligne(ui_.ligne_instant, l.instant);
    tient_dans_son_contour(ui_.ligne_instant, polices_forme_.instant, ui_.contours);
    ecrit_ligne(ui_.ligne_longitude, l.longitude);
    ecrit_ligne(ui_.ligne_latitude, l.latitude);
    ecrit_ligne(ui_.ligne_distance, l.distance);
    ecrit_ligne(ui_.ligne_parallaxe, l.parallaxe);
    ecrit_ligne(ui_.ligne_ascension, l.ascension);
    ecrit_ligne(ui_.ligne_declinaison, l.declinaison);
    ecrit_ligne(ui_.ligne_elongation, l.elongation);
    ui_.ligne_elongation->setToolTip(qt(l.infobulle_elongation));
    ecrit_ligne(ui_.ligne_phase, l.phase);
}

void PosLune::dessine_phase_calculee() {
    // An instant that cannot be computed shows nothing new: the last drawing stays.
    if (!releve_.position || !releve_.position->geocentrique) return;
    const double partie_illuminee = releve_.position->geocentrique->phase / 100;
    if (affichage_.oriente && releve_.lieu) {
        // The tilt from an ephemeris run of its own: the window's working state stays the position's,
        // which the observer's view reads next.
        const AspectLune aspect =
            aspect_lune(etat_aspect_, releve_.position->instant.jour_julien(), *releve_.lieu, echelle());
        surface_.dessine_orientee(partie_illuminee, aspect.inclinaison_limbe, impression_);
    } else {
        dessine_lune(partie_illuminee);
    }
}

void PosLune::dessine_lune(double partie_illuminee) {
    const CoteSoleil cote = releve_.position && releve_.position->geocentrique
                                ? releve_.position->geocentrique->cote
                                : CoteSoleil::ouest;
    surface_.dessine(partie_illuminee, cote, releve_.lieu ? releve_.lieu->Lat : 0.0f, impression_);
}

void PosLune::paintEvent(QPaintEvent*) {
    QPainter p(this);
    surface_.peint(p);
}

void PosLune::affiche_hauteur_azimut() {
    const Observateur* lieu = releve_.lieu ? &*releve_.lieu : nullptr;
    releve_.vue = releve_.position ? vue_du_lieu(etat_, *releve_.position, lieu) : VueDuLieu{};
    const LignesTopocentriques l = lignes_topocentriques(*releve_.vue, marque_);
    ecrit_ligne(ui_.ligne_distance_topo, l.distance);
    ecrit_ligne(ui_.ligne_declinaison_topo, l.declinaison);
    ecrit_ligne(ui_.ligne_ascension_topo, l.ascension);
    if (!impression_) couleur_texte(ui_.ligne_hauteur, l.sous_horizon ? couleur_couchee : couleur_levee);
    ecrit_ligne(ui_.ligne_hauteur, l.hauteur);
    ecrit_ligne(ui_.ligne_azimut, l.azimut);
}

void PosLune::cherche_lever_coucher() {
    emit rechercheLeverCoucher();
    const CurseurOccupe occupe;
    ui_.ligne_lever->setText(QStringLiteral("Lever: ---"));
    ui_.ligne_coucher->setText(QStringLiteral("Coucher: ---"));
    acquiert_instant();
    // The day searched, with nothing found until the search ends.
    releve_.lever_coucher = LeverCoucherJour{instant_, std::nullopt, std::nullopt};
    const Observateur* lieu = releve_.lieu ? &*releve_.lieu : nullptr;
    releve_.lever_coucher = lever_coucher_du_jour(etat_, instant_, lieu, echelle(), zone_);
    const LignesLeverCoucher l = lignes_lever_coucher(*releve_.lever_coucher, marque_, zone_);
    ui_.ligne_lever->setText(qt(l.lever));
    ui_.ligne_coucher->setText(qt(l.coucher));
    tient_dans_son_contour(ui_.ligne_lever, polices_forme_.lever_coucher, ui_.contours);
    tient_dans_son_contour(ui_.ligne_coucher, polices_forme_.lever_coucher, ui_.contours);
}

// ---- The phase panel ------------------------------------------------------------------------

std::optional<DateHeure> PosLune::reference_phases() const {
    if (!releve_.phases || !releve_.phases->lunaison) return std::nullopt;
    return releve_.phases->lunaison->reference;
}

void PosLune::montre_phases(const std::optional<DateHeure>& reference) {
    // A panel that cannot be written reads "---", never an earlier date's lines, and the arrows
    // have nothing to step from.
    releve_.phases = PanneauDesPhases{};
    LignesPhases l = lignes_phases_absentes();
    bool ecrit = false;
    etape([&] {
        // On the terrestrial scale the notice gives Delta T at the instant shown.
        const bool montre = releve_.position && releve_.position->geocentrique;
        releve_.phases = panneau_des_phases(reference, echelle(),
                                            montre ? std::optional(releve_.position->instant) : std::nullopt);
        l = lignes_phases(*releve_.phases, marque_, zone_);
        ecrit = true;
    });
    if (!ecrit) releve_.phases = PanneauDesPhases{};
    ui_.notice_delta_t->setText(qt(l.notice));
    for (std::size_t i = 0; i < ui_.lignes_phases.size(); ++i) {
        ui_.lignes_phases[i]->setText(qt(l.phases[i]));
        tient_dans_son_contour(ui_.lignes_phases[i], polices_forme_.phases, ui_.contours);
    }
}

void PosLune::affiche_phases_calculees() {
    if (const auto r = releve_.position ? reference_de_la_position(*releve_.position, zone_) : std::nullopt)
        affiche_phases(*r);
    else
        montre_phases(std::nullopt);
}

void PosLune::affiche_phases(const DateHeure& reference) {
    delta_t_ = delta_t_jours(reference.annee());
    montre_phases(reference);
}

void PosLune::cycle_precedent() {
    if (const auto r = reference_phases())
        if (const auto d = pas_de_cycle(*r, SensCycle::precedent)) affiche_phases(*d);
}

void PosLune::cycle_suivant() {
    if (const auto r = reference_phases())
        if (const auto d = pas_de_cycle(*r, SensCycle::suivant)) affiche_phases(*d);
}

// ---- What the window shows, elsewhere ---------------------------------------------------------

QString PosLune::texte_releve() const {
    QString t;
    for (const std::string& ligne : lignes_releve(releve_, marque_, zone_))
        t += qt(ligne) + QLatin1Char('\n');
    return t;
}

void PosLune::copie_releve() const {
    QGuiApplication::clipboard()->setText(texte_releve());
}

std::optional<InstantLigne> PosLune::instant_imprime() const {
    return instants_des_lignes(releve_).instant;
}

// ---- Handlers -------------------------------------------------------------------------------

void PosLune::tick() {
    etape([this] { calcule_position(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_hauteur_azimut(); });
    // A daylight-saving switch while the program runs: the notice follows at the first tick.
    etape([this] {
        if (demarrage_termine_ && temps_reel()) ecrit_notice_horloge();
    });
    // Past midnight (UT, or on the local clock) the rise and set lines would describe yesterday:
    // search the new day.
    etape([this] {
        const auto jour = [this](const Instant& i) {
            const Instant d = champs_affiches(i);
            return std::array<double, 3>{d.jour, d.mois, d.an};
        };
        if (demarrage_termine_ && temps_reel() && releve_.lever_coucher &&
            jour(releve_.lever_coucher->saisi) != jour(instant_))
            cherche_lever_coucher();
    });
    // The graph's night is renewed once the present instant leaves it.
    etape([this] {
        if (graphe_ && temps_reel() && releve_.position) {
            const double jj = releve_.position->instant.jour_julien();
            const Intervalle& nuit = graphe_->nuit().intervalle;
            if (!(jj >= nuit.debut && jj < nuit.fin)) suit_vues();
        }
    });
}

void PosLune::bascule_mode() {
    etape([this] {
        if (minuterie_->isActive()) {
            minuterie_->stop();
        } else {
            minuterie_->start();
        }
    });
    if (!temps_reel()) {
        etape([this] { saisie_instant_.montre(champs_affiches(instant_), marque_); });
        etape([this] {
            ui_.cadre_instant->show();
            ui_.bouton_imprimer->show();
        });
        etape([this] { ui_.bouton_mode->setText(QStringLiteral("&Temps réel")); });
    } else {
        etape([this] {
            ui_.cadre_instant->hide();
            ui_.bouton_imprimer->hide();
        });
        etape([this] { ui_.bouton_mode->setText(QStringLiteral("Choisir un &Instant")); });
        etape([] { QCoreApplication::processEvents(); });
        // The panel of the last instant acquired; without a date on its instant line the panel
        // keeps its lines.
        etape([this] {
            if (const auto r = reference_de_l_instant(instant_des_champs(instant_), zone_))
                affiche_phases(*r);
        });
        etape([this] { cherche_lever_coucher(); });
        // Delta T follows the present year; the notice keeps describing the panel's hours.
        etape([this] { delta_t_ = delta_t_jours(horloge_.locale().annee); });
        etape([this] { suit_vues(); });
    }
    etape([this] {
        ui_.bouton_calcul->setVisible(!ui_.cadre_instant->isHidden());
        ui_.bouton_imprimer->setVisible(!ui_.cadre_instant->isHidden());
    });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::calcul() {
    etape([this] { calcule_position(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_phases_calculees(); });
    etape([this] { affiche_hauteur_azimut(); });
    etape([this] { cherche_lever_coucher(); });
    etape([this] { suit_vues(); });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::quitte() {
    etape([this] { decharge(); });
    close();
    if (fin_programme_) fin_programme_();
}

void PosLune::a_propos() {
    montre_a_propos(*this, navigateur_);
    donne_focus_dummy();
}

IssueImpression PosLune::imprime() {
    ImpressionPosLune etapes(*this, ui_, *this);
    const IssueImpression issue = imprime_fenetre(etapes, imprimante_);
    donne_focus_dummy();
    return issue;
}

// ---- The Affichage menu ------------------------------------------------------------------------

void PosLune::installe_affichage() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("MenuAffichage"));
    menu->setAccessibleName(QStringLiteral("Affichage"));
    // Each entry is also an action of the window, so that its shortcut works wherever the focus is.
    const auto entree = [&](const QString& texte, const QString& nom, const QKeySequence& touches) {
        auto* a = new QAction(texte, this);
        a->setObjectName(nom);
        a->setShortcut(touches);
        a->setShortcutContext(Qt::WindowShortcut);
        menu->addAction(a);
        addAction(a);
        return a;
    };
    const auto interrupteur = [&](const QString& texte, const QString& nom, const QKeySequence& touches,
                                  void (PosLune::*applique)(bool)) {
        QAction* a = entree(texte, nom, touches);
        a->setCheckable(true);
        connect(a, &QAction::toggled, this,
                [this, applique](bool actif) { etape([&] { (this->*applique)(actif); }); });
        return a;
    };
    action_heure_locale_ = interrupteur(QStringLiteral("Heure &locale"), QStringLiteral("HeureLocale"),
                                        QKeySequence(Qt::CTRL | Qt::Key_L), &PosLune::applique_heure_locale);
    action_precis_ = interrupteur(QStringLiteral("Calcul &précis (temps terrestre)"),
                                  QStringLiteral("Precis"), QKeySequence(), &PosLune::applique_precis);
    action_oriente_ = interrupteur(QStringLiteral("Lune &vue du lieu"), QStringLiteral("Oriente"),
                                   QKeySequence(), &PosLune::applique_oriente);
    menu->addSeparator();
    connect(entree(QStringLiteral("&Calendrier lunaire…"), QStringLiteral("OuvreCalendrier"),
                   QKeySequence(Qt::CTRL | Qt::Key_M)),
            &QAction::triggered, this, [this] { etape([this] { ouvre_calendrier(); }); });
    connect(entree(QStringLiteral("&Hauteur de la Lune…"), QStringLiteral("OuvreGraphe"),
                   QKeySequence(Qt::CTRL | Qt::Key_G)),
            &QAction::triggered, this, [this] { etape([this] { ouvre_graphe(); }); });
    menu->addSeparator();
    connect(
        entree(QStringLiteral("Exporter le dessin en P&NG…"), QStringLiteral("ExportePng"), QKeySequence()),
        &QAction::triggered, this, [this] { etape([this] { demande_export(false); }); });
    connect(
        entree(QStringLiteral("Exporter le dessin en &SVG…"), QStringLiteral("ExporteSvg"), QKeySequence()),
        &QAction::triggered, this, [this] { etape([this] { demande_export(true); }); });
    ui_.bouton_affichage->setMenu(menu);
}

void PosLune::applique_heure_locale(bool locale) {
    affichage_.heure_locale = locale;
    if (locale != (zone_ != nullptr)) {
        // The typed fields keep their instant: read on the old clock, written on the new one.
        std::optional<Instant> saisi;
        if (!temps_reel()) {
            acquiert_instant();
            saisi = instant_;
        }
        if (locale && !fuseau_systeme_) fuseau_systeme_ = fuseau_systeme();
        zone_ = locale ? fuseau_systeme_.get() : nullptr;
        ui_.mention_tu->setText(locale ? QStringLiteral("Heure locale") : QStringLiteral("T.U."));
        ui_.mention_tu->adjustSize();
        if (saisi) saisie_instant_.montre(champs_affiches(*saisi), marque_);
        // At start-up the first computation follows; afterwards every line is written anew.
        if (demarrage_termine_) calcul();
    }
    suit_vues();
}

void PosLune::applique_precis(bool actif) {
    affichage_.precis = actif;
    // Every part again on the new time scale; the panel keeps the lunation it lists.
    const std::optional<DateHeure> reference = reference_phases();
    etape([this] { calcule_position(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_hauteur_azimut(); });
    etape([&] {
        if (reference)
            affiche_phases(*reference);
        else
            affiche_phases_calculees();
    });
    etape([this] { cherche_lever_coucher(); });
    etape([this] { suit_vues(); });
}

void PosLune::applique_oriente(bool actif) {
    affichage_.oriente = actif;
    dessine_phase_calculee();
}

Calendrier* PosLune::calendrier() const {
    return calendrier_;
}

GrapheHauteur* PosLune::graphe() const {
    return graphe_;
}

const Fuseau& PosLune::fuseau_vues() {
    // The views read the time the window shows: the lines' zone, or UT.
    return zone_ ? *zone_ : fuseau_tu_;
}

void PosLune::suit_vues() {
    if (!releve_.lieu) return;
    if (calendrier_) calendrier_->definit(*releve_.lieu, fuseau_vues(), echelle());
    if (graphe_ && releve_.position)
        graphe_->montre(releve_.position->instant.jour_julien(), *releve_.lieu, echelle(), &fuseau_vues());
}

void PosLune::ouvre_calendrier() {
    if (!releve_.position || !releve_.lieu) return;
    const Fuseau& zone = fuseau_vues();
    const double tu = releve_.position->instant.secondes;
    const double local = tu + zone.decalage(tu);
    if (!std::isfinite(local)) return;
    const DateCivile d = date_civile(static_cast<std::int64_t>(std::floor(local / 86400)));
    const JourCalendrier jour{d.annee, d.mois, d.jour};
    if (!calendrier_) {
        calendrier_ =
            new Calendrier(*releve_.lieu, zone, echelle(), horloge_, imprimante_, jour, marque_, this);
        calendrier_->setObjectName(QStringLiteral("Calendrier"));
        calendrier_->setAttribute(Qt::WA_DeleteOnClose);
        connect(calendrier_, &Calendrier::jourChoisi, this,
                [this](int a, int m, int j) { etape([&] { choisit_jour(a, m, j); }); });
    } else {
        calendrier_->definit(*releve_.lieu, zone, echelle());
        calendrier_->montre(jour);
    }
    calendrier_->show();
    calendrier_->raise();
    calendrier_->activateWindow();
}

void PosLune::ouvre_graphe() {
    if (!releve_.position || !releve_.lieu) return;
    if (!graphe_) {
        graphe_ = new GrapheHauteur(fuseau_vues(), horloge_, imprimante_, marque_, this);
        graphe_->setObjectName(QStringLiteral("GrapheHauteur"));
        graphe_->setAttribute(Qt::WA_DeleteOnClose);
    }
    graphe_->montre(releve_.position->instant.jour_julien(), *releve_.lieu, echelle(), &fuseau_vues());
    graphe_->show();
    graphe_->raise();
    graphe_->activateWindow();
}

void PosLune::choisit_jour(int annee, int mois, int jour) {
    if (temps_reel()) bascule_mode();
    Instant minuit;
    minuit.jour = jour;
    minuit.mois = mois;
    minuit.an = annee;
    minuit.heures = minuit.minutes = minuit.secondes = 0;
    saisie_instant_.montre(minuit, marque_);
    calcul();
}

bool PosLune::exporte_dessin(const QString& chemin, bool svg) const {
    const std::optional<VueLune>& vue = surface_.vue();
    if (!vue) return false;
    return svg ? exporte_lune_svg(chemin, *vue) : exporte_lune_png(chemin, *vue);
}

void PosLune::demande_export(bool svg) {
    const QString chemin = QFileDialog::getSaveFileName(
        this, svg ? QStringLiteral("Exporter le dessin en SVG") : QStringLiteral("Exporter le dessin en PNG"),
        svg ? QStringLiteral("lune.svg") : QStringLiteral("lune.png"),
        svg ? QStringLiteral("Images SVG (*.svg)") : QStringLiteral("Images PNG (*.png)"));
    if (!chemin.isEmpty() && !exporte_dessin(chemin, svg))
        QMessageBox::warning(
            this, QStringLiteral("Export impossible"),
            QStringLiteral("Le dessin n'a pas pu être écrit dans le fichier\n«\u00a0%1\u00a0».").arg(chemin));
    donne_focus_dummy();
}

} // namespace orbitel
