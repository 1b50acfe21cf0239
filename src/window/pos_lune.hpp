#pragma once
#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "clock/reglages.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/date.hpp"
#include "platform/navigateur.hpp"
#include "window/impression.hpp"
#include "window/panneau_phases.hpp"
#include "window/pos_lune_ui.hpp"
#include "window/saisie_instant.hpp"
#include "window/saisie_lieu.hpp"
#include "window/surface_lune.hpp"

class QTimer;

namespace orbitel {

// The main window, "Notre Satellite, la Lune...": the Moon for the present instant (real-time
// mode, a 500 ms tick) or for a typed one (chosen-instant mode), for the observer's place.
//
// The controls are the form's (PosLuneUi), by their window names. The window itself holds the
// platform, the timer, the mode and the order of each handler's steps; the place entry, the instant
// entry, the phase panel and the drawing surface do the rest.
class PosLune : public QWidget, public PosLuneUi {
    Q_OBJECT

public:
    // The clock, the settings store, the browser and the printer are the platform; tests give
    // fixed or fake ones. marque is the decimal mark of every number written.
    PosLune(const Horloge& horloge, MagasinReglages& reglages, Navigateur& navigateur, Imprimante& imprimante,
            char marque, QWidget* parent = nullptr);
    ~PosLune() override;

    // Public variables of the window.
    float Lat = 0;    // degrees, north positive
    float Lon = 0;    // degrees, west positive
    bool PR = false;  // true while the window is being printed: paper palette
    float DeltaT = 0; // days, for the present year once back in real time

    // Start-up: restores the place, computes the present instant, shows the window, runs the rise
    // and set search, then opens the place guard. Each step runs on its own.
    void demarre();

    // Operations of the window.
    void dessine_lune(double partie_illuminee);
    void place_etiquettes();
    void affiche_phases(const DateHeure& reference);
    void affiche_hauteur_azimut();
    void lit_lieu();
    void lever_coucher();
    void calcule_lune();

    // Handlers, in the order of their controls.
    void tick();               // Timer1
    void bascule_mode();       // Command1
    void calcul();             // Command3
    void quitte();             // Command2
    void a_propos();           // Command4
    IssueImpression imprime(); // Command5
    void cycle_precedent();    // Image2
    void cycle_suivant();      // Image3
    void sauve_lieu();         // unload

    bool temps_reel() const;
    bool demarrage_termine() const;
    const QImage& surface() const { return surface_.image(); }
    std::optional<DateHeure> reference_phases() const { return phases_.reference(); }
    const Horloge& horloge() const { return horloge_; }
    // The engine's records as the last run left them.
    const Instant& instant() const { return instant_; }
    const EtatLune& etat() const { return etat_; }

    // Ends the program after the quit button has unloaded the window.
    std::function<void()> fin_programme;

    QTimer* Timer1 = nullptr;

signals:
    // Emitted as each rise and set search starts.
    void rechercheLeverCoucher();

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void connecte();
    void acquiert_instant();
    void ecrit_notice_horloge();
    void dessine_phase_calculee();
    void donne_focus_dummy();
    // The panel of the instant just computed: the date its instant line writes, or "---".
    void affiche_phases_calculees();
    // lit_lieu after a change of place field `champ` (0 to 3), or of a hemisphere (-1).
    void suit_lieu(int champ);

    const Horloge& horloge_;
    MagasinReglages& reglages_;
    Navigateur& navigateur_;
    Imprimante& imprimante_;
    char marque_;

    // The engine's records, owned by the window and overwritten by every run.
    Instant instant_;
    HorlogeTu horloge_tu_;
    EtatLune etat_;
    bool calculable_ = false; // whether etat_ holds a result of the last computed instant

    SaisieLieu saisie_lieu_{*this};
    SaisieInstant saisie_instant_{*this};
    PanneauPhases phases_{*this, marque_};
    SurfaceLune surface_{*this};

    std::optional<Observateur> lieu_; // the place held: nullopt only until the first one is read
    std::optional<std::array<double, 3>> date_recherche_; // the date the rise and set lines are for
    bool decharge_ = false;
};

} // namespace orbitel
