#pragma once
#include <QColor>
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

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orbitel {

class Forme;
class ImageCliquable;

// The main window, "Notre Satellite, la Lune...": the Moon for the present instant (real-time
// mode, a 500 ms tick) or for a typed one (chosen-instant mode), for the observer's place.
//
// Every control carries its window name as objectName ("Command1", "Label9"; elements of a control
// array as "Heure_0", "LabPhase_4", "Shape1_5"), so tests and the print layout find them by name.
// Positions and sizes are designed in twips and placed at 15 twips to a pixel.
class PosLune : public QWidget {
    Q_OBJECT

  public:
    // The clock, the settings store and the browser are the platform; tests give fixed or fake
    // ones. marque is the decimal mark of every number written.
    PosLune(const Horloge& horloge, MagasinReglages& reglages, Navigateur& navigateur, char marque,
            QWidget* parent = nullptr);
    ~PosLune() override;

    // Public variables of the window.
    float Lat = 0; // degrees, north positive
    float Lon = 0; // degrees, west positive
    bool PR = false; // true while the window is being printed: paper palette
    float DeltaT = 0; // days, for the present year once back in real time

    // The engine's records, owned by the window and overwritten by every run.
    Instant instant;
    HorlogeTu horloge_tu;
    EtatLune etat;

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
    void tick();            // Timer1
    void bascule_mode();    // Command1
    void calcul();          // Command3
    void quitte();          // Command2
    void a_propos();        // Command4
    void imprime();         // Command5
    void cycle_precedent(); // Image2
    void cycle_suivant();   // Image3
    void sauve_lieu();      // unload

    bool temps_reel() const;
    bool demarrage_termine() const;
    const QImage& surface() const { return surface_; }
    std::optional<DateHeure> reference_phases() const { return reference_; }
    const Horloge& horloge() const { return horloge_; }
    Navigateur& navigateur() { return navigateur_; }
    char marque() const { return marque_; }

    // Where the print button and the About control lead; the printing and About code plug in
    // here. The focus goes back to dummy after each.
    std::function<void(PosLune&)> action_impression;
    std::function<void(PosLune&)> action_a_propos;
    // Ends the program after the quit button has unloaded the window.
    std::function<void()> fin_programme;

  signals:
    // Emitted as each rise and set search starts.
    void rechercheLeverCoucher();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void cree_controles();
    void acquiert_instant();
    void ecrit_notice_horloge();
    void dessine_phase_calculee();
    void donne_focus_dummy();
    void ecrit_ligne(QLabel* label, const std::string& texte);
    void affiche_phases_de_l_instant();
    ChampsLieu lieu_affiche() const;
    void applique_lieu(const ChampsLieu& lieu);

    const Horloge& horloge_;
    MagasinReglages& reglages_;
    Navigateur& navigateur_;
    char marque_;

    QImage surface_;
    QColor fond_surface_; // the colour the surface was last filled with
    std::optional<DateHeure> reference_;
    std::optional<Observateur> lieu_; // nullopt while the typed place cannot be held
    std::optional<std::array<double, 3>> date_recherche_; // the date the rise and set lines are for
    bool decharge_ = false;

  public:
    // Controls, by their window names.
    QPushButton* Command5 = nullptr;
    QFrame* Frame1 = nullptr;
    std::array<QLineEdit*, 3> Heure{};
    std::array<QLineEdit*, 3> Date{};
    std::array<Forme*, 6> Shape1{};
    std::array<QLabel*, 6> Label11{};
    QPushButton* Command3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command2 = nullptr;
    QLineEdit* dummy = nullptr;
    QFrame* Frame2 = nullptr;
    std::array<QLineEdit*, 2> TLat{};
    QFrame* Frame4 = nullptr;
    std::array<QRadioButton*, 2> Option2{};
    QFrame* Frame3 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    std::array<QLineEdit*, 2> TLon{};
    std::array<QLabel*, 2> Label17{};
    std::array<QLabel*, 2> Label18{};
    std::array<QLabel*, 5> LabPhase{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Image4 = nullptr;
    std::array<QLabel*, 2> Label10{};
    ImageCliquable* Image3 = nullptr;
    ImageCliquable* Image2 = nullptr;
};

} // namespace orbitel
