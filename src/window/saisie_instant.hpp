#pragma once
#include "clock/instant.hpp"

namespace orbitel {

struct PosLuneUi;

// The instant entry of chosen-instant mode: the six fields (day, month, year; hours, minutes,
// seconds) of the window's form, read into the instant and filled from it.
class SaisieInstant {
public:
    explicit SaisieInstant(const PosLuneUi& ui) : ui_(ui) {}

    // The six texts as typed.
    ChampsInstant champs() const;
    // Each field written from the instant with its picture ("00", the year "0000"), numbers in
    // the decimal mark `marque`.
    void montre(const Instant& instant, char marque) const;

private:
    const PosLuneUi& ui_;
};

} // namespace orbitel
