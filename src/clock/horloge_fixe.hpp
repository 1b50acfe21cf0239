#pragma once
#include "clock/instant.hpp"

namespace orbitel {

// A clock that reads what it is told: tests, benchmarks and the screenshot set the UTC reading and
// the local wall clock, and move them on as they need.
class HorlogeFixe final : public Horloge {
public:
    HorlogeFixe() = default;
    HorlogeFixe(const HorlogeTu& tu, const HeureLocale& locale) : tu_(tu), locale_(locale) {}

    HorlogeTu tu() const override { return tu_; }
    HeureLocale locale() const override { return locale_; }

    void regle(const HorlogeTu& tu, const HeureLocale& locale) {
        tu_ = tu;
        locale_ = locale;
    }

private:
    HorlogeTu tu_;
    HeureLocale locale_;
};

} // namespace orbitel
