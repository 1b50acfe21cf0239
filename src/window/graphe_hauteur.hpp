#pragma once
#include <QColor>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

#include "clock/fuseau.hpp"
#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/courbe_nuit.hpp"
#include "window/impression.hpp"

class QLabel;
class QPainter;
class QPushButton;

namespace orbitel {

// Colours of the graph: light on black for the screen, black on white with grey bands for paper.
struct PaletteGraphe {
    QColor fond, texte, grille, courbe, horizon, maintenant, curseur;
    std::array<QColor, 5> bandes; // indexed by Ciel: day, civil, nautical, astronomical, night
};
PaletteGraphe palette_graphe(bool papier);

// What one painting of the graph shows.
struct VueGraphe {
    const Nuit* nuit = nullptr;
    const Fuseau* fuseau = nullptr;   // the zone of the hours written
    Observateur lieu;                 // named in the title
    std::optional<double> maintenant; // UT Julian day of the present-instant line
    std::optional<double> curseur;    // UT Julian day of the keyboard's cursor
    char marque = ',';
};

// The graph's size in logical pixels: the painting is made for it and scaled to any other.
inline constexpr int largeur_graphe = 760, hauteur_graphe = 440;
// The altitudes shown, degrees: lower ones are cut off.
inline constexpr double hauteur_min_graphe = -30, hauteur_max_graphe = 90;

// The plot's frame inside the graph's size, and the map between it and time and altitude.
QRectF cadre_courbe();
QPointF position_graphe(const Intervalle& intervalle, double jj, double hauteur);
double instant_graphe(const Intervalle& intervalle, double x);

// Paints the graph over largeur_graphe x hauteur_graphe logical pixels: the bands of the sky, the
// grid, the horizon, the Moon's curve with its rise, transit and set, the present instant and the
// cursor, the hours of the zone and the altitudes. Vector only: the same painting goes to the
// screen, a PNG, an SVG and the printer.
void peint_graphe(QPainter& p, const VueGraphe& vue, const PaletteGraphe& palette);

// "Hauteur de la Lune": the night's altitude graph, a window of its own. The night is the noon to
// noon span of the zone's clock that holds the instant shown (FuseauFixe(0) for UT). The present
// instant is read from the clock every second while the window is shown (and by actualise()).
// Left and Right move a cursor along the curve by 5 minutes, with Shift by an hour, Home and End to
// the ends; pointing at the curve shows the same time, altitude and azimuth. Escape closes it.
class GrapheHauteur : public QWidget {
    Q_OBJECT

public:
    // The zone, the clock and the printer outlive the window.
    GrapheHauteur(const Fuseau& fuseau, const Horloge& horloge, Imprimante& imprimante, char marque,
                  QWidget* parent = nullptr);

    // The night around the UT instant jj at the place, on the time scale, in the zone's hours (which
    // must outlive the window; by default the one it was made with).
    void montre(double jj, const Observateur& lieu, EchelleTemps echelle = EchelleTemps::universel,
                const Fuseau* fuseau = nullptr);
    const Observateur& lieu() const { return lieu_; }
    EchelleTemps echelle() const { return echelle_; }
    const Fuseau& fuseau() const { return *fuseau_; }

    const Nuit& nuit() const { return nuit_; }
    std::optional<double> maintenant() const { return maintenant_; }
    std::optional<double> curseur() const { return curseur_; }
    // The cursor's line, "21 h 15 — hauteur 34,2° — azimut 152,7°" (empty without a cursor), also
    // the plot's accessible description.
    QString texte_curseur() const;
    // The area the curve is drawn and pointed at in; it takes the keyboard focus.
    QWidget& zone() const { return *zone_; }

    void peint(QPainter& p, bool papier) const;
    // The graph as a file: a PNG at `ratio` device pixels to one (2: twice the pixels each way), an
    // SVG; both in the screen palette, or the paper one. False when the file cannot be written.
    bool exporte_png(const QString& chemin, qreal ratio = 2, bool papier = false) const;
    bool exporte_svg(const QString& chemin, bool papier = false) const;
    // The graph on one page in the paper palette, through the printer's dialog first.
    bool imprime();

public slots:
    // The present-instant line from the clock.
    void actualise();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    friend class ZoneGraphe;
    void place_curseur(std::optional<double> jj);
    void deplace_curseur(int sens, bool grand_pas);
    QString texte_point(double jj);
    void demande_png();
    void demande_svg();

    const Fuseau* fuseau_;
    const Horloge& horloge_;
    Imprimante& imprimante_;
    char marque_;
    Observateur lieu_;
    EchelleTemps echelle_ = EchelleTemps::universel;
    EtatLune etat_;
    Nuit nuit_;
    std::optional<double> maintenant_, curseur_;
    QWidget* zone_ = nullptr;
    QLabel* ligne_ = nullptr; // the pointed or cursor point, in words
    QString texte_curseur_;
    QTimer minuterie_;
};

} // namespace orbitel
