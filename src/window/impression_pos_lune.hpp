#pragma once
#include <QImage>

#include <optional>

#include "text/heure_locale.hpp"
#include "window/impression.hpp"

namespace orbitel {

struct PosLuneUi;

// What the print steps ask of the main window besides its controls.
class ResultatsImprimables {
public:
    // The paper palette of the drawing and the altitude line.
    virtual void met_mode_impression(bool actif) = 0;
    // The compute action of the chosen-instant mode: results, drawing, phase panel.
    virtual void calcule() = 0;
    // The drawing surface.
    virtual const QImage& surface() const = 0;
    // The UT instant the page shows, as its instant line writes it; none when it shows none.
    virtual std::optional<InstantLigne> instant_imprime() const = 0;
    // Whether the page's lines are already on the computer's local clock.
    virtual bool heures_locales() const = 0;

protected:
    ~ResultatsImprimables() = default;
};

// The print steps on the main window: the paper palette hides the stepping pictures and the
// buttons and turns every control black on white, the drawing is copied into its print picture, and
// the note gives the system zone's offset at the printed instant, as its tool tip does: a summer date
// printed in winter is read in summer time.
class ImpressionPosLune final : public FenetreImprimable {
public:
    ImpressionPosLune(QWidget& fenetre, const PosLuneUi& ui, ResultatsImprimables& resultats)
        : fenetre_(fenetre), ui_(ui), resultats_(resultats) {}

    QWidget& fenetre() override { return fenetre_; }
    void met_mode_impression(bool actif) override { resultats_.met_mode_impression(actif); }
    void palette_papier() override;
    void calcule() override { resultats_.calcule(); }
    void copie_dessin() override;
    void ecrit_note() override;

private:
    QWidget& fenetre_;
    const PosLuneUi& ui_;
    ResultatsImprimables& resultats_;
};

} // namespace orbitel
