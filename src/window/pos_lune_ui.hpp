#pragma once
#include <QColor>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace orbitel {

class Forme;
class ImageCliquable;

// The main window's form, as the window is first shown. The controls, their places and sizes in
// pixels, captions, tool tips and accessible names are pos_lune.ui's; the colours, fonts and
// pictures, which the form file cannot give as the window draws them, are added here. Building it
// creates the controls as children of the window and sets the window's own caption, icon, size,
// font and colours; it connects nothing.
//
// The controls are named for what they show. Every one carries its window name as objectName
// ("Command1", "Label9"; elements of a control array as "Heure_0", "LabPhase_4", "Shape1_5"), so
// tests and the print layout find them by name. The window keeps its form private and hands each of
// its parts the controls that part works on.
struct PosLuneUi {
    explicit PosLuneUi(QWidget& fenetre);

    // The buttons.
    QPushButton* bouton_mode = nullptr;     // Command1: real time or a chosen instant
    QPushButton* bouton_quitter = nullptr;  // Command2
    QPushButton* bouton_calcul = nullptr;   // Command3
    QPushButton* bouton_a_propos = nullptr; // Command4
    QPushButton* bouton_imprimer = nullptr; // Command5
    // The display menu (Affichage), over the drawing's free top right corner: the switches, the
    // views and the drawing's export.
    QToolButton* bouton_affichage = nullptr;

    // The instant of chosen-instant mode: its frame, six fields and their captions.
    QFrame* cadre_instant = nullptr;           // Frame1
    std::array<QLineEdit*, 3> champs_date{};   // Date: day, month, year
    std::array<QLineEdit*, 3> champs_heure{};  // Heure: hours, minutes, seconds
    std::array<QLabel*, 6> legendes_instant{}; // Label11
    QWidget* focus_parque = nullptr;           // dummy (FocusParque)

    // The results panel.
    QFrame* panneau_resultats = nullptr;      // Frame2
    std::array<Forme*, 6> contours{};         // Shape1
    QLabel* ligne_longitude = nullptr;        // Label1
    QLabel* ligne_latitude = nullptr;         // Label2
    QLabel* ligne_distance = nullptr;         // Label3
    QLabel* ligne_parallaxe = nullptr;        // Label4
    QLabel* ligne_ascension = nullptr;        // Label5
    QLabel* ligne_declinaison = nullptr;      // Label6
    QLabel* ligne_elongation = nullptr;       // Label7
    QLabel* ligne_phase = nullptr;            // Label8
    QLabel* ligne_instant = nullptr;          // Label9
    QLabel* ligne_hauteur = nullptr;          // Label12
    QLabel* ligne_azimut = nullptr;           // Label13
    QLabel* ligne_distance_topo = nullptr;    // Label14
    QLabel* ligne_ascension_topo = nullptr;   // Label15
    QLabel* ligne_declinaison_topo = nullptr; // Label16
    QLabel* ligne_lever = nullptr;            // Label18_0
    QLabel* ligne_coucher = nullptr;          // Label18_1
    QLabel* mention_tu = nullptr;             // Label17_1, "T.U." beside them
    std::array<QLabel*, 5> lignes_phases{};   // LabPhase
    QLabel* petites_lunes = nullptr;          // Image1, one beside each phase line

    // The place.
    QLabel* titre_lieu = nullptr;                     // Label17_0, "Coordonnées du lieu"
    std::array<QLineEdit*, 2> champs_latitude{};      // TLat: degrees, minutes
    std::array<QLineEdit*, 2> champs_longitude{};     // TLon
    QFrame* cadre_nord_sud = nullptr;                 // Frame3
    std::array<QRadioButton*, 2> options_nord_sud{};  // Option1: north, south
    QFrame* cadre_est_ouest = nullptr;                // Frame4
    std::array<QRadioButton*, 2> options_est_ouest{}; // Option2: east, west

    // Under the drawing.
    QLabel* notice_delta_t = nullptr;            // Label10_0, the time-scale notice
    QLabel* notice_horloge = nullptr;            // Label10_1, the local clock's offset
    ImageCliquable* fleche_precedente = nullptr; // Image2
    ImageCliquable* fleche_suivante = nullptr;   // Image3

    // Printing only.
    QLabel* note_heure_locale = nullptr; // Label19
    QLabel* copie_dessin = nullptr;      // Image4
};

// Twips of the design to device-independent pixels: at 15 twips to a pixel the window keeps its
// proportions at any screen density.
int px(int twips);

// Sets the colour a label or a field writes its text in.
void couleur_texte(QWidget* w, const QColor& texte);

// The rise line's green and the set line's red; the altitude line takes the one that says whether
// the Moon is above the horizon.
inline const QColor couleur_levee{0, 192, 0};
inline const QColor couleur_couchee{192, 0, 0};

} // namespace orbitel
