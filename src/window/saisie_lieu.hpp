#pragma once
#include <array>
#include <functional>
#include <string>

#include "clock/lieu.hpp"
#include "clock/reglages.hpp"

class QLineEdit;
class QObject;

namespace orbitel {

struct PosLuneUi;

// The place entry: the four place fields and the two hemisphere options of the window's form, and
// the place they hold. A field whose text cannot be held is left out: the value it had when its edit
// began stands in for it (for the user, its value when it took the focus; for a text the program
// sets, its value before), while the other fields and the hemispheres keep applying. Until the
// restore writes them, the fields stand for the first run's place.
class SaisieLieu {
public:
    explicit SaisieLieu(const PosLuneUi& ui);

    // Watches the fields' focus, through an event filter owned by `proprietaire`.
    void installe(QObject& proprietaire);

    // The six texts as they stand.
    ChampsLieu champs() const;

    // Follows a change of place field `champ` (0 to 3: TLat 0, TLat 1, TLon 0, TLon 1) or of a
    // hemisphere (-1), and returns the place now held.
    const LieuRetenu& suit(int champ);
    const LieuRetenu& retenu() const { return retenu_; }

    // Fills the entry as a restored place: the four fields, then the north or south option, then the
    // east or west one, each on its own. relit runs after each option, as a user's click would run
    // it; a changed field runs it through the window's own connection.
    void ecrit(const ChampsLieu& lieu, const std::function<void()>& relit);

private:
    QLineEdit* champ(int indice) const;

    const PosLuneUi& ui_;
    LieuRetenu retenu_;
    // Each field's value when its edit began.
    std::array<std::string, 4> replis_;
    // Whether each field has been written yet (by the restore or the user).
    std::array<bool, 4> ecrits_{};
};

} // namespace orbitel
