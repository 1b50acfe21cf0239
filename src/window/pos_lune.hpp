#pragma once
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "clock/fuseau.hpp"
#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "clock/reglages.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/date.hpp"
#include "events/delta_t_precis.hpp"
#include "events/releve.hpp"
#include "platform/navigateur.hpp"
#include "window/enregistrement.hpp"
#include "window/impression.hpp"
#include "window/impression_pos_lune.hpp"
#include "window/pos_lune_ui.hpp"
#include "window/saisie_instant.hpp"
#include "window/saisie_lieu.hpp"
#include "window/surface_lune.hpp"

class QAction;
class QTimer;

namespace orbitel {

class Calendrier;
class GrapheHauteur;

// The main window, "Notre Satellite, la Lune...": the Moon for the present instant (real-time
// mode, a 500 ms tick) or for a typed one (chosen-instant mode), for the observer's place.
//
// What it shows is one value, the Releve: each handler asks the core for the parts it renews, keeps
// them, and writes their lines through text/. The tool tips, the copy and the printed note take their
// instants and texts from that value, never from a label. The form (PosLuneUi) is the window's own;
// its parts (the place and instant entries, the phase panel, the drawing surface, the keyboard, the
// local-time tool tips, the print steps) are handed the controls they work on.
class PosLune : public QWidget, public FinsDuProgramme, private ResultatsImprimables {
    Q_OBJECT

public:
    // The clock, the settings store, the browser and the printer are the platform; tests give
    // fixed or fake ones. marque is the decimal mark of every number written.
    PosLune(const Horloge& horloge, MagasinReglages& reglages, Navigateur& navigateur, Imprimante& imprimante,
            char marque, QWidget* parent = nullptr);
    ~PosLune() override;

    // Start-up: restores the place, computes the present instant, shows the window, runs the rise
    // and set search, then opens the place guard. Each step runs on its own.
    void demarre();

    // Operations of the window.
    void dessine_lune(double partie_illuminee);
    void place_etiquettes();
    void affiche_phases(const DateHeure& reference);
    void affiche_hauteur_azimut();
    void calcule_position();      // the position of the instant acquired now, and its lines
    void cherche_lever_coucher(); // the rise and set of the instant acquired now, and their lines

    // Handlers, in the order of their controls.
    void tick();               // Timer1
    void bascule_mode();       // Command1
    void calcul();             // Command3
    void quitte() override;    // Command2
    void a_propos();           // Command4
    IssueImpression imprime(); // Command5
    void cycle_precedent();    // Image2
    void cycle_suivant();      // Image3
    void lieu_modifie();       // a hemisphere option
    void decharge() override;  // unload: the place saved, once

    bool temps_reel() const;
    bool demarrage_termine() const { return demarrage_termine_; }
    // What the window shows.
    const Releve& releve() const { return releve_; }
    // The 22 lines of the results, one per line with a final line end, as orbitel-rapport prints them.
    QString texte_releve() const;
    // Puts texte_releve on the clipboard.
    void copie_releve() const;
    // The panel's reference date, nullopt before the first panel or after a "---" one.
    std::optional<DateHeure> reference_phases() const;
    const QImage& surface() const override { return surface_.image(); }
    // The print-mode flag the drawing and the altitude line read: the paper palette.
    void met_mode_impression(bool actif) override { impression_ = actif; }
    bool mode_impression() const { return impression_; }
    // Delta T in days: the panel's year, then the present one once back in real time.
    float delta_t() const { return delta_t_; }

    // The display switches, as the Affichage menu shows them and orbitel.ini keeps them.
    const ChoixAffichage& affichage() const { return affichage_; }
    // The time scale every part of the value is computed on: terrestrial with "Calcul précis".
    EchelleTemps echelle() const {
        return affichage_.precis ? EchelleTemps::terrestre : EchelleTemps::universel;
    }
    // The views of the Affichage menu: opened on the shown instant, or raised when already open.
    void ouvre_calendrier(); // Ctrl+M
    void ouvre_graphe();     // Ctrl+G
    // The open views, nullptr when closed.
    Calendrier* calendrier() const;
    GrapheHauteur* graphe() const;
    // The drawing as it is shown, in a file: a PNG at twice the pixels each way, or an SVG, both in
    // the screen palette. False when there is no drawing yet or the file cannot be written.
    bool exporte_dessin(const QString& chemin, bool svg) const;

