#pragma once
#include <QColor>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
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
// Every control carries its window name as objectName ("Command1", "Label9"; elements of a control
// array as "Heure_0", "LabPhase_4", "Shape1_5"), so tests and the print layout find them by name.
struct PosLuneUi {
    explicit PosLuneUi(QWidget& fenetre);

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
    QWidget* dummy = nullptr; // the parked focus (FocusParque)
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
    QLabel* Label19 = nullptr;
    QLabel* Image4 = nullptr;
    std::array<QLabel*, 2> Label10{};
    ImageCliquable* Image3 = nullptr;
    ImageCliquable* Image2 = nullptr;
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
