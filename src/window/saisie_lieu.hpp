#pragma once
#include <functional>
#include <optional>

#include "clock/lieu.hpp"
#include "clock/reglages.hpp"

namespace orbitel {

struct PosLuneUi;

// The place entry: the four place fields and the two hemisphere options of the window's form.
class SaisieLieu {
public:
    explicit SaisieLieu(const PosLuneUi& ui) : ui_(ui) {}

    // The six texts as they stand.
    ChampsLieu champs() const;

    // Fills the entry as a restored place: the four fields, then the north or south option, then the
    // east or west one, each on its own. relit runs after each option, as a user's click would run
    // it; a changed field runs it through the window's own connection.
    void ecrit(const ChampsLieu& lieu, const std::function<void()>& relit) const;

private:
    const PosLuneUi& ui_;
};

} // namespace orbitel