    // How the program ends: the quit button ends it through this, once the window is unloaded.
    void definit_fin_programme(std::function<void()> fin) { fin_programme_ = std::move(fin); }
    // Whether nobody can be asked about a failed save (a signal, a session end without interaction):
    // the failure then goes to standard error.
    void definit_sans_dialogue(bool sans_dialogue) override { sans_dialogue_ = sans_dialogue; }
    // The program's exit status: 1 when the place could not be saved, else the event loop's.
    int code_de_sortie(int code_boucle) const { return lieu_non_enregistre_ ? 1 : code_boucle; }

    // The zone the window's lines are written in: nullptr in UT, else the system's.
    const Fuseau* zone() const { return zone_; }
    // For tests: the switch between UT and the computer's local time.
    void essai_heure_locale(bool locale) { applique_heure_locale(locale); }

signals:
    // Emitted as each rise and set search starts.
    void rechercheLeverCoucher();

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // ResultatsImprimables
    void calcule() override { calcul(); }
    std::optional<InstantLigne> instant_imprime() const override;
    bool heures_locales() const override { return zone_ != nullptr; }

    // Writes every instant in the computer's local time (the system's zone: the offset of each
    // instant's own date, the rise and set of the local day, the panel of the local date, the typed
    // instant read on the local clock) or in UT. The typed fields are converted to keep their instant,
    // and the views follow.
    void applique_heure_locale(bool locale);
    // The engine's UT fields of the typed fields, read on the zone's clock.
    Instant instant_des_champs_saisis(const Instant& saisis) const;
    // The fields the entry shows for a UT instant: its date and time on the zone's clock.
    Instant champs_affiches(const Instant& instant) const;

    void connecte();
    void acquiert_instant();
    void ecrit_notice_horloge();
    void dessine_phase_calculee();
    void donne_focus_dummy();
    // The panel of the instant just computed: the date its instant line writes, or "---".
    void affiche_phases_calculees();
    void montre_phases(const std::optional<DateHeure>& reference);
    // After a change of place field `champ` (0 to 3), or of a hemisphere (-1).
    void suit_lieu(int champ);

    // The Affichage menu: its switches, views and exports, and their shortcuts on the window.
    void installe_affichage();
    void applique_precis(bool actif);
    void applique_oriente(bool actif);
    // The zone of the views: the lines' zone, else UT.
    const Fuseau& fuseau_vues();
    // The open views follow the place, the instant and the switches.
    void suit_vues();
    // A day chosen in the calendar: its 0:00:00 as the chosen instant, computed.
    void choisit_jour(int annee, int mois, int jour);
    void demande_export(bool svg);

    const Horloge& horloge_;
    MagasinReglages& reglages_;
    Navigateur& navigateur_;
    Imprimante& imprimante_;
    char marque_;
    PosLuneUi ui_;
    QTimer* minuterie_ = nullptr; // the real-time cycle: real-time mode is its being active

    // The engine's working state and the instant acquisition's, overwritten by every run: a typed
    // field too large to hold keeps the instant's previous value.
    Instant instant_;
    Instant saisi_; // the typed fields as read, on the zone's clock
    HorlogeTu horloge_tu_;
    EtatLune etat_;

    // The fonts the form gives the lines that may shrink to fit their outline in local time.
    struct PolicesForme {
        QFont instant, lever_coucher, phases;
    } polices_forme_;
    Releve releve_; // what the window shows
    // The lines' zone: nullptr for UT, else the system's, which stays for the views that hold it.
    const Fuseau* zone_ = nullptr;
    std::unique_ptr<Fuseau> fuseau_systeme_;
    ChoixAffichage affichage_;
    EtatLune etat_aspect_; // the tilt of the oriented drawing, apart from the window's working state
    FuseauFixe fuseau_tu_{0};
    QPointer<Calendrier> calendrier_;
    // What the open calendar was made for: it is made anew when one of them changes.
    struct ParametresCalendrier {
        Observateur lieu;
        bool heure_locale;
        EchelleTemps echelle;
    } parametres_calendrier_{};
    QPointer<GrapheHauteur> graphe_;
    bool graphe_heure_locale_ = false; // the zone the graph was made with
    QAction* action_heure_locale_ = nullptr;
    QAction* action_precis_ = nullptr;
    QAction* action_oriente_ = nullptr;
    bool impression_ = false; // the paper palette
    float delta_t_ = 0;       // days
    bool demarrage_termine_ =
        false; // the place guard: a change of place searches the day only after start-up
    bool sans_dialogue_ = false;
    bool lieu_non_enregistre_ = false;
    bool decharge_ = false;
    std::function<void()> fin_programme_;

    SaisieLieu saisie_lieu_{ui_};
    SaisieInstant saisie_instant_{ui_};
    SurfaceLune surface_{*this};
};

} // namespace orbitel
