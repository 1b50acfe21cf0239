#pragma once
#include "window/impression.hpp"

namespace orbitel {

class PosLune;

// The print steps on the main window: the paper palette hides the stepping pictures and the
// buttons and turns every control black on white, the drawing is copied into Image4, and the note
// in Label19 gives the system zone's offset at the date of the printed instant line, as its tool tip
// does: a summer date printed in winter is read in summer time.
class ImpressionPosLune final : public FenetreImprimable {
public:
    explicit ImpressionPosLune(PosLune& fenetre) : fenetre_(fenetre) {}

    QWidget& fenetre() override;
    void met_mode_impression(bool actif) override;
    void palette_papier() override;
    void calcule() override;
    void copie_dessin() override;
    void ecrit_note() override;

private:
    PosLune& fenetre_;
};

} // namespace orbitel
