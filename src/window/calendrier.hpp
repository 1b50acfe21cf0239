#pragma once
#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "clock/fuseau.hpp"
#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "events/delta_t_precis.hpp"
#include "events/mois.hpp"
#include "window/impression.hpp"

class QLabel;
class QPushButton;

namespace orbitel {

class GrilleMois;

// A day of the engine's calendar.
struct JourCalendrier {
    std::int64_t annee = 0;
    unsigned mois = 1;
    unsigned jour = 1;
    friend bool operator==(const JourCalendrier&, const JourCalendrier&) = default;
};

// The "Calendrier lunaire" window: a month as a grid of days, Monday first, each day with the
// Moon's phase drawn for its first instant, its rise, transit and set, and its principal phases and
// apsides with their times, on the zone's clock; today is marked. The figures are those of the
// month table (mois_lunaire, textes_jour), so they read as orbitel-rapport --mois writes them.
//
// Keys: the arrows move the chosen day (across the month's ends too), Page Up and Page Down and
// the two buttons change the month, Enter (or a click on a day) emits jourChoisi, Ctrl+P prints the
// month on one landscape page in black on white, Escape closes.
//
// The zone, the clock and the printer are the caller's and must outlive the window. marque is the
// decimal mark of the numbers written (the apsides' distances).
class Calendrier : public QDialog {
    Q_OBJECT

public:
    Calendrier(const Observateur& lieu, const Fuseau& zone, EchelleTemps echelle, const Horloge& horloge,
               Imprimante& imprimante, JourCalendrier jour, char marque = ',', QWidget* parent = nullptr);
    ~Calendrier() override;

    // Another place, zone or time scale: the month shown is computed again, the day kept. The zone
    // must outlive the window.
    void definit(const Observateur& lieu, const Fuseau& zone, EchelleTemps echelle);

    // Shows the month of the day and chooses the day (one past the month's end: its last day).
    void montre(JourCalendrier jour);
    JourCalendrier jour_choisi() const { return choisi_; }
    const std::vector<JourLunaire>& jours() const { return jours_; }

    // What a day's cell shows, line by line: its number, "Lever 02:44", "Passage 07:45",
    // "Coucher 12:35", then its phases and apsides ("Pleine Lune 13:16"). Empty for a day not shown.
    QStringList lignes_case(unsigned jour) const;

    // Today on the zone's clock, by the window's clock.
    JourCalendrier aujourdhui() const;

    // The print dialog, then the month on one page. False when cancelled or the printout failed.
    bool imprime();

    // The page as printed, on any painter: title, place and zone, the grid in black on white.
    void dessine_page(QPainter& p, const QRectF& page) const;

signals:
    // The user chose a day: the main window shows its 0 h.
    void jourChoisi(int annee, int mois, int jour);

private:
    friend class GrilleMois;
    void deplace(int jours);
    void change_mois(int sens);
    void choisit();
    void met_a_jour_textes();

    Observateur lieu_;
    const Fuseau* zone_;
    EchelleTemps echelle_;
    const Horloge& horloge_;
    Imprimante& imprimante_;
    char marque_;
    JourCalendrier choisi_;
    std::vector<JourLunaire> jours_;
    QLabel* titre_ = nullptr;
    QLabel* sous_titre_ = nullptr;
    QPushButton* precedent_ = nullptr;
    QPushButton* suivant_ = nullptr;
    QPushButton* impression_ = nullptr;
    GrilleMois* grille_ = nullptr;
};

} // namespace orbitel
